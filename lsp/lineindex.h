#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Where the lines of a text start, and positions in it as the Language Server Protocol counts
// them: a line and a character within it, the character counted in UTF-8 bytes or in UTF-16 code
// units as agreed with the client. A text need not be valid UTF-8; a stray byte counts as one
// unit either way.
class LineIndex {
 public:
  enum class Units { utf8, utf16 };

  struct Position {
    std::size_t line;
    std::size_t character;
  };

  LineIndex(const std::string& text, Units units);

  Position positionOf(std::size_t offset) const;         // offset: bytes from the start
  std::size_t offsetOf(const Position& position) const;  // clamped to the line's end
  Position end() const;                                  // after the last character
  // After the character at `offset` (a whole UTF-8 sequence), or `offset` at a line's end.
  std::size_t afterCharacter(std::size_t offset) const;
  std::size_t lines() const { return starts.size(); }
  std::string lineText(std::size_t line) const;  // without its line end

 private:
  std::size_t lineEnd(std::size_t line) const;  // the offset of its '\n', or the text's end
  std::size_t unitsOf(std::size_t from, std::size_t to) const;

  const std::string& text;
  Units units;
  std::vector<std::size_t> starts;
};
