#pragma once

#include <istream>
#include <ostream>

// One run of loopcost with the command line `argv`: with FILE arguments it analyses each file;
// without, it asks for file names on `in` as it always has. Returns the exit status: 0, 1 or 2.
int run(int argc, const char* const argv[], std::istream& in, std::ostream& out, std::ostream& err);
