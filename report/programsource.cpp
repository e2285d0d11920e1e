#include "report/programsource.h"

#include <istream>

#include "statements/program.h"
#include "support/syntaxerror.h"

ParsedProgram parseProgram(std::streambuf& source) {
  SourceBuffer buffer(source);
  std::istream in(&buffer);
  const SyntaxErrorsThrow throwing;
  ParsedProgram parsed;
  try {
    parsed.program = std::make_unique<Program>(in);
  } catch (const SyntaxError& error) {
    parsed.error = error.line;
    parsed.position = buffer.position();
    parsed.readError = buffer.readError();
  }
  return parsed;
}
