#include "driver/encoding.h"

#include <clocale>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
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
  if (encoding == Encoding::utf8) {
    return {
        "\xE8\xAB\x8B\xE8\xBC\xB8\xE5\x85\xA5\xE8\xB3\x87\xE6\x96\x99\xE6\xAA\x94\xE6\xA1\x88"
        "\xE5\x90\x8D\xE7\xA8\xB1:",
        "\xE5\x9F\xB7\xE8\xA1\x8C\xE6\x99\x82\xE9\x96\x93 = ", "\xCE\x98"};
  }
  return {"\xBD\xD0\xBF\xE9\xA4\x4A\xB8\xEA\xAE\xC6\xC0\xC9\xAE\xD7\xA6\x57\xBA\xD9:",
          "\xB0\xF5\xA6\xE6\xAE\xC9\xB6\xA1 = ", "\xA3\x4B"};
}
