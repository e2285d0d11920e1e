#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/analysedprogram.h"
#include "support/words.h"

// What an editor shows of a program beside its lines, at a glance, and on hovering a line: the
// language server and the page show the same, in the language of `words`.

// "6 * n^3" when every model costs that, else each model's cost after its number: "CPU1: 6 *
// n^3 · CPU2: 5 * n^3"; at most `width` characters, cut with "…".
std::string glance(const std::vector<ExactPolynomial>& costs, const std::vector<CostModel>& models,
                   std::size_t width);

// How often a statement runs, its operations a run, and its exact cost under each model (a
// loop's: its whole body's); in Markdown, or in plain text.
std::string statementHover(const AnalysedProgram& program, const StatementRows::Row& row,
                           bool markdown, const Words& words);

// The program's exact cost and growth under each model, and which is cheapest for which n.
std::string programHover(const AnalysedProgram& program, bool markdown, const Words& words);
