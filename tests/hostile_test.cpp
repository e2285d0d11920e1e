// Malformed, truncated and oversized inputs: each must give either a parse or exactly one
// syntax-error line, never a crash, a hang or a second line.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "statements/program.h"
#include "tests/runtool.h"
#include "tests/support.h"

namespace {

// Every construct once: loops by n and by count, sums, products, nesting.
const std::string SAMPLE = "BEGIN a+b*c; LOOP n x; LOOP 12 y*z+w; END END q; END";

bool isSyntaxErrorLine(const std::string& line) {
  for (const char* prefix :
       {"Program(istream&): ", "Statementlist(isttream&): ", "ExpressionStatement(istream&): ",
        "LoopStatement(istream&): ", "Term(int,char[]): ", "Syntax error at '"}) {
    if (line.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

// The error line, or "" when the text parses.
std::string parseError(const std::string& text) {
  return syntaxErrorOf([&] { fromText<Program>(text); });
}

bool reportedBy(const std::string& line, const std::string& parser) {
  return line.rfind(parser + "(", 0) == 0;
}

// A cut program fails in the parser whose construct it cuts, as the grammar says: only a cut
// inside the first or the last keyword is the program's; a cut inside an expression statement,
// after its first letter and before its ';', is the statement's.
TEST(Program, EveryTruncationIsReportedByTheConstructItCuts) {
  const std::size_t lastEnd = SAMPLE.rfind("END");
  for (std::size_t length = 0; length < SAMPLE.size(); ++length) {
    SCOPED_TRACE(SAMPLE.substr(0, length));
    const std::string line = parseError(SAMPLE.substr(0, length));
    EXPECT_TRUE(isSyntaxErrorLine(line));
    EXPECT_EQ(reportedBy(line, "Program"), length < 5 || length > lastEnd) << line;
    for (const char* statement : {"a+b*c;", "x;", "y*z+w;", "q;"}) {
      const std::size_t start = SAMPLE.find(statement);
      const std::size_t semicolon = SAMPLE.find(';', start);
      if (length > start && length <= semicolon) {
        EXPECT_TRUE(reportedBy(line, "ExpressionStatement")) << line;
      }
    }
  }
  EXPECT_EQ(parseError(SAMPLE), "");
}

TEST(Program, AnyByteAnywhereParsesOrFailsCleanly) {
  for (const char strange : {'\0', '\x80', '\xff', '\x1b', '\r', 'L', '+', ';', '9'}) {
    for (std::size_t at = 0; at < SAMPLE.size(); ++at) {
      std::string text = SAMPLE;
      text[at] = strange;
      const std::string line = parseError(text);
      EXPECT_TRUE(line.empty() || isSyntaxErrorLine(line)) << line;
      // A byte that no statement may hold, inside a statement after its first letter.
      const bool foreign = strange == '\0' || (strange & 0x80) != 0 || strange == '\x1b';
      for (const char* statement : {"a+b*c;", "x;", "y*z+w;", "q;"}) {
        const std::size_t start = SAMPLE.find(statement);
        if (foreign && at > start && at < SAMPLE.find(';', start)) {
          EXPECT_TRUE(reportedBy(line, "ExpressionStatement")) << line;
        }
      }
      text.insert(at, 1, strange);
      const std::string inserted = parseError(text);
      EXPECT_TRUE(inserted.empty() || isSyntaxErrorLine(inserted)) << inserted;
    }
  }
}

TEST(Loopcost, QuotesNulAndHighBytesVerbatim) {
  const struct {
    std::string program;
    std::string err;
  } cases[] = {
      {std::string("BEGIN ") + '\0' + " END",
       std::string("Statementlist(isttream&): input syntax error at '") + '\0' + "'\n"},
      {std::string("BEGIN a; ") + '\0' + " END",
       std::string("Program(istream&): input syntax error at '") + '\0' + "'\n"},
      {"BEGIN \xA4\x4A; END", "Statementlist(isttream&): input syntax error at '\xA4'\n"},
      {"BEGIN ab\xFF; END", "ExpressionStatement(istream&): input syntax error at 'ab'\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = runOn(c.program);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, PROMPT);
    EXPECT_EQ(run.err, c.err);
  }
}

TEST(Loopcost, RunsAOneMegabyteStatement) {
  std::string statement;
  for (int i = 0; i < 262144; ++i) statement += "a*b+";
  const ToolRun run = runOn("BEGIN " + statement + "c; END");
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("a * b + c ;\nEND\nCPU1(2,4)\n"), std::string::npos);
  EXPECT_NE(run.out.find(" = 1.6e+06\nCPU2(1,5)\n"), std::string::npos);
}

TEST(Loopcost, TreatsUnusableNamesAsMissingFiles) {
  const std::string missing = "Program(istream&): input syntax error at ''\n";
  const ScratchDirectory directory;
  writeFile(directory.path("p"), "BEGIN a; END");
  for (const std::string& input : {std::string(300, 'p') + "\n", std::string(100000, 'p') + "\n",
                                   std::string("p\0x\n", 4), std::string("./\n")}) {
    const ToolRun run = runLoopcost(directory.path(), input);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, PROMPT);
    EXPECT_EQ(run.err.substr(0, missing.size()), missing);
    EXPECT_EQ(run.err.compare(missing.size(), 17, "loopcost: cannot "), 0) << run.err;
  }
}

TEST(Loopcost, ReadsCountsAtTheIntLimits) {
  const ToolRun run = runOn("BEGIN LOOP 2147483647 a+b; END LOOP -2147483648 c*d; END END");
  ASSERT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("LOOP 2147483647\n    a + b ;\n  END\n  LOOP n\n"), std::string::npos);
  EXPECT_NE(run.out.find(" = 4 * n^1 + 4.3e+09\n"), std::string::npos);

  const ToolRun past = runOn("BEGIN LOOP -2147483649 a; END END");
  EXPECT_EQ(past.err, "LoopStatement(istream&): input syntax error at '-2147483649'\n");
}

}  // namespace
