#pragma once

#include <optional>
#include <string>

// The languages loopcost speaks: its sources are English, and it carries a Traditional Chinese
// catalogue (Taiwan usage).
enum class Language { english, chinese };

// Chinese for the names of Traditional Chinese ("zh_TW", "zh-tw", "zh_TW.UTF-8", "zh_HK",
// "zh_MO", "zh_Hant"), English for "en..." and "C"; none for any other language.
std::optional<Language> languageNamed(const std::string& name);

// The language a list such as LANGUAGE holds ("fr:zh_TW:en"): the first that loopcost speaks.
std::optional<Language> firstSpoken(const std::string& list);

// The user's language as gettext finds it: the list in LANGUAGE, unless the locale is C, else
// the first of LC_ALL, LC_MESSAGES and LANG that is set; on Windows, where none is set, the
// language of Windows. English where that names no language loopcost speaks.
Language environmentLanguage();
