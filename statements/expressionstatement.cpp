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

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing. The text is unbounded: the string grows as needed.
// The characters reach it in blocks gathered on the stack: appending them one at a time took a
// fifth of the parse.
ExpressionStatement::ExpressionStatement(std::istream& is) : ExpressionStatement(nullptr) {
  std::string text;
  char block[64];
  std::size_t inBlock = 0;
  std::size_t blockEnd = sizeof block;  // or less, where the text would pass INT_MAX characters
  const auto flush = [&] {
    text.append(block, inBlock);
    inBlock = 0;
  };
  const bool complete = readNonBlanksUntil(is, ';', [&](char c) {
    if (!belongsToExpression(c)) {
      flush();
      is.unget();  // so that the error's position is the offending character
      syntaxErrorAt(ERROR_PREFIX, text);
    }
    if (inBlock == blockEnd) {
      flush();
      const std::size_t room = INT_MAX - text.size();  // the expression takes its length as an int
      if (room == 0) syntaxErrorAt(ERROR_PREFIX, text.substr(0, MAX_WORD) + "...");
      blockEnd = std::min(sizeof block, room);
    }
    block[inBlock++] = c;
  });
  flush();
  if (!complete) syntaxErrorAt(ERROR_PREFIX, text);  // the input ended before the ';'
  expression = new Expression(static_cast<int>(text.size()), &text[0]);
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
