#pragma once

#include <optional>
#include <string>

#include "analysis/exactpolynomial.h"

// The price of one operation as the user typed it: a non-negative decimal number, kept exactly,
// beside the nearest float, which the single-precision costs use.
class Price {
 public:
  // Why a text is not a price.
  enum class Fault {
    notNumber,
    exponent,      // a number in the exponent form, "1e40"
    beyondSingle,  // a number whose float would be infinite
  };

  // price ::= digits [ "." [ digits ] ] | "." digits
  // Nothing when `text` is not that or its float would be infinite; `fault` then says why.
  static std::optional<Price> parse(const std::string& text, Fault& fault);
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
