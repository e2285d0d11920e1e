#include "driver/batch.h"

#include <new>
#include <string>

#include "analysis/programset.h"
#include "driver/output.h"
#include "report/jsonreport.h"
#include "report/quoting.h"
#include "report/wording.h"
#include "source/programfile.h"

namespace {

// The file parsed, noting where a syntax error stands; "-" is `in`, read for nothing else.
ParsedProgram readNamed(const std::string& name, std::istream& in) {
  if (name != "-") return readProgramFile(name, Places::problem);
  return parseProgram(*in.rdbuf(), Places::problem);
}

// GCC's form for a syntax error, so that editors jump to its place. What the files before wrote
// goes out first, where both streams go to one terminal.
void writeError(std::ostream& out, std::ostream& err, const std::string& name,
                const ParsedProgram& file) {
  out.flush();
  if (file.syntaxError()) {
    const auto [line, column] = file.lineAndColumn(file.spans.problem()->from);
    err << visibleName(name) << ':' << line << ':' << column << ": " << failureMessage(file)
        << std::endl;
  } else {
    err << "loopcost: " << visibleName(name) << ": " << failureMessage(file) << std::endl;
  }
}

// Returns whether the file was analysed.
bool writeText(const std::string& name, std::istream& in, std::ostream& out, std::ostream& err,
               const Options& options, const TextLayout& layout, ProgramSet& programs) {
  const AnalysedProgram program(readNamed(name, in), options.models);
  if (!program.ok()) {
    writeError(out, err, name, program.parse());
    return false;
  }
  writeProgramReport(out, err, visibleName(name) + ": ", program, layout);
  if (options.compare) programs.add(visibleName(name), program);
  return true;
}

bool writeJson(const std::string& name, std::istream& in, JsonReport& report,
               const Options& options, ProgramSet& programs) {
  const AnalysedProgram program(readNamed(name, in), options.models);
  report.add(name, program);
  if (program.ok() && options.compare) programs.add(name, program);
  return program.ok();
}

void warnNotCompared(std::ostream& out, std::ostream& err, const ProgramSet& programs) {
  const auto reason = shortfallReason(programs);
  if (!reason) return;
  out.flush();
  const bool none = programs.shortfall() != ProgramSet::Shortfall::workLimit;
  err << "loopcost: " << (none ? "" : "warning: ") << "the programs were not "
      << (none ? "" : "all ") << "compared: " << *reason << std::endl;
}

int runText(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
            const TextLayout& layout) {
  bool anyFailed = false;
  ProgramSet programs(options.models);
  for (const std::string& name : options.files) {
    bool analysed = false;
    try {
      analysed = writeText(name, in, out, err, options, layout, programs);
    } catch (const std::bad_alloc&) {
      reportOutOfMemory(out, err, name);
    }
    if (!analysed) programs.fail(visibleName(name));
    anyFailed = anyFailed || !analysed;
    if (out.bad()) break;  // the output is written as it fills; a write failed
  }
  if (options.compare && !out.bad()) {
    programs.compare();
    const auto shortfall = programs.shortfall();
    if (shortfall == ProgramSet::Shortfall::none || shortfall == ProgramSet::Shortfall::workLimit) {
      writeComparison(out, programs, options.models, options.explain);
    }
    warnNotCompared(out, err, programs);
  }
  if (!flushed(out, err)) return 1;
  return anyFailed ? 1 : 0;
}

// A file that runs out of memory before its entry is begun gets an error entry; one that runs
// out while its entry is being written leaves the document cut short, and the run ends.
int runJson(std::istream& in, std::ostream& out, std::ostream& err, const Options& options) {
  bool anyFailed = false;
  ProgramSet programs(options.models);
  JsonReport report(out, options.models);
  for (const std::string& name : options.files) {
    bool analysed = false;
    try {
      analysed = writeJson(name, in, report, options, programs);
    } catch (const std::bad_alloc&) {
      reportOutOfMemory(out, err, name);
      if (report.broken()) return 1;
      report.failed(name, "out of memory");
    }
    if (!analysed) programs.fail(visibleName(name));
    anyFailed = anyFailed || !analysed;
  }
  if (options.compare) {
    programs.compare();
    report.compared(programs);
    if (programs.shortfall() != ProgramSet::Shortfall::workLimit)
      warnNotCompared(out, err, programs);
  }
  report.finish();
  if (!flushed(out, err)) return 1;
  return anyFailed ? 1 : 0;
}

}  // namespace

int runBatch(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
             const TextLayout& layout) {
  if (options.format == Options::Format::json) return runJson(in, out, err, options);
  return runText(in, out, err, options, layout);
}
