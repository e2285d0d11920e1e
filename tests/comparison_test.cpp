#include "analysis/comparison.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "analysis/programset.h"
#include "report/wording.h"
#include "tests/failingallocations.h"
#include "tests/support.h"

namespace {

// "from..to: cheapest indexes" for each range, "from..:" for the open-ended one.
std::string rendered(const std::vector<CheapestRange>& ranges) {
  std::string text;
  for (const CheapestRange& range : ranges) {
    if (!text.empty()) text += "; ";
    text += range.from.str() + ".." + (range.to ? range.to->str() : "") + ":";
    for (std::size_t i : range.cheapest) text += " " + std::to_string(i);
  }
  return text;
}

TEST(CheapestRanges, SplitsAtCrossingsAndTies) {
  const Rational tiny = Rational(1) / (Integer(1) << 100);
  const struct {
    std::vector<ExactPolynomial> costs;
    const char* expected;
  } cases[] = {
      {{}, "0..:"},
      {{exact({3, 1})}, "0..: 0"},
      {{exact({3, 1}), exact({3, 1})}, "0..: 0 1"},
      {{exact({0, 2}), exact({0, 3})}, "0..0: 0 1; 1..: 0"},
      {{exact({0, 0, 1}), exact({0, 10})}, "0..0: 0 1; 1..9: 0; 10..10: 0 1; 11..: 1"},
      {{exact({0, 0, 1}), exact({0, Rational(5, 2)})}, "0..0: 0 1; 1..2: 0; 3..: 1"},
      {{exact({0, Rational(1, 3)}), exact({0, 0, Rational(1, 7)})}, "0..0: 0 1; 1..2: 1; 3..: 0"},
      {{exact({25, -10, 1}), exact({})}, "0..4: 1; 5..5: 0 1; 6..: 1"},  // touches at 5
      {{exact({0, 1}), exact({0, 0, tiny})},
       "0..0: 0 1; 1..1267650600228229401496703205375: 1; "
       "1267650600228229401496703205376..1267650600228229401496703205376: 0 1; "
       "1267650600228229401496703205377..: 0"},  // equal again at 2^100
      {{exact({25}), exact({0, 5}), exact({0, 0, 1})}, "0..0: 1 2; 1..4: 2; 5..5: 0 1 2; 6..: 0"},
  };
  for (const auto& c : cases) {
    const auto ranges = cheapestRanges(c.costs);
    ASSERT_TRUE(ranges);
    EXPECT_EQ(rendered(*ranges), c.expected);
  }
}

// c * n^power * log^log n.
ExactPolynomial logTerm(const Rational& c, int power, int log) {
  return ExactPolynomial::fromTerms({{power, numerator(c), log}}, denominator(c));
}

ExactPolynomial plus(ExactPolynomial a, const ExactPolynomial& b) {
  a.add(b);
  return a;
}

// With log n, each range 2^k <= n < 2^(k+1) is swept with log n = k, up to where the leading terms
// decide for good.
TEST(CheapestRanges, SplitsCostsWithLogNWithinAndBetweenPowersOfTwo) {
  const struct {
    std::vector<ExactPolynomial> costs;
    const char* expected;
  } cases[] = {
      {{logTerm(1, 1, 1), exact({20, 1})}, "0..9: 0; 10..10: 0 1; 11..: 1"},
      {{logTerm(1, 0, 1), exact({3})}, "0..7: 0; 8..15: 0 1; 16..: 1"},
      {{plus(logTerm(1, 0, 2), logTerm(-4, 0, 1)), exact({})},
       "0..1: 0 1; 2..15: 0; 16..31: 0 1; 32..: 1"},
      {{logTerm(1, 1, 1), plus(logTerm(1, 1, 1), exact({0, 0, Rational(1, 1000)}))},
       "0..0: 0 1; 1..: 0"},
  };
  for (const auto& c : cases) {
    const auto ranges = cheapestRanges(c.costs);
    ASSERT_TRUE(ranges);
    EXPECT_EQ(rendered(*ranges), c.expected);
  }
  // n log n and 1000 n meet where log n is 1000, from n = 2^1000 to 2^1001 - 1.
  const auto far = cheapestRanges({logTerm(1, 1, 1), exact({0, 1000})});
  ASSERT_TRUE(far);
  ASSERT_EQ(far->size(), 4u);
  EXPECT_EQ((*far)[2].from, Integer(1) << 1000);
  EXPECT_EQ(*(*far)[2].to, (Integer(1) << 1001) - 1);
  // Past 2^4096, the ranges are not worked out.
  EXPECT_FALSE(cheapestRanges({logTerm(1, 1, 1), exact({0, 5000})}));
}

// Sets of costs that cross, tie and coincide: a shared cost as the tool makes them (operation
// counts with whole coefficients times binary prices), each cost adding nothing, another such
// cost, or a multiple of (n - r)(n - s) with r and s whole or half-whole.
class CostGenerator {
 public:
  explicit CostGenerator(unsigned seed) : random(seed) {}

  std::vector<ExactPolynomial> next() {
    const ExactPolynomial shared = toolCost();
    std::vector<ExactPolynomial> costs(pick(2, 3), shared);
    for (ExactPolynomial& cost : costs) {
      const int kind = pick(0, 3);
      if (kind == 1) cost.add(toolCost());
      if (kind >= 2) cost.add(withRoots());
    }
    return costs;
  }

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

  Rational price() {
    static const double prices[] = {0.25, 0.5, 1, 2, 3, 4, 5};
    return exactRational(prices[pick(0, 6)]);
  }

  ExactPolynomial counts() {
    static const int largest[] = {3000, 200, 5, 1, 1};
    ExactPolynomial p;
    for (int power = pick(0, 4); power >= 0; --power) {
      if (pick(0, 1)) p.add(monomial(pick(0, largest[power]), power));
    }
    return p;
  }

  ExactPolynomial toolCost() {
    ExactPolynomial cost = scaled(counts(), price());
    cost.add(scaled(counts(), price()));
    return cost;
  }

  ExactPolynomial withRoots() {
    const Rational r(pick(0, 2000), 2), s(pick(0, 2000), 2);
    ExactPolynomial p = monomial(1, 2);
    p.add(monomial(-(r + s), 1));
    p.add(monomial(r * s, 0));
    return scaled(p, pick(0, 1) ? price() : -price());
  }

  std::mt19937 random;
};

TEST(CheapestRanges, AgreesWithEvaluationForRandomCosts) {
  CostGenerator generator(5);
  for (int round = 0; round < 150; ++round) {
    const std::vector<ExactPolynomial> costs = generator.next();
    const auto ranges = cheapestRanges(costs);
    ASSERT_TRUE(ranges);
    expectAgreesWithEvaluation(costs, *ranges);
  }
}

// Degree 1000 with 4096-bit coefficients.
ExactPolynomial hugeCost(std::mt19937_64& random) {
  ExactPolynomial cost;
  for (int power = 0; power <= 1000; ++power) {
    Integer c = 0;
    for (int word = 0; word < 64; ++word) c = (c << 64) + random();
    cost.add(scaled(monomial(Rational(c), power), Rational(1, 1 << (random() % 8))));
  }
  return cost;
}

TEST(CheapestRanges, StopsAtTheWorkLimitTheSameWayEveryTime) {
  std::mt19937_64 random(3);
  const std::vector<ExactPolynomial> costs{hugeCost(random), hugeCost(random)};
  EXPECT_FALSE(cheapestRanges(costs, 1000000));
}

// Memory that runs out anywhere in a comparison leaves the programs uncompared and says so; with
// enough of it, the comparison is the one made without a limit.
TEST(ProgramSet, SaysWhenMemoryRunsOutWhileComparing) {
  const std::vector<CostModel> models = defaultModels();
  const AnalysedProgram square = analysedText("BEGIN LOOP n LOOP n a+b; END END END", models);
  const AnalysedProgram linear = analysedText("BEGIN LOOP 1000 LOOP n a+b; END END END", models);
  ProgramSet unlimited(models);
  unlimited.add("square", square);
  unlimited.add("linear", linear);
  unlimited.compare();
  bool ranOut = false;
  for (long after = 0;; ++after) {
    ProgramSet set(models);
    set.add("square", square);
    set.add("linear", linear);
    bool failed = false;
    {
      const FailingAllocations failing(after);
      set.compare();
      failed = failing.failed();
    }
    if (!failed) {
      ASSERT_EQ(set.ranges().size(), models.size());
      for (std::size_t m = 0; m < models.size(); ++m) {
        EXPECT_EQ(rendered(*set.ranges()[m]), rendered(*unlimited.ranges()[m]));
      }
      break;
    }
    ranOut = true;
    EXPECT_EQ(set.shortfall(), ProgramSet::Shortfall::memory) << after;
    EXPECT_FALSE(set.compared());
    EXPECT_EQ(shortfallReason(set, Words()), "memory ran out while making the comparison");
  }
  EXPECT_TRUE(ranOut);
}

}  // namespace
