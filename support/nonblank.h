#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <streambuf>

// Character input as the parsers need it, read straight from the stream buffer: building a
// stream sentry for every character dominated the time spent parsing. White space is what the
// "C" locale calls space: blank, tab, and line end, vertical tab, form feed, carriage return.

inline bool isSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// What `is >> c` followed by `is.unget()` does: skips white space and looks at the next
// character, leaving it in the stream. Returns whether there was one. A read that fails (a
// directory, a device error) sets badbit, as the stream's own extractions do.
inline bool peekNonBlank(std::istream& is, char& c) {
  using traits = std::char_traits<char>;
  std::streambuf* input = is.good() ? is.rdbuf() : nullptr;
  try {
    for (int next = input != nullptr ? input->sgetc() : traits::eof(); next != traits::eof();
         next = input->snextc()) {
      if (!isSpace(next)) {
        c = traits::to_char_type(next);
        return true;
      }
    }
  } catch (const std::ios_base::failure&) {
    is.setstate(std::ios::badbit);
  }
  is.setstate(std::ios::eofbit | std::ios::failbit);
  return false;
}

// What `is >> c` does: skips white space and reads one character; at the end of the input it
// sets eofbit and failbit. Returns whether a character was read.
inline bool readNonBlank(std::istream& is, char& c) {
  if (!peekNonBlank(is, c)) return false;
  is.rdbuf()->sbumpc();
  return true;
}

// What `while (is >> c && c != stop) take(c);` does, in one pass over the stream buffer: every
// character up to and including `stop` is consumed, and `take(c, at)` gets each non-blank one
// before `stop`, with the number of characters consumed before it. Returns the number consumed
// in all when `stop` was read; when the input ends first (or a read fails, which sets badbit),
// eofbit and failbit are set and the result is empty. `take` may stop the parse by throwing.
// `skip(c, at)`, if given, gets each white-space character alike.
template <typename Take, typename Skip>
std::optional<std::size_t> readNonBlanksUntil(std::istream& is, char stop, Take take, Skip skip) {
  using traits = std::char_traits<char>;
  std::streambuf* input = is.good() ? is.rdbuf() : nullptr;
  std::size_t at = 0;
  try {
    for (int next = input != nullptr ? input->sbumpc() : traits::eof(); next != traits::eof();
         next = input->sbumpc(), ++at) {
      if (isSpace(next)) {
        skip(traits::to_char_type(next), at);
        continue;
      }
      if (traits::to_char_type(next) == stop) return at + 1;
      take(traits::to_char_type(next), at);
    }
  } catch (const std::ios_base::failure&) {
    is.setstate(std::ios::badbit);
  }
  is.setstate(std::ios::eofbit | std::ios::failbit);
  return std::nullopt;
}

template <typename Take>
std::optional<std::size_t> readNonBlanksUntil(std::istream& is, char stop, Take take) {
  return readNonBlanksUntil(is, stop, take, [](char, std::size_t) {});
}
