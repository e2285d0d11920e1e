#include "statements/expressionstatement.h"

#include <algorithm>
#include <climits>
#include <string>

#include "support/keyword.h"
#include "support/nonblank.h"
#include "support/streamwriter.h"
#include "support/syntaxerror.h"

namespace {

bool belongsToExpression(char c) { return (c >= 'a' && c <= 'z') || c == '+' || c == '*'; }

const std::string ERROR_PREFIX = "ExpressionStatement(istream&): input syntax error at '";

// Notes where a sum or a product in `text` stopped: the '+' that lacks a term, or the term that
// lacks an operation; `where[k]` is the text offset of text[k].
void noteInExpression(SourceSpans& spans, const std::string& text, const SyntaxError& error) {
  const std::vector<std::size_t>& where = spans.characters;
  const std::size_t at = static_cast<std::size_t>(error.at - text.data());
  if (error.expected == Expected::term) {
    const std::size_t plus = at > 0 ? at - 1 : 0;
    spans.stop(error.expected, where[plus], where[plus] + 1, "+");
    return;
  }
  const std::size_t end = std::min(text.find('+', at), text.size());
  spans.stop(error.expected, where[at], where[end - 1] + 1, text.substr(at, end - at));
}

// Whether the text has a line end between its characters k and k + 1.
bool lineEndsBetween(const SourceSpans& spans, std::size_t k) {
  const auto& breaks = spans.lineBreaks;
  const auto after = std::upper_bound(breaks.begin(), breaks.end(), spans.characters[k]);
  return after != breaks.end() && *after < spans.characters[k + 1];
}

// A statement that fails is looked at as a person would: one that starts with a keyword written
// in small letters ("loop n", "end") is that keyword; two variables side by side on two lines
// are two statements, the first without its ';'.
void review(SourceSpans& spans, const std::string& text, Expected expected) {
  const std::vector<std::size_t>& where = spans.characters;
  std::size_t word = 0;
  while (word < text.size() && text[word] >= 'a' && text[word] <= 'z' &&
         (word == 0 || where[word] == where[word - 1] + 1)) {
    ++word;
  }
  const std::string first = text.substr(0, word);
  const bool apart = word == text.size() || where[word] > where[word - 1] + 1;
  if ((first == "loop" || first == "end" || first == "begin") && apart) {
    spans.stop(Expected::keywordCase, where[0], where[word - 1] + 1, first);
    return;
  }
  if (expected != Expected::operation) return;
  for (std::size_t k = 0; k + 1 < text.size(); ++k) {
    const bool variables =
        text[k] != '+' && text[k] != '*' && text[k + 1] != '+' && text[k + 1] != '*';
    if (variables && lineEndsBetween(spans, k)) {
      spans.stop(Expected::semicolon, where[k] + 1, where[k] + 1, "");
      return;
    }
  }
}

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing. The text is unbounded: the string grows as needed.
// The characters reach it in blocks gathered on the stack: appending them one at a time took a
// fifth of the parse. A statement that meets the next statement's keyword, or the end of the
// input, before its ';' lacks the ';' at the end of its text.
ExpressionStatement::ExpressionStatement(std::istream& is, SourceSpans* spans)
    : ExpressionStatement(nullptr) {
  const std::size_t span = spans != nullptr ? spans->open(is) : 0;
  const std::size_t start = spans != nullptr ? (*spans)[span].start : 0;
  if (spans != nullptr) {
    spans->characters.clear();
    spans->lineBreaks.clear();
  }
  std::size_t textEnd = start;  // after the last character taken
  const auto lacksSemicolon = [&] {
    if (spans != nullptr) spans->stop(Expected::semicolon, textEnd, textEnd, "");
    return Expected::semicolon;
  };
  std::string text;
  char block[64];
  std::size_t inBlock = 0;
  std::size_t blockEnd = sizeof block;  // or less, where the text would pass INT_MAX characters
  const auto flush = [&] {
    text.append(block, inBlock);
    inBlock = 0;
  };
  const auto take = [&](char c, std::size_t at) {
    if (!belongsToExpression(c)) {
      flush();
      is.unget();  // so that the error's position is the offending character
      Expected expected = Expected::expression;
      if (c == 'E' || c == 'L') {
        expected = lacksSemicolon();
      } else if (spans != nullptr) {
        spans->stopAtCharacter(is, expected);
      }
      syntaxErrorAt(ERROR_PREFIX, text, expected);
    }
    if (inBlock == blockEnd) {
      flush();
      const std::size_t room = INT_MAX - text.size();  // the expression takes its length as an int
      if (room == 0)
        syntaxErrorAt(ERROR_PREFIX, text.substr(0, MAX_WORD) + "...", lacksSemicolon());
      blockEnd = std::min(sizeof block, room);
    }
    block[inBlock++] = c;
    if (spans != nullptr) {
      spans->characters.push_back(start + at);
      textEnd = start + at + 1;
    }
  };
  const auto lineEnd = [&](char c, std::size_t at) {
    if (c == '\n' || c == '\r') spans->lineBreaks.push_back(start + at);
  };
  try {
    const auto read = spans != nullptr ? readNonBlanksUntil(is, ';', take, lineEnd)
                                       : readNonBlanksUntil(is, ';', take);
    flush();
    if (!read) syntaxErrorAt(ERROR_PREFIX, text, lacksSemicolon());  // the input ended first
    if (spans != nullptr) (*spans)[span].end = (*spans)[span].hint = start + *read;
    try {
      expression = new Expression(static_cast<int>(text.size()), &text[0]);
    } catch (const SyntaxError& error) {
      if (spans != nullptr && error.at != nullptr) noteInExpression(*spans, text, error);
      throw;
    }
  } catch (const SyntaxError& error) {
    if (spans != nullptr && !text.empty()) review(*spans, text, error.expected);
    throw;
  }
}

ExpressionStatement::ExpressionStatement(Expression* expression) : expression(expression) {}

ExpressionStatement::~ExpressionStatement() { delete expression; }

Polynomial ExpressionStatement::evaluate(CPUContext context) const {
  return expression->evaluate(context);
}

// Programs can have millions of lines: each is written under one sentry, and handed to the
// stream's buffer in one call.
std::ostream& ExpressionStatement::print(std::ostream& os, int indent) const {
  StreamWriter out(os);
  out.blanks(indent);
  expression->writeTo(out);
  out.write(" ;\n", 3);
  return os;
}

int ExpressionStatement::equals(const Statement* other) const {
  const auto* that = dynamic_cast<const ExpressionStatement*>(other);
  return that != nullptr && expression->equals(that->expression) ? 1 : 0;
}

void ExpressionStatement::accept(StatementVisitor& visitor) const { visitor.visit(*this); }

const Expression* ExpressionStatement::getExpression() const { return expression; }
