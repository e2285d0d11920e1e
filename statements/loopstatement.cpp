#include "statements/loopstatement.h"

#include <algorithm>
#include <climits>
#include <sstream>
#include <string>

#include "support/keyword.h"
#include "support/nonblank.h"
#include "support/streamwriter.h"
#include "support/syntaxerror.h"

namespace {

const std::string ERROR_PREFIX = "LoopStatement(istream&): input syntax error at '";

// A classic count's sign, which the extended dialect's sums do not have.
bool nextIsSign(std::istream& is) {
  char c;
  return peekNonBlank(is, c) && (c == '+' || c == '-');
}

bool nextIsDigit(std::istream& is) {
  const int c = is.peek();
  return c >= '0' && c <= '9';
}

// Where a loop's count is read, and what to note when it is not one.
struct CountReading {
  std::istream& is;
  SourceSpans* spans;
  std::size_t start;

  [[noreturn]] void fail(const std::string& found, Expected expected) {
    if (spans != nullptr) spans->stop(expected, start, start + found.size(), found);
    syntaxErrorAt(ERROR_PREFIX, found, expected);
  }

  // Appends the next character to `found`; past MAX_WORD characters the header is surely not a
  // count, and the error quotes what was read.
  void take(std::string& found) {
    if (found.size() == MAX_WORD) fail(found + "...", Expected::count);
    found += static_cast<char>(is.get());
  }

  // The rest of the current word, for quoting a header that is not a count.
  std::string restOfWord(std::string word) {
    for (int c = is.peek(); c != EOF && !isSpace(c); c = is.peek()) take(word);
    return word;
  }

  // An optional sign and decimal digits, as the integer extraction reads them, but an error when
  // they do not make a 32-bit int.
  int integer() {
    std::string found;
    if (is.peek() == '+' || is.peek() == '-') take(found);
    const bool negative = found == "-";
    const bool hasDigits = nextIsDigit(is);
    const long long tooLarge = 2LL + INT_MAX;  // beyond both limits; the magnitude stops here
    long long magnitude = 0;
    while (nextIsDigit(is)) {
      take(found);
      magnitude = std::min(magnitude * 10 + (found.back() - '0'), tooLarge);
    }
    const long long value = negative ? -magnitude : magnitude;
    if (!hasDigits) {
      const std::string word = restOfWord(found);
      char next;
      const bool range = peekNonBlank(is, next) && next == '=';
      fail(word, range ? Expected::countNotRange : Expected::count);
    }
    if (value > INT_MAX || value < INT_MIN) fail(restOfWord(found), Expected::countSize);
    return static_cast<int>(value);
  }

  // "n" gives -1; only that one character is taken, so the body may follow it directly.
  int count() {
    char c;
    const bool any = readNonBlank(is, c);
    if (any) is.unget();
    if (spans != nullptr) start = SourceSpans::offset(is);
    if (!any) fail("", Expected::count);
    if (c != 'n') return integer();
    is.get();
    return -1;
  }
};

// Writes `text`, which ends the line, after `indent` blanks.
void printLine(std::ostream& os, int indent, const std::string& text) {
  StreamWriter out(os);
  out.blanks(indent);
  out.write(text.data(), text.size());
}

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
LoopStatement::LoopStatement(std::istream& is, int enclosingLoops, SourceSpans* spans,
                             const LoopCount::Scope* scope)
    : LoopStatement(-1, nullptr) {
  const std::size_t span = spans != nullptr ? spans->open(is) : 0;
  if (enclosingLoops >= MAX_NESTING) {
    if (spans != nullptr) {
      const std::size_t at = (*spans)[span].start;
      spans->stop(Expected::nesting, at, at + 4, "LOOP");
    }
    syntaxError("LoopStatement(istream&): loops nested too deeply (more than " +
                    std::to_string(MAX_NESTING) + " levels)",
                Expected::nesting);
  }
  SourceSpans::expectKeyword(is, "LOOP", ERROR_PREFIX, Expected::loop, spans);
  if (spans != nullptr) spans->openLoops.push_back((*spans)[span].start);
  CountReading reading{is, spans, 0};
  if (scope != nullptr && scope->dialect == Dialect::extended && !nextIsSign(is)) {
    reading.start = spans != nullptr ? SourceSpans::offset(is) : 0;
    readExtended(is, *scope, spans);
  } else {
    count = reading.count();
  }
  if (spans != nullptr) {
    (*spans)[span].count = reading.start;
    (*spans)[span].hint = SourceSpans::offset(is);
  }
  const LoopCount::Scope inner{Dialect::extended,
                               extendedCount != nullptr ? extendedCount->index() : '\0', scope};
  body = new Statementlist(is, enclosingLoops + 1, spans, scope != nullptr ? &inner : nullptr);
  const std::size_t end =
      SourceSpans::expectKeyword(is, "END", ERROR_PREFIX, Expected::loopEnd, spans);
  if (spans != nullptr) {
    (*spans)[span].end = SourceSpans::offset(is);
    spans->lastClosed = {spans->openLoops.back(), end};
    spans->openLoops.pop_back();
  }
}

LoopStatement::LoopStatement(int count, Statementlist* body) : body(body), count(count) {}

LoopStatement::~LoopStatement() {
  delete body;
  delete extendedCount;
}

// A count that the classic dialect writes the same way is kept as the classic one.
void LoopStatement::readExtended(std::istream& is, const LoopCount::Scope& scope,
                                 SourceSpans* spans) {
  extendedCount = new LoopCount(is, scope, spans);
  if (!extendedCount->classic()) return;
  const LoopCount::Factor factor = extendedCount->to()[0].factors[0];
  count = factor.kind == LoopCount::Factor::Kind::n ? -1 : static_cast<int>(factor.value);
  delete extendedCount;
  extendedCount = nullptr;
}

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
  printLine(os, indent, header() + "\n");
  body->print(os, indent + 2);
  printLine(os, indent, "END\n");
  return os;
}

int LoopStatement::equals(const Statement* other) const {
  const auto* that = dynamic_cast<const LoopStatement*>(other);
  if (that == nullptr || count != that->count) return 0;
  const bool bothClassic = extendedCount == nullptr && that->extendedCount == nullptr;
  const bool sameCounts =
      bothClassic || (extendedCount != nullptr && that->extendedCount != nullptr &&
                      *extendedCount == *that->extendedCount);
  return sameCounts && body->equals(that->body) ? 1 : 0;
}

void LoopStatement::accept(StatementVisitor& visitor) const { visitor.visit(*this); }

int LoopStatement::getCount() const { return count; }

const Statementlist* LoopStatement::getBody() const { return body; }

std::string LoopStatement::header() const {
  if (extendedCount == nullptr) {
    return "LOOP " + (count < 0 ? std::string("n") : std::to_string(count));
  }
  std::ostringstream text;
  text << "LOOP ";
  extendedCount->print(text);
  return text.str();
}

const LoopCount* LoopStatement::getExtendedCount() const { return extendedCount; }
