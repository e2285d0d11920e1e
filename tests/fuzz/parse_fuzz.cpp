// Coverage-guided fuzzing of the whole path from program text to echo and costs, and of where the
// parser says things stand. Findings: a crash, a sanitizer report, a timeout, an echo that does
// not parse back to the same program, statements' places that are not nested in the order of the
// echo, and a syntax error without its place.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>

#include "source/parsedprogram.h"
#include "tests/fuzz/fuzzing.h"

namespace {

ParsedProgram parsed(const std::string& text) {
  std::stringbuf buffer(text);
  return parseProgram(buffer, Places::statements);
}

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

// Each statement lies after the hint of the one before (its loop's count, or its own ';'), and
// inside every loop it follows until that loop's end.
void checkPlaces(const ParsedProgram& program, std::size_t size) {
  const auto& spans = program.spans.statements();
  check(program.spans.begin < size);
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const auto& span = spans[i];
    check(span.start <= span.count && span.count <= span.hint && span.hint <= span.end &&
          span.end <= size);
    if (i > 0) check(spans[i - 1].hint <= span.start);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const ParsedProgram program = parsed(text);
  if (!program.ok()) {
    const auto& problem = program.spans.problem();
    check(problem && problem->from <= problem->to && problem->to <= size);
    return 0;
  }
  checkPlaces(program, size);
  const std::string echo = echoOf(*program.program);
  const ParsedProgram reparsed = parsed(echo);
  check(reparsed.ok() && echoOf(*reparsed.program) == echo);
  check(program.program->equals(reparsed.program.get()) == 1 || hasCountBelowMinusOne(text));
  checkSameCosts(*program.program, *reparsed.program, CPUContext(2.0f, 4.0f));
  checkSameCosts(*program.program, *reparsed.program, CPUContext(1.0f, 5.0f));
  return 0;
}
