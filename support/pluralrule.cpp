#include "support/pluralrule.h"

#include <cctype>
#include <cstdlib>
#include <optional>

namespace {

constexpr int MAX_DEPTH = 64;

// Evaluates a plural expression for one n, reading it once from the left:
//   condition ::= or [ "?" condition ":" condition ]
//   or ::= and { "||" and }            and ::= equality { "&&" equality }
//   equality ::= relation { ("==" | "!=") relation }
//   relation ::= sum { ("<" | ">" | "<=" | ">=") sum }
//   sum ::= product { ("+" | "-") product }    product ::= unary { ("*" | "/" | "%") unary }
//   unary ::= "!" unary | "n" | number | "(" condition ")"
// Malformed text or a division by zero makes the whole of it unusable.
class Evaluation {
 public:
  Evaluation(const std::string& text, unsigned long n) : text(text), n(n) {}

  std::optional<unsigned long> result() {
    const unsigned long value = condition(0);
    skipBlanks();
    if (failed || at != text.size()) return std::nullopt;
    return value;
  }

 private:
  void skipBlanks() {
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  }
  bool take(const char* token) {
    skipBlanks();
    const std::string wanted(token);
    if (text.compare(at, wanted.size(), wanted) != 0) return false;
    at += wanted.size();
    return true;
  }
  unsigned long fail() {
    failed = true;
    return 0;
  }

  unsigned long condition(int depth) {
    if (depth > MAX_DEPTH) return fail();
    const unsigned long test = either(depth);
    if (!take("?")) return test;
    const unsigned long yes = condition(depth + 1);
    if (!take(":")) return fail();
    const unsigned long no = condition(depth + 1);
    return test != 0 ? yes : no;
  }
  unsigned long either(int depth) {
    unsigned long value = both(depth);
    while (take("||")) value = (both(depth) != 0) || value != 0;
    return value;
  }
  unsigned long both(int depth) {
    unsigned long value = equality(depth);
    while (take("&&")) value = (equality(depth) != 0) && value != 0;
    return value;
  }
  unsigned long equality(int depth) {
    unsigned long value = relation(depth);
    for (;;) {
      if (take("==")) {
        value = value == relation(depth);
      } else if (take("!=")) {
        value = value != relation(depth);
      } else {
        return value;
      }
    }
  }
  unsigned long relation(int depth) {
    unsigned long value = sum(depth);
    for (;;) {
      if (take("<=")) {
        value = value <= sum(depth);
      } else if (take(">=")) {
        value = value >= sum(depth);
      } else if (take("<")) {
        value = value < sum(depth);
      } else if (take(">")) {
        value = value > sum(depth);
      } else {
        return value;
      }
    }
  }
  unsigned long sum(int depth) {
    unsigned long value = product(depth);
    for (;;) {
      if (take("+")) {
        value += product(depth);
      } else if (take("-")) {
        value -= product(depth);
      } else {
        return value;
      }
    }
  }
  unsigned long product(int depth) {
    unsigned long value = unary(depth);
    for (;;) {
      const bool times = take("*"), divided = !times && take("/"),
                 rest = !times && !divided && take("%");
      if (!times && !divided && !rest) return value;
      const unsigned long right = unary(depth);
      if (times) {
        value *= right;
      } else if (right == 0) {
        return fail();
      } else {
        value = divided ? value / right : value % right;
      }
    }
  }
  unsigned long unary(int depth) {
    if (depth > MAX_DEPTH) return fail();
    if (take("!")) return unary(depth + 1) == 0;
    if (take("n")) return n;
    if (take("(")) {
      const unsigned long value = condition(depth + 1);
      return take(")") ? value : fail();
    }
    skipBlanks();
    if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return fail();
    unsigned long value = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
      value = value * 10 + static_cast<unsigned long>(text[at++] - '0');
    }
    return value;
  }

  const std::string& text;
  unsigned long n;
  std::size_t at = 0;
  bool failed = false;
};

// The text after `key` up to the next ';' in the header's Plural-Forms line.
std::optional<std::string> field(const std::string& header, const std::string& key) {
  const std::size_t line = header.find("Plural-Forms:");
  if (line == std::string::npos) return std::nullopt;
  const std::size_t end = header.find('\n', line);
  const std::size_t start = header.find(key, line);
  if (start == std::string::npos || start > end) return std::nullopt;
  const std::size_t from = start + key.size();
  return header.substr(from, std::min(header.find(';', from), end) - from);
}

}  // namespace

PluralRule::PluralRule(const std::string& header) {
  const auto forms = field(header, "nplurals=");
  const auto plural = field(header, "plural=");
  if (!forms || !plural) return;
  char* end = nullptr;
  const unsigned long given = std::strtoul(forms->c_str(), &end, 10);
  if (given == 0 || *end != '\0' || !Evaluation(*plural, 0).result()) return;
  count = given;
  expression = *plural;
}

unsigned long PluralRule::formOf(unsigned long n) const {
  if (expression.empty()) return n == 1 ? 0 : 1;
  const auto form = Evaluation(expression, n).result();
  return form && *form < count ? *form : 0;
}
