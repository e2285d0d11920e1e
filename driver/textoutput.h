#pragma once

#include <ostream>
#include <string>

#include "driver/options.h"
#include "report/consoletexts.h"

class Program;

// The line written after each program's output.
constexpr const char* SEPARATOR = "=============================================\n";

// What the tool writes for one parsed program: the echo, then each model's label, "執行時間 = "
// and its cost on the next line; with `explain`, the annotated listing; then the separator.
// Costs that single precision prints wrongly, and a comparison over the work limit, get a
// warning on `err`, after "loopcost: " and `where` (empty, or "FILE: ").
void writeProgramReport(std::ostream& out, std::ostream& err, const std::string& where,
                        const Program& program, const Options& options, const ConsoleTexts& texts);

// Flushes `out`; if the output could not be written, says so on `err` and returns false.
bool flushed(std::ostream& out, std::ostream& err);

// Says on `err` that the named file's analysis ran out of memory, after flushing what `out` has.
void reportOutOfMemory(std::ostream& out, std::ostream& err, const std::string& name);
