#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysedprogram.h"
#include "analysis/comparison.h"
#include "analysis/growth.h"
#include "analysis/programset.h"
#include "analysis/statementrows.h"
#include "support/words.h"

// The sentences the tool says about an analysis, in one place for every front end, in the
// language of `words`.

// "1", "n^2", "1000 * n^2" or "0": how often a line runs, exactly.
std::string runsText(const Runs& runs);

// An exact count of the extended dialect with the n from which it holds: "1 * n^2 - 9 * n^1 + 20
// (n >= 4)", "1/2 * n^2 + 1/2 * n^1 (n >= 0)"; every term with its coefficient, a negative one
// after " - ".
std::string countText(const ExactCount& count);
std::string polynomialText(const ExactPolynomial& polynomial);  // the same without the range

// Why a program of the extended dialect was refused: which LOOP, and why.
std::string refusalText(const CountRefusal& refusal, const StatementRows& rows, const Words& words);

// A statement's first line as the echo writes it, unindented: "a + b * c ;", "LOOP n".
std::string echoLine(const StatementRows::Row& row);

// "0", or "Θ(1)", "Θ(n^k)".
std::string growthText(Growth growth);

// Why a comparison was not computed.
std::string workLimitReason(const Words& words);

// The comparison in words, one line per range of n, e.g. "for every n >= 1: CPU2(1,5) is
// cheaper", naming the costs by `names`; one line saying why when it was not computed.
std::vector<std::string> comparisonInWords(const std::optional<std::vector<CheapestRange>>& ranges,
                                           const std::vector<std::string>& names,
                                           const Words& words);

// The models' names, in order.
std::vector<std::string> modelNames(const std::vector<CostModel>& models);

// "CPU1(2,4): single precision prints inf, the exact cost is ...", one per imprecise model.
std::vector<std::string> warnings(const AnalysedProgram& program, const Words& words);

// Why a file could not be opened or read: the system's reason for `error`, an errno.
std::string systemReason(int error, const Words& words);

// Why a text gave no program: the system's reason, or the parser's line with its quoted bytes
// made visible.
std::string failureMessage(const ParsedProgram& parsed, const Words& words);

// What a file that gave no program says, as every front end writes it.
struct FileError {
  std::string message;      // the parser's own line, or the system's reason
  std::string explanation;  // for a syntax error: what was expected; else empty
  std::size_t line = 0;     // for a syntax error, from 1, where the fix goes; else 0
  std::size_t column = 0;   // from 1, in bytes
};
FileError fileError(const ParsedProgram& parsed, const Words& words);

// "cannot open 'NAME': reason" or "cannot read 'NAME': reason" for a file that gave no text.
std::string fileProblem(const std::string& name, const ParsedProgram& parsed, const Words& words);

// The explanation and, after it in brackets, the parser's own line; for a text that could not be
// read, its reason.
std::string readableError(const ParsedProgram& parsed, const Words& words);

// What is wrong with a text given for a model: "'2;4' is not ADD,MUL (two non-negative numbers)".
std::string pricesProblem(const PricesFault& fault, const Words& words);

// What is wrong with a price typed in the box of model `model` (from 0): "model 1, the price of
// +: '2;' is not a price: ...".
std::string priceProblem(std::size_t model, bool addition, const std::string& typed,
                         Price::Fault fault, const Words& words);

// Why a set of programs was not (all) compared, or nothing when it was.
std::optional<std::string> shortfallReason(const ProgramSet& programs, const Words& words);

// "a, b and c" in the language of `words`.
std::string listed(const std::vector<std::string>& names, const Words& words);
