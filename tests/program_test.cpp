#include "statements/program.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "tests/support.h"

namespace {

constexpr auto parse = fromText<Program>;

TEST(Program, PrintsTheWorkedExample) {
  const auto program = parse("BEGIN a+b; LOOP n a*b; END END");
  EXPECT_EQ(printed(*program), "BEGIN\n  a + b ;\n  LOOP n\n    a * b ;\n  END\nEND\n");
  EXPECT_EQ(printed(program->evaluate(cpu1())), "4 * n^1 + 2\n");
  EXPECT_EQ(printed(program->evaluate(cpu2())), "5 * n^1 + 1\n");
}

TEST(Program, LayoutOfTheInputDoesNotMatter) {
  const auto oneLine = parse("BEGIN a+b; END");
  const auto spread = parse("\n\tBEGIN\n  a\n +\n b\n ;\nEND\n");
  EXPECT_EQ(oneLine->equals(spread.get()), 1);
  EXPECT_EQ(printed(*oneLine), printed(*spread));
  EXPECT_EQ(oneLine->equals(parse("BEGIN a+c; END").get()), 0);
}

TEST(Program, IgnoresWhatFollowsEnd) {
  std::istringstream in("BEGIN a; END BEGIN junk");
  const Program program(in);
  std::string rest;
  std::getline(in, rest);
  EXPECT_EQ(rest, " BEGIN junk");
}

TEST(Program, ReportsTheWordInsteadOfAKeyword) {
  const std::string prefix = "Program(istream&): input syntax error at '";
  expectSyntaxErrors(
      parse, {
                 {"begin a; END", prefix + "begin'"},
                 {"BEGIN a; END.", prefix + "END.'"},
                 {"BEGINa+b; END", prefix + "BEGINa+b;'"},
                 {"", prefix + "'"},
                 {" \n\t", prefix + "'"},
                 {"BEGIN a; FIN", prefix + "FIN'"},
                 {"BEGIN a; end", "ExpressionStatement(istream&): input syntax error at 'end'"},
                 {"BEGIN END", "Statementlist(isttream&): input syntax error at 'E'"},
                 {"BEGIN a;", "Statementlist(isttream&): input syntax error at ''"},
             });
}

}  // namespace
