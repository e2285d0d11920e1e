#include "lsp/lineindex.h"

#include <algorithm>

namespace {

// The length of the UTF-8 sequence that `lead` begins, 1 for a byte that begins none.
std::size_t sequenceLength(unsigned char lead) {
  return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 1;
}

// The units of the characters from `from` on, for as long as `counting(offset, units so far)`
// holds and the line has not ended; returns where it stopped and the units counted.
template <typename Counting>
std::pair<std::size_t, std::size_t> walkLine(const std::string& text, std::size_t from,
                                             LineIndex::Units units, Counting counting) {
  std::size_t counted = 0;
  while (from < text.size() && text[from] != '\n' && text[from] != '\r' &&
         counting(from, counted)) {
    const std::size_t length =
        std::min(sequenceLength(static_cast<unsigned char>(text[from])), text.size() - from);
    counted += units == LineIndex::Units::utf8 ? length : length == 4 ? 2 : 1;
    from += length;
  }
  return {from, counted};
}

}  // namespace

LineIndex::LineIndex(const std::string& text, const std::vector<std::size_t>& starts, Units units)
    : text(text), starts(starts), units(units) {}

LineIndex::Position LineIndex::positionOf(std::size_t offset) const {
  offset = std::min(offset, text.size());
  const std::size_t line =
      std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin() - 1;
  return {line, walkLine(text, starts[line], units, [&](std::size_t at, std::size_t) {
                  return at < offset;
                }).second};
}

std::size_t LineIndex::offsetOf(const Position& position) const {
  if (position.line >= starts.size()) return text.size();
  return walkLine(text, starts[position.line], units,
                  [&](std::size_t, std::size_t counted) { return counted < position.character; })
      .first;
}

std::size_t LineIndex::offsetIn(const std::string& text, const Position& position, Units units) {
  std::size_t start = 0;
  for (std::size_t line = 0; line < position.line; ++line) {
    start = text.find_first_of("\r\n", start);
    if (start == std::string::npos) return text.size();
    start += text.compare(start, 2, "\r\n") == 0 ? 2 : 1;
  }
  return walkLine(text, start, units,
                  [&](std::size_t, std::size_t counted) { return counted < position.character; })
      .first;
}
