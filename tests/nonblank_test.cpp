#include "support/nonblank.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

struct Reading {
  std::string characters;
  std::ios::iostate state;
  std::string rest;
};

// Reads characters until the input fails, then reports what was read, the stream state and
// what was left, so that the helpers can be compared with the extraction they stand for.
template <typename Read>
Reading readAll(const std::string& input, Read read) {
  std::istringstream in(input);
  Reading reading;
  char c;
  while (read(in, c)) reading.characters += c;
  reading.state = in.rdstate();
  in.clear();
  std::getline(in, reading.rest, '\0');
  return reading;
}

const std::string INPUTS[] = {
    "", "   ", "a", " a b\tc\n", "a\vb\fc\r", "x;\n END", std::string("\0 \x80", 3)};

// Both streams hold the same unread characters.
void expectSameRest(std::istringstream& expected, std::istringstream& actual) {
  std::string expectedRest, actualRest;
  expected.clear();
  actual.clear();
  std::getline(expected, expectedRest, '\0');
  std::getline(actual, actualRest, '\0');
  EXPECT_EQ(actualRest, expectedRest);
}

TEST(NonBlank, ReadsLikeTheCharacterExtraction) {
  for (const std::string& input : INPUTS) {
    SCOPED_TRACE(input);
    const Reading expected = readAll(input, [](std::istream& is, char& c) { return !!(is >> c); });
    const Reading actual = readAll(input, readNonBlank);
    EXPECT_EQ(actual.characters, expected.characters);
    EXPECT_EQ(actual.state, expected.state);
  }
}

TEST(NonBlank, ReadsUpToAStopLikeTheCharacterExtraction) {
  for (const std::string& input : INPUTS) {
    SCOPED_TRACE(input);
    std::istringstream expected(input), actual(input);
    std::string expectedTaken, actualTaken;
    char c;
    while (expected >> c && c != ';') expectedTaken += c;
    const auto stopped = readNonBlanksUntil(actual, ';', [&](char taken, std::size_t at) {
      actualTaken += taken;
      EXPECT_EQ(input[at], taken);
    });
    EXPECT_EQ(stopped.has_value(), !!expected);
    if (stopped) {
      EXPECT_EQ(input[*stopped - 1], ';');
    }
    EXPECT_EQ(actualTaken, expectedTaken);
    EXPECT_EQ(actual.rdstate(), expected.rdstate());
    expectSameRest(expected, actual);
  }
}

TEST(NonBlank, PeeksLikeExtractionAndUnget) {
  for (const std::string& input : INPUTS) {
    SCOPED_TRACE(input);
    std::istringstream expected(input), actual(input);
    char expectedChar = '?', actualChar = '?';
    const bool expectedRead = !!(expected >> expectedChar);
    if (expectedRead) expected.unget();
    EXPECT_EQ(peekNonBlank(actual, actualChar), expectedRead);
    EXPECT_EQ(actualChar, expectedChar);
    EXPECT_EQ(actual.rdstate(), expected.rdstate());
    expectSameRest(expected, actual);
  }
}

TEST(NonBlank, FailsOnAStreamThatHasFailed) {
  std::istringstream in("abc");
  in.setstate(std::ios::failbit);
  char c;
  EXPECT_FALSE(readNonBlank(in, c));
  EXPECT_FALSE(peekNonBlank(in, c));
}

}  // namespace
