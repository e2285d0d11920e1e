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
bool terminalIs(Encoding encoding) {
  return _isatty(1) && GetConsoleOutputCP() == (encoding == Encoding::utf8 ? CP_UTF8 : 950);
}
#else
// The locale is read and put back at once: the parsers' notion of white space must not change.
bool terminalIs(Encoding encoding) {
  if (!isatty(1)) return false;
  const std::string previous = std::setlocale(LC_CTYPE, nullptr);
  std::setlocale(LC_CTYPE, "");
  const char* const set = nl_langinfo(CODESET);
  const bool is = encoding == Encoding::utf8 ? std::strcmp(set, "UTF-8") == 0
                                             : std::strncmp(set, "BIG5", 4) == 0;
  std::setlocale(LC_CTYPE, previous.c_str());
  return is;
}
#endif

}  // namespace

Encoding resolved(Encoding requested) {
  if (requested != Encoding::automatic) return requested;
  return terminalIs(Encoding::utf8) ? Encoding::utf8 : Encoding::big5;
}

Encoding messagesIn(Encoding requested) {
  if (requested != Encoding::automatic) return requested;
  return terminalIs(Encoding::big5) ? Encoding::big5 : Encoding::utf8;
}

ConsoleTexts textsIn(Encoding console, Encoding messages) {
  ConsoleTexts texts = console == Encoding::utf8 ? ConsoleTexts::utf8() : ConsoleTexts::big5();
  texts.theta = (messages == Encoding::utf8 ? ConsoleTexts::utf8() : ConsoleTexts::big5()).theta;
  return texts;
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
