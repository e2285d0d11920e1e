// loopcost: with FILE arguments, analyses each file; without, asks for file names on the console
// as it always has. Everything else lives in the units this file wires together.
#include <iostream>

#include "driver/batch.h"
#include "driver/console.h"
#include "driver/encoding.h"
#include "driver/options.h"

int main(int argc, char* argv[]) {
  std::ios::sync_with_stdio(false);  // buffered output; reading a name still flushes the prompt
  const CommandLine commandLine = parseCommandLine(argc, argv, std::cout, std::cerr);
  if (!commandLine.options) return commandLine.exitStatus;
  const Options& options = *commandLine.options;
  const ConsoleTexts texts = textsIn(resolved(options.encoding));
  if (options.files.empty()) return runConsole(std::cin, std::cout, std::cerr, options, texts);
  return runBatch(std::cin, std::cout, std::cerr, options, texts);
}
