#pragma once

#include <istream>

// Does what the character extraction `is >> c` does in the "C" locale — skips white space,
// reads one character, and sets eofbit and failbit at the end of the input — without
// building a stream sentry for every character, which dominated the time spent reading.
// Returns whether a character was read.
bool readNonBlank(std::istream& is, char& c);
