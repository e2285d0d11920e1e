#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Positions in a text as the Language Server Protocol counts them: a line, ended by "\n", "\r\n"
// or a lone "\r", and a character within it, counted in UTF-8 bytes or in UTF-16 code units as
// agreed with the client. A text need not be valid UTF-8; a stray byte counts as one unit.
class LineIndex {
 public:
  enum class Units { utf8, utf16 };

  struct Position {
    std::size_t line;
    std::size_t character;
  };

  // `starts`: where each line of `text` starts, as the parse noted them.
  LineIndex(const std::string& text, const std::vector<std::size_t>& starts, Units units);

  Position positionOf(std::size_t offset) const;         // offset: bytes from the start
  std::size_t offsetOf(const Position& position) const;  // clamped to the line's end
  std::size_t lineCount() const { return starts.size(); }

  // The offset of `position` in a text without an index, counted from its start.
  static std::size_t offsetIn(const std::string& text, const Position& position, Units units);

 private:
  const std::string& text;
  const std::vector<std::size_t>& starts;
  Units units;
};
