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
#include "support/translation.h"

int run(int argc, const char* const argv[], std::istream& in, std::ostream& out,
        std::ostream& err) {
  // Help and usage errors come before -e is known: they are written as a terminal reads them.
  const Language language = environmentLanguage();
  useLanguage(language, messagesIn(Encoding::automatic) == Encoding::big5);
  const CommandLine commandLine = parseCommandLine(argc, argv, out, err);
  if (!commandLine.options) {
    return commandLine.exitStatus == 0 && !flushed(out, err) ? 1 : commandLine.exitStatus;
  }
  const Options& options = *commandLine.options;
  useLanguage(language, !options.lsp && messagesIn(options.encoding) == Encoding::big5);
  if (options.lsp) {
#ifdef _WIN32
    // The protocol counts bytes: line ends must pass as they are, not as text.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    return LanguageServer(out, err, options.models).serve(in);
  }
  const TextLayout layout{textsIn(resolved(options.encoding), messagesIn(options.encoding)),
                          options.explain, terminalWidth()};
  if (options.files.empty()) return runConsole(in, out, err, options, layout);
  return runBatch(in, out, err, options, layout);
}
