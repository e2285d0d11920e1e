#include "lsp/lineindex.h"

#include <algorithm>

namespace {

// The length of the UTF-8 sequence that `lead` begins, 1 for a byte that begins none.
std::size_t sequenceLength(unsigned char lead) {
  return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 1;
}

}  // namespace

LineIndex::LineIndex(const std::string& text, Units units) : text(text), units(units), starts{0} {
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    starts.push_back(at + 1);
  }
}

LineIndex::Position LineIndex::positionOf(std::size_t offset) const {
  offset = std::min(offset, text.size());
  const std::size_t line =
      std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin() - 1;
  return {line, unitsOf(starts[line], std::min(offset, lineEnd(line)))};
}

std::size_t LineIndex::offsetOf(const Position& position) const {
  if (position.line >= starts.size()) return text.size();
  const std::size_t end = lineEnd(position.line);
  std::size_t offset = starts[position.line];
  for (std::size_t counted = 0; offset < end && counted < position.character;) {
    const std::size_t length =
        std::min(sequenceLength(static_cast<unsigned char>(text[offset])), end - offset);
    counted += units == Units::utf8 ? length : length == 4 ? 2 : 1;
    offset += length;
  }
  return offset;
}

LineIndex::Position LineIndex::end() const { return positionOf(text.size()); }

std::size_t LineIndex::afterCharacter(std::size_t offset) const {
  if (offset >= text.size() || text[offset] == '\n') return offset;
  return std::min(offset + sequenceLength(static_cast<unsigned char>(text[offset])), text.size());
}

std::string LineIndex::lineText(std::size_t line) const {
  std::string content = text.substr(starts[line], lineEnd(line) - starts[line]);
  if (!content.empty() && content.back() == '\r') content.pop_back();
  return content;
}

std::size_t LineIndex::lineEnd(std::size_t line) const {
  return line + 1 < starts.size() ? starts[line + 1] - 1 : text.size();
}

// UTF-16 counts one unit per sequence, two for the four-byte ones beyond the first plane.
std::size_t LineIndex::unitsOf(std::size_t from, std::size_t to) const {
  if (units == Units::utf8) return to - from;
  std::size_t count = 0;
  for (std::size_t at = from; at < to;) {
    const std::size_t length =
        std::min(sequenceLength(static_cast<unsigned char>(text[at])), to - at);
    count += length == 4 ? 2 : 1;
    at += length;
  }
  return count;
}
