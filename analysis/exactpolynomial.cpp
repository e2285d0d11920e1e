#include "analysis/exactpolynomial.h"

#include <cmath>

namespace {

Rational tenTo(int exponent) {
  const Integer power = boost::multiprecision::pow(Integer(10), std::abs(exponent));
  return exponent >= 0 ? Rational(power) : Rational(Integer(1), power);
}

// |value| x 10^shift, rounded to a whole number, ties to even as printf rounds exact values.
Integer roundedShifted(const Rational& value, int shift) {
  const Rational scaled = abs(value) * tenTo(shift);
  const Integer whole = numerator(scaled) / denominator(scaled);
  const Rational rest = scaled - whole;
  if (rest > Rational(1, 2) || (rest == Rational(1, 2) && whole % 2 == 1)) return whole + 1;
  return whole;
}

// The decimal exponent of a positive value: 10^e <= value < 10^(e+1).
int decimalExponent(const Rational& value) {
  int exponent = static_cast<int>(numerator(value).str().size()) -
                 static_cast<int>(denominator(value).str().size());
  while (value < tenTo(exponent)) --exponent;
  while (value >= tenTo(exponent + 1)) ++exponent;
  return exponent;
}

std::string exponentText(int exponent) {
  const std::string digits = std::to_string(std::abs(exponent));
  return std::string(exponent < 0 ? "e-" : "e+") + (digits.size() < 2 ? "0" : "") + digits;
}

bool isZero(const Rational& c) { return c >= exactly(-0.000001) && c <= exactly(0.000001); }

bool isOne(const Rational& c) { return c >= exactly(0.999999) && c <= exactly(1.000001); }

}  // namespace

ExactPolynomial ExactPolynomial::monomial(const Rational& coefficient, int power) {
  ExactPolynomial result;
  if (coefficient != 0) result.nonZero[power] = coefficient;
  return result;
}

void ExactPolynomial::add(const ExactPolynomial& other) {
  for (const auto& [power, coefficient] : other.nonZero) {
    Rational& sum = nonZero[power];
    sum += coefficient;
    if (sum == 0) nonZero.erase(power);
  }
}

void ExactPolynomial::subtract(const ExactPolynomial& other) {
  for (const auto& [power, coefficient] : other.nonZero) {
    Rational& difference = nonZero[power];
    difference -= coefficient;
    if (difference == 0) nonZero.erase(power);
  }
}

int ExactPolynomial::degree() const { return nonZero.empty() ? -1 : nonZero.rbegin()->first; }

Rational ExactPolynomial::coefficient(int power) const {
  const auto found = nonZero.find(power);
  return found == nonZero.end() ? Rational(0) : found->second;
}

// Horner's rule over the sparse terms, highest power first.
Rational ExactPolynomial::valueAt(const Integer& n) const {
  const auto nTo = [&n](int power) {
    return Rational(Integer(boost::multiprecision::pow(n, static_cast<unsigned>(power))));
  };
  if (nonZero.empty()) return 0;
  Rational value = 0;
  int power = degree();
  for (auto term = nonZero.rbegin(); term != nonZero.rend(); ++term) {
    value = value * nTo(power - term->first) + term->second;
    power = term->first;
  }
  return value * nTo(power);
}

std::string ExactPolynomial::text() const {
  std::string line;
  for (auto term = nonZero.rbegin(); term != nonZero.rend() && term->first >= 1; ++term) {
    if (isZero(term->second)) continue;
    if (!line.empty()) line += " + ";
    if (!isOne(term->second)) line += formatCoefficient(term->second) + " * ";
    line += "n^" + std::to_string(term->first);
  }
  const Rational constant = coefficient(0);
  if (line.empty()) return formatCoefficient(constant);
  if (!isZero(constant)) line += " + " + formatCoefficient(constant);
  return line;
}

std::string formatCoefficient(const Rational& value) {
  if (value == 0) return "0";
  int exponent = decimalExponent(abs(value));
  Integer digits = roundedShifted(value, 1 - exponent);  // two significant digits: 10..100
  if (digits == 100) {
    digits = 10;
    ++exponent;
  }
  const std::string sign = value < 0 ? "-" : "";
  const std::string first(1, digits.str()[0]);
  const std::string second = digits % 10 == 0 ? "" : std::string(1, digits.str()[1]);
  if (exponent < -4 || exponent >= 2) {
    return sign + first + (second.empty() ? "" : "." + second) + exponentText(exponent);
  }
  if (exponent == 1) return sign + digits.str();
  if (exponent == 0) return sign + first + (second.empty() ? "" : "." + second);
  return sign + "0." + std::string(-exponent - 1, '0') + first + second;
}

std::string decimalText(const Rational& value) {
  if (denominator(value) == 1) return numerator(value).str();
  return numerator(value).str() + "/" + denominator(value).str();
}

std::string growthOf(const ExactPolynomial& cost) {
  const int degree = cost.degree();
  if (degree < 0) return "0";
  return degree == 0 ? "1" : "n^" + std::to_string(degree);
}

// A finite double is a 53-bit whole mantissa times a power of two.
Rational exactly(double value) {
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);
  const Integer mantissa = static_cast<long long>(std::ldexp(fraction, 53));
  exponent -= 53;
  if (exponent >= 0) return Rational(Integer(mantissa << exponent));
  return Rational(mantissa, Integer(1) << -exponent);
}
