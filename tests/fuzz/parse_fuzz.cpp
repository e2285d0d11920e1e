// Coverage-guided fuzzing of the whole path from program text to echo and costs. A syntax error
// throws instead of ending the process; anything else that goes wrong is a finding: a crash, a
// sanitizer report, a timeout, or an echo that does not parse back to the same program.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "cost/cpucontext.h"
#include "tests/fuzz/fuzzing.h"

namespace {

std::string echoOf(const Program& program) {
  std::ostringstream out;
  program.print(out);
  return out.str();
}

// Same bits, NaN and infinity included: the reparse must cost exactly what the original did.
void checkSameCosts(const Program& a, const Program& b, const CPUContext& context) {
  const Polynomial mine = a.evaluate(context);
  const Polynomial theirs = b.evaluate(context);
  check(mine.getDegree() == theirs.getDegree());
  for (int power = 0; power <= mine.getDegree(); ++power) {
    const float x = mine.coefficient(power);
    const float y = theirs.coefficient(power);
    check(std::memcmp(&x, &y, sizeof x) == 0);
  }
}

// A count below -1 echoes as n, and equals() compares counts as written: only then may the
// reparse differ from the original.
bool hasCountBelowMinusOne(const std::string& text) {
  return text.find("LOOP") != std::string::npos && text.find('-') != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto program = parsedOrNull(text);
  if (!program) return 0;
  const std::string echo = echoOf(*program);
  const auto reparsed = parsedOrNull(echo);
  check(reparsed != nullptr && echoOf(*reparsed) == echo);
  check(program->equals(reparsed.get()) == 1 || hasCountBelowMinusOne(text));
  checkSameCosts(*program, *reparsed, CPUContext(2.0f, 4.0f));
  checkSameCosts(*program, *reparsed, CPUContext(1.0f, 5.0f));
  return 0;
}
