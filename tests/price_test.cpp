// Prices as typed: kept exactly, labelled without needless zeros, beside the float the
// single-precision costs use; and what is refused, with the reason the user is told.
#include "analysis/price.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

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
    std::string problem;
    const auto price = Price::parse(row.typed, problem);
    ASSERT_TRUE(price.has_value());
    EXPECT_EQ(price->text(), row.label);
    EXPECT_EQ(price->exact(), row.exact);
    EXPECT_EQ(price->isWhole(), row.whole);
    EXPECT_EQ(price->singleIsExact(), row.singleIsExact);
    EXPECT_EQ(price->single(), std::stof(row.typed));
    EXPECT_EQ(problem, "");
  }
}

TEST(Price, RefusesWhatIsNotADecimalInRange) {
  const std::string beyond = "a price must stay below 3.4e38, where single precision ends";
  const struct {
    std::string typed;
    std::string problem;  // empty: just not a number
  } rows[] = {
      {"", ""},
      {".", ""},
      {"-1", ""},
      {"+1", ""},
      {"1,5", ""},
      {"1.2.3", ""},
      {" 1", ""},
      {"e5", ""},
      {"1e40", "exponents are not accepted: write 1e40 in digits"},
      {"2.5E-3", "exponents are not accepted: write 2.5E-3 in digits"},
      {"4" + std::string(38, '0'), beyond},
      {std::string(400, '9'), beyond},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    std::string problem;
    EXPECT_FALSE(Price::parse(row.typed, problem).has_value());
    EXPECT_EQ(problem, row.problem);
  }
  // The largest float itself is still a price.
  std::string problem;
  const std::string largest = std::to_string(std::numeric_limits<float>::max()).substr(0, 39);
  EXPECT_TRUE(Price::parse(largest, problem).has_value()) << largest;
}

}  // namespace
