// The extended dialect: what it reads and refuses, and its exact counts against the loops run
// one pass at a time on random programs.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <sstream>
#include <string>

#include "report/wording.h"
#include "tests/analysischecks.h"

namespace {

ParsedProgram parsedExtended(const std::string& text) {
  std::stringbuf buffer(text);
  return parseProgram(buffer, Places::problem, Dialect::extended);
}

std::string echo(const ParsedProgram& parsed) {
  std::ostringstream out;
  parsed.program->print(out);
  return out.str();
}

TEST(Extended, ReadsCountsAndEchoesThemNormalised) {
  const struct {
    const char* text;
    const char* echo;
  } cases[] = {
      {"BEGIN LOOP n-1 a; END END", "BEGIN\n  LOOP n - 1\n    a ;\n  END\nEND\n"},
      {"BEGIN LOOP (n-1)*(n-2) a; END END",
       "BEGIN\n  LOOP (n - 1) * (n - 2)\n    a ;\n  END\nEND\n"},
      {"BEGIN LOOP i=1 TO n LOOP j = i+1 TO 2*n i*j; END END END",
       "BEGIN\n  LOOP i = 1 TO n\n    LOOP j = i + 1 TO 2 * n\n      i * j ;\n    END\n  "
       "END\nEND\n"},
      {"BEGIN LOOP i = 1 TO n LOOP i a; END END END",
       "BEGIN\n  LOOP i = 1 TO n\n    LOOP i\n      a ;\n    END\n  END\nEND\n"},
      // Classic counts read as the classic dialect reads them.
      {"BEGIN LOOP -3 a; END LOOP na; END LOOP 7 b; END END",
       "BEGIN\n  LOOP n\n    a ;\n  END\n  LOOP n\n    a ;\n  END\n  LOOP 7\n    b ;\n  "
       "END\nEND\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const ParsedProgram parsed = parsedExtended(c.text);
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(echo(parsed), c.echo);
  }
}

TEST(Extended, NamesTheLetterOrTokenItRefuses) {
  const struct {
    const char* text;
    Expected expected;
    const char* found;
  } cases[] = {
      {"BEGIN LOOP i = 1 TO n LOOP q a; END END END", Expected::unknownIndex, "q"},
      {"BEGIN LOOP i = 1 TO n LOOP i = 1 TO 3 a; END END END", Expected::reboundIndex, "i"},
      {"BEGIN LOOP n = 1 TO 3 a; END END", Expected::nIndex, "n"},
      {"BEGIN LOOP i = 1 n a; END END", Expected::to, "n"},
      {"BEGIN LOOP (n-1 a; END END", Expected::extendedCount, "a"},
      {"BEGIN LOOP n * a; END END", Expected::unknownIndex, "a"},
      {"BEGIN LOOP 3000000000 a; END END", Expected::countSize, "3000000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const ParsedProgram parsed = parsedExtended(c.text);
    ASSERT_FALSE(parsed.ok());
    EXPECT_EQ(parsed.spans.problem()->expected, c.expected);
    EXPECT_EQ(parsed.spans.problem()->found, c.found);
  }
  std::string deep = "BEGIN LOOP " + std::string(101, '(') + "n" + std::string(101, ')');
  EXPECT_EQ(parsedExtended(deep + " a; END END").spans.problem()->expected, Expected::groups);
}

// Letters in statements stay plain variables, and a classic program reads the same either way.
TEST(Extended, ReadsClassicProgramsAsTheClassicDialectDoes) {
  for (const char* text : {"BEGIN LOOP n LOOP 3 q*z+n; END END END", "BEGIN LOOP -5 a; END END"}) {
    std::stringbuf buffer(text);
    const ParsedProgram classic = parseProgram(buffer, Places::problem);
    const ParsedProgram extended = parsedExtended(text);
    EXPECT_EQ(echo(extended), echo(classic));
    EXPECT_EQ(extended.program->equals(classic.program.get()), 1);
  }
}

TEST(Extended, RefusesWhereThereIsNoSinglePolynomial) {
  const struct {
    const char* text;
    CountRefusal::Reason reason;
    int line;
  } cases[] = {
      {"BEGIN LOOP k = 0 TO n LOOP m = k TO n - k a; END END END", CountRefusal::Reason::fraction,
       3},
      {"BEGIN LOOP i = 1 TO n LOOP j = 1 TO i*i - n a; END END END",
       CountRefusal::Reason::nonlinear, 3},
      {"BEGIN LOOP n - 1000000 a; END END", CountRefusal::Reason::workLimit, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const AnalysedProgram program = analysedText(c.text, defaultModels(), Dialect::extended);
    ASSERT_TRUE(program.extended());
    ASSERT_TRUE(program.counts().refusal());
    EXPECT_EQ(program.counts().refusal()->reason, c.reason);
    EXPECT_EQ(program.counts().refusal()->line, c.line);
  }
  const AnalysedProgram nested =
      analysedText("BEGIN LOOP j = i TO n a; END END", defaultModels(), Dialect::extended);
  EXPECT_FALSE(nested.ok());  // i is bound by no LOOP
}

// A random program of the extended dialect: LOOPs nested at most four deep, whose counts are
// small sums of n, the indices around and small numbers, now and then doubled or multiplied.
class RandomProgram {
 public:
  explicit RandomProgram(unsigned seed) : random(seed) {}

  std::string next() {
    text = "BEGIN\n";
    list(0, "");
    return text + "END\n";
  }

 private:
  int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); }

  template <std::size_t size>
  std::string pick(const std::string (&choices)[size]) {
    return choices[below(static_cast<int>(size))];
  }

  // Bounds as homework writes them, X an index around (or n): now and then one that meets
  // another at a fraction, i = 1 TO n - i, which is refused.
  std::string range(const std::string& indices) {
    const std::string x =
        indices.empty() ? "n" : std::string(1, indices[below(static_cast<int>(indices.size()))]);
    if (below(200) == 0) return x + " TO n - " + x;
    const std::string lower = pick({"0", "1", "2", x, x + " + 1", x + " - 1"});
    const std::string upper = pick({"n", "n - 1", "n + 1", x, x + " - 1", "2*n", x + " - 5", "3",
                                    lower.size() == 1 && lower[0] <= '9' ? "n - " + x : "n - 2"});
    return lower + " TO " + upper;
  }

  std::string times(const std::string& indices) {
    const std::string x =
        indices.empty() ? "n" : std::string(1, indices[below(static_cast<int>(indices.size()))]);
    return pick({"n", "n - 1", "n - 3", "2*n", "(n - 1)*(n - 2)", x, x + " - 2", "3", "n*n"});
  }

  void list(int depth, const std::string& indices) {
    for (int statements = 1 + below(3); statements > 0; --statements) {
      if (depth == 4 || below(3) == 0) {
        text += below(2) == 0 ? "a + b;\n" : "a * b * c;\n";
        continue;
      }
      std::string letter;
      for (const char c : std::string("ijkl")) {
        if (indices.find(c) == std::string::npos && letter.empty()) letter = c;
      }
      if (below(4) == 0) {
        text += "LOOP " + times(indices) + "\n";
        list(depth + 1, indices);
      } else {
        text += "LOOP " + letter + " = " + range(indices) + "\n";
        list(depth + 1, indices + letter);
      }
      text += "END\n";
    }
  }

  std::mt19937 random;
  std::string text;
};

TEST(Extended, CountsAsTheLoopsRunOnRandomPrograms) {
  RandomProgram programs(20261209);
  const std::vector<CostModel> models = {defaultModels()[0], defaultModels()[1]};
  int refused = 0;
  for (int p = 0; p < 5000; ++p) {
    const std::string text = programs.next();
    const AnalysedProgram program = analysedText(text, models, Dialect::extended);
    ASSERT_TRUE(program.ok()) << text;
    if (const auto& refusal = program.counts().refusal()) {
      // Only where the generator wrote i = X TO n - X, whose range ends at n / 2.
      ++refused;
      EXPECT_EQ(refusal->reason, CountRefusal::Reason::fraction) << text;
      const std::string header = refusalText(*refusal, program.rows(), Words());
      EXPECT_TRUE(std::regex_search(header, std::regex("= (\\w) TO n - \\1 "))) << header;
      continue;
    }
    ASSERT_TRUE(countsMatchLiteralRuns(program, 12, 200000)) << text;
  }
  EXPECT_LT(refused, 200);
  RecordProperty("refused", refused);
}

}  // namespace
