#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "support/dialect.h"
#include "support/encoding.h"
#include "support/words.h"

// What the command line asks for.
struct Options {
  enum class Format { text, json };

  std::vector<std::string> files;    // none: the interactive console; "-" is standard input
  std::vector<CostModel> models;     // the two default models unless --cpu was given
  std::optional<Encoding> encoding;  // as -e asks; none: as the stream is (auto)
  Format format = Format::text;
  bool explain = false;
  bool lsp = false;      // serve the Language Server Protocol on the standard streams
  bool compare = false;  // compare the programs of the files with each other
  bool summary = false;  // a line per file instead of its report
  std::optional<std::string> reference;  // the program each file is graded against
  Dialect dialect = Dialect::classic;    // the language the programs are read in
};

// The parsed command line, or the exit status when the run ends here: 0 after --help or
// --version, 2 after a usage error. Nothing is written yet: the texts are UTF-8, for the streams
// to write in their encodings.
struct CommandLine {
  std::optional<Options> options;
  int exitStatus = 0;
  std::string output;                // the help or the version, for standard output
  std::string errors;                // the usage error, or warnings, for standard error
  std::optional<Encoding> encoding;  // as -e asks, as far as the arguments tell
};

// `arguments` are the command line's, in UTF-8, the program's name first. The help is in the
// language of `words` and wrapped to `helpWidth` columns.
CommandLine parseCommandLine(const std::vector<std::string>& arguments, const Words& words,
                             std::size_t helpWidth);

// The encoding -e asks for, as far as the arguments tell before they are parsed, so that even a
// usage error is written in it; none for auto or none given.
std::optional<Encoding> requestedEncoding(const std::vector<std::string>& arguments);
