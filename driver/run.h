#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "driver/options.h"
#include "support/language.h"

// loopcost's command line `arguments` (in UTF-8, the program's name first), read in `language`:
// its options, or the texts and the exit status of a run that ends there. Nothing is written.
CommandLine readCommandLine(const std::vector<std::string>& arguments, Language language);

// One run of the command line, but for --lsp: each of `out` and `err` is given one encoding,
// chosen once, and everything written to it is converted into it; then the help, the version or
// the usage error is written, or, with FILE arguments, each file analysed, or, without, file
// names asked for on `in` as loopcost always has. Returns the exit status: 0, 1 or 2.
int run(const CommandLine& commandLine, Language language, std::istream& in, std::ostream& out,
        std::ostream& err);
