// Coverage-guided fuzzing of a whole run from its command line: the input's bytes up to the
// first pair of NULs are the arguments, separated by NULs, and the rest is standard input (a run
// of the language server is the lsp target's). Runs
// happen in an empty scratch folder holding two programs, and inputs that name a path with a '/'
// are skipped, so that no run reads a device or a file elsewhere. An input of odd length runs in
// Traditional Chinese. Findings: an exit status other
// than 0, 1 or 2, a crash or a sanitizer report, or a usage error that writes to standard output.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver/run.h"
#include "tests/fuzz/fuzzing.h"

namespace {

char folder[] = "/tmp/loopcost-options-fuzz-XXXXXX";

void removeFolder() { std::filesystem::remove_all(folder); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  check(mkdtemp(folder) != nullptr && chdir(folder) == 0);
  std::atexit(removeFolder);
  std::ofstream("a.txt") << "BEGIN a+b; LOOP n a*b; END END\n";
  std::ofstream("b.txt") << "BEGIN LOOP n LOOP 3 x; END END\n";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (input.find('/') != std::string::npos) return 0;
  const std::size_t end = std::min(input.find(std::string(2, '\0')), input.size());
  std::vector<std::string> arguments{"loopcost"};
  for (std::size_t start = 0; start < end;) {
    const std::size_t stop = std::min(input.find('\0', start), end);
    arguments.push_back(input.substr(start, stop - start));
    start = stop + 1;
  }
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  std::istringstream in(end < input.size() ? input.substr(end + 2) : "");
  std::ostringstream out, err;
  setenv("LANG", size % 2 == 1 ? "zh_TW.UTF-8" : "C.UTF-8", 1);
  const CommandLine commandLine =
      readCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
  if (commandLine.options && commandLine.options->lsp) return 0;
  const int status =
      commandLine.options ? run(*commandLine.options, in, out, err) : commandLine.exitStatus;
  check(status == 0 || status == 1 || status == 2);
  if (status == 2) check(out.str().empty() && err.str().rfind("loopcost: ", 0) == 0);
  return 0;
}
