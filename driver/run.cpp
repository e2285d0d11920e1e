#include "driver/run.h"

#include "driver/batch.h"
#include "driver/console.h"
#include "driver/output.h"
#include "driver/terminal.h"
#include "support/streamencoding.h"

namespace {

// The encodings of standard output and standard error.
struct StreamEncodings {
  Encoding out;
  Encoding err;
};

// Standard output is in the encoding -e asks for, else in the terminal's, else in Big5, the
// encoding the console's labels have always been written in, so that pipes and files get one
// encoding; JSON is UTF-8. Standard error is chosen alike for itself and, where it is no
// terminal, follows standard output, so that both into one file are one encoding.
StreamEncodings encodingsFor(std::optional<Encoding> requested, bool json) {
  const Encoding out =
      json ? Encoding::utf8 : requested.value_or(terminalEncoding(1).value_or(Encoding::big5));
  return {out, requested.value_or(terminalEncoding(2).value_or(out))};
}

StreamEncodings encodingsFor(const CommandLine& commandLine) {
  if (!commandLine.options) return encodingsFor(commandLine.encoding, false);
  const Options& options = *commandLine.options;
  return encodingsFor(options.encoding, options.format == Options::Format::json);
}

}  // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments, Language language) {
  const std::optional<Encoding> requested = requestedEncoding(arguments);
  const Words helpWords(language, encodingsFor(requested, false).out);
  CommandLine commandLine = parseCommandLine(arguments, helpWords, terminalWidth().value_or(80));
  commandLine.encoding = requested;
  return commandLine;
}

int run(const CommandLine& commandLine, Language language, std::istream& in, std::ostream& out,
        std::ostream& err) {
  const StreamEncodings encodings = encodingsFor(commandLine);
  const StreamEncoding outEncoding(out, encodings.out), errEncoding(err, encodings.err);
  const Words words(language, encodings.out);
  out << commandLine.output;
  err << commandLine.errors;
  const Options* options = commandLine.options ? &*commandLine.options : nullptr;
  if (!options) {
    return commandLine.exitStatus == 0 && !flushed(out, err, words) ? 1 : commandLine.exitStatus;
  }
  const TextLayout layout{words, options->explain, terminalWidth()};
  if (options->files.empty()) return runConsole(in, out, err, *options, layout);
  return runBatch(in, out, err, *options, layout);
}
