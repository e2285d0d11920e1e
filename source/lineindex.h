#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Places in a text as editors count them, from the byte offsets the parsers note: a line, ended
// by "\n", "\r\n" or a lone "\r", and a character within it, or the units from the text's
// start; counted in UTF-8 bytes or in UTF-16 code units. Characters begin at the bytes that do
// not continue a UTF-8 sequence; in UTF-16 such a byte counts two units when it begins a sequence
// of four, one otherwise, and a byte that continues one counts nothing; so a text need not be
// valid UTF-8. A lookup takes a time logarithmic in the text, however long its line.
class LineIndex {
 public:
  enum class Units { utf8, utf16 };

  struct Position {
    std::size_t line;
    std::size_t character;
  };

  // `starts`: where each line of `text` starts, as the parse noted them. The index refers to
  // `text`, which must outlive it unchanged.
  LineIndex(const std::string& text, std::vector<std::size_t> starts, Units units);
  // Finds the lines itself.
  LineIndex(const std::string& text, Units units);

  Position positionOf(std::size_t offset) const;         // offset: bytes from the start
  std::size_t offsetOf(const Position& position) const;  // clamped to the line's end
  std::size_t lineCount() const { return starts.size(); }

  // The units from the text's start to `offset`, and back to the first character there.
  std::size_t unitsAt(std::size_t offset) const;
  std::size_t offsetAtUnits(std::size_t units) const;

 private:
  static constexpr std::size_t STRIDE = 256;  // bytes between two counts kept

  std::size_t lineEnd(std::size_t line) const;  // before its line end

  const std::string& text;
  std::vector<std::size_t> starts;
  Units units;
  std::vector<std::size_t> counted;  // UTF-16: the units before each STRIDE-th byte
};
