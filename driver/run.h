#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

// One run of loopcost with the command line `arguments` (in UTF-8, the program's name first):
// with FILE arguments it analyses each file; without, it asks for file names on `in` as it always
// has; with --lsp it serves an editor. Each of `out` and `err` is given one encoding, chosen once,
// and everything written to it is converted into it. Returns the exit status: 0, 1 or 2.
int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
        std::ostream& err);
