#include "driver/textoutput.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include "analysis/programanalysis.h"
#include "report/costing.h"
#include "report/explanation.h"
#include "report/quoting.h"
#include "statements/program.h"

void writeProgramReport(std::ostream& out, std::ostream& err, const std::string& where,
                        const Program& program, const Options& options, const ConsoleTexts& texts) {
  const std::vector<CostModel>& models = options.models;
  program.print(out);
  std::optional<ProgramAnalysis> analysis;
  if (options.explain) analysis.emplace(program, models, true);
  const ProgramCosts costs = costsOf(program, models, analysis ? &*analysis : nullptr);
  // Polynomial::print ends its line with a flush, which the output need not wait for.
  for (std::size_t i = 0; i < models.size(); ++i) {
    out << models[i].name << '\n' << texts.runningTime << printedLine(costs.printed[i]) << '\n';
  }
  std::vector<std::string> warnings = precisionWarnings(costs, models);
  if (analysis) {
    const auto comparison = analysis->comparison();
    writeExplanation(out, *analysis, models, comparison, texts.theta);
    if (!comparison)
      warnings.push_back("the cheapest model was not computed: " + comparisonSkipped());
  }
  if (!warnings.empty()) out.flush();  // where both go to one terminal, the costs come first
  for (const std::string& warning : warnings) {
    err << "loopcost: " << where << "warning: " << warning << std::endl;
  }
  out << SEPARATOR;
}

// The failed write's errno is still there: a failed stream makes no further system calls.
bool flushed(std::ostream& out, std::ostream& err) {
  if (out.flush()) return true;
  err << "loopcost: write error: " << std::strerror(errno != 0 ? errno : EIO) << std::endl;
  return false;
}

void reportOutOfMemory(std::ostream& out, std::ostream& err, const std::string& name) {
  out.flush();
  err << "loopcost: " << visibleName(name) << ": out of memory" << std::endl;
}
