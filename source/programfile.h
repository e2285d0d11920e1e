#pragma once

#include <string>

#include "source/parsedprogram.h"

// Opens the file named in UTF-8 and parses it. A name with a NUL byte cannot name a file: opening
// its prefix would read the wrong one. A directory cannot be opened, as Windows says, rather than
// failing at the first read as Linux would.
ParsedProgram readProgramFile(const std::string& name, Places places,
                              Dialect dialect = Dialect::classic);
