#pragma once

#include <istream>
#include <ostream>

#include "driver/options.h"
#include "report/textreport.h"

// The interactive console: prompts for a file name, echoes the program and writes its costs,
// until an empty line or the end of `in`. The first syntax error ends the run. Returns the exit
// status.
int runConsole(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
               const TextLayout& layout);
