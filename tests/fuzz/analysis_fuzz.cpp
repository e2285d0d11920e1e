// Coverage-guided fuzzing of the exact analysis. The input's first line is the cost models as
// the playground writes them ("2,4;0.5,3"; the defaults when it is not that), the rest the
// program. Findings: statements' rows that do not add up to their loop's row or to the total,
// a printed cost that differs from the exact one printed alike without a warning, or one with, and
// a comparison that names other models than exact evaluation does.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/analysischecks.h"
#include "tests/fuzz/fuzzing.h"

namespace {

// The ranges cover 0 to infinity, neighbours differ, and at both ends of every range, and at
// sampled n inside, the cheapest are those that evaluation finds.
void checkComparison(const std::vector<CheapestRange>& ranges,
                     const std::vector<ExactPolynomial>& costs) {
  check(!ranges.empty() && ranges.front().from == 0 && !ranges.back().to);
  for (std::size_t k = 0; k < ranges.size(); ++k) {
    const CheapestRange& range = ranges[k];
    if (k + 1 < ranges.size()) {
      check(range.to && *range.to + 1 == ranges[k + 1].from);
      check(range.cheapest != ranges[k + 1].cheapest);
    }
    const Integer last = range.to ? *range.to : range.from + 1000;
    for (const Integer& n :
         {range.from, last, Integer((range.from + last) / 2), Integer(range.from + 1)}) {
      if (n <= last) check(cheapestByEvaluation(costs, n) == range.cheapest);
    }
  }
  const Integer far = pow(Integer(10), 40) + ranges.back().from;
  check(cheapestByEvaluation(costs, far) == ranges.back().cheapest);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [modelsText, programText] =
      firstLineAndRest(std::string(reinterpret_cast<const char*>(data), size));
  const std::vector<CostModel> models = modelsOf(modelsText);
  const AnalysedProgram program = analysedText(programText, models);
  if (!program.ok()) return 0;

  check(rowsAddUp(program.rows(), models.size()));
  check(program.rows().rows().size() == program.parse().spans.statements().size());
  const std::vector<std::size_t> imprecise = program.imprecise();
  for (std::size_t m = 0; m < models.size(); ++m) {
    const bool flagged = std::count(imprecise.begin(), imprecise.end(), m) == 1;
    check(flagged == (printedLine(program.printed()[m]) != program.exact()[m].printedText()));
  }
  if (const auto& comparison = program.cheapest()) checkComparison(*comparison, program.exact());
  return 0;
}
