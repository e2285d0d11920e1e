#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The encodings loopcost writes text in: UTF-8, which it works in, and Big5, the encoding of a
// Traditional Chinese Windows console (code page 950).
enum class Encoding { utf8, big5 };

// Appends UTF-8 `text` to `out` in `encoding`. A character the encoding lacks is written
// "U+XXXX"; bytes that are not UTF-8 pass as they are. Returns how much of `text` was taken: all
// of it, but for an incomplete character at its end when `more` text is to follow.
std::size_t appendEncoded(std::string_view text, Encoding encoding, std::string& out,
                          bool more = false);

// UTF-8 `text` in `encoding`.
std::string encoded(std::string_view text, Encoding encoding);

// The columns UTF-8 `text` takes on a terminal that reads `encoding`: in Big5, two for every
// character beyond ASCII; in UTF-8, two for the wide ones (Chinese, Japanese, Korean and the
// full-width forms), else one.
std::size_t columns(std::string_view text, Encoding encoding);
