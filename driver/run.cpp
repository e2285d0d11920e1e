#include "driver/run.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include "driver/batch.h"
#include "driver/console.h"
#include "driver/options.h"
#include "driver/output.h"
#include "driver/terminal.h"
#include "lsp/languageserver.h"
#include "support/streamencoding.h"

namespace {

// The encodings of standard output and standard error.
struct StreamEncodings {
  Encoding out;
  Encoding err;
};

// Standard output is in the encoding -e asks for, else in the terminal's, else in Big5, the
// encoding the console's labels have always been written in, so that pipes and files get one
// encoding; JSON and the protocol are UTF-8. Standard error is chosen alike for itself and,
// where it is no terminal, follows standard output, so that both into one file are one encoding.
StreamEncodings encodingsFor(std::optional<Encoding> requested, bool utf8Output) {
  const Encoding out = utf8Output
                           ? Encoding::utf8
                           : requested.value_or(terminalEncoding(1).value_or(Encoding::big5));
  return {out, requested.value_or(terminalEncoding(2).value_or(out))};
}

int serve(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
          Language language) {
#ifdef _WIN32
  // The protocol counts bytes: line ends must pass as they are, not as text.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return LanguageServer(out, err, options.models, language).serve(in);
}

}  // namespace

int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out,
        std::ostream& err) {
  const Language language = environmentLanguage();
  const std::optional<Encoding> requested = requestedEncoding(arguments);
  const Words helpWords(language, encodingsFor(requested, false).out);
  const CommandLine commandLine =
      parseCommandLine(arguments, helpWords, terminalWidth().value_or(80));
  const Options* options = commandLine.options ? &*commandLine.options : nullptr;
  const StreamEncodings encodings =
      options ? encodingsFor(options->encoding,
                             options->lsp || options->format == Options::Format::json)
              : encodingsFor(requested, false);
  const StreamEncoding outEncoding(out, encodings.out), errEncoding(err, encodings.err);
  out << commandLine.output;
  err << commandLine.errors;
  if (!options) {
    return commandLine.exitStatus == 0 && !flushed(out, err, helpWords) ? 1
                                                                        : commandLine.exitStatus;
  }
  if (options->lsp) return serve(in, out, err, *options, language);
  const TextLayout layout{Words(language, encodings.out), options->explain, terminalWidth()};
  if (options->files.empty()) return runConsole(in, out, err, *options, layout);
  return runBatch(in, out, err, *options, layout);
}
