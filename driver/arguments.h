#pragma once

#include <string>
#include <vector>

// The command line's arguments in UTF-8, the program's name first. On Windows they are read as
// the wide characters they were typed in, so that a name in any script reaches the tool whatever
// the system's code page; elsewhere they are the bytes given.
std::vector<std::string> argumentsOf(int argc, char* argv[]);
