#include "statements/loopstatement.h"

#include <algorithm>
#include <climits>
#include <string>

#include "support/keyword.h"
#include "support/nonblank.h"
#include "support/streamwriter.h"
#include "support/syntaxerror.h"

namespace {

const std::string ERROR_PREFIX = "LoopStatement(istream&): input syntax error at '";

bool nextIsDigit(std::istream& is) {
  const int c = is.peek();
  return c >= '0' && c <= '9';
}

// Appends the next character to `found`; past MAX_WORD characters the header is surely not a
// count, and the error quotes what was read.
void take(std::istream& is, std::string& found) {
  if (found.size() == MAX_WORD) syntaxErrorAt(ERROR_PREFIX, found + "...");
  found += static_cast<char>(is.get());
}

// The rest of the current word, for quoting a header that is not a count.
std::string restOfWord(std::istream& is, std::string word) {
  for (int c = is.peek(); c != EOF && !isSpace(c); c = is.peek()) take(is, word);
  return word;
}

// An optional sign and decimal digits, as the integer extraction reads them, but an error when
// they do not make a 32-bit int.
int readInteger(std::istream& is) {
  std::string found;
  if (is.peek() == '+' || is.peek() == '-') take(is, found);
  const bool negative = found == "-";
  const bool hasDigits = nextIsDigit(is);
  const long long tooLarge = 2LL + INT_MAX;  // beyond both limits; the magnitude stops here
  long long magnitude = 0;
  while (nextIsDigit(is)) {
    take(is, found);
    magnitude = std::min(magnitude * 10 + (found.back() - '0'), tooLarge);
  }
  const long long value = negative ? -magnitude : magnitude;
  if (!hasDigits || value > INT_MAX || value < INT_MIN)
    syntaxErrorAt(ERROR_PREFIX, restOfWord(is, found));
  return static_cast<int>(value);
}

// "n" gives -1; only that one character is taken, so the body may follow it directly.
int readCount(std::istream& is) {
  char c;
  if (!readNonBlank(is, c)) syntaxErrorAt(ERROR_PREFIX, "");
  if (c == 'n') return -1;
  is.unget();
  return readInteger(is);
}

// Writes `text`, which ends the line, after `indent` blanks.
void printLine(std::ostream& os, int indent, const std::string& text) {
  StreamWriter out(os);
  out.blanks(indent);
  out.write(text.data(), text.size());
}

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
LoopStatement::LoopStatement(std::istream& is, int enclosingLoops) : LoopStatement(-1, nullptr) {
  if (enclosingLoops >= MAX_NESTING) {
    syntaxError("LoopStatement(istream&): loops nested too deeply (more than " +
                std::to_string(MAX_NESTING) + " levels)");
  }
  expectKeyword(is, "LOOP", ERROR_PREFIX);
  count = readCount(is);
  body = new Statementlist(is, enclosingLoops + 1);
  expectKeyword(is, "END", ERROR_PREFIX);
}

LoopStatement::LoopStatement(int count, Statementlist* body) : body(body), count(count) {}

LoopStatement::~LoopStatement() { delete body; }

Polynomial LoopStatement::evaluate(CPUContext context) const {
  Polynomial complexity = body->evaluate(context);
  if (count < 0) {
    complexity.multiplyByN();
  } else {
    complexity.scale(count);
  }
  return complexity;
}

// No flush after the header, unlike endl: the cost lines and the next prompt flush the output.
std::ostream& LoopStatement::print(std::ostream& os, int indent) const {
  printLine(os, indent, "LOOP " + (count < 0 ? std::string("n") : std::to_string(count)) + "\n");
  body->print(os, indent + 2);
  printLine(os, indent, "END\n");
  return os;
}

int LoopStatement::equals(const Statement* other) const {
  const auto* that = dynamic_cast<const LoopStatement*>(other);
  return that != nullptr && count == that->count && body->equals(that->body) ? 1 : 0;
}

void LoopStatement::accept(StatementVisitor& visitor) const { visitor.visit(*this); }

int LoopStatement::getCount() const { return count; }

const Statementlist* LoopStatement::getBody() const { return body; }
