#include "statements/expressionstatement.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support.h"

namespace {

TEST(ExpressionStatement, ReadsUpToTheSemicolonPrintsOneLineAndCostsItsExpression) {
  const struct {
    const char* input;
    int indent;
    const char* printed;
    const char* rest;
    const char* cost1;
    const char* cost2;
  } cases[] = {
      {"a;", 0, "a ;\n", "", "0\n", "0\n"},
      {"a+b*c;", 2, "  a + b * c ;\n", "", "6\n", "6\n"},
      {"a + b\n *\tc  ;END", 0, "a + b * c ;\n", "END", "6\n", "6\n"},
      {"x;y;", 4, "    x ;\n", "y;", "0\n", "0\n"},
      {"a**;", -3, "a * * ;\n", "", "4\n", "5\n"},
      {"a*b*c+d ; ", 1, " a * b * c + d ;\n", " ", "10\n", "11\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    std::istringstream in(c.input);
    const ExpressionStatement statement(in);
    EXPECT_EQ(printedAt(statement, c.indent), c.printed);
    EXPECT_EQ(printed(statement.evaluate(cpu1())), c.cost1);
    EXPECT_EQ(printed(statement.evaluate(cpu2())), c.cost2);
    std::string rest;
    std::getline(in, rest, '\0');
    EXPECT_EQ(rest, c.rest);
  }
}

TEST(ExpressionStatement, QuotesTheTextBeforeAStrangeCharacter) {
  const std::string prefix = "ExpressionStatement(istream&): input syntax error at '";
  expectSyntaxErrors(fromText<ExpressionStatement>,
                     {
                         {"a+bC;", prefix + "a+b'"},
                         {"a+b", prefix + "a+b'"},  // the input ends before the ';'
                         {"a + b\n", prefix + "a+b'"},
                         {"a+b END", prefix + "a+b'"},
                         {"a(b);", prefix + "a'"},
                         {"a1;", prefix + "a'"},
                         {"ab\x80;", prefix + "ab'"},
                         {std::string("a\0b;", 4), prefix + "a'"},
                         {"a\x7f;", prefix + "a'"},
                         {"a+*b;", "Term(int,char[]): input syntax error (2) at '*b'"},
                     });
}

TEST(ExpressionStatement, ComparesExpressions) {
  std::istringstream in("a+b; a + b ; b+a;");
  const ExpressionStatement first(in), second(in), third(in);
  EXPECT_EQ(first.equals(&second), 1);
  EXPECT_EQ(first.equals(&third), 0);
}

}  // namespace
