#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "driver/encoding.h"
#include "driver/options.h"
#include "report/filereport.h"

// The line written after each program's output.
constexpr const char* SEPARATOR = "=============================================\n";

// What the tool writes for one analysed program after its echo: each model's label, then
// "執行時間 = " and its cost on the next line; with `explain`, the annotated listing of `echo`.
// Costs that single precision prints wrongly get a warning on `err`, after "loopcost: " and
// `where` (empty, or "FILE: ").
void writeCosts(std::ostream& out, std::ostream& err, const std::string& where,
                const std::string& echo, const ProgramCosts& costs, const Options& options,
                const ConsoleTexts& texts);

// Flushes `out`; if the output could not be written, says so on `err` and returns false.
bool flushed(std::ostream& out, std::ostream& err);
