#include "statements/statementlist.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "tests/support.h"

namespace {

constexpr auto parse = fromText<Statementlist>;

TEST(Statementlist, ReadsStatementsUntilOneCannotStart) {
  std::istringstream in("a; b+c;d*e;\n LOOP 2 f; END END rest");
  const Statementlist list(in);
  EXPECT_EQ(printedAt(list, 2), "  a ;\n  b + c ;\n  d * e ;\n  LOOP 2\n    f ;\n  END\n");
  std::string rest;
  std::getline(in, rest);
  EXPECT_EQ(rest, "END rest");
}

TEST(Statementlist, CostsTheSumOfItsStatements) {
  EXPECT_EQ(printed(parse("a; b+c; d*e; END")->evaluate(cpu1())), "6\n");
  EXPECT_EQ(printed(parse("a+b; LOOP n a*b; END END")->evaluate(cpu2())), "5 * n^1 + 1\n");
  EXPECT_EQ(printed(parse("a*b*c+d; END")->evaluate(cpu1())), "10\n");
}

TEST(Statementlist, SumsFromTheRight) {
  // With prices that round, summing from the left would give different float bits.
  const CPUContext context(0.1f, 0.7f);
  const auto list = parse("a+b; c*d; e+f+g; h*i+j; END");
  const float expected = 0.1f + (0.7f + ((0.1f + 0.1f) + (0.7f + 0.1f)));
  EXPECT_EQ(list->evaluate(context).coefficient(0), expected);
}

TEST(Statementlist, ReportsWhatCannotStartAStatement) {
  const std::string prefix = "Statementlist(isttream&): input syntax error at '";
  expectSyntaxErrors(
      parse, {
                 {"END", prefix + "E'"},
                 {"5;", prefix + "5'"},
                 {"+a;", prefix + "+'"},
                 {"Xa;", prefix + "X'"},
                 {"", prefix + "'"},
                 {"   \n", prefix + "'"},
                 {"a;", prefix + "'"},  // the input ends where the next statement or END should be
                 {std::string("\0;", 2), prefix + std::string(1, '\0') + "'"},
                 {"\xE4;", prefix + "\xE4'"},
             });
}

TEST(Statementlist, HandsLoopsAndExpressionsToTheirParsers) {
  EXPECT_EQ(syntaxErrorOf([] { parse("Lx n a; END END"); }),
            "LoopStatement(istream&): input syntax error at 'Lx'");
  EXPECT_EQ(syntaxErrorOf([] { parse("aB; END"); }),
            "ExpressionStatement(istream&): input syntax error at 'a'");
}

TEST(Statementlist, EqualOnlyWithTheSameStatementsInTheSameNumber) {
  expectEquality(parse, {
                            {"a; b; END", "a;b; END", 1},
                            {"a; b; END", "a; END", 0},
                            {"a; END", "a; b; END", 0},
                            {"a; b; END", "b; a; END", 0},
                            {"LOOP n a; END END", "LOOP n a; END END", 1},
                            {"LOOP n a; END END", "a; END", 0},
                            {"a; END", "LOOP n a; END END", 0},
                            {"LOOP 2 a; END END", "LOOP n a; END END", 0},
                            {"LOOP n a; b; END END", "LOOP n a; END END", 0},
                        });
}

TEST(Statementlist, HandlesAMillionStatements) {
  std::string text;
  for (int i = 0; i < 1000000; ++i) text += i % 10 == 0 ? "LOOP n a*b; END\n" : "x+y;\n";
  text += "END";
  const auto list = parse(text);
  EXPECT_EQ(printed(list->evaluate(cpu1())), "4e+05 * n^1 + 1.8e+06\n");
  EXPECT_EQ(list->evaluate(cpu2()).coefficient(1), 500000.0f);
  const std::string echo = printedAt(*list, 2);
  EXPECT_EQ(echo.size(), 100000 * (9 + 12 + 6) + 900000 * 10);
  EXPECT_EQ(list->equals(parse(text).get()), 1);
}

}  // namespace
