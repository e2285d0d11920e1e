// The console driver: asks for program files by name, echoes each program and prints its cost
// under the two fixed cost models, until an empty line or the end of the input.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "cost/cpucontext.h"
#include "cost/polynomial.h"
#include "statements/program.h"

namespace {

// The user-facing texts are Big5 (Windows code page 950), the users' console encoding.
const char* const PROMPT =  // "請輸入資料檔案名稱:"
    "\xBD\xD0\xBF\xE9\xA4\x4A\xB8\xEA\xAE\xC6\xC0\xC9\xAE\xD7\xA6\x57\xBA\xD9:";
const char* const RUNNING_TIME = "\xB0\xF5\xA6\xE6\xAE\xC9\xB6\xA1 = ";  // "執行時間 = "
const char* const SEPARATOR = "=============================================\n";

// The next file name, of any length, without a Windows line end's '\r'. False at the end of
// the input or on an empty line; a last name without a line end still counts.
bool readName(std::istream& in, std::string& name) {
  if (!std::getline(in, name)) return false;
  if (!name.empty() && name.back() == '\r') name.pop_back();
  return !name.empty();
}

// A name with a NUL byte cannot name a file: opening its prefix would read the wrong one.
void openUnlessImpossible(std::ifstream& ifs, const std::string& name) {
  if (name.find('\0') == std::string::npos) ifs.open(name);
}

// The walks of long chains take buffers of up to megabytes and give them back, once or more per
// statement. By default glibc maps such blocks afresh and returns the free top of its heap to
// the kernel, so every walk faulted its buffer in page by page again: a third of the time of a
// program of long sums. Freed memory is kept for reuse instead; the peak stays what it was.
void keepFreedMemory() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

void printCost(const Program& program, const CPUContext& context, const char* label) {
  const Polynomial complexity = program.evaluate(context);
  std::cout << label << '\n' << RUNNING_TIME;
  complexity.print(std::cout);
}

}  // namespace

int main() {
  keepFreedMemory();
  std::ios::sync_with_stdio(false);  // buffered output; reading a name still flushes the prompt
  const CPUContext context1(2.0f, 4.0f);
  const CPUContext context2(1.0f, 5.0f);
  std::string fname;
  std::cout << PROMPT;
  while (readName(std::cin, fname)) {
    std::ifstream ifs;
    openUnlessImpossible(ifs, fname);
    const auto program = std::make_unique<Program>(ifs);  // a syntax error ends the run here
    program->print(std::cout);
    printCost(*program, context1, "CPU1(2,4)");
    printCost(*program, context2, "CPU2(1,5)");
    std::cout << SEPARATOR << PROMPT;
  }
#ifdef _WIN32
  // Keeps the console window open; elsewhere the terminal stays anyway. Our own output goes
  // first: when the input ended without a line end, no read has flushed the last prompt.
  std::cout.flush();
  std::system("pause");
#endif
  return 0;
}
