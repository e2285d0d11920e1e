#include "support/translation.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "support/catalogues.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

Language current = Language::english;
bool currentBig5 = false;

// A catalogue as msgfmt writes it: after a header, two tables of (length, offset) pairs, of the
// messages in ascending byte order and of their translations.
class Catalogue {
 public:
  explicit Catalogue(std::string_view bytes) : bytes(bytes) {}

  const char* lookUp(const char* message) const {
    if (bytes.size() < 28 || word(0) != 0x950412de) return message;
    const std::uint32_t count = word(8), originals = word(12), translations = word(16);
    std::uint32_t low = 0, high = count;
    while (low < high) {
      const std::uint32_t middle = low + (high - low) / 2;
      const int order = std::strcmp(message, text(originals + 8 * middle));
      if (order == 0) return text(translations + 8 * middle);
      if (order < 0) {
        high = middle;
      } else {
        low = middle + 1;
      }
    }
    return message;
  }

 private:
  std::uint32_t word(std::size_t at) const {
    const auto byte = [&](std::size_t i) {
      return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]));
    };
    return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
  }
  const char* text(std::size_t entry) const { return bytes.data() + word(entry + 4); }

  std::string_view bytes;
};

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

void useLanguage(Language language, bool big5) {
  current = language;
  currentBig5 = big5;
}

// Locales write "zh_TW", editors and browsers "zh-tw".
Language languageNamed(const std::string& name) {
  std::string code = lowered(name.substr(0, name.find_first_of(".@:")));
  std::replace(code.begin(), code.end(), '-', '_');
  for (const char* chinese : {"zh_tw", "zh_hk", "zh_mo", "zh_hant"}) {
    if (code.rfind(chinese, 0) == 0) return Language::chinese;
  }
  return Language::english;
}

// LANGUAGE may list languages, separated by ':'; it counts only beside a locale other than C,
// as with gettext.
Language environmentLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    const char* list = std::getenv("LANGUAGE");
    const bool plain = std::strcmp(value, "C") == 0 || std::strcmp(value, "POSIX") == 0;
    if (list != nullptr && *list != '\0' && !plain) return languageNamed(list);
    return languageNamed(value);
  }
#ifdef _WIN32
  switch (GetUserDefaultUILanguage()) {
    case 0x0404:  // Chinese (Taiwan)
    case 0x0C04:  // Chinese (Hong Kong)
    case 0x1404:  // Chinese (Macao)
      return Language::chinese;
  }
#endif
  return Language::english;
}

const char* tr(const char* message) {
  if (current == Language::english) return message;
  static const Catalogue utf8(ZH_TW_UTF8), big5(ZH_TW_BIG5);
  return (currentBig5 ? big5 : utf8).lookUp(message);
}

std::string fill(const std::string& pattern, std::initializer_list<std::string> values) {
  std::string text;
  auto value = values.begin();
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    if (pattern.compare(at, 2, "%s") == 0 && value != values.end()) {
      text += *value++;
      ++at;
    } else {
      text += pattern[at];
    }
  }
  return text;
}

// In Big5 a wide character takes two bytes. In UTF-8 the wide ones are those from U+3000 to
// U+9FFF, which start with E3 to E9, (Chinese and its punctuation) and the full-width forms from
// U+FF00 to U+FF7F, which start with EF BC or EF BD.
std::size_t columnsOf(const std::string& text) {
  if (currentBig5) return text.size();
  std::size_t columns = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const auto next = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
    if ((lead & 0xC0) == 0x80) continue;
    const bool wide =
        (lead >= 0xE3 && lead <= 0xE9) || (lead == 0xEF && (next == 0xBC || next == 0xBD));
    columns += wide ? 2 : 1;
  }
  return columns;
}

Language currentLanguage() { return current; }

Speaking::Speaking(Language language) : previous(current) { current = language; }

Speaking::~Speaking() { current = previous; }
