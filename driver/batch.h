#pragma once

#include <istream>
#include <ostream>

#include "driver/options.h"
#include "report/textreport.h"

// Batch mode: analyses every file named on the command line in order ("-" is `in`) and writes
// for each what the console writes for it, without prompts, or one JSON document for the run.
// A file that fails is reported on `err` and the others go on. Returns the exit status: 1 when
// any file failed, else 0.
int runBatch(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
             const TextLayout& layout);
