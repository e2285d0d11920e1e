// End-to-end cases: each directory under golden/ holds program files, `stdin`, the expected
// `stdout`, and optionally `args` (the command-line arguments, one per line), `stderr` (default
// empty) and `status` (default 0). In stdin, stdout
// and stderr, \xHH stands for the byte HH and \\ for a backslash, so that the Big5 text and any
// other byte are written in plain ASCII and still compared byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/runtool.h"

namespace fs = std::filesystem;

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string decodeEscapes(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\\\\") == 0) {
      bytes += '\\';
      ++i;
    } else if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size() &&
               hexDigit(text[i + 2]) >= 0 && hexDigit(text[i + 3]) >= 0) {
      bytes += static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3]));
      i += 3;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

// A Windows build writes CR LF line ends and, after a normal end, whatever its "pause" command
// writes; both are taken out when LOOPCOST_WINDOWS is set, so that the same cases serve.
std::string asWrittenOnLinux(std::string output) {
  if (std::getenv("LOOPCOST_WINDOWS") == nullptr) return output;
  for (std::size_t at = output.find("\r\n"); at != std::string::npos;
       at = output.find("\r\n", at)) {
    output.erase(at, 1);
  }
  const std::size_t pause = output.rfind("Press any key to continue");
  if (pause != std::string::npos) output.erase(pause);
  return output;
}

std::string readOptional(const fs::path& path, const std::string& otherwise) {
  return fs::exists(path) ? readFile(path.string()) : otherwise;
}

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(GOLDEN_DIR)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class Loopcost : public testing::TestWithParam<std::string> {};

TEST_P(Loopcost, MatchesGoldenCase) {
  const fs::path directory = fs::path(GOLDEN_DIR) / GetParam();
  std::vector<std::string> args;
  std::istringstream argLines(readOptional(directory / "args", ""));
  for (std::string arg; std::getline(argLines, arg);) args.push_back(arg);
  const ToolRun run = runLoopcost(directory.string(),
                                  decodeEscapes(readFile((directory / "stdin").string())), args);
  EXPECT_EQ(asWrittenOnLinux(run.out), decodeEscapes(readFile((directory / "stdout").string())));
  EXPECT_EQ(asWrittenOnLinux(run.err), decodeEscapes(readOptional(directory / "stderr", "")));
  EXPECT_EQ(run.status, std::stoi(readOptional(directory / "status", "0")));
}

INSTANTIATE_TEST_SUITE_P(Golden, Loopcost, testing::ValuesIn(caseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param;
                         });

}  // namespace
