#include "report/quoting.h"

#include <algorithm>

namespace {

void appendHex(std::string& out, unsigned char c) {
  const char* const hex = "0123456789ABCDEF";
  out += {'\\', 'x', hex[c >> 4], hex[c & 15]};
}

// C0, DEL and the C1 controls U+0080 to U+009F, which terminals also obey.
bool isControl(const std::string& text, std::size_t at, std::size_t length) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (length == 1) return lead < 0x20 || lead == 0x7F;
  return length == 2 && lead == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0;
}

}  // namespace

std::string withVisibleQuotes(const std::string& text) {
  const std::size_t first = text.find('\'');
  const std::size_t last = text.rfind('\'');
  if (first == last) return text;
  std::string visible = text.substr(0, first + 1);
  for (std::size_t i = first + 1; i < last; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      visible += static_cast<char>(c);
    } else {
      appendHex(visible, c);
    }
  }
  return visible + text.substr(last);
}

std::string visibleName(const std::string& name) {
  std::string visible;
  for (std::size_t at = 0; at < name.size();) {
    const std::size_t length = utf8Length(name, at);
    if (length == 0 || isControl(name, at, length)) {
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

std::size_t utf8Length(const std::string& text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = lead < 0x80   ? 1
                       : lead < 0xC2 ? 0
                       : lead < 0xE0 ? 2
                       : lead < 0xF0 ? 3
                       : lead < 0xF5 ? 4
                                     : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  const unsigned char second = length > 1 ? byte(at + 1) : 0;
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) ||  // overlong, surrogate
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second >= 0x90)) {  // overlong, too high
    return 0;
  }
  return length;
}
