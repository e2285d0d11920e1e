#include "statements/loopstatement.h"

#include <algorithm>
#include <climits>
#include <string>

#include "expressions/syntaxerror.h"
#include "statements/nonblank.h"

namespace {

[[noreturn]] void reportError(const std::string& found) {
  syntaxError("LoopStatement(istream&): input syntax error at '" + found + "'");
}

void expectWord(std::istream& is, const char* keyword) {
  std::string word;
  is >> word;
  if (word != keyword) reportError(word);
}

bool nextIsDigit(std::istream& is) {
  const int c = is.peek();
  return c >= '0' && c <= '9';
}

// The rest of the current word, for quoting a header that is not a count.
std::string restOfWord(std::istream& is, std::string word) {
  for (int c = is.peek(); c != EOF && !isBlank(c); c = is.peek()) {
    word += static_cast<char>(is.get());
  }
  return word;
}

// An optional sign and decimal digits, as the integer extraction reads them, but an error when
// they do not make a 32-bit int.
int readInteger(std::istream& is) {
  std::string found;
  if (is.peek() == '+' || is.peek() == '-') found += static_cast<char>(is.get());
  const bool negative = found == "-";
  const bool hasDigits = nextIsDigit(is);
  const long long tooLarge = 2LL + INT_MAX;  // beyond both limits; the magnitude stops here
  long long magnitude = 0;
  while (nextIsDigit(is)) {
    found += static_cast<char>(is.get());
    magnitude = std::min(magnitude * 10 + (found.back() - '0'), tooLarge);
  }
  const long long value = negative ? -magnitude : magnitude;
  if (!hasDigits || value > INT_MAX || value < INT_MIN) reportError(restOfWord(is, found));
  return static_cast<int>(value);
}

// "n" gives -1; only that one character is taken, so the body may follow it directly.
int readCount(std::istream& is) {
  char c;
  if (!readNonBlank(is, c)) reportError("");
  if (c == 'n') return -1;
  is.unget();
  return readInteger(is);
}

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
LoopStatement::LoopStatement(std::istream& is, int depth) : LoopStatement(-1, nullptr) {
  if (depth > MAX_NESTING) {
    syntaxError("LoopStatement(istream&): loops nested too deeply (more than " +
                std::to_string(MAX_NESTING) + " levels)");
  }
  expectWord(is, "LOOP");
  count = readCount(is);
  body = new Statementlist(is, depth);
  expectWord(is, "END");
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

std::ostream& LoopStatement::print(std::ostream& os, int indent) const {
  writeIndent(os, indent);
  os << "LOOP ";
  if (count < 0) {
    os << "n";
  } else {
    os << count;
  }
  os << '\n';  // no flush: the prompt that follows is flushed before the next name is read
  body->print(os, indent + 2);
  writeIndent(os, indent);
  return os << "END\n";
}

int LoopStatement::equals(const Statement* other) const {
  const auto* that = dynamic_cast<const LoopStatement*>(other);
  return that != nullptr && count == that->count && body->equals(that->body) ? 1 : 0;
}
