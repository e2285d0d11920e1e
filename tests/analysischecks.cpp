#include "tests/analysischecks.h"

#include <array>
#include <map>
#include <optional>
#include <sstream>

#include "statements/loopstatement.h"

std::vector<std::size_t> cheapestByEvaluation(const std::vector<ExactPolynomial>& costs,
                                              const Integer& n) {
  std::vector<std::size_t> cheapest;
  Rational least;
  for (std::size_t i = 0; i < costs.size(); ++i) {
    const Rational value = costs[i].valueAt(n);
    if (cheapest.empty() || value < least) {
      cheapest.clear();
      least = value;
    }
    if (value == least) cheapest.push_back(i);
  }
  return cheapest;
}

bool rowsAddUp(const StatementRows& rows, std::size_t models) {
  struct Open {
    const StatementRows::Row* loop;
    std::vector<ExactPolynomial> sum;
  };
  std::vector<Open> open;
  std::vector<ExactPolynomial> total(models);
  bool addUp = true;
  const auto closeBefore = [&](int line) {
    for (; !open.empty() && rows.endLine(*open.back().loop) < line; open.pop_back()) {
      for (std::size_t m = 0; m < models; ++m) {
        addUp = addUp && rows.cost(*open.back().loop, m) == open.back().sum[m];
      }
    }
  };
  for (const StatementRows::Row& row : rows.rows()) {
    closeBefore(row.line);
    if (row.loop >= 0) {
      open.push_back({&row, std::vector<ExactPolynomial>(models)});
      continue;
    }
    for (std::size_t m = 0; m < models; ++m) {
      const ExactPolynomial cost = rows.cost(row, m);
      total[m].add(cost);
      for (Open& loop : open) loop.sum[m].add(cost);
    }
  }
  closeBefore(rows.lastLine());
  return addUp && total == rows.totals();
}

AnalysedProgram analysedText(const std::string& text, const std::vector<CostModel>& models,
                             Dialect dialect) {
  std::stringbuf buffer(text);
  return AnalysedProgram(parseProgram(buffer, Places::statements, dialect), models);
}

namespace {

// Runs the loops literally: the value of each index, the runs of each row so far, the passes left.
struct LiteralRun {
  const StatementRows& rows;
  long long n;
  long long passesLeft;
  long long index[128] = {};
  std::vector<long long> runs;
  std::vector<std::size_t> after;  // the row after each row's statement, its body included

  long long value(const LoopCount& count, const LoopCount::Sum& sum) const {
    long long total = 0;
    for (const LoopCount::Term& term : sum) {
      long long product = 1;
      for (const LoopCount::Factor& factor : term.factors) {
        switch (factor.kind) {
          case LoopCount::Factor::Kind::number:
            product *= factor.value;
            break;
          case LoopCount::Factor::Kind::n:
            product *= n;
            break;
          case LoopCount::Factor::Kind::log:
            product *= halvings();
            break;
          case LoopCount::Factor::Kind::index:
            product *= index[factor.value];
            break;
          case LoopCount::Factor::Kind::group:
            product *= value(count, count.group(factor.value));
            break;
        }
      }
      total += term.minus ? -product : product;
    }
    return total;
  }

  // How often n halves before it reaches 1, as a halving loop counts it.
  long long halvings() const {
    long long count = 0;
    for (long long halved = n; halved > 1; halved /= 2) ++count;
    return count;
  }

  // The rows from `first` on at `depth`, once; false when the passes ran out.
  bool list(std::size_t first, int depth) {
    for (std::size_t r = first; r < rows.rows().size() && rows.rows()[r].depth == depth;
         r = after[r]) {
      ++runs[r];
      if (rows.rows()[r].loop >= 0 && !loop(r)) return false;
    }
    return true;
  }

  bool loop(std::size_t r) {
    const StatementRows::Row& row = rows.rows()[r];
    const auto& statement = *static_cast<const LoopStatement*>(row.statement);
    const LoopCount* count = statement.getExtendedCount();
    long long from = 1, to = statement.getCount() < 0 ? n : statement.getCount();
    if (count != nullptr) {
      to = value(*count, count->to());
      if (count->index() != '\0') from = value(*count, count->from());
    }
    const char letter = count != nullptr ? count->index() : '\0';
    const long long saved = index[static_cast<int>(letter)];
    for (long long i = from; i <= to; ++i) {
      if (--passesLeft < 0) return false;
      index[static_cast<int>(letter)] = i;
      if (!list(r + 1, row.depth + 1)) return false;
    }
    index[static_cast<int>(letter)] = saved;
    return true;
  }
};

}  // namespace

std::optional<std::vector<long long>> literalRuns(const StatementRows& rows, long long n,
                                                  long long passes) {
  const auto& all = rows.rows();
  std::vector<std::size_t> after(all.size());
  for (std::size_t r = all.size(); r-- > 0;) {
    after[r] = r + 1;
    while (after[r] < all.size() && all[after[r]].depth > all[r].depth) after[r] = after[after[r]];
  }
  LiteralRun run{rows, n, passes, {}, std::vector<long long>(all.size(), 0), std::move(after)};
  if (!run.list(0, 1)) return std::nullopt;
  return run.runs;
}

bool countsMatchLiteralRuns(const AnalysedProgram& program, long long lastN, long long passes,
                            long long* reached) {
  const LoopCounts& counts = program.counts();
  const StatementRows& rows = program.rows();
  const auto least = [](const ExactCount& count) {
    return count.fromN == 0 ||
           count.below.back() != count.polynomial.valueAt(Integer(count.fromN - 1));
  };
  bool matches = true;
  for (std::size_t m = 0; m < program.models().size(); ++m) {
    matches = matches && least(counts.totals()[m]);
  }
  for (std::size_t r = 0; r < rows.rows().size(); ++r) matches = matches && least(counts.runs(r));
  for (long long n = 0; n <= lastN && matches; ++n) {
    const auto runs = literalRuns(rows, n, passes);
    if (!runs) break;
    if (reached != nullptr) *reached = n;
    std::map<const ExactCount*, Rational> values;  // rows of one list share their runs
    long long additions = 0, multiplications = 0;
    for (std::size_t r = 0; r < runs->size(); ++r) {
      const ExactCount& count = counts.runs(r);
      const auto [value, fresh] = values.try_emplace(&count);
      if (fresh) value->second = count.valueAt(n);
      matches = matches && value->second == (*runs)[r];
      if (rows.rows()[r].loop >= 0) continue;
      const Operations operations = rows.operations(rows.rows()[r]);
      additions += operations.additions * (*runs)[r];
      multiplications += operations.multiplications * (*runs)[r];
    }
    for (std::size_t m = 0; m < program.models().size(); ++m) {
      const CostModel& model = program.models()[m];
      const Rational cost =
          model.addition.exact() * additions + model.multiplication.exact() * multiplications;
      matches = matches && counts.totals()[m].valueAt(n) == cost;
    }
  }
  return matches;
}

namespace {

// A cost times a common denominator: its terms' whole numerators, when each fits 32 bits.
struct ScaledCost {
  std::vector<std::array<long long, 3>> terms;  // power of n, power of log n, numerator

  static std::optional<ScaledCost> of(const ExactPolynomial& cost, const Integer& common) {
    ScaledCost scaled;
    for (const ExactPolynomial::Term& term : cost.terms()) {
      const Integer numerator = term.numerator * (common / cost.commonDenominator());
      if (abs(numerator) > 2147483647) return std::nullopt;
      scaled.terms.push_back({term.power, term.log, numerator.convert_to<long long>()});
    }
    return scaled;
  }

  // The value at n, with log n counted by halving n; none where a step leaves 64 bits.
  std::optional<long long> at(long long n) const {
    long long log = 0;
    for (long long halved = n; halved > 1; halved /= 2) ++log;
    long long sum = 0;
    for (const auto& [power, logs, value] : terms) {
      long long product = value;
      for (long long k = 0; k < power + logs; ++k) {
        if (__builtin_mul_overflow(product, k < power ? n : log, &product)) return std::nullopt;
      }
      if (__builtin_add_overflow(sum, product, &sum)) return std::nullopt;
    }
    return sum;
  }
};

}  // namespace

// Below the n where every polynomial holds, by the values kept; from it on, by the polynomials
// evaluated in machine words where they fit, which is quick enough for thousands of n.
bool cheapestMatchesCosts(const AnalysedProgram& program, long long lastN) {
  const std::vector<ExactCount>& totals = program.counts().totals();
  long long start = 0;
  Integer common = 1;
  for (const ExactCount& total : totals) {
    start = std::max(start, static_cast<long long>(total.fromN));
    common = lcm(common, total.polynomial.commonDenominator());
  }
  std::vector<std::optional<ScaledCost>> scaled;
  for (const ExactCount& total : totals) scaled.push_back(ScaledCost::of(total.polynomial, common));
  const auto& ranges = program.cheapest();
  if (!ranges) return false;
  std::size_t k = 0;
  for (long long n = 0; n <= lastN; ++n) {
    while ((*ranges)[k].to && *(*ranges)[k].to < n) ++k;
    std::vector<long long> fast;  // in machine words, when every cost fits
    for (std::size_t m = 0; m < totals.size() && n >= start && scaled[m]; ++m) {
      if (const auto value = scaled[m]->at(n)) fast.push_back(*value);
    }
    std::vector<std::size_t> least;
    for (std::size_t m = 0; m < totals.size(); ++m) {
      const bool inWords = fast.size() == totals.size();
      const int order = least.empty() ? -1
                        : inWords     ? (fast[m] > fast[least[0]]) - (fast[m] < fast[least[0]])
                                      : totals[m].valueAt(n).compare(totals[least[0]].valueAt(n));
      if (order > 0) continue;
      if (order < 0) least.clear();
      least.push_back(m);
    }
    if ((*ranges)[k].cheapest != least) return false;
  }
  return true;
}

ExactPolynomial monomial(const Rational& c, int power) {
  return ExactPolynomial::fromTerms({{power, numerator(c)}}, denominator(c));
}

ExactPolynomial scaled(const ExactPolynomial& p, const Rational& factor) {
  std::vector<ExactPolynomial::Term> terms = p.terms();
  for (ExactPolynomial::Term& term : terms) term.numerator *= numerator(factor);
  return ExactPolynomial::fromTerms(std::move(terms), p.commonDenominator() * denominator(factor));
}
