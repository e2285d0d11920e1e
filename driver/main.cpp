// loopcost's entry point, on the standard streams: the language server for an editor with --lsp,
// else the command line or the console.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include <iostream>

#include "driver/run.h"
#include "lsp/languageserver.h"
#include "support/translation.h"

namespace {

int serveEditor(const Options& options) {
#ifdef _WIN32
  // The protocol counts bytes: line ends must pass as they are, not as text.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  useLanguage(environmentLanguage(), false);  // an editor reads UTF-8
  return LanguageServer(std::cout, std::cerr, options.models).serve(std::cin);
}

}  // namespace

int main(int argc, char* argv[]) {
  std::ios::sync_with_stdio(false);  // buffered output; reading a name still flushes the prompt
  const CommandLine commandLine = readCommandLine(argc, argv, std::cout, std::cerr);
  if (!commandLine.options) return commandLine.exitStatus;
  if (commandLine.options->lsp) return serveEditor(*commandLine.options);
  return run(*commandLine.options, std::cin, std::cout, std::cerr);
}
