#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "support/encoding.h"

// What loopcost can tell of the terminals it writes to and reads from.

// The encoding of the terminal that the standard stream `fd` (1 or 2) is, when it is one: UTF-8
// when its character set is UTF-8 (on Windows: a console whose output code page is UTF-8), else
// Big5, the encoding of a Traditional Chinese console. None when the stream is no terminal.
std::optional<Encoding> terminalEncoding(int fd);

// The width of the terminal that standard output is, in columns; none when it is no terminal.
std::optional<std::size_t> terminalWidth();

// A file name read from standard input, in UTF-8: on Windows standard input is in the console's
// code page (or, redirected, the system's), elsewhere names are bytes and pass as they are.
std::string nameFromInput(const std::string& typed);
