#include "tests/support.h"

#include <algorithm>

#include "support/syntaxerror.h"

std::string syntaxErrorOf(const std::function<void()>& parse) {
  const SyntaxErrorsThrow throwing;  // the handler before is back on every path
  try {
    parse();
  } catch (const SyntaxError& error) {
    return error.line;
  }
  return "";
}

ExactPolynomial exact(const std::vector<Rational>& coefficients) {
  ExactPolynomial p;
  for (std::size_t i = 0; i < coefficients.size(); ++i) {
    p.add(monomial(coefficients[i], static_cast<int>(i)));
  }
  return p;
}

void expectAgreesWithEvaluation(const std::vector<ExactPolynomial>& costs,
                                const std::vector<CheapestRange>& ranges, int lastSmall) {
  ASSERT_FALSE(ranges.empty());
  EXPECT_EQ(ranges.front().from, 0);
  EXPECT_FALSE(ranges.back().to);
  for (std::size_t k = 0; k + 1 < ranges.size(); ++k) {
    ASSERT_TRUE(ranges[k].to);
    EXPECT_EQ(*ranges[k].to + 1, ranges[k + 1].from);
    EXPECT_NE(ranges[k].cheapest, ranges[k + 1].cheapest);
  }
  std::vector<Integer> samples;
  for (int n = 0; n <= lastSmall; ++n) samples.push_back(n);
  for (unsigned power = 6; power <= 30; power += 6) samples.push_back(pow(Integer(10), power));
  std::size_t k = 0;
  for (const Integer& n : samples) {
    while (ranges[k].to && *ranges[k].to < n) ++k;
    ASSERT_EQ(ranges[k].cheapest, cheapestByEvaluation(costs, n)) << "n = " << n;
  }
  for (const CheapestRange& range : ranges) {  // both ends, however far out
    EXPECT_EQ(range.cheapest, cheapestByEvaluation(costs, range.from)) << "n = " << range.from;
    if (range.to) {
      EXPECT_EQ(range.cheapest, cheapestByEvaluation(costs, *range.to));
    }
  }
  // Beyond the last boundary the leading terms decide: the others exceed a cheapest one there.
  const ExactPolynomial& cheapest = costs[ranges.back().cheapest.front()];
  for (std::size_t i = 0; i < costs.size(); ++i) {
    ExactPolynomial gap = costs[i];
    gap.add(scaled(cheapest, -1));
    const bool among = std::count(ranges.back().cheapest.begin(), ranges.back().cheapest.end(), i);
    EXPECT_EQ(gap.degree() < 0, among) << i;
    if (!among) {
      EXPECT_GT(gap.leadingCoefficient(), 0) << i;
    }
  }
}
