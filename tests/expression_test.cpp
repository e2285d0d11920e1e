#include "expressions/expression.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support.h"

namespace {

std::unique_ptr<Expression> parse(std::string text) {
  return std::make_unique<Expression>(static_cast<int>(text.size()), &text[0]);
}

struct Case {
  const char* text;
  const char* printed;
  const char* cost1;
  const char* cost2;
};

TEST(Expression, PrintsAndCostsSumsOfProducts) {
  const Case cases[] = {
      {"a", "a", "0\n", "0\n"},
      {"a+b", "a + b", "2\n", "1\n"},
      {"a*b", "a * b", "4\n", "5\n"},
      {"a*b*c", "a * b * c", "8\n", "10\n"},
      {"a*b*c+d", "a * b * c + d", "10\n", "11\n"},
      {"a**", "a * *", "4\n", "5\n"},
      {"n*n", "n * n", "4\n", "5\n"},
      {"a+b*c+d*e*f", "a + b * c + d * e * f", "16\n", "17\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto expression = parse(c.text);
    EXPECT_EQ(printed(*expression), c.printed);
    EXPECT_EQ(printed(expression->evaluate(cpu1())), c.cost1);
    EXPECT_EQ(printed(expression->evaluate(cpu2())), c.cost2);
  }
}

TEST(Expression, ReportsTheRightmostErrorFirst) {
  const std::string term = "Term(int,char[]): input syntax error";
  expectSyntaxErrors(parse, {
                                {"", term + ": illegal term"},
                                {"a+", term + ": illegal term"},
                                {"a++b", term + ": illegal term"},
                                {"+a", "Syntax error at '+'"},
                                {"+a+b", "Syntax error at '+'"},
                                {"ab", term + " (2) at 'ab'"},
                                {"ab+cd", term + " (2) at 'cd'"},
                                {"ab+c", term + " (2) at 'ab+c'"},
                                {"abc", term + " at 'abc'"},
                                {"abc*d", term + " at 'abc*d'"},
                                {"a+abc*d+e", term + " at 'abc*d+e'"},
                                {"ab+", term + ": illegal term"},
                            });
}

TEST(Expression, ComparesShapeAndCharacters) {
  expectEquality(parse, {
                            {"a+b", "a+b", 1},
                            {"a+b", "b+a", 0},
                            {"a", "a+b", 0},
                            {"a+b", "a", 0},
                            {"a*b+c", "a+b*c", 0},
                            {"a*b", "a*b", 1},
                            {"a*b", "b*a", 0},
                            {"a", "a*b", 0},
                            {"a*b+c*d", "a*b+c*d", 1},
                            {"a*b+c", "a*c+c", 0},
                        });
}

TEST(Expression, SumsInTheOrderOfTheRecursiveDefinition) {
  // With prices that round, a different association would give different float bits.
  const CPUContext context(0.1f, 0.3f);
  const auto expression = parse("a*b+c+d*e*f+g+h*i");
  const float m = 0.3f;
  const float a = 0.1f;
  float cost = m;                        // a*b
  cost = (0.0f + cost) + a;              // + c
  cost = ((m + (m + 0.0f)) + cost) + a;  // + d*e*f
  cost = (0.0f + cost) + a;              // + g
  cost = ((m + 0.0f) + cost) + a;        // + h*i
  EXPECT_EQ(expression->evaluate(context).coefficient(0), cost);
}

TEST(Expression, HandlesAMillionCharacterSum) {
  std::string text;
  for (int i = 0; i < 250000; ++i) text += "a*b+";
  text += "c";  // 1,000,001 characters: 250,000 '+' and 250,000 '*'
  const auto expression = parse(text);
  const std::string echo = printed(*expression);
  EXPECT_EQ(echo.size(), text.size() + 2 * 500000);  // each operator gains two blanks
  EXPECT_EQ(echo.substr(0, 14), "a * b + a * b ");
  EXPECT_EQ(echo.substr(echo.size() - 9), "a * b + c");
  EXPECT_EQ(printed(expression->evaluate(cpu1())), "1.5e+06\n");
  EXPECT_EQ(expression->evaluate(cpu2()).coefficient(0), 1500000.0f);
  EXPECT_EQ(expression->equals(parse(text).get()), 1);
}

}  // namespace
