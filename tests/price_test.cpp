// Prices as typed: kept exactly, labelled without needless zeros, beside the float the
// single-precision costs use; and what is refused, with the reason the user is told.
#include "analysis/price.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "analysis/costmodel.h"
#include "report/wording.h"

namespace {

TEST(Price, KeepsTheDecimalAsTyped) {
  const struct {
    const char* typed;
    const char* label;
    Rational exact;
    bool whole;
    bool singleIsExact;
  } rows[] = {
      {"2", "2", Rational(2), true, true},
      {"007.500", "7.5", Rational(15, 2), false, true},
      {".5", "0.5", Rational(1, 2), false, true},
      {"5.", "5", Rational(5), true, true},
      {"0.000", "0", Rational(0), true, true},
      {"0.1", "0.1", Rational(1, 10), false, false},
      {"0.0000001", "0.0000001", Rational(1, 10000000), false, false},
      {"16777216", "16777216", Rational(16777216), true, true},
      {"16777217", "16777217", Rational(16777217), true, false},
      {"99999999999999999999", "99999999999999999999", Rational(Integer("99999999999999999999")),
       true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    Price::Fault fault;
    const auto price = Price::parse(row.typed, fault);
    ASSERT_TRUE(price.has_value());
    EXPECT_EQ(price->text(), row.label);
    EXPECT_EQ(price->exact(), row.exact);
    EXPECT_EQ(price->isWhole(), row.whole);
    EXPECT_EQ(price->singleIsExact(), row.singleIsExact);
    EXPECT_EQ(price->single(), std::stof(row.typed));
  }
}

TEST(Price, RefusesWhatIsNotADecimalInRangeAndSaysWhy) {
  const std::string beyond = "a price must stay below 3.4e38, where single precision ends";
  const std::string digits = "write a number in digits, such as 2 or 0.5";
  const struct {
    std::string typed;
    Price::Fault fault;
    std::string why;  // in the page's box
  } rows[] = {
      {"", Price::Fault::notNumber, digits},
      {".", Price::Fault::notNumber, digits},
      {"-1", Price::Fault::notNumber, digits},
      {"+1", Price::Fault::notNumber, digits},
      {"1,5", Price::Fault::notNumber, digits},
      {"1.2.3", Price::Fault::notNumber, digits},
      {" 1", Price::Fault::notNumber, digits},
      {"e5", Price::Fault::notNumber, digits},
      {"1e40", Price::Fault::exponent, "exponents are not accepted: write 1e40 in digits"},
      {"2.5E-3", Price::Fault::exponent, "exponents are not accepted: write 2.5E-3 in digits"},
      {"4" + std::string(38, '0'), Price::Fault::beyondSingle, beyond},
      {std::string(400, '9'), Price::Fault::beyondSingle, beyond},
      {"\xEF\xBC\x92", Price::Fault::notNumber, "full-width '\xEF\xBC\x92' (U+FF12): type '2'"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    Price::Fault fault = Price::Fault::notNumber;
    EXPECT_FALSE(Price::parse(row.typed, fault).has_value());
    EXPECT_EQ(fault, row.fault);
    EXPECT_EQ(priceProblem(0, true, row.typed, fault, Words()),
              "model 1, the price of +: '" + row.typed + "' is not a price: " + row.why);
  }
  // The largest float itself is still a price.
  Price::Fault fault;
  const std::string largest = std::to_string(std::numeric_limits<float>::max()).substr(0, 39);
  EXPECT_TRUE(Price::parse(largest, fault).has_value()) << largest;
}

// A model as --cpu and the editors' settings give it: the fault names the price that is none,
// and a full-width comma typed by an input method gets the hint a program gets.
TEST(Price, SaysWhatIsWrongWithAModel) {
  const struct {
    const char* typed;
    const char* problem;
  } rows[] = {
      {"2", "'2' is not ADD,MUL (two non-negative numbers)"},
      {"2;4", "'2;4' is not ADD,MUL (two non-negative numbers)"},
      {"1e40,1", "'1e40,1' is not ADD,MUL (exponents are not accepted: write 1e40 in digits)"},
      {"1,1e40", "'1,1e40' is not ADD,MUL (exponents are not accepted: write 1e40 in digits)"},
      {"2\xEF\xBC\x8C"
       "4",
       "'2\xEF\xBC\x8C"
       "4' is not ADD,MUL (full-width '\xEF\xBC\x8C' (U+FF0C): type ',')"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    PricesFault fault;
    EXPECT_FALSE(parsePrices(row.typed, fault).has_value());
    EXPECT_EQ(pricesProblem(fault, Words()), row.problem);
  }
}

}  // namespace
