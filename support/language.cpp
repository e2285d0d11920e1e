#include "support/language.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// "zh_tw" for "zh-TW.UTF-8@euro".
std::string code(const std::string& name) {
  std::string code = name.substr(0, name.find_first_of(".@"));
  for (char& c : code) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::replace(code.begin(), code.end(), '-', '_');
  return code;
}

bool startsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::strlen(prefix), prefix) == 0;
}

#ifdef _WIN32
std::optional<Language> windowsLanguage() {
  switch (GetUserDefaultUILanguage()) {
    case 0x0404:  // Chinese (Taiwan)
    case 0x0C04:  // Chinese (Hong Kong)
    case 0x1404:  // Chinese (Macao)
      return Language::chinese;
  }
  return std::nullopt;
}
#endif

}  // namespace

std::optional<Language> languageNamed(const std::string& name) {
  const std::string wanted = code(name);
  for (const char* chinese : {"zh_tw", "zh_hk", "zh_mo", "zh_hant"}) {
    if (startsWith(wanted, chinese)) return Language::chinese;
  }
  if (wanted == "c" || wanted == "posix" || wanted == "en" || startsWith(wanted, "en_")) {
    return Language::english;
  }
  return std::nullopt;
}

std::optional<Language> firstSpoken(const std::string& list) {
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    if (end > start) {
      if (const auto language = languageNamed(list.substr(start, end - start))) return language;
    }
    start = end + 1;
  }
  return std::nullopt;
}

Language environmentLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    const char* list = std::getenv("LANGUAGE");
    const bool plain = std::strcmp(value, "C") == 0 || std::strcmp(value, "POSIX") == 0;
    if (list != nullptr && *list != '\0' && !plain) {
      return firstSpoken(list).value_or(Language::english);
    }
    return languageNamed(value).value_or(Language::english);
  }
#ifdef _WIN32
  return windowsLanguage().value_or(Language::english);
#else
  return Language::english;
#endif
}
