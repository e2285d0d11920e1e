// Positions as editors count them, in UTF-8 bytes or UTF-16 units, on texts with characters of
// every length, each of the three line ends and bytes that are not UTF-8; the lines as the parse
// notes them, or as the index finds them; and on a line longer than the stretches the index
// counts ahead.
#include "source/lineindex.h"

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
    std::size_t line, utf8, utf16, fromStart;  // fromStart: UTF-16 units from the text's start
  } rows[] = {
      {0, 0, 0, 0, 0},    // a
      {1, 0, 1, 1, 1},    // é
      {3, 0, 3, 2, 2},    // €
      {6, 0, 6, 3, 3},    // 😀: two UTF-16 units
      {10, 0, 10, 5, 5},  // b
      {11, 0, 11, 6, 6},  // the carriage return
      {13, 1, 0, 0, 8},   // the stray byte
      {14, 1, 1, 1, 9},   // c
      {15, 1, 2, 2, 10},  // the lone carriage return
      {16, 2, 0, 0, 11},  // d
      {18, 3, 0, 0, 13},  // the end
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
      EXPECT_EQ(LineIndex(TEXT, units).offsetOf(position), row.offset);
    }
    const LineIndex index(TEXT, starts, LineIndex::Units::utf16);
    EXPECT_EQ(index.unitsAt(row.offset), row.fromStart);
    EXPECT_EQ(index.offsetAtUnits(row.fromStart), row.offset);
  }
  // The middle of a character, or of a pair of UTF-16 units, stands for the character after it.
  const LineIndex index(TEXT, starts, LineIndex::Units::utf16);
  EXPECT_EQ(index.offsetOf({0, 4}), 10u);
  EXPECT_EQ(index.offsetAtUnits(4), 10u);
  EXPECT_EQ(LineIndex(TEXT, starts, LineIndex::Units::utf8).offsetOf({0, 2}), 3u);
}

TEST(LineIndex, CountsALongLineAsItsCharactersAreCounted) {
  std::string line = "BEGIN";
  for (int i = 0; i < 300; ++i)
    line += i % 3 == 0 ? "\xC3\xA9" : i % 3 == 1 ? "a;" : "\xF0\x9F\x98\x80";
  const std::string text = "\n" + line + "\r\nEND";
  const LineIndex index(text, LineIndex::Units::utf16);
  std::size_t units = 0;
  for (std::size_t offset = 1; offset < text.size() - 5; ++offset) {
    const auto byte = static_cast<unsigned char>(text[offset]);
    if ((byte & 0xC0) == 0x80) continue;
    const LineIndex::Position position = index.positionOf(offset);
    ASSERT_EQ(position.line, 1u);
    ASSERT_EQ(position.character, units) << offset;
    ASSERT_EQ(index.offsetOf(position), offset);
    units += byte >= 0xF0 ? 2 : 1;
  }
  EXPECT_EQ(index.offsetOf({1, units + 1000}), text.size() - 5);
  EXPECT_EQ(index.positionOf(text.size()).line, 2u);
}

TEST(LineIndex, ClampsPositionsBeyondTheText) {
  const std::vector<std::size_t> starts = lineStarts(TEXT);
  const LineIndex index(TEXT, starts, LineIndex::Units::utf16);
  EXPECT_EQ(index.offsetOf({1, 1000}), 15u);  // the end of line 1, before its '\r'
  EXPECT_EQ(index.offsetOf({0, 1000}), 11u);  // before its "\r\n"
  EXPECT_EQ(index.offsetOf({7, 0}), TEXT.size());
  EXPECT_EQ(index.positionOf(1000).line, 3u);
  EXPECT_EQ(index.offsetAtUnits(1000), TEXT.size());
}

}  // namespace
