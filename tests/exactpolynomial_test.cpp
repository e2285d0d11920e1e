#include "analysis/exactpolynomial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cost/polynomial.h"
#include "tests/support.h"

namespace {

Rational powerOfTen(unsigned exponent) { return Rational(pow(Integer(10), exponent)); }

std::string streamed(double value) {
  std::ostringstream out;
  out << std::setprecision(2) << value;
  return out.str();
}

TEST(ExactPolynomial, FormatsCoefficientsWithTwoSignificantDigits) {
  const struct {
    Rational value;
    const char* expected;
  } cases[] = {
      {0, "0"},
      {2, "2"},
      {Rational(1, 3), "0.33"},
      {Rational(-2, 3), "-0.67"},
      {12, "12"},
      {10, "10"},
      {Rational(7, 2), "3.5"},
      {34000000, "3.4e+07"},
      {100, "1e+02"},
      {Rational(1, 8), "0.12"},  // ties go to the even digit
      {Rational(3, 8), "0.38"},
      {Rational(45, 2), "22"},
      {Rational(47, 2), "24"},
      {250, "2.5e+02"},
      {350, "3.5e+02"},
      {Rational(199, 2), "1e+02"},  // rounding up carries into the exponent
      {Rational(199, 20), "10"},    // exactly 9.95, which no double holds
      {Rational(1, 10000), "0.0001"},
      {Rational(99999, 1000000000), "0.0001"},
      {Rational(1, 100000), "1e-05"},
      {Rational(-1, 2), "-0.5"},
      {powerOfTen(20), "1e+20"},
      {powerOfTen(300), "1e+300"},
      {powerOfTen(400), "1e+400"},
      {-powerOfTen(400) * 47, "-4.7e+401"},
      {1 / powerOfTen(400), "1e-400"},
      {exactRational(std::ldexp(1.0, -1074)), "4.9e-324"},
  };
  for (const auto& c : cases) EXPECT_EQ(monomial(c.value, 0).printedText(), c.expected) << c.value;
}

TEST(ExactPolynomial, FormatsExactDoublesAsTheStreamDoes) {
  std::vector<double> values;
  for (int k = -4000; k <= 4000; ++k) values.push_back(k / 8.0);
  for (int k = 100; k < 1000; ++k) {
    for (int power = 0; power <= 20; power += 4) values.push_back(k * std::pow(10.0, power));
  }
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> exponent(-1126, 970);
  for (int i = 0; i < 20000; ++i) {
    const double mantissa = static_cast<double>(random() >> 11);
    const double value = std::ldexp(i % 2 ? mantissa : -mantissa, exponent(random));
    if (value != 0) values.push_back(value);  // a negative zero has no exact counterpart
  }
  for (double value : values) {
    ASSERT_EQ(monomial(exactRational(value), 0).printedText(), streamed(value))
        << std::hexfloat << value;
  }
}

TEST(ExactPolynomial, TextMatchesPolynomialPrint) {
  const float pool[] = {0,    0,      0,         1,          -1,       2,         3,
                        0.5f, 0.25f,  7,         12,         100,      250,       -3,
                        4096, 2.5e7f, 0.000001f, -0.000001f, 0.00001f, 1.000001f, 0.999999f};
  std::mt19937 random(11);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pool) - 1);
  for (int round = 0; round < 2000; ++round) {
    std::vector<float> coefficients(random() % 7 + 1);
    for (float& c : coefficients) c = pool[pick(random)];
    std::vector<Rational> exactCoefficients;
    for (float c : coefficients) exactCoefficients.push_back(exactRational(c));
    std::ostringstream printed;
    Polynomial(static_cast<int>(coefficients.size()) - 1, coefficients.data()).print(printed);
    ASSERT_EQ(exact(exactCoefficients).printedText() + "\n", printed.str());
  }
}

TEST(ExactPolynomial, TextTestsZeroAndOneAgainstTheExactDoubleBounds) {
  const Rational tiny = Rational(1) / (Integer(1) << 80);
  const struct {
    std::vector<Rational> coefficients;
    const char* expected;
  } cases[] = {
      {{}, "0"},
      {{1}, "1"},
      {{0, exactRational(0.000001)}, "0"},
      {{0, exactRational(0.000001) + tiny}, "1e-06 * n^1"},
      {{0, exactRational(-0.000001) - tiny}, "-1e-06 * n^1"},
      {{0, exactRational(1.000001)}, "n^1"},
      {{0, exactRational(1.000001) + tiny}, "1 * n^1"},
      {{0, exactRational(0.999999) - tiny}, "1 * n^1"},
      {{Rational(1, 10000000)}, "1e-07"},  // a lone constant is written even when nearly zero
      {{Rational(1, 10000000), 1}, "n^1"},
      {{Rational(-5, 2), 0, 1}, "n^2 + -2.5"},
  };
  for (const auto& c : cases) EXPECT_EQ(exact(c.coefficients).printedText(), c.expected);
}

TEST(ExactPolynomial, TextWritesEveryTermInFull) {
  const struct {
    std::vector<Rational> coefficients;
    const char* expected;
  } cases[] = {
      {{}, "0"},
      {{300, 4}, "4 * n^1 + 300"},
      {{Rational(1, 10000000), Rational(1, 10000000)}, "0.0000001 * n^1 + 0.0000001"},
      {{0, 1, Rational(-5, 2)}, "-2.5 * n^2 + n^1"},
      {{powerOfTen(30) + 1}, "1000000000000000000000000000001"},
      {{Rational(3, 40), Rational(1, 3)}, "1/3 * n^1 + 3/40"},  // no decimal holds 1/3
      {{exactRational(0.1f)}, "0.100000001490116119384765625"},
  };
  for (const auto& c : cases) EXPECT_EQ(exact(c.coefficients).text(), c.expected);
}

TEST(ExactPolynomial, AddMergesTermsAndDropsCancelledOnes) {
  ExactPolynomial p = exact({1, 0, 3});
  p.add(monomial(1, 1000));
  p.add(monomial(-3, 2));
  EXPECT_EQ(p.degree(), 1000);
  EXPECT_EQ(p.terms().size(), 2u);
  EXPECT_EQ(p.coefficient(2), 0);
  EXPECT_EQ(p.coefficient(1001), 0);
  EXPECT_EQ(p.text(), "n^1000 + 1");
  p.add(p);
  EXPECT_EQ(p.text(), "2 * n^1000 + 2");
  p.add(scaled(p, -1));
  EXPECT_TRUE(p == ExactPolynomial());
  EXPECT_EQ(p.degree(), -1);
}

TEST(ExactPolynomial, ValueAtIsExact) {
  const Integer big = pow(Integer(10), 30);
  const struct {
    ExactPolynomial p;
    Integer n;
    Rational expected;
  } cases[] = {
      {ExactPolynomial(), 5, 0},
      {exact({7}), 0, 7},
      {exact({0, 5}), 0, 0},
      {exact({Rational(1, 2), 0, Rational(1, 3)}), big, Rational(big * big, 3) + Rational(1, 2)},
      {exact({0, 0, Rational(-1, 4)}), 3, Rational(-9, 4)},
      {monomial(3, 1000), 2, Rational(Integer(3) << 1000)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.p.valueAt(c.n), c.expected) << c.p.text();
}

TEST(ExactPolynomial, DecimalTextIsInLowestTerms) {
  const struct {
    Rational value;
    const char* expected;
  } cases[] = {{0, "0"}, {7, "7"}, {-3, "-3"}, {Rational(6, 4), "3/2"}, {Rational(-1, 3), "-1/3"}};
  for (const auto& c : cases) EXPECT_EQ(decimalText(c.value), c.expected);
}

TEST(ExactPolynomial, ExactRationalKeepsEveryBitOfADouble) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {{0, "0"},
               {-0.75, "-3/4"},
               {0.1f, "13421773/134217728"},
               {0x1p-1074,
                "1/"
                "2024022533073106183524953467189173070495566497641421183569013580274303395679953468"
                "9196038370143712449518707786431681191138980873738579347686701339994073850992151742"
                "4276566361364466907742093216341239767678472745068562007483424692698618103355649159"
                "556340810056512358769552333414615230502532186327508646006263307707741093494784"},
               {0x1.fffffffffffffp+52, "9007199254740991"}};
  for (const auto& c : cases) EXPECT_EQ(decimalText(exactRational(c.value)), c.expected);
}

}  // namespace
