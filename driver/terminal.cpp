#include "driver/terminal.h"

#include <clocale>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#ifdef _WIN32
std::optional<Encoding> terminalEncoding(int fd) {
  if (!_isatty(fd)) return std::nullopt;
  return GetConsoleOutputCP() == CP_UTF8 ? Encoding::utf8 : Encoding::big5;
}

std::optional<std::size_t> terminalWidth() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!_isatty(1) || !GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
}

std::string nameFromInput(const std::string& typed) {
  const UINT page = _isatty(0) ? GetConsoleCP() : GetACP();
  const int size = static_cast<int>(typed.size());
  const int wide = MultiByteToWideChar(page, 0, typed.data(), size, nullptr, 0);
  if (wide <= 0) return typed;
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(page, 0, typed.data(), size, text.data(), wide);
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string name(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, name.data(), bytes, nullptr, nullptr);
  return name;
}
#else
// The locale is read and put back at once: the parsers' notion of white space must not change.
std::optional<Encoding> terminalEncoding(int fd) {
  if (!isatty(fd)) return std::nullopt;
  const std::string previous = std::setlocale(LC_CTYPE, nullptr);
  std::setlocale(LC_CTYPE, "");
  const bool utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
  std::setlocale(LC_CTYPE, previous.c_str());
  return utf8 ? Encoding::utf8 : Encoding::big5;
}

std::optional<std::size_t> terminalWidth() {
  winsize size{};
  if (!isatty(1) || ioctl(1, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return std::nullopt;
  return size.ws_col;
}

std::string nameFromInput(const std::string& typed) { return typed; }
#endif
