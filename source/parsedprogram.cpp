#include "source/parsedprogram.h"

#include <algorithm>
#include <istream>
#include <limits>

#include "source/sourcebuffer.h"
#include "support/nonblank.h"
#include "support/syntaxerror.h"

ParsedProgram parseProgram(std::streambuf& source, Places places, Dialect dialect) {
  const bool noted = places != Places::none;
  SourceBuffer buffer(source, noted);
  std::istream in(&buffer);
  const SyntaxErrorsThrow throwing;
  ParsedProgram parsed;
  parsed.spans = SourceSpans(places == Places::statements);
  parsed.dialect = dialect;
  try {
    parsed.program = std::make_unique<Program>(in, noted ? &parsed.spans : nullptr, dialect);
  } catch (const SyntaxError& error) {
    parsed.error = error.line;
    parsed.readError = buffer.readError();
  }
  parsed.spans.finish();
  if (places == Places::statements) {
    char next;
    in.clear();
    if (parsed.ok() && peekNonBlank(in, next)) parsed.tail = SourceSpans::offset(in);
    in.ignore(std::numeric_limits<std::streamsize>::max());
  }
  if (noted) parsed.lineStarts = buffer.takeLineStarts();
  return parsed;
}

std::pair<std::size_t, std::size_t> ParsedProgram::lineAndColumn(std::size_t offset) const {
  const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), offset);
  const std::size_t line = static_cast<std::size_t>(after - lineStarts.begin());
  return {line, offset - lineStarts[line - 1] + 1};
}
