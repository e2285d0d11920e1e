#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/syntaxerror.h"

// Where a program's statements stand in its text, noted by the parsers as they read them and kept
// beside the tree, so that the tree stays as small as it is: byte offsets from the start of the
// text, read from the stream buffer (which must tell its place, as a string's or SourceBuffer
// does). One span per statement in the order the parsers meet them, which is the order of the
// echo. A parse that stops also leaves what was expected and where a person would fix it.
class SourceSpans {
 public:
  // Without `statements`, only the problem is kept: each statement's span is noted in one place,
  // which the next statement reuses.
  explicit SourceSpans(bool statements = true) : keepStatements(statements) {}

  struct Span {
    std::size_t start = 0;  // the statement's first character
    std::size_t end = 0;    // after its ';', or after its loop's END
    std::size_t count = 0;  // a loop's count: its first character; it runs to `hint`
    std::size_t hint = 0;   // after the ';', or after the loop's count
  };

  struct Problem {
    Expected expected;
    std::size_t from;  // the text a person would fix; empty where something is missing
    std::size_t to;
    std::string found;  // the word or the whole (UTF-8) character found there
    // Where the text ended: the LOOP whose END did not come, or the LOOP that the last END
    // closed, where the program's END did not come, and that END.
    std::optional<std::size_t> loop;
    std::optional<std::size_t> loopEnd;
  };

  const std::vector<Span>& statements() const { return spans; }
  const std::optional<Problem>& problem() const { return stopped; }
  // The innermost statement whose span holds `offset` (a loop's, from its LOOP to its END), if any.
  std::optional<std::size_t> innermostAt(std::size_t offset) const;

  // For the parsers.
  static std::size_t offset(std::istream& is);  // of the next character to be read
  std::size_t open(std::istream& is);           // a statement starts: its span's index
  Span& operator[](std::size_t index) { return spans[index]; }
  void stop(Expected expected, std::size_t from, std::size_t to, std::string found);
  // Stops at the character the stream stands at, read whole.
  void stopAtCharacter(std::istream& is, Expected expected);
  // Reads a word; unless it is `keyword`, stops the parse with `errorPrefix`, the word and "'",
  // noting the word in `spans` if given. Returns where the word started (0 without `spans`).
  static std::size_t expectKeyword(std::istream& is, const char* keyword,
                                   const std::string& errorPrefix, Expected expected,
                                   SourceSpans* spans);
  std::vector<std::size_t> characters;  // where each character of a statement's text stood
  std::vector<std::size_t> lineBreaks;  // where the line ends among them stood
  std::vector<std::size_t> openLoops;   // where the LOOPs whose END has not come stand
  std::optional<std::pair<std::size_t, std::size_t>> lastClosed;  // a LOOP and its END
  std::size_t begin = 0;                                          // where "BEGIN" stands
  void finish();  // lets go of what only the parsers needed

 private:
  bool keepStatements;
  std::vector<Span> spans;
  std::optional<Problem> stopped;
};
