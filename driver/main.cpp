// loopcost's entry point, on the standard streams: the language server for an editor with --lsp,
// else the command line or the console.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include <iostream>
#include <string>
#include <vector>

#include "driver/arguments.h"
#include "driver/run.h"
#include "lsp/languageserver.h"

namespace {

// The protocol is UTF-8 and counts bytes: line ends pass as they are, not as text.
int serveEditor(const CommandLine& commandLine, Language language) {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::cerr << commandLine.errors;  // the warnings of the command line
  return LanguageServer(std::cout, std::cerr, commandLine.options->models, language,
                        commandLine.options->dialect)
      .serve(std::cin);
}

}  // namespace

int main(int argc, char* argv[]) {
  std::ios::sync_with_stdio(false);  // buffered output; reading a name still flushes the prompt
  const Language language = environmentLanguage();
  const CommandLine commandLine = readCommandLine(argumentsOf(argc, argv), language);
  if (commandLine.options && commandLine.options->lsp) return serveEditor(commandLine, language);
  return run(commandLine, language, std::cin, std::cout, std::cerr);
}
