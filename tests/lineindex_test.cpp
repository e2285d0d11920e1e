// Positions as the Language Server Protocol counts them, in UTF-8 bytes or UTF-16 units, on
// texts with characters of every length, each of the three line ends and bytes that are not
// UTF-8; the lines as the parse notes them.
#include "lsp/lineindex.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "source/parsedprogram.h"

namespace {

// Line 0: "a", é (2 bytes), € (3 bytes), 😀 (4 bytes), "b", then CRLF; line 1: a stray 0xFF and
// "c", then a lone CR; line 2: "d", then LF; line 3: empty, at the end of the text.
const std::string TEXT =
    "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"
    "b\r\n\xFF"
    "c\rd\n";

std::vector<std::size_t> lineStarts(const std::string& text) {
  std::stringbuf buffer(text);
  return parseProgram(buffer, Places::statements).lineStarts;
}

TEST(LineIndex, CountsEachCharacterInTheAgreedUnits) {
  const struct {
    std::size_t offset;
    std::size_t line, utf8, utf16;
  } rows[] = {
      {0, 0, 0, 0},    // a
      {1, 0, 1, 1},    // é
      {3, 0, 3, 2},    // €
      {6, 0, 6, 3},    // 😀: two UTF-16 units
      {10, 0, 10, 5},  // b
      {11, 0, 11, 6},  // the carriage return
      {13, 1, 0, 0},   // the stray byte
      {14, 1, 1, 1},   // c
      {15, 1, 2, 2},   // the lone carriage return
      {16, 2, 0, 0},   // d
      {18, 3, 0, 0},   // the end
  };
  const std::vector<std::size_t> starts = lineStarts(TEXT);
  ASSERT_EQ(starts, (std::vector<std::size_t>{0, 13, 16, 18}));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.offset);
    for (const auto& [units, character] : {std::make_pair(LineIndex::Units::utf8, row.utf8),
                                           std::make_pair(LineIndex::Units::utf16, row.utf16)}) {
      const LineIndex index(TEXT, starts, units);
      const LineIndex::Position position = index.positionOf(row.offset);
      EXPECT_EQ(position.line, row.line);
      EXPECT_EQ(position.character, character);
      EXPECT_EQ(index.offsetOf(position), row.offset);
      EXPECT_EQ(LineIndex::offsetIn(TEXT, position, units), row.offset);
    }
  }
}

TEST(LineIndex, ClampsPositionsBeyondTheText) {
  const std::vector<std::size_t> starts = lineStarts(TEXT);
  const LineIndex index(TEXT, starts, LineIndex::Units::utf16);
  EXPECT_EQ(index.offsetOf({1, 1000}), 15u);  // the end of line 1, before its '\r'
  EXPECT_EQ(LineIndex::offsetIn(TEXT, {1, 1000}, LineIndex::Units::utf16), 15u);
  EXPECT_EQ(index.offsetOf({7, 0}), TEXT.size());
  EXPECT_EQ(LineIndex::offsetIn(TEXT, {7, 0}, LineIndex::Units::utf16), TEXT.size());
  EXPECT_EQ(index.positionOf(1000).line, 3u);
}

}  // namespace
