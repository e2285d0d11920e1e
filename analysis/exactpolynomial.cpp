#include "analysis/exactpolynomial.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

// Euclid's algorithm: its first remainder shortens a long number at once, where Boost's binary
// gcd would take a step for every bit of it.
Integer gcdOf(Integer a, Integer b) {
  while (b != 0) {
    a %= b;
    std::swap(a, b);
  }
  return abs(a);
}

// n * factor, sparing the multiplication by one.
Integer widened(Integer n, const Integer& factor) {
  if (factor != 1) n *= factor;
  return n;
}

// n / d for d > 0, without Boost reducing the long n: the remainder n mod d is reduced with d,
// and adding the whole part back to a fraction in lowest terms keeps it in lowest terms.
Rational fraction(const Integer& n, const Integer& d) {
#if BOOST_VERSION <= 107400
  Integer whole, remainder;
  divide_qr(n, d, whole, remainder);
  Rational result(remainder, d);
  result.backend().data() += whole;
  return result;
#else
  return Rational(n, d);
#endif
}

// Whether low <= n / d <= high, for d > 0.
bool between(const Integer& n, const Integer& d, const Rational& low, const Rational& high) {
  return n * denominator(low) >= numerator(low) * d && n * denominator(high) <= numerator(high) * d;
}

// Polynomial::print widens each float to double and tests it against these double bounds,
// inclusively; the exact values of those doubles keep the same tests here.
bool isZero(const Integer& n, const Integer& d) {
  static const Rational low = exactRational(-0.000001), high = exactRational(0.000001);
  return between(n, d, low, high);
}

bool isOne(const Integer& n, const Integer& d) {
  static const Rational low = exactRational(0.999999), high = exactRational(1.000001);
  return between(n, d, low, high);
}

Integer powerOf(const Integer& base, long exponent) {
  return boost::multiprecision::pow(base, static_cast<unsigned>(exponent));
}

Integer powerOfTen(long exponent) { return powerOf(10, exponent); }

// Whether p / q >= 10^exponent, for positive p and q.
bool reaches(const Integer& p, const Integer& q, long exponent) {
  return exponent >= 0 ? p >= q * powerOfTen(exponent) : p * powerOfTen(-exponent) >= q;
}

// The exponent e with 10^e <= p / q < 10^(e + 1), for positive p and q.
long decimalExponent(const Integer& p, const Integer& q) {
  const long binary = static_cast<long>(msb(p)) - static_cast<long>(msb(q));
  long exponent = static_cast<long>(std::floor(binary * 0.30102999566398120));
  while (!reaches(p, q, exponent)) --exponent;
  while (reaches(p, q, exponent + 1)) ++exponent;
  return exponent;
}

// p / q * 10^(1 - exponent), which lies in [10, 100), rounded to a whole number, ties to even.
int twoDigits(const Integer& p, const Integer& q, long exponent) {
  const Integer numerator = exponent <= 1 ? Integer(p * powerOfTen(1 - exponent)) : p;
  const Integer denominator = exponent <= 1 ? q : Integer(q * powerOfTen(exponent - 1));
  Integer digits, remainder;
  divide_qr(numerator, denominator, digits, remainder);
  const Integer twice = 2 * remainder;
  if (twice > denominator || (twice == denominator && bit_test(digits, 0))) ++digits;
  return digits.convert_to<int>();
}

// Two significant digits as "d.d", or "d" when the second is zero.
std::string mantissa(int digits) {
  const std::string first = std::to_string(digits / 10);
  return digits % 10 == 0 ? first : first + "." + std::to_string(digits % 10);
}

// As %e writes them: an exponent with its sign and at least two digits.
std::string exponentForm(int digits, long exponent) {
  const std::string power = std::to_string(std::labs(exponent));
  return mantissa(digits) + (exponent < 0 ? "e-" : "e+") + (power.size() < 2 ? "0" : "") + power;
}

// As %f writes them at decimal exponents -4 to 1, trailing zeros dropped.
std::string fixedForm(int digits, long exponent) {
  if (exponent == 1) return std::to_string(digits);
  if (exponent == 0) return mantissa(digits);
  const int significant = digits % 10 == 0 ? digits / 10 : digits;
  return "0." + std::string(-exponent - 1, '0') + std::to_string(significant);
}

// What `out << std::setprecision(2) << double(n / d)` writes, for d > 0, computed from the exact
// value: two significant digits rounded half to even, exponent form below 1e-4 and from 100 up.
std::string formatFraction(const Integer& n, const Integer& d) {
  if (n == 0) return "0";
  const Integer p = abs(n);
  long exponent = decimalExponent(p, d);
  int digits = twoDigits(p, d, exponent);
  if (digits == 100) {
    digits = 10;
    ++exponent;
  }
  const std::string sign = n < 0 ? "-" : "";
  if (exponent < -4 || exponent >= 2) return sign + exponentForm(digits, exponent);
  return sign + fixedForm(digits, exponent);
}

// Writes fractions over one denominator as decimals in full: numerator * widening / 10^digits,
// where 10^digits is the least power of ten that the denominator divides.
class DecimalWriter {
 public:
  explicit DecimalWriter(const Integer& denominator) : denominator(denominator) {
    if (denominator == 1) return;
    Integer rest = denominator;
    unsigned twos = 0, fives = 0;
    for (; rest % 2 == 0; rest /= 2) ++twos;
    for (; rest % 5 == 0; rest /= 5) ++fives;
    terminates = rest == 1;
    digits = std::max(twos, fives);
    widening = terminates ? powerOfTen(digits) / denominator : Integer(0);
  }

  std::string operator()(const Integer& numerator) const {
    if (digits == 0) return decimal(numerator);
    if (!terminates) return decimalText(Rational(numerator, denominator));
    std::string text = decimal(Integer(abs(numerator * widening)));
    if (digits > 0) {
      if (text.size() <= digits) text.insert(0, digits + 1 - text.size(), '0');
      text.insert(text.size() - digits, ".");
      text.erase(text.find_last_not_of('0') + 1);
      if (text.back() == '.') text.pop_back();
    }
    return numerator < 0 ? "-" + text : text;
  }

 private:
  Integer denominator;
  bool terminates = true;
  unsigned digits = 0;
  Integer widening;
};

}  // namespace

ExactPolynomial::ExactPolynomial() : common(1) {}

ExactPolynomial ExactPolynomial::fromTerms(std::vector<Term> terms, Integer denominator) {
  ExactPolynomial result;
  terms.erase(std::remove_if(terms.begin(), terms.end(),
                             [](const Term& term) { return term.numerator == 0; }),
              terms.end());
  result.nonZeroTerms = std::move(terms);
  result.common = std::move(denominator);
  result.reduce();
  return result;
}

void ExactPolynomial::add(const ExactPolynomial& other) {
  if (&other == this) return add(ExactPolynomial(other));  // my numerators are moved below
  const Integer shared = gcdOf(common, other.common);
  const Integer mine = other.common / shared;  // widens my numerators to the new denominator
  const Integer theirs = common / shared;      // widens the other's
  std::vector<Term> sum;
  sum.reserve(nonZeroTerms.size() + other.nonZeroTerms.size());
  auto left = nonZeroTerms.begin();
  auto right = other.nonZeroTerms.begin();
  while (left != nonZeroTerms.end() || right != other.nonZeroTerms.end()) {
    const bool takeLeft =
        right == other.nonZeroTerms.end() || (left != nonZeroTerms.end() && !right->before(*left));
    const bool takeRight =
        left == nonZeroTerms.end() || (right != other.nonZeroTerms.end() && !left->before(*right));
    Term term = takeLeft ? Term{left->power, 0, left->log} : Term{right->power, 0, right->log};
    if (takeLeft) term.numerator = widened(std::move(left++->numerator), mine);
    if (takeRight) term.numerator += widened(right++->numerator, theirs);
    if (term.numerator != 0) sum.push_back(std::move(term));
  }
  nonZeroTerms = std::move(sum);
  common *= mine;
  reduce();
}

int ExactPolynomial::degree() const {
  return nonZeroTerms.empty() ? -1 : nonZeroTerms.back().power;
}

int ExactPolynomial::logDegree() const {
  return nonZeroTerms.empty() ? 0 : nonZeroTerms.back().log;
}

bool ExactPolynomial::hasLog() const {
  return std::any_of(nonZeroTerms.begin(), nonZeroTerms.end(),
                     [](const Term& term) { return term.log > 0; });
}

Rational ExactPolynomial::coefficient(int power, int log) const {
  const Term wanted{power, 0, log};
  const auto term = std::lower_bound(
      nonZeroTerms.begin(), nonZeroTerms.end(), wanted,
      [](const Term& candidate, const Term& key) { return candidate.before(key); });
  if (term == nonZeroTerms.end() || term->power != power || term->log != log) return 0;
  return fraction(term->numerator, common);
}

Rational ExactPolynomial::leadingCoefficient() const {
  return nonZeroTerms.empty() ? Rational(0) : fraction(nonZeroTerms.back().numerator, common);
}

// Horner's rule on the numerators, skipping the powers without a term; the terms of one power
// are summed first, each with its power of L.
Rational ExactPolynomial::valueAt(const Integer& n) const {
  const Integer log = hasLog() ? floorLog(n) : Integer(0);
  Integer sum = 0;
  int power = degree();
  for (auto term = nonZeroTerms.rbegin(); term != nonZeroTerms.rend(); ++term) {
    if (term->power != power) sum *= powerOf(n, power - term->power);
    sum += term->log == 0 ? term->numerator : Integer(term->numerator * powerOf(log, term->log));
    power = term->power;
  }
  if (power > 0) sum *= powerOf(n, power);
  return fraction(sum, common);
}

std::vector<std::string> ExactPolynomial::coefficientTexts() const {
  std::vector<std::string> texts(std::max(degree(), 0) + 1, "0");
  for (const Term& term : nonZeroTerms) {
    const Integer divisor = gcdOf(term.numerator, common);
    const Integer top = term.numerator / divisor;
    texts[term.power] =
        divisor == common ? decimal(top) : decimal(top) + "/" + decimal(Integer(common / divisor));
  }
  return texts;
}

std::string ExactPolynomial::text() const {
  const DecimalWriter decimal(common);
  std::string out;
  for (auto term = nonZeroTerms.rbegin(); term != nonZeroTerms.rend(); ++term) {
    if (!out.empty()) out += " + ";
    if (term->power == 0 && term->log == 0) {
      out += decimal(term->numerator);
    } else {
      if (term->numerator != common) out += decimal(term->numerator) + " * ";
      out += monomialText(term->power, term->log);
    }
  }
  return out.empty() ? "0" : out;
}

std::string ExactPolynomial::printedText() const {
  std::string out;
  for (auto term = nonZeroTerms.rbegin(); term != nonZeroTerms.rend() && term->power > 0; ++term) {
    if (isZero(term->numerator, common)) continue;
    if (!out.empty()) out += " + ";
    if (!isOne(term->numerator, common)) out += formatFraction(term->numerator, common) + " * ";
    out += "n^" + std::to_string(term->power);
  }
  const Integer constant = nonZeroTerms.empty() || nonZeroTerms.front().power > 0
                               ? Integer(0)
                               : nonZeroTerms.front().numerator;
  if (out.empty()) return formatFraction(constant, common);
  if (!isZero(constant, common)) out += " + " + formatFraction(constant, common);
  return out;
}

bool ExactPolynomial::operator==(const ExactPolynomial& other) const {
  if (common != other.common || nonZeroTerms.size() != other.nonZeroTerms.size()) return false;
  for (std::size_t i = 0; i < nonZeroTerms.size(); ++i) {
    const Term& mine = nonZeroTerms[i];
    const Term& theirs = other.nonZeroTerms[i];
    if (mine.power != theirs.power || mine.log != theirs.log ||
        mine.numerator != theirs.numerator) {
      return false;
    }
  }
  return true;
}

void ExactPolynomial::reduce() {
  Integer divisor = common;
  for (auto term = nonZeroTerms.begin(); term != nonZeroTerms.end() && divisor != 1; ++term) {
    divisor = gcdOf(divisor, term->numerator % divisor);
  }
  if (divisor == 1) return;
  for (Term& term : nonZeroTerms) term.numerator /= divisor;
  common /= divisor;
}

std::string monomialText(int power, int log) {
  std::string text = power > 0 ? "n^" + std::to_string(power) : "";
  if (log == 0) return text;
  if (power > 0) text += " * ";
  return text + (log == 1 ? "log n" : "log^" + std::to_string(log) + " n");
}

Integer floorLog(const Integer& n) { return n > 0 ? Integer(msb(n)) : Integer(0); }

Rational exactRational(double value) {
  int exponent = 0;
  const double significand = std::frexp(value, &exponent);  // value = significand * 2^exponent
  const Integer whole = static_cast<long long>(std::ldexp(significand, 53));
  exponent -= 53;
  if (exponent >= 0) return Rational(whole << exponent);
  return Rational(whole, Integer(1) << -exponent);
}

std::string decimalText(const Rational& value) {
  const std::string top = decimal(numerator(value));
  return denominator(value) == 1 ? top : top + "/" + decimal(denominator(value));
}

std::string decimal(const Integer& n) {
  if (n >= 0 && n <= std::numeric_limits<std::uint64_t>::max()) {
    return std::to_string(n.convert_to<std::uint64_t>());
  }
  return n.str();
}

std::string decimalValue(const Rational& value) {
  return DecimalWriter(denominator(value))(numerator(value));
}
