#include "analysis/price.h"

#include <cmath>
#include <cstdlib>

namespace {

bool allDigits(const std::string& text) {
  return text.find_first_not_of("0123456789") == std::string::npos;
}

// "1e40", "2.5E-3": a number in the exponent form, which prices do not take.
bool hasExponent(const std::string& text) {
  const std::size_t e = text.find_first_of("eE");
  if (e == std::string::npos || e == 0) return false;
  std::string power = text.substr(e + 1);
  if (!power.empty() && (power[0] == '+' || power[0] == '-')) power.erase(0, 1);
  const std::string mantissa = text.substr(0, e);
  Price::Fault ignored;
  return !power.empty() && allDigits(power) && Price::parse(mantissa, ignored).has_value();
}

}  // namespace

std::optional<Price> Price::parse(const std::string& text, Fault& fault) {
  const std::size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  if (!allDigits(whole) || !allDigits(fraction) || whole.size() + fraction.size() == 0) {
    fault = hasExponent(text) ? Fault::exponent : Fault::notNumber;
    return std::nullopt;
  }
  const float nearest = std::strtof(text.c_str(), nullptr);
  if (!std::isfinite(nearest)) {
    fault = Fault::beyondSingle;
    return std::nullopt;
  }
  fraction.erase(fraction.find_last_not_of('0') + 1);
  const std::string digits = whole + fraction;
  const std::size_t first = digits.find_first_not_of('0');
  return Price(Integer(first == std::string::npos ? "0" : digits.substr(first)),
               static_cast<int>(fraction.size()), nearest);
}

Price::Price(unsigned whole) : Price(Integer(whole), 0, static_cast<float>(whole)) {}

Price::Price(Integer digits, int decimals, float nearest)
    : digits(std::move(digits)), decimals(decimals), nearest(nearest) {
  exactInSingle = exactRational(nearest) == exact();
  std::string text = this->digits.str();
  if (decimals > 0) {
    if (text.size() <= static_cast<std::size_t>(decimals)) {
      text.insert(0, decimals + 1 - text.size(), '0');
    }
    text.insert(text.size() - decimals, ".");
  }
  normalised = std::move(text);
}

Rational Price::exact() const {
  if (decimals == 0) return Rational(digits);
  return Rational(digits, boost::multiprecision::pow(Integer(10), decimals));
}
