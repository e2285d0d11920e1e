// The manual page and the README must name every error text the tool writes. The texts are taken
// from the tool's own runs, the golden cases' standard error, so they cannot drift apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/runtool.h"

namespace fs = std::filesystem;

namespace {

// "FILE:LINE:COLUMN: " before a parser's line, as batch mode writes it, taken off.
std::string withoutPlace(const std::string& line) {
  const std::size_t place = line.find(": ");
  const bool placed =
      place != std::string::npos && line.find_last_of("0123456789", place) == place - 1;
  return placed ? line.substr(place + 2) : line;
}

// The fixed part of every error line in the golden cases, and of the parser's line in brackets
// after an explanation: the text up to its first quote, or up to a number before it. Usage
// errors (status 2) quote what the user typed and are left out.
std::set<std::string> fixedPartsOfErrorLines() {
  std::set<std::string> parts;
  for (const auto& directory : fs::directory_iterator(GOLDEN_DIR)) {
    const fs::path status = directory.path() / "status";
    if (!fs::exists(directory.path() / "stderr")) continue;
    if (fs::exists(status) && readFile(status.string()) == "2\n") continue;
    std::istringstream err(readFile((directory.path() / "stderr").string()));
    for (std::string line; std::getline(err, line);) {
      std::string text = withoutPlace(line);
      const std::size_t bracket = text.find(" [");  // an explanation, then the parser's line
      std::vector<std::string> pieces = {text.substr(0, bracket)};
      if (bracket != std::string::npos) pieces.push_back(text.substr(bracket + 2));
      for (const std::string& piece : pieces) {
        const std::size_t quote = piece.find('\'');
        const std::size_t number = piece.find_first_of("0123456789");
        if (quote == std::string::npos && pieces.size() == 1) continue;
        parts.insert(piece.substr(0, std::min(std::min(quote + 1, piece.size()), number)));
      }
    }
  }
  return parts;
}

TEST(Manual, NamesEveryErrorTextTheToolWritesAsTheReadmeDoes) {
  const std::string manual = readFile(SOURCE_DIR "/doc/loopcost.1");
  const std::string readme = readFile(SOURCE_DIR "/README.md");
  const std::set<std::string> parts = fixedPartsOfErrorLines();
  for (const std::string& part : parts) {
    EXPECT_NE(manual.find(part), std::string::npos) << part;
    EXPECT_NE(readme.find(part), std::string::npos) << part;
  }
  EXPECT_GE(parts.size(), 7u);
}

// The READMEs' example sessions on the examples, run as they stand: the documents cannot drift
// from the tool. A block that shows a session is "$ COMMAND" and then what it writes.
TEST(Readme, ShowsWhatTheToolWritesForTheExamples) {
  std::istringstream readme(readFile(SOURCE_DIR "/README.md") +
                            readFile(SOURCE_DIR "/README.zh-TW.md"));
  int sessions = 0;
  for (std::string line; std::getline(readme, line);) {
    const bool wholeCommand = std::count(line.begin(), line.end(), '\'') % 2 == 0;
    if (line.rfind("$ ", 0) != 0 || line.find("examples/") == std::string::npos ||
        line.find('>') != std::string::npos || !wholeCommand) {
      continue;
    }
    std::string command = line.substr(2);
    for (const std::string tool : {"build/loopcost", "loopcost"}) {
      const std::size_t at = command.find(tool + " ");
      if (at != std::string::npos) {
        command.replace(at, tool.size(), "$LOOPCOST");
        break;
      }
    }
    std::string shown;
    for (std::string output; std::getline(readme, output) && output != "```";)
      shown += output + "\n";
    std::string written = runShell("cd " SOURCE_DIR " && " + command).out;
    if (!written.empty() && written.back() != '\n') written += '\n';  // the last prompt
    EXPECT_EQ(written, shown) << command;
    ++sessions;
  }
  EXPECT_GE(sessions, 2);
}

}  // namespace
