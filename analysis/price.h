#pragma once

#include <optional>
#include <string>

#include "analysis/exactpolynomial.h"

// The price of one operation as the user typed it: a non-negative decimal number, kept exactly,
// beside the nearest float, which the single-precision costs use.
class Price {
 public:
  // price ::= digits [ "." [ digits ] ] | "." digits
  // Nothing when `text` is not that or its float would be infinite; `problem` then says why,
  // if it is more than "not a number" (an exponent, a price beyond single precision).
  static std::optional<Price> parse(const std::string& text, std::string& problem);
  explicit Price(unsigned whole);

  const std::string& text() const { return normalised; }  // no leading or trailing zeros: "0.5"
  float single() const { return nearest; }
  Rational exact() const;
  bool isWhole() const { return decimals == 0; }
  bool singleIsExact() const { return exactInSingle; }  // the float is the price itself

 private:
  Price(Integer digits, int decimals, float nearest);

  Integer digits;    // the price times 10^decimals
  int decimals = 0;  // digits after the point, the last of them not 0
  float nearest = 0;
  bool exactInSingle = false;
  std::string normalised;
};
