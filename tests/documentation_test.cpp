// The manual page and the README must name every error text the tool can write, and agree.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/runtool.h"

namespace fs = std::filesystem;

namespace {

// The fixed parts of every line the tool writes to standard error.
const std::vector<std::string> ERROR_TEXTS = {
    "Program(istream&): input syntax error at '",
    "Statementlist(isttream&): input syntax error at '",
    "ExpressionStatement(istream&): input syntax error at '",
    "LoopStatement(istream&): input syntax error at '",
    "LoopStatement(istream&): loops nested too deeply (more than 1000 levels)",
    "Syntax error at '",
    "Term(int,char[]): input syntax error: illegal term",
    "Term(int,char[]): input syntax error (",
    ") at '",
    "Term(int,char[]): input syntax error at '",
    "loopcost: cannot open '",
    "loopcost: cannot read '",
};

// Batch mode puts FILE:LINE:COLUMN before a parser's line, and its own lines start "loopcost: ".
bool startsWithAnErrorText(const std::string& line) {
  static const std::regex place("^[^:]*:[0-9]+:[0-9]+: ");
  const std::string text = std::regex_replace(line, place, "");
  if (text.rfind("loopcost: ", 0) == 0 || text.rfind("Try 'loopcost --help'", 0) == 0) return true;
  for (const std::string& known : ERROR_TEXTS) {
    if (text.rfind(known, 0) == 0) return true;
  }
  return false;
}

TEST(Manual, NamesEveryErrorTextAsTheReadmeDoes) {
  const std::string manual = readFile(SOURCE_DIR "/doc/loopcost.1");
  const std::string readme = readFile(SOURCE_DIR "/README.md");
  for (const std::string& text : ERROR_TEXTS) {
    EXPECT_NE(manual.find(text), std::string::npos) << text;
    EXPECT_NE(readme.find(text), std::string::npos) << text;
  }
}

TEST(Manual, ErrorTextsCoverEveryGoldenErrorLine) {
  int lines = 0;
  for (const auto& directory : fs::directory_iterator(GOLDEN_DIR)) {
    if (!fs::exists(directory.path() / "stderr")) continue;
    std::istringstream err(readFile((directory.path() / "stderr").string()));
    for (std::string line; std::getline(err, line); ++lines) {
      EXPECT_TRUE(startsWithAnErrorText(line)) << line;
    }
  }
  EXPECT_GE(lines, 25);
}

}  // namespace
