#include "support/utf8.h"

std::size_t utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const std::size_t length = lead < 0x80   ? 1
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

char32_t codePoint(std::string_view text, std::size_t at) {
  const std::size_t length = utf8Length(text, at);
  const auto lead = static_cast<unsigned char>(text[at]);
  char32_t code = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  }
  return code;
}

std::string utf8Of(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  if (c < 0x800) return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
  if (c < 0x10000) {
    return {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
  }
  return {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
          static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}
