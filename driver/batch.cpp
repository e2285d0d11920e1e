#include "driver/batch.h"

#include <new>
#include <optional>
#include <string>

#include "analysis/programset.h"
#include "driver/output.h"
#include "report/jsonreport.h"
#include "report/quoting.h"
#include "report/summary.h"
#include "report/wording.h"
#include "source/programfile.h"

namespace {

bool refused(const AnalysedProgram& program) {
  return program.ok() && program.extended() && program.counts().refusal();
}

// The file parsed, noting where a syntax error stands; "-" is `in`, read for nothing else.
ParsedProgram readNamed(const std::string& name, std::istream& in, Dialect dialect) {
  if (name != "-") return readProgramFile(name, Places::problem, dialect);
  return parseProgram(*in.rdbuf(), Places::problem, dialect);
}

// A batch run: the files analysed in order and written as they come (their reports, each after
// its name where there are several, or their JSON entries), with what the views after them (the
// summary, the grades, the comparison) need gathered on the way.
class Batch {
 public:
  Batch(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
        const TextLayout& layout)
      : in(in),
        out(out),
        err(err),
        options(options),
        layout(layout),
        compared(options.models),
        summary(summaryTable(options.models, layout.words)),
        grading(gradeTable(options.reference.value_or(""), layout.words)) {}

  int run();

 private:
  const Words& words() const { return layout.words; }
  bool json() const { return options.format == Options::Format::json; }
  bool reports() const { return !options.summary && !options.reference; }
  bool readReference();
  bool analyse(const std::string& name);
  // How far the tables had come before a file.
  struct Marks {
    std::size_t summaryRows, gradingRows, grades;
  };
  Marks marks() const { return {summary.size(), grading.size(), grades.size()}; }
  void outOfMemory(const std::string& name, const Marks& before);
  void gather(const std::string& name, const std::string& shown, const AnalysedProgram& program);
  void writeError(const std::string& name, const ParsedProgram& file);
  void writeRefusal(const std::string& name, const AnalysedProgram& program);
  void writeViews();
  void warnNotCompared();

  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  const Options& options;
  const TextLayout& layout;
  std::optional<JsonReport> report;
  ProgramSet compared;
  TextTable summary;
  TextTable grading;
  std::optional<AnalysedProgram> reference;
  std::vector<Grade> grades;
};

int Batch::run() {
  if (json()) report.emplace(out, options.models);  // in English, for scripts
  bool anyFailed = options.reference && !readReference();
  for (const std::string& name : options.files) {
    bool analysed = false;
    const Marks before = marks();
    try {
      analysed = analyse(name);
    } catch (const std::bad_alloc&) {
      reportOutOfMemory(out, err, name, words());
      if (report && report->broken()) return 1;
      outOfMemory(name, before);
    }
    if (!analysed) compared.fail(visibleName(name));
    anyFailed = anyFailed || !analysed;
    if (out.bad()) break;  // the output is written as it fills; a write failed
  }
  try {
    if (!out.bad()) writeViews();
  } catch (const std::bad_alloc&) {
    out.flush();
    err << "loopcost: " << words().tr("out of memory") << std::endl;
    return 1;
  }
  if (!flushed(out, err, words())) return 1;
  return anyFailed ? 1 : 0;
}

// Returns whether the reference was analysed; a reference too large for memory is said so, and
// nothing is graded.
bool Batch::readReference() {
  try {
    reference.emplace(readNamed(*options.reference, in, options.dialect), options.models);
  } catch (const std::bad_alloc&) {
    reference.reset();
    reportOutOfMemory(out, err, *options.reference, words());
    return false;
  }
  if (!reference->ok()) writeError(*options.reference, reference->parse());
  return reference->ok();
}

// A file that ran out of memory keeps its row in every table and its entry in the document, as a
// file that failed; what was gathered of it before goes.
void Batch::outOfMemory(const std::string& name, const Marks& before) {
  summary.truncate(before.summaryRows);
  grading.truncate(before.gradingRows);
  grades.resize(before.grades);
  const FileError failure{(json() ? Words() : words()).tr("out of memory"), "", 0, 0};
  if (report) report->failed(name, failure.message);  // for scripts, in English
  if (options.summary && !json()) summary.add({visibleName(name), errorCell(failure, words())});
  if (reference && reference->ok()) {
    grades.push_back({name, failure, {}, {}, std::nullopt});
    if (!json()) addGradeCells(grading, grades.back(), options.models, words());
  }
}

// Returns whether the file was analysed.
bool Batch::analyse(const std::string& name) {
  const std::string shown = json() ? name : visibleName(name);  // JSON escapes names itself
  if (!report && reports() && options.files.size() > 1) {
    out << "==> " << shown << " <==\n";
  }
  const AnalysedProgram program(readNamed(name, in, options.dialect), options.models);
  if (refused(program)) {
    writeRefusal(name, program);
    return false;
  }
  if (report) {
    report->add(name, program);
  } else if (reports()) {
    if (program.ok()) {
      writeProgramReport(out, err, shown + ": ", program, layout);
    } else {
      writeError(name, program.parse());
    }
  }
  gather(name, shown, program);
  return program.ok();
}

void Batch::gather(const std::string& name, const std::string& shown,
                   const AnalysedProgram& program) {
  if (options.compare && program.ok()) compared.add(shown, program);
  if (options.summary && !json()) summary.add(summaryCells(name, program, words()));
  if (reference && reference->ok()) {
    grades.push_back(graded(name, program, *reference, json() ? Words() : words()));
    if (!json()) addGradeCells(grading, grades.back(), options.models, words());
  }
}

// A refused program is a file that failed: said on `err`, or as its JSON entry.
void Batch::writeRefusal(const std::string& name, const AnalysedProgram& program) {
  const CountRefusal& refusal = *program.counts().refusal();
  if (report) {
    report->failed(name, refusalText(refusal, program.rows(), Words()));
  } else {
    out.flush();
    err << "loopcost: " << visibleName(name) << ": "
        << refusalText(refusal, program.rows(), words()) << std::endl;
  }
  if (options.summary && !json()) {
    summary.add({visibleName(name),
                 errorCell({refusalText(refusal, program.rows(), words()), "", 0, 0}, words())});
  }
}

// GCC's form for a syntax error, so that editors jump to its place. What the files before wrote
// goes out first, where both streams go to one terminal.
void Batch::writeError(const std::string& name, const ParsedProgram& file) {
  out.flush();
  if (file.syntaxError()) {
    const auto [line, column] = file.lineAndColumn(file.spans.problem()->from);
    err << visibleName(name) << ':' << line << ':' << column << ": " << readableError(file, words())
        << std::endl;
  } else {
    err << "loopcost: " << fileProblem(name, file, words()) << std::endl;
  }
}

void Batch::writeViews() {
  const bool aligned = layout.width.has_value();
  if (options.summary && !json()) summary.write(out, aligned, words());
  if (reference && !json() && reference->ok()) grading.write(out, aligned, words());
  if (reference && json()) {
    report->graded(*options.reference, *reference, grades);
  }
  if (options.compare) {
    compared.compare();
    if (json()) {
      report->compared(compared);
    } else if (compared.compared()) {
      writeComparison(out, compared, options.models, options.explain, words());
    }
    if (!json() || compared.shortfall() != ProgramSet::Shortfall::workLimit) warnNotCompared();
  }
  if (report) report->finish();
}

void Batch::warnNotCompared() {
  const auto reason = shortfallReason(compared, words());
  if (!reason) return;
  out.flush();
  err << "loopcost: "
      << fill(compared.compared() ? words().tr("warning: the programs were not all compared: %s")
                                  : words().tr("the programs were not compared: %s"),
              {*reason})
      << std::endl;
}

}  // namespace

int runBatch(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
             const TextLayout& layout) {
  return Batch(in, out, err, options, layout).run();
}
