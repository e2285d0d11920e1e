#include "report/textreport.h"

#include <vector>

#include "report/consoletexts.h"
#include "report/countsexplained.h"
#include "report/explanation.h"
#include "report/wording.h"

void writeProgramReport(std::ostream& out, std::ostream& err, const std::string& where,
                        const AnalysedProgram& program, const TextLayout& layout) {
  const std::vector<CostModel>& models = program.models();
  program.program().print(out);
  // Polynomial::print ends its line with a flush, which the output need not wait for.
  for (std::size_t m = 0; m < models.size(); ++m) {
    out << models[m].name << '\n'
        << RUNNING_TIME
        << (program.extended() ? countText(program.counts().totals()[m])
                               : printedLine(program.printed()[m]))
        << '\n';
  }
  const Words& words = layout.words;
  if (program.extended()) {
    if (layout.explain) writeCountsExplained(out, program, words);
    out << SEPARATOR;
    return;
  }
  std::vector<std::string> warned = warnings(program, words);
  if (layout.explain) {
    writeExplanation(out, program, words, layout.width);
    if (!program.cheapest()) {
      warned.push_back(
          fill(words.tr("the cheapest model was not computed: %s"), {workLimitReason(words)}));
    }
  }
  if (!warned.empty()) out.flush();  // where both go to one terminal, the costs come first
  for (const std::string& warning : warned) {
    err << "loopcost: " << where << fill(words.tr("warning: %s"), {warning}) << std::endl;
  }
  out << SEPARATOR;
}

void writeComparison(std::ostream& out, const ProgramSet& programs,
                     const std::vector<CostModel>& models, bool explain, const Words& words) {
  const std::vector<std::string>& names = programs.programs();
  for (std::size_t m = 0; m < models.size(); ++m) {
    const auto& ranges = programs.ranges()[m];
    out << fill(words.tr("cheapest program under %s:"), {models[m].name}) << '\n';
    for (const std::string& line : comparisonInWords(ranges, names, words)) {
      out << "  " << line << '\n';
    }
    if (!explain || !ranges) continue;
    std::vector<Integer> boundaries;  // the last n of each range and the first of the next
    for (const CheapestRange& range : *ranges) {
      if (!range.to) continue;
      if (boundaries.empty() || boundaries.back() != *range.to) boundaries.push_back(*range.to);
      boundaries.push_back(*range.to + 1);
    }
    for (const Integer& n : boundaries) {
      std::string costs;
      for (std::size_t p = 0; p < names.size(); ++p) {
        costs +=
            (p == 0 ? "" : words.tr(", ")) +
            fill(words.tr("%s costs %s"), {names[p], decimalValue(programs.cost(p, m).valueAt(n))});
      }
      out << "  " << fill(words.tr("at n = %s: %s"), {decimal(n), costs}) << '\n';
    }
  }
}
