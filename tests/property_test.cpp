// Properties over many generated programs and every golden program: the echo parses back to
// the same program, and the cost polynomial agrees with counting the operations a run executes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/programset.h"
#include "statements/program.h"
#include "tests/analysischecks.h"
#include "tests/runtool.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

// Random programs in a random but legal layout, with the echo loopcost must print for each.
class ProgramGenerator {
 public:
  explicit ProgramGenerator(unsigned seed) : random(seed) {}

  void next() {
    text = gap() + "BEGIN" + space();
    echo = "BEGIN\n";
    oddNegativeCount = false;
    list(1);
    text += "END" + gap();
    echo += "END\n";
  }

  std::string text;
  std::string echo;
  bool oddNegativeCount = false;  // a count below -1: echoed as n, yet unequal to n

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

  std::string gap() {
    static const char* const layouts[] = {"", "", " ", "\n", "\t", "  \r\n "};
    return layouts[pick(0, 5)];
  }

  std::string space() { return pick(0, 1) ? " " : "\n  "; }

  void list(int depth) {
    for (int count = pick(1, 3); count > 0; --count) {
      if (depth < 5 && pick(0, 3) == 0) {
        loop(depth);
      } else {
        expression(depth);
      }
    }
  }

  void loop(int depth) {
    static const char* const counts[] = {"n", "n", "-1", "0", "1", "2", "3", "+4", "-7", "007"};
    const std::string count = counts[pick(0, 9)];
    const bool meansN = count == "n" || count[0] == '-';
    oddNegativeCount = oddNegativeCount || count == "-7";
    text += "LOOP" + space() + count + gap();
    echo += indent(depth) + "LOOP " + (meansN ? "n" : std::to_string(std::stoi(count))) + "\n";
    list(depth + 1);
    text += "END" + space();
    echo += indent(depth) + "END\n";
  }

  void expression(int depth) {
    echo += indent(depth);
    for (int term = pick(1, 4); term > 0; --term) {
      for (int factor = pick(1, 3); factor > 0; --factor) {
        const char letter = static_cast<char>('a' + pick(0, 25));
        text += std::string(1, letter) + gap() + (factor > 1 ? "*" + gap() : "");
        echo += std::string(1, letter) + (factor > 1 ? " * " : "");
      }
      text += term > 1 ? "+" + gap() : "";
      echo += term > 1 ? " + " : "";
    }
    text += ";" + gap();
    echo += " ;\n";
  }

  static std::string indent(int depth) { return std::string(2 * depth, ' '); }

  std::mt19937 random;
};

struct Operations {
  long long additions = 0;
  long long multiplications = 0;
};

// Runs an echoed program for problem size n, counting the operations it executes.
class CountingInterpreter {
 public:
  CountingInterpreter(const std::string& echo, int n) : lines(split(echo)), n(n) {}

  Operations run() {
    Operations counted;
    walk(1, true, counted);  // line 0 is BEGIN
    return counted;
  }

 private:
  static std::vector<std::string> split(const std::string& echo) {
    std::vector<std::string> lines;
    std::istringstream in(echo);
    for (std::string line; std::getline(in, line);) {
      lines.push_back(line.substr(line.find_first_not_of(' ')));
    }
    return lines;
  }

  // Walks the statements from `line` up to their END, counting only when `executing`;
  // returns the line of that END.
  std::size_t walk(std::size_t line, bool executing, Operations& counted) {
    for (; lines[line] != "END"; ++line) {
      if (lines[line].rfind("LOOP ", 0) == 0) {
        const std::string header = lines[line].substr(5);
        const int repetitions = !executing ? 0 : header == "n" ? n : std::stoi(header);
        for (int i = 0; i < repetitions; ++i) walk(line + 1, true, counted);
        line = walk(line + 1, false, counted);
      } else if (executing) {
        count(lines[line], counted);
      }
    }
    return line;
  }

  // An echoed statement alternates factors and operators, one blank apart: "a * * + b ;".
  static void count(const std::string& statement, Operations& counted) {
    for (std::size_t i = 2; i < statement.size(); i += 4) {
      counted.additions += statement[i] == '+';
      counted.multiplications += statement[i] == '*';
    }
  }

  std::vector<std::string> lines;
  int n;
};

constexpr auto parse = fromText<Program>;

double valueAt(const Polynomial& polynomial, int n) {
  double value = 0;
  for (int power = polynomial.getDegree(); power >= 0; --power) {
    value = value * n + polynomial.coefficient(power);
  }
  return value;
}

void expectCostsMatchCounts(const Program& program, const std::string& echo) {
  const Polynomial cost1 = program.evaluate(cpu1());
  const Polynomial cost2 = program.evaluate(cpu2());
  for (int n = 0; n <= 6; ++n) {
    const Operations counted = CountingInterpreter(echo, n).run();
    const double expected1 = 2.0 * counted.additions + 4.0 * counted.multiplications;
    const double expected2 = 1.0 * counted.additions + 5.0 * counted.multiplications;
    EXPECT_NEAR(valueAt(cost1, n), expected1, 1e-6 * expected1) << "n = " << n;
    EXPECT_NEAR(valueAt(cost2, n), expected2, 1e-6 * expected2) << "n = " << n;
  }
}

TEST(Program, GeneratedProgramsRoundTripAndCostWhatTheyExecute) {
  ProgramGenerator generator(20261208);
  for (int i = 0; i < 3000; ++i) {
    generator.next();
    SCOPED_TRACE(generator.text);
    const auto program = parse(generator.text);
    ASSERT_EQ(printed(*program), generator.echo);
    const auto reparsed = parse(generator.echo);
    EXPECT_EQ(printed(*reparsed), generator.echo);
    EXPECT_EQ(program->equals(reparsed.get()), generator.oddNegativeCount ? 0 : 1);
    expectCostsMatchCounts(*program, generator.echo);
  }
}

TEST(Program, GoldenProgramsRoundTripAndCostWhatTheyExecute) {
  int checked = 0;
  for (const auto& directory : fs::directory_iterator(GOLDEN_DIR)) {
    for (const auto& file : fs::directory_iterator(directory.path())) {
      if (file.path().extension() != ".txt") continue;
      const std::string text = readFile(file.path().string());
      if (!syntaxErrorOf([&] { parse(text); }).empty()) continue;
      SCOPED_TRACE(file.path().string());
      const auto program = parse(text);
      const std::string echo = printed(*program);
      EXPECT_EQ(printed(*parse(echo)), echo);
      // Programs built to overflow, or nested 21 deep, would take ages to interpret.
      if (!(valueAt(program->evaluate(cpu1()), 6) < 1e7)) continue;
      expectCostsMatchCounts(*program, echo);
      ++checked;
    }
  }
  EXPECT_GE(checked, 15);
}

// The statements' rows add up to the program's exact cost, and each loop's row to its body's,
// which is the float cost while the counts are small; the comparison of the models agrees with
// evaluating them exactly at every n up to 1000, and with their leading terms beyond.
TEST(AnalysedProgram, StatementsAddUpToTheExactCostAndTheComparisonHolds) {
  ProgramGenerator generator(20261209);
  PricesFault problem;
  const std::vector<CostModel> models = *modelsFrom({"2,4", "1,5", "0.5,7"}, problem);
  for (int i = 0; i < 300; ++i) {
    generator.next();
    SCOPED_TRACE(generator.text);
    const AnalysedProgram program = analysedText(generator.text, models);
    EXPECT_TRUE(rowsAddUp(program.rows(), models.size()));
    for (std::size_t m = 0; m < models.size(); ++m) {
      const Polynomial& single = program.printed()[m];
      for (int power = 0; power <= single.getDegree(); ++power) {
        EXPECT_EQ(exactRational(single.coefficient(power)), program.exact()[m].coefficient(power));
      }
    }
    ASSERT_TRUE(program.cheapest().has_value());
    expectAgreesWithEvaluation(program.exact(), *program.cheapest());
  }
}

// Groups of two or three random programs compared under each model: the ranges agree with
// exact evaluation, as for the models of one program.
TEST(ProgramSet, AgreesWithEvaluationForRandomGroups) {
  ProgramGenerator generator(20261208);
  PricesFault problem;
  const std::vector<CostModel> models = *modelsFrom({"2,4", "0.5,7"}, problem);
  for (int group = 0; group < 100; ++group) {
    ProgramSet programs(models);
    std::vector<std::vector<ExactPolynomial>> costs;
    for (int i = 0; i < 2 + group % 2; ++i) {
      generator.next();
      const AnalysedProgram program = analysedText(generator.text, models);
      programs.add(generator.text, program);
      costs.push_back(program.exact());
    }
    programs.compare();
    ASSERT_EQ(programs.shortfall(), ProgramSet::Shortfall::none);
    for (std::size_t m = 0; m < models.size(); ++m) {
      SCOPED_TRACE(programs.programs()[0] + " | " + programs.programs()[1]);
      std::vector<ExactPolynomial> underModel;
      for (const auto& program : costs) underModel.push_back(program[m]);
      expectAgreesWithEvaluation(underModel, *programs.ranges()[m], 200);
    }
  }
}

}  // namespace
