#pragma once

#include <cstddef>
#include <string>

// `text` with each byte between its first and last "'" that is not printable ASCII, and each
// backslash, written as \xHH, so that invisible characters show.
std::string withVisibleQuotes(const std::string& text);

// A file name as messages write it: every control character, bidirectional control, backslash
// and byte that is not part of valid UTF-8 as \xHH, so that a name can neither drive the
// terminal, nor forge a line, nor read in another order than it is.
std::string visibleName(const std::string& name);
