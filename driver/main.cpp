// loopcost's entry point: one run on the standard streams.
#include <iostream>
#include <string>
#include <vector>

#include "driver/arguments.h"
#include "driver/run.h"

int main(int argc, char* argv[]) {
  std::ios::sync_with_stdio(false);  // buffered output; reading a name still flushes the prompt
  return run(commandLine(argc, argv), std::cin, std::cout, std::cerr);
}
