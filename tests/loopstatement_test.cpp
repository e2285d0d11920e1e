#include "statements/loopstatement.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "statements/expressionstatement.h"
#include "tests/support.h"

namespace {

constexpr auto parse = fromText<LoopStatement>;

std::string nested(int depth, const std::string& header) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "LOOP " + header + "\n";
  text += "a*b;";
  for (int i = 0; i < depth; ++i) text += " END";
  return text;
}

TEST(LoopStatement, PrintsAndCostsItsBody) {
  const struct {
    const char* text;
    const char* printed;  // at indent 2
    const char* cost1;
    const char* cost2;
  } cases[] = {
      {"LOOP n a*b; END", "  LOOP n\n    a * b ;\n  END\n", "4 * n^1\n", "5 * n^1\n"},
      {"LOOP 3 a+b; END", "  LOOP 3\n    a + b ;\n  END\n", "6\n", "3\n"},
      {"LOOP 0 a*b+c; END", "  LOOP 0\n    a * b + c ;\n  END\n", "0\n", "0\n"},
      {"LOOP -5 a+b; END", "  LOOP n\n    a + b ;\n  END\n", "2 * n^1\n", "n^1\n"},
      {"LOOP +7 a*b; END", "  LOOP 7\n    a * b ;\n  END\n", "28\n", "35\n"},
      {"LOOP 50 a*b*c+d; END", "  LOOP 50\n    a * b * c + d ;\n  END\n", "5e+02\n", "5.5e+02\n"},
      {"LOOP n a+b; LOOP n c*d; END END",
       "  LOOP n\n    a + b ;\n    LOOP n\n      c * d ;\n    END\n  END\n", "4 * n^2 + 2 * n^1\n",
       "5 * n^2 + n^1\n"},
      {"LOOP 2147483647 a+b; END", "  LOOP 2147483647\n    a + b ;\n  END\n", "4.3e+09\n",
       "2.1e+09\n"},
      {"LOOP -2147483648 a+b; END", "  LOOP n\n    a + b ;\n  END\n", "2 * n^1\n", "n^1\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto loop = parse(c.text);
    EXPECT_EQ(printedAt(*loop, 2), c.printed);
    EXPECT_EQ(printed(loop->evaluate(cpu1())), c.cost1);
    EXPECT_EQ(printed(loop->evaluate(cpu2())), c.cost2);
  }
}

TEST(LoopStatement, ReportsTheWordOrHeaderItFound) {
  const std::string prefix = "LoopStatement(istream&): input syntax error at '";
  expectSyntaxErrors(
      parse, {
                 {"LOP n a; END", prefix + "LOP'"},
                 {"LOOPn a; END", prefix + "LOOPn'"},
                 {"Loop n a; END", prefix + "Loop'"},
                 {"LOOP x a; END", prefix + "x'"},
                 {"LOOP xyz; END", prefix + "xyz;'"},
                 {"LOOP N a; END", prefix + "N'"},
                 {"LOOP - a; END", prefix + "-'"},
                 {"LOOP +x; END", prefix + "+x;'"},
                 {"LOOP 2147483648 a; END", prefix + "2147483648'"},
                 {"LOOP -2147483649 a; END", prefix + "-2147483649'"},
                 {"LOOP 99999999999999999999999a; END", prefix + "99999999999999999999999a;'"},
                 {"LOOP", prefix + "'"},
                 {"LOOP n a; ENDX", prefix + "ENDX'"},
                 {"LOOP n a; END;", prefix + "END;'"},
                 {"LOOP 3 a; E", prefix + "E'"},
                 {"LOOP n END", "Statementlist(isttream&): input syntax error at 'E'"},
                 {"LOOP n a;", "Statementlist(isttream&): input syntax error at ''"},
             });
}

TEST(LoopStatement, NestsUpToAThousandLevels) {
  const auto loop = parse(nested(1000, "n"));
  const std::string echo = printedAt(*loop, 2);
  EXPECT_NE(echo.find(std::string(2 + 2 * 1000, ' ') + "a * b ;\n"), std::string::npos);
  EXPECT_EQ(printed(loop->evaluate(cpu1())), "4 * n^1000\n");
  EXPECT_EQ(loop->equals(parse(nested(1000, "n")).get()), 1);

  EXPECT_EQ(syntaxErrorOf([] { parse(nested(1001, "2")); }),
            "LoopStatement(istream&): loops nested too deeply (more than 1000 levels)");
}

TEST(LoopStatement, DeepNLoopsGrowThePolynomial) {
  EXPECT_EQ(printed(parse(nested(25, "n"))->evaluate(cpu2())), "5 * n^25\n");
  EXPECT_EQ(printed(parse(nested(19, "n"))->evaluate(cpu1())), "4 * n^19\n");
  EXPECT_EQ(printed(parse(nested(20, "n"))->evaluate(cpu1())), "4 * n^20\n");
}

TEST(LoopStatement, EqualWhenCountsAndBodiesAre) {
  expectEquality(parse,
                 {
                     {"LOOP n a; END", "LOOP -1 a; END", 1},
                     {"LOOP n a; END", "LOOP -2 a; END", 0},  // counts are compared as integers
                     {"LOOP 3 a; END", "LOOP 3 a; END", 1},
                     {"LOOP 3 a; END", "LOOP 4 a; END", 0},
                     {"LOOP 3 a; END", "LOOP 3 b; END", 0},
                 });
  std::istringstream in("a;");
  const ExpressionStatement expression(in);
  EXPECT_EQ(parse("LOOP n a; END")->equals(&expression), 0);
  EXPECT_EQ(expression.equals(parse("LOOP n a; END").get()), 0);
}

}  // namespace
