#include "support/encoding.h"

#include <cstdio>

#include "support/big5.h"
#include "support/utf8.h"

namespace {

std::string codeText(char32_t character) {
  char text[12];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(character));
  return text;
}

bool isWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Whether the bytes from `at` could begin a character that the text cuts off.
bool cutOff(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t wanted = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (wanted == 0 || at + wanted <= text.size()) return false;
  for (std::size_t i = at + 1; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return false;
  }
  return true;
}

}  // namespace

std::size_t appendEncoded(std::string_view text, Encoding encoding, std::string& out, bool more) {
  if (encoding == Encoding::utf8) {
    out.append(text);
    return text.size();
  }
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t plain = at;
    while (plain < text.size() && static_cast<unsigned char>(text[plain]) < 0x80) ++plain;
    out.append(text, at, plain - at);
    if ((at = plain) == text.size()) break;
    const std::size_t length = utf8Length(text, at);
    if (length == 0) {
      if (more && cutOff(text, at)) return at;
      out += text[at++];
      continue;
    }
    const char32_t character = codePoint(text, at);
    if (const auto code = big5Of(character)) {
      out += static_cast<char>(*code >> 8);
      out += static_cast<char>(*code & 0xFF);
    } else {
      out += codeText(character);
    }
    at += length;
  }
  return at;
}

std::string encoded(std::string_view text, Encoding encoding) {
  std::string out;
  appendEncoded(text, encoding, out);
  return out;
}

std::size_t columns(std::string_view text, Encoding encoding) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8Length(text, at);
    if (length <= 1) {
      ++count;
      ++at;
      continue;
    }
    const char32_t character = codePoint(text, at);
    if (encoding == Encoding::big5) {
      count += big5Of(character) ? 2 : codeText(character).size();
    } else {
      count += isWide(character) ? 2 : 1;
    }
    at += length;
  }
  return count;
}
