#include "report/quoting.h"

#include <algorithm>

#include "support/utf8.h"

namespace {

void appendHex(std::string& out, unsigned char c) {
  const char* const hex = "0123456789ABCDEF";
  out += {'\\', 'x', hex[c >> 4], hex[c & 15]};
}

// C0, DEL and the C1 controls U+0080 to U+009F, which terminals also obey; the line separators
// U+2028 and U+2029 and the bidirectional controls U+202A to U+202E and U+2066 to U+2069, which
// break or reorder what a reader sees; and the backslash, so that a name holding the text "\x1B"
// does not pass for one holding ESC.
bool mustEscape(const std::string& text, std::size_t at, std::size_t length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  if (length == 1) return byte(0) < 0x20 || byte(0) == 0x7F || byte(0) == '\\';
  if (length == 2) return byte(0) == 0xC2 && byte(1) < 0xA0;
  return length == 3 && byte(0) == 0xE2 &&
         ((byte(1) == 0x80 && byte(2) >= 0xA8 && byte(2) <= 0xAE) ||
          (byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9));
}

}  // namespace

std::string withVisibleQuotes(const std::string& text) {
  const std::size_t first = text.find('\'');
  const std::size_t last = text.rfind('\'');
  if (first == last) return text;
  std::string visible = text.substr(0, first + 1);
  for (std::size_t i = first + 1; i < last; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      visible += static_cast<char>(c);
    } else {
      appendHex(visible, c);
    }
  }
  return visible + text.substr(last);
}

std::string visibleName(const std::string& name) {
  const bool plain = std::all_of(name.begin(), name.end(),
                                 [](char c) { return c >= 0x20 && c < 0x7F && c != '\\'; });
  if (plain) return name;  // as most are
  std::string visible;
  for (std::size_t at = 0; at < name.size();) {
    const std::size_t length = utf8Length(name, at);
    if (length == 0 || mustEscape(name, at, length)) {
      for (std::size_t i = 0; i < std::max<std::size_t>(length, 1); ++i) {
        appendHex(visible, static_cast<unsigned char>(name[at + i]));
      }
      at += std::max<std::size_t>(length, 1);
    } else {
      visible.append(name, at, length);
      at += length;
    }
  }
  return visible;
}
