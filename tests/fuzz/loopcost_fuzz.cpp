// Coverage-guided fuzzing of the whole path from program text to echo and costs. A syntax error
// throws instead of ending the process; anything else that goes wrong is a finding: a crash, a
// sanitizer report, a timeout, or an echo that does not parse back to the same program.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "cost/cpucontext.h"
#include "statements/program.h"
#include "support/syntaxerror.h"

namespace {

struct SyntaxErrorLine {};

void throwInstead(const std::string&) { throw SyntaxErrorLine{}; }

std::unique_ptr<Program> parse(const std::string& text) {
  std::istringstream in(text);
  return std::make_unique<Program>(in);
}

std::string echoOf(const Program& program) {
  std::ostringstream out;
  program.print(out);
  return out.str();
}

void check(bool condition) {
  if (!condition) std::abort();
}

void checkSameCosts(const Program& a, const Program& b, const CPUContext& context) {
  const Polynomial cost = a.evaluate(context);
  std::ostringstream printed;
  cost.print(printed);
  check(cost.approxEquals(b.evaluate(context), 0.0f) == 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setSyntaxErrorHandler(throwInstead);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<Program> program;
  try {
    program = parse(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const SyntaxErrorLine&) {
    return 0;
  }
  // A negative count echoes as n, so only the reparsed program must equal its own reparse.
  const std::string echo = echoOf(*program);
  const auto reparsed = parse(echo);
  check(echoOf(*reparsed) == echo);
  check(reparsed->equals(parse(echo).get()) == 1);
  checkSameCosts(*program, *reparsed, CPUContext(2.0f, 4.0f));
  checkSameCosts(*program, *reparsed, CPUContext(1.0f, 5.0f));
  return 0;
}
