#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "driver/terminal.h"

// What the command line asks for.
struct Options {
  enum class Format { text, json };

  std::vector<std::string> files;  // none: the interactive console; "-" is standard input
  std::vector<CostModel> models;   // the two default models unless --cpu was given
  Encoding encoding = Encoding::automatic;
  Format format = Format::text;
  bool explain = false;
  bool lsp = false;      // serve the Language Server Protocol on the standard streams
  bool compare = false;  // compare the programs of the files with each other
  bool summary = false;  // a line per file instead of its report
  std::optional<std::string> reference;  // the program each file is graded against
};

// The parsed command line, or the exit status when the run ends here: 0 after --help or
// --version (written to `out`, not yet flushed), 2 after a usage error (written to `err`).
struct CommandLine {
  std::optional<Options> options;
  int exitStatus = 0;
};

CommandLine parseCommandLine(int argc, const char* const argv[], std::ostream& out,
                             std::ostream& err);
