#include "statements/program.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "tests/support.h"

namespace {

constexpr auto parse = fromText<Program>;

// One example per sentence of the README's language section: the text and the body of its echo
// (between BEGIN and END), or "" where the text is an error.
TEST(Program, ReadsTheLanguageAsTheReadmeDescribesIt) {
  const struct {
    std::string text;
    std::string body;
  } cases[] = {
      {"BEGIN a; END", "  a ;\n"},
      {"BEGIN a + b\n* c ; END", "  a + b * c ;\n"},
      {"BEGINa; END", ""},
      {"BEGIN LOOP na; END END", "  LOOP n\n    a ;\n  END\n"},
      {"BEGIN LOOP 5a; END END", "  LOOP 5\n    a ;\n  END\n"},
      {"BEGIN LOOP +7 a; END END", "  LOOP 7\n    a ;\n  END\n"},
      {"BEGIN LOOP -3 a; END END", "  LOOP n\n    a ;\n  END\n"},
      {"BEGIN a**; n*n; END", "  a * * ;\n  n * n ;\n"},
      {"BEGIN a; END END", "  a ;\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string echo;
    const std::string error = syntaxErrorOf([&] { echo = printed(*parse(c.text)); });
    EXPECT_EQ(error.empty() ? echo : "", c.body.empty() ? "" : "BEGIN\n" + c.body + "END\n");
  }
}

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
