#include "cost/polynomial.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

Polynomial make(const std::vector<float>& lowestFirst) {
  return Polynomial(static_cast<int>(lowestFirst.size()) - 1, lowestFirst.data());
}

std::string printed(const Polynomial& p) {
  std::ostringstream out;
  p.print(out);
  return out.str();
}

struct PrintCase {
  std::vector<float> coefficients;
  const char* expected;
};

TEST(Polynomial, PrintsTheDocumentedExamples) {
  const PrintCase cases[] = {
      {{5}, "5\n"},
      {{0}, "0\n"},
      {{2.5f}, "2.5\n"},
      {{3, 2}, "2 * n^1 + 3\n"},
      {{0, 4}, "4 * n^1\n"},
      {{1, 0, 1}, "n^2 + 1\n"},
      {{2.5f, 1, 0.5f}, "0.5 * n^2 + n^1 + 2.5\n"},
      {{6, 0, 0}, "6\n"},
      {{-1, -3}, "-3 * n^1 + -1\n"},
      {{0, 1.0f / 3}, "0.33 * n^1\n"},
      {{12.345f}, "12\n"},
      {{120}, "1.2e+02\n"},
      {{0, 0, 1}, "n^2\n"},
  };
  for (const PrintCase& c : cases) EXPECT_EQ(printed(make(c.coefficients)), c.expected);
}

TEST(Polynomial, ZeroAndOneTestsUseInclusiveDoubleBounds) {
  const PrintCase cases[] = {
      {{0, 0.000001f}, "0\n"},           // the float lies just below 1e-6: zero
      {{0, 0.00001f}, "1e-05 * n^1\n"},  // clearly not zero
      {{0, -0.000001f}, "0\n"},         {{0, 1.000001f}, "n^1\n"},  // nearest float counts as one
      {{0, 0.999999f}, "1 * n^1\n"},  // nearest float lies below 0.999999
      {{1, 2}, "2 * n^1 + 1\n"},      // a constant one is still a number
  };
  for (const PrintCase& c : cases) EXPECT_EQ(printed(make(c.coefficients)), c.expected);
}

TEST(Polynomial, AddTakesTheLargerDegree) {
  Polynomial low(1.0f);
  low.add(make({1, 2, 3}));
  EXPECT_TRUE(low.approxEquals(make({2, 2, 3}), 0));

  Polynomial high = make({1, 2, 3});
  high.add(Polynomial(4.0f));
  EXPECT_TRUE(high.approxEquals(make({5, 2, 3}), 0));
}

TEST(Polynomial, AddKeepsDegreeWhenLeadingTermsCancel) {
  Polynomial p = make({1, 2, 3});
  p.add(make({0, 0, -3}));
  EXPECT_EQ(p.getDegree(), 2);
  EXPECT_EQ(printed(p), "2 * n^1 + 1\n");
}

TEST(Polynomial, MultiplyByNShiftsEveryCoefficientUp) {
  Polynomial two(2.0f);
  two.multiplyByN();
  EXPECT_TRUE(two.approxEquals(make({0, 2}), 0));
  EXPECT_EQ(printed(two), "2 * n^1\n");

  Polynomial one(1.0f);
  one.multiplyByN();
  one.multiplyByN();
  EXPECT_EQ(printed(one), "n^2\n");
}

TEST(Polynomial, GrowsPastTwentyCoefficients) {
  Polynomial p(1.0f);
  for (int i = 0; i < 30; ++i) p.multiplyByN();
  EXPECT_EQ(printed(p), "n^30\n");

  Polynomial copy = p;
  copy.add(Polynomial(2.0f));
  copy.scale(3);
  EXPECT_EQ(printed(copy), "3 * n^30 + 6\n");
  EXPECT_EQ(printed(p), "n^30\n");

  std::vector<float> values(26, 0.0f);
  values[25] = 7;
  values[3] = 1;
  EXPECT_EQ(printed(make(values)), "7 * n^25 + n^3\n");
}

TEST(Polynomial, ScaleMultipliesEveryCoefficientAndKeepsDegree) {
  Polynomial p = make({1, 2});
  p.scale(3);
  EXPECT_TRUE(p.approxEquals(make({3, 6}), 0));

  Polynomial zero = make({1, 2});
  zero.scale(0);
  EXPECT_TRUE(zero.approxEquals(make({0, 0}), 0));
  EXPECT_EQ(printed(zero), "0\n");
}

TEST(Polynomial, ApproxEqualsWithinTolerance) {
  const Polynomial a = make({1, 2});
  const Polynomial b = make({1.05f, 2});
  EXPECT_EQ(a.approxEquals(b, 0.1f), 1);
  EXPECT_EQ(a.approxEquals(b, -0.1f), 1);
  EXPECT_EQ(a.approxEquals(b, 0.01f), 0);
  EXPECT_EQ(make({1}).approxEquals(make({1, 0}), 1), 0);
  EXPECT_EQ(make({1}).approxEquals(make({1.5f}), 0.5f), 1);  // the bound counts as equal
}

}  // namespace
