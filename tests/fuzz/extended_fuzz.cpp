// Coverage-guided fuzzing of the extended dialect's reading and exact counts. Findings: a crash,
// a sanitizer report, a timeout, an echo that does not read back to the same echo, and a
// count that differs from running the loops one pass at a time for small n (or whose fromN is
// not the least), in a program that was not refused, and a cheapest model other than the least
// cost's for those n.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "tests/analysischecks.h"
#include "tests/fuzz/fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const AnalysedProgram program = analysedText(text, defaultModels(), Dialect::extended);
  if (!program.ok()) return 0;
  std::ostringstream echo;
  program.program().print(echo);
  // The echo, not equality: a count below -1 echoes as n but compares as written.
  const AnalysedProgram again = analysedText(echo.str(), defaultModels(), Dialect::extended);
  check(again.ok());
  std::ostringstream echoAgain;
  again.program().print(echoAgain);
  check(echoAgain.str() == echo.str());
  if (!program.extended() || program.counts().refusal()) return 0;
  check(countsMatchLiteralRuns(program, 8, 20000));
  if (!program.cheapest()) return 0;  // past the work limit, which says so
  std::size_t start = 0;
  for (const ExactCount& total : program.counts().totals()) start = std::max(start, total.fromN);
  check(cheapestMatchesCosts(program,
                             static_cast<long long>(std::min<std::size_t>(start + 40, 300))));
  return 0;
}
