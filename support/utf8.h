#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Reading UTF-8, strictly: no overlong forms, no surrogates, nothing beyond U+10FFFF.

// The length of the valid UTF-8 sequence at text[at], or 0 if none starts there.
std::size_t utf8Length(std::string_view text, std::size_t at);

// The code point of the valid sequence at text[at].
char32_t codePoint(std::string_view text, std::size_t at);

// The code point as UTF-8.
std::string utf8Of(char32_t character);
