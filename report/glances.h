#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/analysedprogram.h"
#include "support/words.h"

// What an editor shows of a program beside its lines, at a glance, and on hovering a line: the
// language server and the page show the same, in the language of `words`.

// The characters of a glance unless a reader asks for others.
constexpr std::size_t GLANCE_WIDTH = 40;

// "6 * n^3" when every model costs that, else each model's cost after its number: "CPU1: 6 *
// n^3 · CPU2: 5 * n^3"; at most `width` characters, cut with "…".
std::string glance(const std::vector<std::string>& costs, const std::vector<CostModel>& models,
                   std::size_t width);

// The program's cost under each model as the editors write it: in the extended dialect with the
// n from which it holds; "—" for a program refused.
std::vector<std::string> programCostTexts(const AnalysedProgram& program);

// The glance at a statement's costs under the program's models, a loop's at its whole body's.
std::string statementGlance(const AnalysedProgram& program, std::size_t statement,
                            std::size_t width);

// A glance beside a line: after a statement that costs something, a loop's after its count.
struct GlanceRow {
  std::size_t statement;  // its index among the program's statements
  std::size_t at;         // where the glance stands: its statement's hint place
  std::string label;
};

// The glances that stand from byte `from` to before byte `to` of the program's text, in order;
// the statements before them are not gone through.
std::vector<GlanceRow> glanceRows(const AnalysedProgram& program, std::size_t from, std::size_t to,
                                  std::size_t width);

// How often a statement runs, its operations a run, and its exact cost under each model (a
// loop's: its whole body's); in Markdown, or in plain text.
std::string statementHover(const AnalysedProgram& program, const StatementRows::Row& row,
                           bool markdown, const Words& words);

// The program's exact cost and growth under each model, and which is cheapest for which n.
std::string programHover(const AnalysedProgram& program, bool markdown, const Words& words);
