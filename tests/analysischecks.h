#pragma once

// References that the tests and the fuzz targets check the analysis against, and the ways they
// make programs; they use no test framework, so that both can.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysedprogram.h"
#include "analysis/exactpolynomial.h"
#include "analysis/statementrows.h"

// The indexes of the costs that are least at n, by evaluating them exactly.
std::vector<std::size_t> cheapestByEvaluation(const std::vector<ExactPolynomial>& costs,
                                              const Integer& n);

// Whether the expression statements' rows add up to each loop's row around them and to the
// totals, under every model.
bool rowsAddUp(const StatementRows& rows, std::size_t models);

// A text analysed as the editors and the page have it, with every statement's place.
AnalysedProgram analysedText(const std::string& text,
                             const std::vector<CostModel>& models = defaultModels(),
                             Dialect dialect = Dialect::classic);

// How often each row's statement runs at `n`, by running the loops one pass at a time; none when
// that takes more than `passes` passes in all.
std::optional<std::vector<long long>> literalRuns(const StatementRows& rows, long long n,
                                                  long long passes);

// Whether a program of the extended dialect, not refused, has the runs and costs of running its
// loops, for n = 0 ... lastN as far as `passes` for each n allow, and each count's fromN is the
// least; `reached`, if given, is set to the last n compared.
bool countsMatchLiteralRuns(const AnalysedProgram& program, long long lastN, long long passes,
                            long long* reached = nullptr);

// Whether a program of the extended dialect, not refused, names as cheapest at each n up to
// `lastN` the models whose exact costs are least there, with log n counted by halving n.
bool cheapestMatchesCosts(const AnalysedProgram& program, long long lastN);

// c * n^power, and p * factor.
ExactPolynomial monomial(const Rational& c, int power);
ExactPolynomial scaled(const ExactPolynomial& p, const Rational& factor);
