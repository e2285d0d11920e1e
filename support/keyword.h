#pragma once

#include <cstddef>
#include <istream>
#include <string>

// Words are read at most this long: a keyword is short, and a file without white space (or
// /dev/zero) must not be read whole just to be rejected.
constexpr std::size_t MAX_WORD = 4096;

// What `is >> word` reads: white space skipped, then the characters up to the next white space
// or the end of the input. Of a longer word only MAX_WORD characters are read, and "..." is
// appended to show the cut.
std::string readWord(std::istream& is);
