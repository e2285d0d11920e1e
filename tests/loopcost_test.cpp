// End-to-end runs of the tool on inputs too large to commit: they are generated here.
#include <gtest/gtest.h>

#include <string>

#include "tests/runtool.h"

namespace {

const std::string RUNNING_TIME = "\xB0\xF5\xA6\xE6\xAE\xC9\xB6\xA1 = ";

std::string costLines(const std::string& cost1, const std::string& cost2) {
  return "CPU1(2,4)\n" + RUNNING_TIME + cost1 + "\nCPU2(1,5)\n" + RUNNING_TIME + cost2 + "\n" +
         std::string(45, '=') + "\n" + PROMPT;
}

TEST(Loopcost, RunsAMillionStatements) {
  std::string program = "BEGIN\n";
  for (int i = 0; i < 1000000; ++i) program += i % 10 == 0 ? "LOOP n x*y; END\n" : "x*y+z;\n";
  program += "END\n";
  const ToolRun run = runOn(program);
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const std::string tail =
      "  x * y + z ;\nEND\n" + costLines("4e+05 * n^1 + 5.4e+06", "5e+05 * n^1 + 5.4e+06");
  ASSERT_GE(run.out.size(), tail.size());
  EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
  EXPECT_EQ(run.out.size(), PROMPT.size() + 6 + 100000 * 27 + 900000 * 14 + tail.size() - 14);
}

}  // namespace
