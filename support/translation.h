#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

// The words a person reads, in their language: the sources are English, and a message is looked
// up in the catalogue that msgfmt compiles from po/zh_TW.po at build time, which the tool
// carries in both encodings it writes (UTF-8 and Big5), so that no file and no system locale is
// needed to read it. What scripts read is written in English (Speaking).
enum class Language { english, chinese };

// Chooses the language of the messages and their encoding.
void useLanguage(Language language, bool big5);
Language currentLanguage();
// Chinese for the names of Traditional Chinese ("zh_TW", "zh-tw", "zh_TW.UTF-8", "zh_HK",
// "zh_Hant"), English for any other.
Language languageNamed(const std::string& name);
// The language named by LANGUAGE, LC_ALL, LC_MESSAGES or LANG, the first that is set, as gettext
// reads them; on Windows, where none is, the user's language of Windows.
Language environmentLanguage();

// The message in the chosen language and encoding, or as it is where the catalogue has none.
const char* tr(const char* message);
// `pattern` with each "%s" in it replaced by the next of `values`, in order.
std::string fill(const std::string& pattern, std::initializer_list<std::string> values);
// The columns `text`, in the chosen encoding, takes on a terminal: two for a Chinese character.
std::size_t columnsOf(const std::string& text);

// While alive, messages are in `language`; the language before is back after.
class Speaking {
 public:
  explicit Speaking(Language language);
  Speaking(const Speaking&) = delete;
  Speaking& operator=(const Speaking&) = delete;
  ~Speaking();

 private:
  Language previous;
};
