#include "statements/expressionstatement.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "tests/support.h"

namespace {

std::string printedAt(const Statement& statement, int indent) {
  std::ostringstream out;
  statement.print(out, indent);
  return out.str();
}

TEST(ExpressionStatement, ReadsUpToTheSemicolonAndPrintsOneLine) {
  const struct {
    const char* input;
    int indent;
    const char* printed;
    const char* rest;
  } cases[] = {
      {"a+b*c;", 2, "  a + b * c ;\n", ""}, {"a + b\n *\tc  ;END", 0, "a + b * c ;\n", "END"},
      {"x;y;", 4, "    x ;\n", "y;"},       {"a**;", -3, "a * * ;\n", ""},
      {"n*n ; ", 1, " n * n ;\n", " "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    std::istringstream in(c.input);
    const ExpressionStatement statement(in);
    EXPECT_EQ(printedAt(statement, c.indent), c.printed);
    std::string rest;
    std::getline(in, rest, '\0');
    EXPECT_EQ(rest, c.rest);
  }
}

TEST(ExpressionStatement, CostsItsExpression) {
  const struct {
    const char* input;
    const char* cost1;
    const char* cost2;
  } cases[] = {{"a;", "0\n", "0\n"}, {"a+b;", "2\n", "1\n"}, {"a*b*c+d;", "10\n", "11\n"}};
  for (const auto& c : cases) {
    std::istringstream in(c.input);
    const ExpressionStatement statement(in);
    EXPECT_EQ(printed(statement.evaluate(cpu1())), c.cost1);
    EXPECT_EQ(printed(statement.evaluate(cpu2())), c.cost2);
  }
}

TEST(ExpressionStatement, QuotesTheTextBeforeAStrangeCharacter) {
  const std::string prefix = "ExpressionStatement(istream&): input syntax error at '";
  const struct {
    std::string input;
    std::string line;
  } cases[] = {
      {"a+bC;", prefix + "a+b'"},
      {"a+b", prefix + "a+b'"},  // the input ends before the ';'
      {"a + b\n", prefix + "a+b'"},
      {"a+b END", prefix + "a+b'"},
      {"a(b);", prefix + "a'"},
      {"a1;", prefix + "a'"},
      {std::string("ab\x80;"), prefix + "ab'"},
      {std::string("a\0b;", 4), prefix + "a'"},
      {"a\x7f;", prefix + "a'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    std::istringstream in(c.input);
    EXPECT_EQ(syntaxErrorOf([&] { ExpressionStatement statement(in); }), c.line);
  }
}

TEST(ExpressionStatement, PassesMalformedSumsToTheExpression) {
  std::istringstream in("a+*b;");
  EXPECT_EQ(syntaxErrorOf([&] { ExpressionStatement statement(in); }),
            "Term(int,char[]): input syntax error (2) at '*b'");
}

TEST(ExpressionStatement, ComparesExpressions) {
  std::istringstream in("a+b; a + b ; b+a;");
  const ExpressionStatement first(in), second(in), third(in);
  EXPECT_EQ(first.equals(&second), 1);
  EXPECT_EQ(first.equals(&third), 0);
}

TEST(ExpressionStatement, ReadsAMillionCharacterStatement) {
  std::string text;
  for (int i = 0; i < 250000; ++i) text += "x*y+";
  text += "z;";  // 1,000,001 characters before the ';'
  std::istringstream in(text);
  const ExpressionStatement statement(in);
  const std::string echo = printedAt(statement, 2);
  EXPECT_EQ(echo.size(), 2 + 250000 * 8 + 4);
  EXPECT_EQ(echo.substr(echo.size() - 12), "x * y + z ;\n");
  EXPECT_EQ(statement.evaluate(cpu1()).coefficient(0), 250000.0f * 6);
}

}  // namespace
