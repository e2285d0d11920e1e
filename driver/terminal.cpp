#include "driver/terminal.h"

#include <clocale>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
bool terminalIsUtf8() { return _isatty(1) && GetConsoleOutputCP() == CP_UTF8; }
#else
// The locale is read and put back at once: the parsers' notion of white space must not change.
bool terminalIsUtf8() {
  if (!isatty(1)) return false;
  const std::string previous = std::setlocale(LC_CTYPE, nullptr);
  std::setlocale(LC_CTYPE, "");
  const bool utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
  std::setlocale(LC_CTYPE, previous.c_str());
  return utf8;
}
#endif

}  // namespace

Encoding resolved(Encoding requested) {
  if (requested != Encoding::automatic) return requested;
  return terminalIsUtf8() ? Encoding::utf8 : Encoding::big5;
}

ConsoleTexts textsIn(Encoding encoding) {
  return encoding == Encoding::utf8 ? ConsoleTexts::utf8() : ConsoleTexts::big5();
}

std::optional<std::size_t> terminalWidth() {
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!_isatty(1) || !GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
#else
  winsize size{};
  if (!isatty(1) || ioctl(1, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return std::nullopt;
  return size.ws_col;
#endif
}
