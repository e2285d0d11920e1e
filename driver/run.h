#pragma once

#include <istream>
#include <ostream>

#include "driver/options.h"

// loopcost's command line `argv`, read in the environment's language: its options, or the exit
// status of a run that ends there (--help and --version written to `out`, a usage error to
// `err`): 0, 1 when the output could not be written, or 2.
CommandLine readCommandLine(int argc, const char* const argv[], std::ostream& out,
                            std::ostream& err);

// One run of loopcost with `options`, but for --lsp: with FILE arguments it analyses each file;
// without, it asks for file names on `in` as it always has. Returns the exit status: 0, 1 or 2.
int run(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);
