#include "driver/batch.h"

#include <cstring>
#include <new>
#include <string>

#include "analysis/programanalysis.h"
#include "driver/programfile.h"
#include "driver/textoutput.h"
#include "report/explanation.h"
#include "report/jsonreport.h"
#include "report/programcomparison.h"
#include "report/quoting.h"
#include "statements/program.h"

namespace {

// The file parsed; "-" is `in`, read for nothing else.
ProgramFile readNamed(const std::string& name, std::istream& in) {
  if (name != "-") return readProgramFile(name);
  ProgramFile file;
  file.parsed = parseProgram(*in.rdbuf());
  return file;
}

// Why the file gave no program, in words: the parser's line with its quoted bytes made visible,
// or the system's reason.
std::string failure(const ProgramFile& file) {
  if (file.openError != 0) return std::strerror(file.openError);
  if (file.parsed.readError != 0) {
    return std::string("read error: ") + std::strerror(file.parsed.readError);
  }
  return withVisibleQuotes(file.parsed.error);
}

bool isSyntaxError(const ProgramFile& file) {
  return file.openError == 0 && file.parsed.readError == 0;
}

// GCC's form where the parser could say where it stopped, so that editors jump there. What the
// files before wrote goes out first, where both streams go to one terminal.
void writeError(std::ostream& out, std::ostream& err, const std::string& name,
                const ProgramFile& file) {
  out.flush();
  if (isSyntaxError(file)) {
    err << visibleName(name) << ':' << file.parsed.position.line << ':'
        << file.parsed.position.column << ": " << failure(file) << std::endl;
  } else {
    err << "loopcost: " << visibleName(name) << ": " << failure(file) << std::endl;
  }
}

// The exact costs of each program analysed, for --compare, and the files that failed.
struct Compared {
  std::vector<std::string> names;
  std::vector<std::vector<ExactPolynomial>> costs;
  std::string failed;  // their names, as messages write them

  void add(const std::string& name, const Program& program, const Options& options) {
    if (!options.compare) return;
    names.push_back(name);
    costs.push_back(ProgramAnalysis(program, options.models, false).costs());
  }

  void fail(const std::string& name) { failed += (failed.empty() ? "" : ", ") + visibleName(name); }

  // Why there is no comparison.
  std::string reason() const {
    return failed + (failed.find(", ") == std::string::npos ? " was" : " were") + " not analysed";
  }
};

// Returns whether the file was analysed.
bool writeText(const std::string& name, std::istream& in, std::ostream& out, std::ostream& err,
               const Options& options, const ConsoleTexts& texts, Compared& compared) {
  const ProgramFile file = readNamed(name, in);
  if (!file.parsed.program) {
    writeError(out, err, name, file);
    return false;
  }
  writeProgramReport(out, err, visibleName(name) + ": ", *file.parsed.program, options, texts);
  compared.add(visibleName(name), *file.parsed.program, options);
  return true;
}

bool writeJson(const std::string& name, std::istream& in, JsonReport& report,
               const Options& options, Compared& compared) {
  const ProgramFile file = readNamed(name, in);
  if (file.parsed.program) {
    report.analysed(name, *file.parsed.program);
    compared.add(name, *file.parsed.program, options);
  } else if (isSyntaxError(file)) {
    report.failed(name, failure(file), file.parsed.position);
  } else {
    report.failed(name, failure(file));
  }
  return file.parsed.program != nullptr;
}

// After the files, which program is cheapest for which n under each model, when all of them
// were analysed; a comparison over the work limit is said to be on `err` too.
void writeComparison(std::ostream& out, std::ostream& err, const Options& options,
                     Compared& compared) {
  if (!compared.failed.empty()) {
    out.flush();
    err << "loopcost: the programs were not compared: " << compared.reason() << std::endl;
    return;
  }
  const ProgramComparison comparison(std::move(compared.names), std::move(compared.costs),
                                     options.models);
  comparison.write(out, options.models, options.explain);
  if (!comparison.complete()) {
    out.flush();
    err << "loopcost: warning: the programs were not all compared: " << comparisonSkipped()
        << std::endl;
  }
}

int runText(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
            const ConsoleTexts& texts) {
  bool anyFailed = false;
  Compared compared;
  for (const std::string& name : options.files) {
    bool analysed = false;
    try {
      analysed = writeText(name, in, out, err, options, texts, compared);
    } catch (const std::bad_alloc&) {
      reportOutOfMemory(out, err, name);
    }
    if (!analysed) compared.fail(name);
    anyFailed = anyFailed || !analysed;
    if (out.bad()) break;  // the output is written as it fills; a write failed
  }
  if (options.compare && !out.bad()) writeComparison(out, err, options, compared);
  if (!flushed(out, err)) return 1;
  return anyFailed ? 1 : 0;
}

// A file that runs out of memory before its entry is begun gets an error entry; one that runs
// out while its entry is being written leaves the document cut short, and the run ends.
int runJson(std::istream& in, std::ostream& out, std::ostream& err, const Options& options) {
  bool anyFailed = false;
  Compared compared;
  JsonReport report(out, options.models);
  for (const std::string& name : options.files) {
    bool analysed = false;
    try {
      analysed = writeJson(name, in, report, options, compared);
    } catch (const std::bad_alloc&) {
      reportOutOfMemory(out, err, name);
      if (report.broken()) return 1;
      report.failed(name, "out of memory");
    }
    if (!analysed) compared.fail(name);
    anyFailed = anyFailed || !analysed;
  }
  if (options.compare && anyFailed) {
    report.notCompared(compared.reason());
    err << "loopcost: the programs were not compared: " << compared.reason() << std::endl;
  } else if (options.compare) {
    report.compared(
        ProgramComparison(std::move(compared.names), std::move(compared.costs), options.models));
  }
  report.finish();
  if (!flushed(out, err)) return 1;
  return anyFailed ? 1 : 0;
}

}  // namespace

int runBatch(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
             const ConsoleTexts& texts) {
  if (options.format == Options::Format::json) return runJson(in, out, err, options);
  return runText(in, out, err, options, texts);
}
