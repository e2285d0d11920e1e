#pragma once

#include <string>

#include "report/programsource.h"

// A program file named at the console or on the command line, opened and parsed.
struct ProgramFile {
  int openError = 0;  // the errno of a failed open; the parse then saw an empty input
  ParsedProgram parsed;
};

// Opens the named file and parses it. A name with a NUL byte cannot name a file: opening its
// prefix would read the wrong one. A directory cannot be opened, as Windows says, rather than
// failing at the first read as Linux would.
ProgramFile readProgramFile(const std::string& name);
