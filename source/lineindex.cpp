#include "source/lineindex.h"

#include <algorithm>
#include <sstream>

#include "source/sourcebuffer.h"

namespace {

bool continues(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

std::size_t utf16Units(char byte) {
  return !continues(byte) + ((static_cast<unsigned char>(byte) & 0xF8) == 0xF0);
}

// The line starts of a text that was not parsed, noted as a parse notes them.
std::vector<std::size_t> startsOf(const std::string& text) {
  std::stringbuf buffer(text);
  SourceBuffer source(buffer, true);
  char sink[1 << 12];
  while (source.sgetn(sink, sizeof sink) > 0) {
  }
  return source.takeLineStarts();
}

}  // namespace

LineIndex::LineIndex(const std::string& text, std::vector<std::size_t> starts, Units units)
    : text(text), starts(std::move(starts)), units(units) {
  if (units == Units::utf8) return;
  counted.reserve(text.size() / STRIDE + 1);
  std::size_t sum = 0;
  for (std::size_t from = 0; from <= text.size(); from += STRIDE) {
    counted.push_back(sum);
    const std::size_t to = std::min(text.size(), from + STRIDE);
    for (std::size_t at = from; at < to; ++at) sum += utf16Units(text[at]);
  }
}

LineIndex::LineIndex(const std::string& text, Units units)
    : LineIndex(text, startsOf(text), units) {}

LineIndex::Position LineIndex::positionOf(std::size_t offset) const {
  offset = std::min(offset, text.size());
  const std::size_t line =
      std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin() - 1;
  return {line, unitsAt(std::min(offset, lineEnd(line))) - unitsAt(starts[line])};
}

std::size_t LineIndex::offsetOf(const Position& position) const {
  if (position.line >= starts.size()) return text.size();
  const std::size_t end = lineEnd(position.line);
  const std::size_t wanted = unitsAt(starts[position.line]) + position.character;
  return unitsAt(end) <= wanted ? end : offsetAtUnits(wanted);
}

std::size_t LineIndex::unitsAt(std::size_t offset) const {
  offset = std::min(offset, text.size());
  if (units == Units::utf8) return offset;
  std::size_t sum = counted[offset / STRIDE];
  for (std::size_t at = offset / STRIDE * STRIDE; at < offset; ++at) sum += utf16Units(text[at]);
  return sum;
}

std::size_t LineIndex::offsetAtUnits(std::size_t wanted) const {
  std::size_t at = std::min(wanted, text.size()), sum = at;
  if (units == Units::utf16) {
    const std::size_t stride =
        std::upper_bound(counted.begin(), counted.end(), wanted) - counted.begin() - 1;
    at = stride * STRIDE;
    sum = counted[stride];
  }
  while (at < text.size() && (continues(text[at]) || sum < wanted)) {
    sum += units == Units::utf8 ? 1 : utf16Units(text[at]);
    ++at;
  }
  return at;
}

std::size_t LineIndex::lineEnd(std::size_t line) const {
  if (line + 1 >= starts.size()) return text.size();
  const std::size_t next = starts[line + 1];
  const bool crlf = next >= starts[line] + 2 && text.compare(next - 2, 2, "\r\n") == 0;
  return next - (crlf ? 2 : 1);
}
