#include "driver/arguments.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

#ifdef _WIN32
std::vector<std::string> argumentsOf(int argc, char* argv[]) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string argument(static_cast<std::size_t>(bytes > 0 ? bytes : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, argument.data(), bytes, nullptr, nullptr);
    argument.pop_back();  // the terminating NUL
    arguments.push_back(argument);
  }
  LocalFree(wide);
  return arguments;
}
#else
std::vector<std::string> argumentsOf(int argc, char* argv[]) {
  return std::vector<std::string>(argv, argv + argc);
}
#endif
