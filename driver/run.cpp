#include "driver/run.h"

#include "driver/batch.h"
#include "driver/console.h"
#include "driver/encoding.h"
#include "driver/options.h"
#include "lsp/languageserver.h"

int run(int argc, const char* const argv[], std::istream& in, std::ostream& out,
        std::ostream& err) {
  const CommandLine commandLine = parseCommandLine(argc, argv, out, err);
  if (!commandLine.options) return commandLine.exitStatus;
  const Options& options = *commandLine.options;
  if (options.lsp) return LanguageServer(out, err, options.models).serve(in);
  const ConsoleTexts texts = textsIn(resolved(options.encoding));
  if (options.files.empty()) return runConsole(in, out, err, options, texts);
  return runBatch(in, out, err, options, texts);
}
