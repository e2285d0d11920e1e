#include "statements/loopcount.h"

#include <climits>
#include <string>
#include <utility>

#include "support/keyword.h"
#include "support/nonblank.h"
#include "support/syntaxerror.h"

namespace {

const std::string ERROR_PREFIX = "LoopCount(istream&): input syntax error at '";

bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isLetter(int c) { return c >= 'a' && c <= 'z'; }

}  // namespace

bool LoopCount::Scope::binds(char c) const {
  for (const Scope* scope = this; scope != nullptr; scope = scope->outer) {
    if (scope->letter == c) return true;
  }
  return false;
}

// Recursive descent over the count's text, one character of look-ahead; the only recursion is
// into parentheses, at most MAX_GROUPS deep.
class LoopCount::Reader {
 public:
  Reader(std::istream& is, const Scope& scope, SourceSpans* spans, LoopCount& count)
      : is(is), scope(scope), spans(spans), count(count) {}

  void read() {
    count.sums.resize(2);
    char c;
    if (!peekNonBlank(is, c)) failHere(Expected::extendedCount);
    if (!isLetter(c)) {
      count.sums[1] = sum(0, std::nullopt);
      return;
    }
    const std::size_t at = place();
    is.get();
    if (c == 'l' && is.peek() == 'o') {
      count.sums[1] = sum(0, logOfN(at));
      return;
    }
    char next;
    if (peekNonBlank(is, next) && next == '=') return range(c, at);
    count.sums[1] = sum(0, letterFactor(c, at));
  }

 private:
  void range(char index, std::size_t at) {
    const std::string found(1, index);
    if (index == 'n') fail(Expected::nIndex, at, found);
    if (scope.binds(index)) fail(Expected::reboundIndex, at, found);
    is.get();  // '='
    count.letter = index;
    count.sums[0] = sum(0, std::nullopt);
    char c;
    const std::size_t to = peekNonBlank(is, c) ? place() : 0;
    const std::string word = readWord(is);
    if (word != "TO") fail(Expected::to, word.empty() ? place() : to, word);
    count.sums[1] = sum(0, std::nullopt);
  }

  // `first`, if given, is the sum's first factor, already read.
  Sum sum(int depth, std::optional<Factor> first) {
    Sum terms;
    terms.push_back({false, product(depth, first)});
    for (char c; peekNonBlank(is, c) && (c == '+' || c == '-');) {
      is.get();
      terms.push_back({c == '-', product(depth, std::nullopt)});
    }
    return terms;
  }

  std::vector<Factor> product(int depth, std::optional<Factor> first) {
    std::vector<Factor> factors{first ? *first : atom(depth)};
    for (char c; peekNonBlank(is, c) && c == '*';) {
      is.get();
      factors.push_back(atom(depth));
    }
    return factors;
  }

  Factor atom(int depth) {
    char c;
    if (!peekNonBlank(is, c)) failHere(Expected::extendedCount);
    const std::size_t at = place();
    if (isDigit(c)) return number(at);
    if (isLetter(c)) {
      is.get();
      return c == 'l' && is.peek() == 'o' ? logOfN(at) : letterFactor(c, at);
    }
    if (c != '(') failHere(Expected::extendedCount);
    if (depth == MAX_GROUPS) fail(Expected::groups, at, "(");
    is.get();
    Sum inner = sum(depth + 1, std::nullopt);
    if (!peekNonBlank(is, c) || c != ')') failHere(Expected::extendedCount);
    is.get();
    count.sums.push_back(std::move(inner));
    return {Factor::Kind::group, static_cast<std::uint32_t>(count.sums.size() - 1)};
  }

  Factor number(std::size_t at) {
    std::string digits;
    long long value = 0;
    while (isDigit(is.peek())) {
      if (digits.size() == MAX_WORD) break;
      digits += static_cast<char>(is.get());
      value = std::min<long long>(value * 10 + (digits.back() - '0'), 1LL + INT_MAX);
    }
    if (value > INT_MAX) fail(Expected::countSize, at, digits);
    return {Factor::Kind::number, static_cast<std::uint32_t>(value)};
  }

  Factor letterFactor(char c, std::size_t at) {
    if (c == 'n') return {Factor::Kind::n, 0};
    if (!scope.binds(c)) fail(Expected::unknownIndex, at, std::string(1, c));
    return {Factor::Kind::index, static_cast<std::uint32_t>(c)};
  }

  // After its 'l': "log" and the n it takes, which is the only argument that keeps the counts
  // polynomials in n and log n.
  Factor logOfN(std::size_t at) {
    std::string word = "l";
    while (isLetter(is.peek()) && word.size() < MAX_WORD) word += static_cast<char>(is.get());
    if (word != "log") fail(Expected::extendedCount, at, word);
    char c;
    if (!peekNonBlank(is, c) || c != 'n') failHere(Expected::logOfN);
    is.get();
    return {Factor::Kind::log, 0};
  }

  std::size_t place() const { return spans != nullptr ? SourceSpans::offset(is) : 0; }

  [[noreturn]] void fail(Expected expected, std::size_t at, const std::string& found) {
    if (spans != nullptr) spans->stop(expected, at, at + found.size(), found);
    syntaxErrorAt(ERROR_PREFIX, found, expected);
  }

  // At the character the stream stands at, or at the end of the input.
  [[noreturn]] void failHere(Expected expected) {
    std::string found;
    if (spans != nullptr) {
      spans->stopAtCharacter(is, expected);
      found = spans->problem()->found;
    } else if (is.good() && is.peek() != EOF) {
      found = std::string(1, static_cast<char>(is.peek()));
    }
    syntaxErrorAt(ERROR_PREFIX, found, expected);
  }

  std::istream& is;
  const Scope& scope;
  SourceSpans* spans;
  LoopCount& count;
};

LoopCount::LoopCount(std::istream& is, const Scope& scope, SourceSpans* spans) {
  Reader(is, scope, spans, *this).read();
}

namespace {

void printSum(std::ostream& os, const LoopCount& count, const LoopCount::Sum& sum) {
  for (std::size_t t = 0; t < sum.size(); ++t) {
    if (t > 0) os << (sum[t].minus ? " - " : " + ");
    for (std::size_t f = 0; f < sum[t].factors.size(); ++f) {
      const LoopCount::Factor& factor = sum[t].factors[f];
      if (f > 0) os << " * ";
      switch (factor.kind) {
        case LoopCount::Factor::Kind::number:
          os << factor.value;
          break;
        case LoopCount::Factor::Kind::n:
          os << 'n';
          break;
        case LoopCount::Factor::Kind::log:
          os << "log n";
          break;
        case LoopCount::Factor::Kind::index:
          os << static_cast<char>(factor.value);
          break;
        case LoopCount::Factor::Kind::group:
          os << '(';
          printSum(os, count, count.group(factor.value));
          os << ')';
          break;
      }
    }
  }
}

}  // namespace

void LoopCount::print(std::ostream& os) const {
  if (letter != '\0') {
    os << letter << " = ";
    printSum(os, *this, from());
    os << " TO ";
  }
  printSum(os, *this, to());
}

bool LoopCount::operator==(const LoopCount& other) const {
  const auto sameSums = [](const Sum& a, const Sum& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t t = 0; t < a.size(); ++t) {
      if (a[t].minus != b[t].minus || a[t].factors.size() != b[t].factors.size()) return false;
      for (std::size_t f = 0; f < a[t].factors.size(); ++f) {
        if (a[t].factors[f].kind != b[t].factors[f].kind ||
            a[t].factors[f].value != b[t].factors[f].value) {
          return false;
        }
      }
    }
    return true;
  };
  if (letter != other.letter || sums.size() != other.sums.size()) return false;
  for (std::size_t s = 0; s < sums.size(); ++s) {
    if (!sameSums(sums[s], other.sums[s])) return false;
  }
  return true;
}

bool LoopCount::classic() const {
  const Sum& count = to();
  if (letter != '\0' || count.size() != 1 || count[0].factors.size() != 1) return false;
  const Factor::Kind kind = count[0].factors[0].kind;
  return kind == Factor::Kind::number || kind == Factor::Kind::n;
}

bool LoopCount::hasLog() const {
  for (const Sum& sum : sums) {
    for (const Term& term : sum) {
      for (const Factor& factor : term.factors) {
        if (factor.kind == Factor::Kind::log) return true;
      }
    }
  }
  return false;
}
