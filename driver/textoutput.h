#pragma once

#include <ostream>
#include <vector>

#include "analysis/costmodel.h"
#include "cost/polynomial.h"
#include "driver/encoding.h"

// The line written after each program's output.
constexpr const char* SEPARATOR = "=============================================\n";

// Each model's label, then "執行時間 = " and its cost on the next line.
void writeCosts(std::ostream& out, const std::vector<Polynomial>& costs,
                const std::vector<CostModel>& models, const ConsoleTexts& texts);

// Flushes `out`; if the output could not be written, says so on `err` and returns false.
bool flushed(std::ostream& out, std::ostream& err);
