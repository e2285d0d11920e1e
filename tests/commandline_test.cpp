// The command line end to end where a golden case cannot say it: special files, terminals,
// memory limits, and the JSON document read back field by field.
#include <gtest/gtest.h>

#include <chrono>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/runtool.h"

namespace {

const std::string EXAMPLES = SOURCE_DIR "/examples/";

TEST(CommandLine, ReportsWhatCouldNotBeReadOrWritten) {
  struct Case {
    std::string command;
    std::string err;
  } cases[] = {
      {"$LOOPCOST " + EXAMPLES + "linear_search.txt > /dev/full",
       "loopcost: write error: No space left on device\n"},
      {"printf '" + EXAMPLES + "linear_search.txt\\n' | $LOOPCOST > /dev/full",
       "loopcost: write error: No space left on device\n"},
      {"$LOOPCOST < /", "loopcost: read error: Is a directory\n"},
      {"$LOOPCOST /", "loopcost: cannot open '/': Is a directory\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    const ToolRun run = runShell(c.command);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.status, 1);
  }
}

// Help and version that cannot be written, and options that are not right wherever they stand.
TEST(CommandLine, SaysWhenHelpCannotBeWrittenOrAnOptionIsWrong) {
  for (const char* command : {"$LOOPCOST --help > /dev/full", "$LOOPCOST -V >&-"}) {
    const ToolRun run = runShell(command);
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_EQ(run.err.rfind("loopcost: write error: ", 0), 0u) << run.err;
  }
  const struct {
    const char* arguments;
    const char* error;
  } usage[] = {
      {"--help --bogus", "loopcost: The following argument was not expected: --bogus\n"},
      {"-V --bogus", "loopcost: The following argument was not expected: --bogus\n"},
      {"--format= a.txt", "loopcost: --format: '' is empty; give a value\n"},
      {"--reference '' a.txt", "loopcost: --reference: '' is empty; give a value\n"},
      {"-x --summary a.txt",
       "loopcost: --explain adds to each file's report, which --summary does not write\n"},
      {"--reference a.txt -x b.txt",
       "loopcost: --explain adds to each file's report, which --reference does not write\n"},
      {"--summary -f json a.txt",
       "loopcost: --summary writes a table of text; --format=json gives each file's entry, which "
       "holds what the table says\n"},
      {"--lsp -x", "loopcost: --explain is for the command line, not for --lsp\n"},
      {"--cpu 3,7 1,1",
       "loopcost: '1,1' is no file but a model: give each model with its own "
       "--cpu, as --cpu 1,1\n"},
      {"--reference a.txt --reference b.txt c.txt",
       "loopcost: --reference is given 2 times; give it once\n"},
      {"--cpu 2\xEF\xBC\x8C"
       "4 a.txt",
       "loopcost: --cpu: '2\xA1"
       "A4' is not ADD,MUL (full-width '\xA1"
       "A' (U+FF0C): type ',')\n"},
  };
  for (const auto& row : usage) {
    const ToolRun run = runShell(std::string("$LOOPCOST ") + row.arguments);
    EXPECT_EQ(run.status, 2) << row.arguments;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string(row.error) + "Try 'loopcost --help' for more information.\n");
  }
}

// `bytes` read as `encoding` by iconv, in UTF-8, or nothing where iconv finds it is not that.
std::optional<std::string> readAs(const std::string& bytes, const std::string& encoding) {
  const ScratchDirectory scratch;
  writeFile(scratch.path("text"), bytes);
  const ToolRun run = runShell("iconv -f " + encoding + " -t UTF-8 '" + scratch.path("text") + "'");
  if (run.status != 0) return std::nullopt;
  return run.out;
}

// In Chinese, into a pipe, every report, the help and a usage error are Big5 from end to end on
// each stream, names and offending characters included, and say what -e utf-8 says in UTF-8.
TEST(CommandLine, WritesEachStreamInOneEncoding) {
  const ScratchDirectory folder;
  writeFile(folder.path("作業一.txt"), "BEGIN LOOP n a+b; END END\n");
  writeFile(folder.path("王小明.txt"), "BEGIN\n  a + b；\nEND\n");
  writeFile(folder.path("參考.txt"), "BEGIN LOOP n LOOP n a*b; END END END\n");
  const std::vector<std::vector<std::string>> commands = {
      {"-x", "作業一.txt", "王小明.txt"},
      {"--compare", "-x", "作業一.txt", "參考.txt"},
      {"--summary", "作業一.txt", "王小明.txt", "缺少.txt"},
      {"--reference", "參考.txt", "作業一.txt", "王小明.txt"},
      {"--cpu", "1,1", "--cpu", "1,1", "作業一.txt"},
      {"--help"},
      {"--cpu", "2，4", "作業一.txt"},
  };
  for (const auto& arguments : commands) {
    SCOPED_TRACE(arguments.front());
    const ToolRun big5 = runLoopcost(folder.path(), "", arguments, "zh_TW.UTF-8");
    std::vector<std::string> inUtf8 = {"-e", "utf-8"};
    inUtf8.insert(inUtf8.end(), arguments.begin(), arguments.end());
    const ToolRun utf8 = runLoopcost(folder.path(), "", inUtf8, "zh_TW.UTF-8");
    EXPECT_EQ(readAs(big5.out, "BIG5"), readAs(utf8.out, "UTF-8"));
    EXPECT_EQ(readAs(big5.err, "BIG5"), readAs(utf8.err, "UTF-8"));
    EXPECT_EQ(readAs(utf8.out, "UTF-8"), utf8.out);
    EXPECT_EQ(readAs(utf8.err, "UTF-8"), utf8.err);
    EXPECT_NE(big5.out + big5.err, utf8.out + utf8.err);  // there was Chinese to write
    EXPECT_EQ(big5.status, utf8.status);
  }
}

TEST(CommandLine, GivesUpOnAnEndlessWordAtOnce) {
  const auto start = std::chrono::steady_clock::now();
  const ToolRun run = runShell("$LOOPCOST /dev/zero");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(run.status, 1);
  const std::string prefix = "/dev/zero:1:1: a program starts with BEGIN, not '\\x00";
  EXPECT_EQ(run.err.substr(0, prefix.size()), prefix);
  EXPECT_EQ(run.err.substr(run.err.size() - 10), "\\x00...']\n");
}

TEST(CommandLine, WritesUtf8OnlyToAUtf8Terminal) {
  const std::string utf8Prompt = "\xE8\xAB\x8B\xE8\xBC\xB8";
  const std::string big5Prompt = "\xBD\xD0\xBF\xE9";
  const ToolRun terminal = runShell("LC_ALL=C.UTF-8 script -qec \"$LOOPCOST\" /dev/null");
  EXPECT_NE(terminal.out.find(utf8Prompt), std::string::npos) << terminal.out;
  const ToolRun pipe = runShell("LC_ALL=C.UTF-8 $LOOPCOST | cat");
  EXPECT_EQ(pipe.out.substr(0, big5Prompt.size()), big5Prompt);
}

// Single precision stops counting past 2^24: 200000 additions of 2 after a cost of 2^26 are lost.
TEST(CommandLine, WarnsWhereSinglePrecisionPrintsAWrongCost) {
  const ScratchDirectory directory;
  std::string text = "BEGIN ";
  for (int i = 0; i < 200000; ++i) text += "a+b;";
  writeFile(directory.path("sums.txt"), text + " LOOP 33554432 a+b; END END");
  const ToolRun run = runShell("cd " + directory.path() + " && $LOOPCOST sums.txt");
  EXPECT_NE(run.out.find(" = 6.7e+07\n"), std::string::npos);
  EXPECT_EQ(run.err,
            "loopcost: sums.txt: warning: CPU1(2,4): single precision prints 6.7e+07, the exact "
            "cost is 67508864\n");
  EXPECT_EQ(run.status, 0);
}

#ifndef LOOPCOST_SANITIZE  // the sanitizers reserve more address space than the limit allows
TEST(CommandLine, ReportsRunningOutOfMemoryAndGoesOn) {
  const ScratchDirectory directory;
  std::string big = "BEGIN ";
  for (int i = 0; i < 4000000; ++i) big += "a+b*c;";
  writeFile(directory.path("big.txt"), big + " END");
  const ToolRun run =
      runShell("cd " + directory.path() + " && ulimit -v 400000 && $LOOPCOST big.txt " + EXAMPLES +
               "linear_search.txt");
  EXPECT_EQ(run.err, "loopcost: big.txt: out of memory\n");
  const std::string headers = "==> big.txt <==\n==> " + EXAMPLES + "linear_search.txt <==\nBEGIN\n";
  EXPECT_EQ(run.out.substr(0, headers.size()), headers);
  EXPECT_EQ(run.status, 1);
}

// Under any limit on memory every mode either finishes or says "out of memory" and nothing
// else on standard error, with exit status 1, having written a beginning of what it writes
// without the limit, or in JSON a whole document that says so.
TEST(CommandLine, RunsOutOfMemoryCleanlyUnderEveryLimit) {
  const ScratchDirectory directory;
  std::string program = "BEGIN\n";
  for (int i = 0; i < 60000; ++i) program += i % 10 == 0 ? "LOOP n x*y+z; END\n" : "x*y+z*w+q;\n";
  for (int i = 0; i < 150; ++i) program += "LOOP n a+b*c; ";
  for (int i = 0; i < 150; ++i) program += "END ";
  writeFile(directory.path("big.txt"), program + "END\n");
  const std::string run = "cd " + directory.path() + " && ";
  for (const std::string command : {"printf 'big.txt\\n' | $LOOPCOST", "$LOOPCOST big.txt",
                                    "$LOOPCOST -x big.txt", "$LOOPCOST -f json big.txt"}) {
    const ToolRun whole = runShell(run + command);
    ASSERT_EQ(whole.status, 0) << command;
    for (int megabytes = 16; megabytes <= 40; megabytes += 2) {
      SCOPED_TRACE(command + " under " + std::to_string(megabytes) + " MB");
      const ToolRun limited =
          runShell(run + "ulimit -v " + std::to_string(megabytes * 1024) + " && " + command);
      if (limited.status == 0) {
        EXPECT_EQ(limited.out, whole.out);
      } else {
        EXPECT_EQ(limited.status, 1);
        EXPECT_EQ(limited.err, "loopcost: big.txt: out of memory\n");
        const auto document = nlohmann::json::parse(limited.out, nullptr, false);
        const bool told =
            document.is_object() && document["files"][0]["error"]["message"] == "out of memory";
        EXPECT_TRUE(limited.out == whole.out.substr(0, limited.out.size()) || told) << limited.out;
      }
    }
  }
}
// The classroom's tables under any limit on memory: each line on standard error says what ran out
// of it, and a table that is written has a row for every file, one too large included; in JSON,
// an entry and a grade for every file.
TEST(CommandLine, KeepsARowPerFileWhenMemoryRunsOut) {
  const ScratchDirectory directory;
  std::string big = "BEGIN\n";
  for (int i = 0; i < 200000; ++i) big += "x*y+z;\n";
  writeFile(directory.path("big.txt"), big + "END\n");
  writeFile(directory.path("ref.txt"), "BEGIN LOOP n LOOP n a; END END END\n");
  writeFile(directory.path("small.txt"), "BEGIN LOOP n a+b; END END\n");
  const std::string files = " ref.txt big.txt small.txt";
  for (const std::string& command :
       {"$LOOPCOST --summary" + files, "$LOOPCOST --reference ref.txt" + files,
        "$LOOPCOST --summary --reference ref.txt" + files,
        "$LOOPCOST -f json --reference ref.txt" + files}) {
    for (int megabytes = 12; megabytes <= 40; megabytes += 4) {
      SCOPED_TRACE(command + " under " + std::to_string(megabytes) + " MB");
      const ToolRun run = runShell("cd " + directory.path() + " && ulimit -v " +
                                   std::to_string(megabytes * 1024) + " && " + command);
      EXPECT_TRUE(run.status == 0 || run.status == 1);
      std::istringstream err(run.err);
      for (std::string line; std::getline(err, line);) {
        EXPECT_TRUE(line.size() > 15 && line.compare(line.size() - 15, 15, ": out of memory") == 0)
            << line;
      }
      const auto document = nlohmann::json::parse(run.out, nullptr, false);
      if (document.is_object()) {
        EXPECT_EQ(document["files"].size(), 3u);
        if (document["reference"].is_object() && document["reference"]["ok"] == true) {
          EXPECT_EQ(document["reference"]["grades"].size(), 3u);
        }
      } else if (run.out.rfind("file\t", 0) == 0) {
        for (const char* file : {"\nref.txt\t", "\nbig.txt\t", "\nsmall.txt\t"}) {
          EXPECT_NE(run.out.find(file), std::string::npos) << file << run.out;
        }
      }
    }
  }
}

#endif

TEST(CommandLine, WritesOneJsonDocumentForTheRun) {
  const ToolRun run = runShell("cd " SOURCE_DIR
                               " && $LOOPCOST --format=json --cpu 3,0.5 "
                               "examples/linear_search.txt tests/golden/term_even_length/prog.txt "
                               "nosuch.txt");
  EXPECT_EQ(run.status, 1);
  const auto document = nlohmann::json::parse(run.out);
  EXPECT_EQ(document["version"], 1);
  const auto& files = document["files"];
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0]["file"], "examples/linear_search.txt");
  EXPECT_EQ(files[0]["ok"], true);
  EXPECT_EQ(files[0]["program"],
            "BEGIN\n  i ;\n  LOOP n\n    i + o ;\n    f + x * y ;\n  END\nEND\n");
  const auto& model = files[0]["models"][0];
  EXPECT_EQ(model["name"], "CPU1(3,0.5)");
  EXPECT_EQ(model["addition"], 3);
  EXPECT_EQ(model["multiplication"], 0.5);
  EXPECT_EQ(model["cost"]["text"], "6.5 * n^1");
  EXPECT_EQ(model["cost"]["coefficients"], nlohmann::json::parse("[0, 6.5]"));
  EXPECT_EQ(model["exact"]["text"], "6.5 * n^1");
  EXPECT_EQ(model["exact"]["coefficients"], nlohmann::json::parse(R"(["0", "13/2"])"));
  EXPECT_EQ(files[0]["statements"][1], nlohmann::json::parse(R"(
      {"line": 3, "kind": "loop", "depth": 1, "count": "n",
       "runs": {"factor": "1", "power": 0, "text": "1"},
       "costs": [{"text": "6.5 * n^1", "coefficients": ["0", "13/2"]}]})"));
  EXPECT_EQ(files[0]["statements"][3]["runs"],
            nlohmann::json::parse(R"({"factor": "1", "power": 1, "text": "n^1"})"));
  EXPECT_EQ(files[0]["statements"][3]["multiplications"], 1);
  EXPECT_EQ(files[0]["growth"], nlohmann::json::parse(R"(["n^1"])"));
  EXPECT_EQ(files[0]["comparison"],
            nlohmann::json::parse(R"j([{"from": 0, "to": null, "cheapest": ["CPU1(3,0.5)"]}])j"));
  EXPECT_EQ(files[1]["ok"], false);
  EXPECT_EQ(files[1]["error"]["message"], "Term(int,char[]): input syntax error (2) at 'ab+c'");
  EXPECT_EQ(files[1]["error"]["line"], 1);
  EXPECT_EQ(files[2]["error"],
            nlohmann::json::parse(R"({"message": "No such file or directory"})"));
  EXPECT_EQ(runShell("$LOOPCOST -f json " + EXAMPLES + "*.txt | python3 -m json.tool").status, 0);
  // Every error has one shape, the reference's and a grade's included.
  const auto graded = nlohmann::json::parse(
      runShell("cd " SOURCE_DIR " && $LOOPCOST -f json --reference examples/all_pairs.txt "
               "tests/golden/term_even_length/prog.txt")
          .out);
  EXPECT_EQ(graded["reference"]["grades"][0]["error"], files[1]["error"]);
  const auto broken = nlohmann::json::parse(
      runShell("cd " SOURCE_DIR " && $LOOPCOST -f json --reference nosuch.txt examples/*.txt").out);
  EXPECT_EQ(broken["reference"]["error"], files[2]["error"]);
  // A line separator in a name would end a line for JavaScript's JSON.parse of old.
  const ToolRun separated = runShell("$LOOPCOST -f json \"$(printf 'a\\342\\200\\250b')\"");
  EXPECT_NE(separated.out.find("\"a\\u2028b\""), std::string::npos) << separated.out;
  EXPECT_EQ(separated.out.find("\xE2\x80\xA8"), std::string::npos);
}

TEST(CommandLine, HelpReadmeAndManualsListTheSameOptions) {
  const std::string help = runShell("$LOOPCOST --help").out;
  const std::string readme = readFile(SOURCE_DIR "/README.md");
  const std::string manual = readFile(SOURCE_DIR "/doc/loopcost.1");
  const std::string chinese = readFile(SOURCE_DIR "/doc/loopcost.zh_TW.1");
  int count = 0;
  for (std::size_t at = help.find("--"); at != std::string::npos; at = help.find("--", at + 2)) {
    const std::string name =
        help.substr(at + 2, help.find_first_not_of("abcdefghijklmnopqrstuvwxyz-", at + 2) - at - 2);
    EXPECT_NE(readme.find("`--" + name), std::string::npos) << name;
    EXPECT_NE(manual.find("\\-\\-" + name), std::string::npos) << name;
    EXPECT_NE(chinese.find("\\-\\-" + name), std::string::npos) << name;
    ++count;
  }
  EXPECT_GE(count, 6);
}

}  // namespace
