#include "driver/run.h"

#include "driver/batch.h"
#include "driver/console.h"
#include "driver/output.h"
#include "driver/terminal.h"
#include "support/translation.h"

CommandLine readCommandLine(int argc, const char* const argv[], std::ostream& out,
                            std::ostream& err) {
  // Help and usage errors come before -e is known: they are written as a terminal reads them.
  useLanguage(environmentLanguage(), messagesIn(Encoding::automatic) == Encoding::big5);
  CommandLine commandLine = parseCommandLine(argc, argv, out, err);
  if (!commandLine.options && commandLine.exitStatus == 0 && !flushed(out, err)) {
    commandLine.exitStatus = 1;
  }
  return commandLine;
}

int run(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  useLanguage(environmentLanguage(), messagesIn(options.encoding) == Encoding::big5);
  const TextLayout layout{textsIn(resolved(options.encoding), messagesIn(options.encoding)),
                          options.explain, terminalWidth()};
  if (options.files.empty()) return runConsole(in, out, err, options, layout);
  return runBatch(in, out, err, options, layout);
}
