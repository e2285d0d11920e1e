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

// The words a person reads, other than the console's own two, are written in UTF-8 unless Big5
// is asked for or, `automatic`, standard output is a terminal whose character set is Big5 (on
// Windows: a console with code page 950).
Encoding messagesIn(Encoding requested);

// The console's texts in `console`, the letter Θ in `messages`; `automatic` counts as Big5.
ConsoleTexts textsIn(Encoding console, Encoding messages);

// The width of the terminal that standard output is, in columns; none when it is no terminal.
std::optional<std::size_t> terminalWidth();
