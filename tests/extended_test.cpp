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
      {"BEGIN LOOP l=1 TO   log  n-1 LOOP n*log n l; END END END",
       "BEGIN\n  LOOP l = 1 TO log n - 1\n    LOOP n * log n\n      l ;\n    END\n  END\nEND\n"},
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
      {"BEGIN LOOP i = 1 TO n LOOP log i a; END END END", Expected::logOfN, "i"},
      {"BEGIN LOOP log 2*n a; END END", Expected::logOfN, "2"},
      {"BEGIN LOOP log (n) a; END END", Expected::logOfN, "("},
      {"BEGIN LOOP lg n a; END END", Expected::unknownIndex, "l"},
      {"BEGIN LOOP logs n a; END END", Expected::extendedCount, "logs"},
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
      // n - 1000 log n stays negative until n = 13,747, past the values worked out one by one.
      {"BEGIN LOOP n - 1000 * log n a; END END", CountRefusal::Reason::workLimit, 2},
      {"BEGIN LOOP i = 1 TO log n LOOP j = 1 TO i * i - log n a; END END END",
       CountRefusal::Reason::nonlinear, 3},
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
// With `logs`, three deep, counted mostly in log n: at most one LOOP of each nest runs about n
// times, and binds no index.
class RandomProgram {
 public:
  explicit RandomProgram(unsigned seed, bool logs = false) : random(seed), logs(logs) {}

  std::string next() {
    text = "BEGIN\n";
    list(0, "", false);
    return text + "END\n";
  }

 private:
  int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); }

  template <std::size_t size>
  std::string pick(const std::string (&choices)[size]) {
    return choices[below(static_cast<int>(size))];
  }

  std::string around(const std::string& indices, const std::string& otherwise) {
    return indices.empty() ? otherwise
                           : std::string(1, indices[below(static_cast<int>(indices.size()))]);
  }

  // Bounds as homework writes them, X an index around (or n): now and then one that meets
  // another at a fraction, i = 1 TO n - i, which is refused.
  std::string range(const std::string& indices) {
    const std::string x = around(indices, "n");
    if (below(200) == 0) return x + " TO n - " + x;
    const std::string lower = pick({"0", "1", "2", x, x + " + 1", x + " - 1"});
    const std::string upper = pick({"n", "n - 1", "n + 1", x, x + " - 1", "2*n", x + " - 5", "3",
                                    lower.size() == 1 && lower[0] <= '9' ? "n - " + x : "n - 2"});
    return lower + " TO " + upper;
  }

  std::string times(const std::string& indices) {
    const std::string x = around(indices, "n");
    return pick({"n", "n - 1", "n - 3", "2*n", "(n - 1)*(n - 2)", x, x + " - 2", "3", "n*n"});
  }

  std::string logRange(const std::string& indices) {
    const std::string x = around(indices, "log n");
    if (below(200) == 0) return x + " TO log n - " + x;
    const std::string lower = pick({"0", "1", "2", x, x + " + 1"});
    const std::string upper =
        pick({"log n", "log n - 1", "log n + 1", x, x + " - 1", "2 * log n", "3", x + " + log n",
              lower.size() == 1 ? "log n - " + x : "log n - 2"});
    return lower + " TO " + upper;
  }

  std::string logTimes(const std::string& indices, bool large) {
    const std::string x = around(indices, "log n");
    if (!large && below(8) == 0) return pick({"n", "n - 1", "n - 2 * log n"});
    return pick({"log n", "log n - 1", "2 * log n", large ? "2" : "log n * log n", x, x + " - 2",
                 "log n - " + x, "3"});
  }

  void list(int depth, const std::string& indices, bool large) {
    for (int statements = 1 + below(logs ? 2 : 3); statements > 0; --statements) {
      if (depth == (logs ? 3 : 4) || below(3) == 0) {
        text += below(2) == 0 ? "a + b;\n" : "a * b * c;\n";
        continue;
      }
      std::string letter;
      for (const char c : std::string("ijkl")) {
        if (indices.find(c) == std::string::npos && letter.empty()) letter = c;
      }
      if (below(4) == 0 || (logs && below(2) == 0)) {
        const std::string count = logs ? logTimes(indices, large) : times(indices);
        text += "LOOP " + count + "\n";
        list(depth + 1, indices, large || count[0] == 'n');
      } else {
        text += "LOOP " + letter + " = " + (logs ? logRange(indices) : range(indices)) + "\n";
        list(depth + 1, indices + letter, large);
      }
      text += "END\n";
    }
  }

  std::mt19937 random;
  bool logs;
  std::string text;
};

// For n = 0 ... 12 on programs of n and the indices; with log n, counted by halving n, for
// n = 0 ... 300 as far as 20,000 passes of the loops for one n allow, and the cheapest model by
// the costs' values up to n = 4,096. Only where the generator wrote i = X TO n - X (or
// X TO log n - X), whose range ends at a fraction, is a program refused.
TEST(Extended, CountsAsTheLoopsRunOnRandomPrograms) {
  const struct {
    unsigned seed;
    bool logs;
    long long lastN, passes, cheapestUpTo;
    int throughout;  // the least number of programs compared up to lastN
  } runs[] = {{20261209, false, 12, 200000, 0, 4400}, {35, true, 300, 20000, 4096, 4500}};
  const std::vector<CostModel> models = {defaultModels()[0], defaultModels()[1]};
  for (const auto& run : runs) {
    RandomProgram programs(run.seed, run.logs);
    int refused = 0, throughout = 0;
    for (int p = 0; p < 5000; ++p) {
      const std::string text = programs.next();
      const AnalysedProgram program = analysedText(text, models, Dialect::extended);
      ASSERT_TRUE(program.ok()) << text;
      if (const auto& refusal = program.counts().refusal()) {
        ++refused;
        const std::string header = refusalText(*refusal, program.rows(), Words());
        EXPECT_EQ(refusal->reason, CountRefusal::Reason::fraction) << text;
        EXPECT_TRUE(std::regex_search(header, std::regex("= (\\w) TO (log )?n - \\1 "))) << header;
        continue;
      }
      long long reached = 0;
      ASSERT_TRUE(countsMatchLiteralRuns(program, run.lastN, run.passes, &reached)) << text;
      throughout += reached == run.lastN;
      ASSERT_TRUE(cheapestMatchesCosts(program, run.cheapestUpTo)) << text;
    }
    EXPECT_LT(refused, 200);
    EXPECT_GT(throughout, run.throughout);
    RecordProperty(run.logs ? "refusedWithLog" : "refused", refused);
    RecordProperty(run.logs ? "comparedTo300WithLog" : "comparedTo12", throughout);
  }
}

}  // namespace
