// The language and encoding a person's text travels with: which language the environment asks
// for, the catalogue's look-up in either byte order with its plural forms, positions in a
// pattern, and the conversion of a stream into Big5.
#include "support/words.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/catalogue.h"
#include "support/encoding.h"
#include "support/encodingbuffer.h"

namespace {

// A catalogue as msgfmt lays one out, of the given (key, translation) pairs sorted by key.
std::string catalogueOf(std::vector<std::pair<std::string, std::string>> entries, bool bigEndian) {
  std::sort(entries.begin(), entries.end());
  std::string bytes;
  const auto word = [&](std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
      const int shift = bigEndian ? 24 - 8 * i : 8 * i;
      bytes += static_cast<char>(value >> shift & 0xFF);
    }
  };
  const auto count = static_cast<std::uint32_t>(entries.size());
  const std::uint32_t originals = 28, translations = originals + 8 * count;
  std::uint32_t text = translations + 8 * count;
  word(0x950412de), word(0), word(count), word(originals), word(translations), word(0), word(0);
  std::string texts;
  for (int table = 0; table < 2; ++table) {
    for (const auto& [key, translation] : entries) {
      const std::string& entry = table == 0 ? key : translation;
      word(static_cast<std::uint32_t>(entry.size()));
      word(text + static_cast<std::uint32_t>(texts.size()));
      texts += entry + '\0';
    }
  }
  return bytes + texts;
}

const std::vector<std::pair<std::string, std::string>> ENTRIES = {
    {"", "Plural-Forms: nplurals=3; plural=n==1 ? 0 : n%10>=2 && n%10<=4 ? 1 : 2;\n"},
    {"hello", "cześć"},
    {std::string("%s file") + '\0' + "%s files",
     std::string("%s plik") + '\0' + "%s pliki" + '\0' + "%s plików"},
};

TEST(Catalogue, ReadsEitherByteOrderWithItsPluralForms) {
  for (const bool bigEndian : {false, true}) {
    SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
    const std::string bytes = catalogueOf(ENTRIES, bigEndian);
    const Catalogue catalogue(bytes);
    EXPECT_STREQ(catalogue.lookUp("hello"), "cześć");
    EXPECT_STREQ(catalogue.lookUp("absent"), "absent");
    EXPECT_STREQ(catalogue.lookUp(""), "");
    const struct {
      unsigned long count;
      const char* form;
    } forms[] = {{1, "%s plik"}, {3, "%s pliki"}, {5, "%s plików"}, {22, "%s pliki"}};
    for (const auto& row : forms) {
      EXPECT_STREQ(catalogue.lookUp("%s file", "%s files", row.count), row.form) << row.count;
    }
    EXPECT_STREQ(catalogue.lookUp("%s dog", "%s dogs", 2), "%s dogs");
  }
}

// What is not a catalogue is an empty one, and an entry cut off is none: their texts are the
// messages.
TEST(Catalogue, TakesWhatIsNoCatalogueAsAnEmptyOne) {
  const std::string whole = catalogueOf(ENTRIES, false);
  for (const std::string& bytes :
       {std::string(), std::string("not a catalogue, but long enough"), whole.substr(0, 40)}) {
    const Catalogue catalogue(bytes);
    EXPECT_STREQ(catalogue.lookUp("hello"), "hello");
    EXPECT_STREQ(catalogue.lookUp("%s file", "%s files", 1), "%s file");
  }
  const std::string cut = whole.substr(0, whole.size() - 3);  // in the last, "hello"'s
  EXPECT_STREQ(Catalogue(cut).lookUp("hello"), "hello");
  EXPECT_STREQ(Catalogue(cut).lookUp("%s file", "%s files", 5), "%s plików");
}

TEST(PluralRule, ChoosesTheFormAndFallsBackToEnglish) {
  const struct {
    const char* header;
    unsigned long n;
    unsigned long form;
  } rows[] = {
      {"Plural-Forms: nplurals=1; plural=0;", 5, 0},
      {"Plural-Forms: nplurals=2; plural=(n != 1);", 1, 0},
      {"Plural-Forms: nplurals=2; plural=(n != 1);", 0, 1},
      {"Plural-Forms: nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n != 0 ? 1 : 2);", 21, 0},
      {"Plural-Forms: nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n != 0 ? 1 : 2);", 11, 1},
      {"Plural-Forms: nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n != 0 ? 1 : 2);", 0, 2},
      {"Plural-Forms: nplurals=2; plural=n/0;", 2, 1},      // unusable: English
      {"Plural-Forms: nplurals=2; plural=(n != 1;", 2, 1},  // unusable: English
      {"Plural-Forms: nplurals=2; plural=n+7;", 3, 0},      // beyond the forms: the first
      {"", 1, 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(PluralRule(row.header).formOf(row.n), row.form) << row.header << " n=" << row.n;
  }
}

TEST(Words, FillsPlacesInOrderOrByPosition) {
  EXPECT_EQ(fill("%s costs %s", {"a", "4"}), "a costs 4");
  EXPECT_EQ(fill("%2$s 的成本為 %1$s", {"4", "a"}), "a 的成本為 4");
  EXPECT_EQ(fill("%1$s and %1$s", {"x"}), "x and x");
  EXPECT_EQ(fill("100%% of %s", {"n"}), "100% of n");
  EXPECT_EQ(fill("%s and %s", {"only"}), "only and %s");
  EXPECT_EQ(fill("%3$s", {"a"}), "%3$s");
}

// The first language loopcost speaks in LANGUAGE's list wins, unless the locale is C; without
// LANGUAGE, the first of LC_ALL, LC_MESSAGES and LANG that is set.
TEST(Words, FindsTheLanguageAsGettextDoes) {
  const struct {
    const char* language;
    const char* all;
    const char* lang;
    Language expected;
  } rows[] = {
      {"fr:zh_TW", "", "en_US.UTF-8", Language::chinese},
      {"en:zh_TW", "", "zh_TW.UTF-8", Language::english},
      {"fr", "", "zh_TW.UTF-8", Language::english},
      {"zh_TW", "", "C", Language::english},
      {"", "zh_HK.UTF-8", "en_US.UTF-8", Language::chinese},
      {"", "", "zh_TW.Big5", Language::chinese},
      {"", "", "zh_CN.UTF-8", Language::english},
      {"", "", "", Language::english},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.language) + "|" + row.all + "|" + row.lang);
    setenv("LANGUAGE", row.language, 1);
    setenv("LC_ALL", row.all, 1);
    unsetenv("LC_MESSAGES");
    setenv("LANG", row.lang, 1);
    EXPECT_EQ(environmentLanguage(), row.expected);
  }
  for (const char* variable : {"LANGUAGE", "LC_ALL", "LANG"}) unsetenv(variable);
}

TEST(Words, SpeaksChineseFromTheCatalogue) {
  const Words chinese(Language::chinese, Encoding::utf8);
  EXPECT_STREQ(chinese.tr("out of memory"), "記憶體不足");
  EXPECT_STREQ(chinese.tr("not a message of loopcost"), "not a message of loopcost");
  EXPECT_STREQ(chinese.trn("%s was not analysed", "%s were not analysed", 3), "%s 未能分析");
  EXPECT_STREQ(Words().trn("%s was not analysed", "%s were not analysed", 3),
               "%s were not analysed");
}

// Text into Big5 as code page 950 reads it: what it lacks as U+XXXX, bytes that are no UTF-8 as
// they are; and the columns a terminal gives it.
TEST(Encoding, WritesBig5AndCountsColumns) {
  const struct {
    std::string text;
    std::string big5;
    std::size_t utf8Columns;
    std::size_t big5Columns;
  } rows[] = {
      {"執行時間 = ", "\xB0\xF5\xA6\xE6\xAE\xC9\xB6\xA1 = ", 11, 11},
      {"Θ(n^2)",
       "\xA3"
       "K(n^2)",
       6, 7},
      {"；",
       "\xA1"
       "F",
       2, 2},
      {"é", "U+00E9", 1, 6},
      {"😀", "U+1F600", 1, 7},
      {"a\xFF"
       "b",
       "a\xFF"
       "b",
       3, 3},
      {"", "", 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(encoded(row.text, Encoding::big5), row.big5);
    EXPECT_EQ(encoded(row.text, Encoding::utf8), row.text);
    EXPECT_EQ(columns(row.text, Encoding::utf8), row.utf8Columns);
    EXPECT_EQ(columns(row.text, Encoding::big5), row.big5Columns);
  }
}

// A character written in pieces is converted whole; the file's own bytes pass as they are.
TEST(EncodingBuffer, ConvertsWhatTheStreamIsGiven) {
  std::stringbuf target;
  {
    EncodingBuffer converting(target, Encoding::big5);
    std::ostream stream(&converting);
    const std::string label = "執行時間 = ";
    for (const char c : label) stream.put(c);
    stream << std::string(70000, 'x') << "Θ" << std::flush;
    writeVerbatim(stream, "\xC3\xA9");
    stream << "é";
  }
  EXPECT_EQ(target.str(), "\xB0\xF5\xA6\xE6\xAE\xC9\xB6\xA1 = " + std::string(70000, 'x') +
                              "\xA3"
                              "K\xC3\xA9U+00E9");
}

}  // namespace
