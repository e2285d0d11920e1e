// End-to-end cases: each directory under golden/ holds program files, `stdin`, the expected
// `stdout`, and optionally `args` (the command-line arguments, one per line), `locale` (the
// locale to run in, English without), `stderr` (default empty) and `status` (default 0). The
// console's cases run again in Traditional Chinese: its own bytes stay. In stdin, stdout
// and stderr, \xHH stands for the byte HH and \\ for a backslash, so that the Big5 text and any
// other byte are written in plain ASCII and still compared byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/utf8.h"
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

// A Windows build writes CR LF line ends and, after the console's last prompt, whatever its
// "pause" command writes, in the language of Windows; both are taken out when LOOPCOST_WINDOWS
// is set, so that the same cases serve.
std::string asWrittenOnLinux(std::string output) {
  if (std::getenv("LOOPCOST_WINDOWS") == nullptr) return output;
  for (std::size_t at = output.find("\r\n"); at != std::string::npos;
       at = output.find("\r\n", at)) {
    output.erase(at, 1);
  }
  for (const std::string& prompt : {PROMPT, UTF8_PROMPT}) {
    const std::size_t last = output.rfind(prompt);
    if (last != std::string::npos) output.erase(last + prompt.size());
  }
  return output;
}

// The bytes as a case writes them: \\ for a backslash, \xHH for each byte that is neither
// printable ASCII, a tab nor a line end, unless the bytes are all UTF-8, whose characters stay.
std::string encodeEscapes(const std::string& bytes) {
  const char* const hex = "0123456789ABCDEF";
  bool utf8 = true;
  for (std::size_t at = 0; at < bytes.size() && utf8;
       at += std::max<std::size_t>(1, utf8Length(bytes, at))) {
    utf8 = utf8Length(bytes, at) > 0;
  }
  std::string text;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = c >= 0x80 && utf8 ? utf8Length(bytes, at) : 0;
    if (c == '\\') {
      text += "\\\\";
    } else if (length > 0) {
      text.append(bytes, at, length);
      at += length;
      continue;
    } else if ((c >= 0x20 && c < 0x7F) || c == '\n' || c == '\t') {
      text += static_cast<char>(c);
    } else {
      text += {'\\', 'x', hex[c >> 4], hex[c & 15]};
    }
    ++at;
  }
  return text;
}

std::string readOptional(const fs::path& path, const std::string& otherwise) {
  return fs::exists(path) ? readFile(path.string()) : otherwise;
}

// The cases, or only the console's (run without arguments, in English).
std::vector<std::string> caseNames(bool console) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(GOLDEN_DIR)) {
    const fs::path& path = entry.path();
    if (!entry.is_directory()) continue;
    if (console && (fs::exists(path / "args") || fs::exists(path / "locale"))) continue;
    names.push_back(path.filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> all;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) all.push_back(line);
  return all;
}

ToolRun runCase(const fs::path& directory, const std::string& language) {
  return runLoopcost(directory.string(), decodeEscapes(readFile((directory / "stdin").string())),
                     lines(readOptional(directory / "args", "")), language);
}

// What the console writes as its own: all but the tool's messages, which start "loopcost:".
std::string consoleBytes(const std::string& err) {
  std::string kept;
  for (const std::string& line : lines(err)) {
    if (line.rfind("loopcost:", 0) != 0) kept += line + '\n';
  }
  return kept;
}

class Loopcost : public testing::TestWithParam<std::string> {};

// With LOOPCOST_UPDATE_GOLDEN set, a case's expected output is replaced by what the tool wrote,
// where that differs, for a change of output to be reviewed in the diff.
void update(const fs::path& directory, const ToolRun& run) {
  if (asWrittenOnLinux(run.out) == decodeEscapes(readFile((directory / "stdout").string())) &&
      asWrittenOnLinux(run.err) == decodeEscapes(readOptional(directory / "stderr", "")) &&
      run.status == std::stoi(readOptional(directory / "status", "0"))) {
    return;
  }
  writeFile((directory / "stdout").string(), encodeEscapes(asWrittenOnLinux(run.out)));
  if (!run.err.empty() || fs::exists(directory / "stderr")) {
    writeFile((directory / "stderr").string(), encodeEscapes(asWrittenOnLinux(run.err)));
  }
  if (run.status != 0 || fs::exists(directory / "status")) {
    writeFile((directory / "status").string(), std::to_string(run.status) + "\n");
  }
}

TEST_P(Loopcost, MatchesGoldenCase) {
  const fs::path directory = fs::path(GOLDEN_DIR) / GetParam();
  const std::vector<std::string> locale = lines(readOptional(directory / "locale", ""));
  const ToolRun run = runCase(directory, locale.empty() ? "" : locale[0]);
  if (std::getenv("LOOPCOST_UPDATE_GOLDEN") != nullptr) update(directory, run);
  EXPECT_EQ(asWrittenOnLinux(run.out), decodeEscapes(readFile((directory / "stdout").string())));
  EXPECT_EQ(asWrittenOnLinux(run.err), decodeEscapes(readOptional(directory / "stderr", "")));
  EXPECT_EQ(run.status, std::stoi(readOptional(directory / "status", "0")));
}

class Console : public testing::TestWithParam<std::string> {};

TEST_P(Console, SaysTheSameInChinese) {
  const fs::path directory = fs::path(GOLDEN_DIR) / GetParam();
  const ToolRun run = runCase(directory, "zh_TW.UTF-8");
  EXPECT_EQ(asWrittenOnLinux(run.out), decodeEscapes(readFile((directory / "stdout").string())));
  EXPECT_EQ(consoleBytes(asWrittenOnLinux(run.err)),
            consoleBytes(decodeEscapes(readOptional(directory / "stderr", ""))));
  EXPECT_EQ(run.status, std::stoi(readOptional(directory / "status", "0")));
}

const auto caseName = [](const testing::TestParamInfo<std::string>& info) { return info.param; };
INSTANTIATE_TEST_SUITE_P(Golden, Loopcost, testing::ValuesIn(caseNames(false)), caseName);
INSTANTIATE_TEST_SUITE_P(Golden, Console, testing::ValuesIn(caseNames(true)), caseName);

}  // namespace
