#pragma once

#include <cstddef>
#include <optional>

#include "report/consoletexts.h"

// The text encodings the prompt and the cost label can be written in.
enum class Encoding { big5, utf8, automatic };

// `automatic` resolved: UTF-8 when standard output is a terminal whose character set is UTF-8
// (on Windows: a console whose output code page is UTF-8), else Big5, the users' console
// encoding, which pipes, files and scripts always get.
Encoding resolved(Encoding requested);

ConsoleTexts textsIn(Encoding encoding);  // `automatic` counts as Big5

// The width of the terminal that standard output is, in columns; none when it is no terminal.
std::optional<std::size_t> terminalWidth();
