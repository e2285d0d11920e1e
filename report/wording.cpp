#include "report/wording.h"

#include <cstdio>
#include <cstring>
#include <sstream>

#include "report/quoting.h"
#include "statements/loopstatement.h"
#include "support/translation.h"

namespace {

std::string rangeText(const CheapestRange& range) {
  if (!range.to) return fill(tr("for every n >= %s"), {decimal(range.from)});
  if (*range.to == range.from) return fill(tr("for n = %s"), {decimal(range.from)});
  return fill(tr("for %s <= n <= %s"), {decimal(range.from), decimal(*range.to)});
}

// "a, b and c"
std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == names.size() ? tr(" and ") : tr(", ")) + names[i];
  }
  return text;
}

std::string cheapestText(const std::vector<std::size_t>& cheapest,
                         const std::vector<std::string>& names) {
  if (cheapest.size() == names.size() && names.size() > 1) {
    return names.size() == 2 ? tr("both cost the same") : tr("all cost the same");
  }
  std::vector<std::string> chosen;
  for (const std::size_t index : cheapest) chosen.push_back(names[index]);
  if (cheapest.size() > 1) return fill(tr("%s cost the same and are cheapest"), {listed(chosen)});
  return fill(names.size() == 2 ? tr("%s is cheaper") : tr("%s is cheapest"), {chosen[0]});
}

}  // namespace

std::string runsText(const Runs& runs) {
  if (runs.factor == 0 || runs.power == 0) return decimal(runs.factor);
  const std::string power = "n^" + std::to_string(runs.power);
  return runs.factor == 1 ? power : decimal(runs.factor) + " * " + power;
}

// One stream serves every line, as for the cost lines.
std::string echoLine(const StatementRows::Row& row) {
  if (row.loop >= 0) return static_cast<const LoopStatement*>(row.statement)->header();
  static std::ostringstream text;
  text.str("");
  row.statement->print(text, 0);
  std::string line = text.str();
  line.pop_back();
  return line;
}

std::string growthText(Growth growth, const std::string& theta) {
  if (growth.degree < 0) return "0";
  return theta + "(" + (growth.degree == 0 ? "1" : "n^" + std::to_string(growth.degree)) + ")";
}

std::string workLimitReason() {
  return fill(tr("comparing these costs exactly would take more than the work limit of %s word "
                 "operations on big numbers"),
              {std::to_string(COMPARISON_WORK_LIMIT)});
}

std::vector<std::string> comparisonInWords(const std::optional<std::vector<CheapestRange>>& ranges,
                                           const std::vector<std::string>& names) {
  if (!ranges) return {fill(tr("not computed: %s"), {workLimitReason()})};
  std::vector<std::string> lines;
  for (const CheapestRange& range : *ranges) {
    lines.push_back(fill(tr("%s: %s"), {rangeText(range), cheapestText(range.cheapest, names)}));
  }
  return lines;
}

std::vector<std::string> modelNames(const std::vector<CostModel>& models) {
  std::vector<std::string> names;
  for (const CostModel& model : models) names.push_back(model.name);
  return names;
}

std::vector<std::string> warnings(const AnalysedProgram& program) {
  std::vector<std::string> lines;
  for (const std::size_t m : program.imprecise()) {
    lines.push_back(fill(
        tr("%s: single precision prints %s, the exact cost is %s"),
        {program.models()[m].name, printedLine(program.printed()[m]), program.exact()[m].text()}));
  }
  return lines;
}

std::string failureMessage(const ParsedProgram& parsed) {
  if (parsed.openError != 0) return std::strerror(parsed.openError);
  if (parsed.readError != 0) return fill(tr("read error: %s"), {std::strerror(parsed.readError)});
  return withVisibleQuotes(parsed.error);
}

namespace {

// "full-width '；' (U+FF1B): type ';'" for the full-width forms of ASCII, U+FF01 to U+FF5E, which
// a Chinese input method types.
std::optional<std::string> fullWidth(const std::string& found) {
  if (found.size() != 3 || static_cast<unsigned char>(found[0]) != 0xEF) return std::nullopt;
  const unsigned code = (static_cast<unsigned char>(found[0]) & 0x0F) << 12 |
                        (static_cast<unsigned char>(found[1]) & 0x3F) << 6 |
                        (static_cast<unsigned char>(found[2]) & 0x3F);
  if (code < 0xFF01 || code > 0xFF5E) return std::nullopt;
  char hex[8];
  std::snprintf(hex, sizeof hex, "%04X", code);
  return fill(tr("full-width '%s' (U+%s): type '%s'"),
              {found, hex, std::string(1, static_cast<char>(code - 0xFEE0))});
}

std::string quotedFound(const std::string& found) { return "'" + visibleName(found) + "'"; }

// What a statement may not hold.
std::string foreignCharacter(const std::string& found) {
  const char c = found.size() == 1 ? found[0] : '\0';
  if (c == '=') {
    return tr("'=' is not part of the language: a statement is an expression such as a + b * c;");
  }
  if (c >= 'A' && c <= 'Z')
    return fill(tr("%s is no variable: variables are a to z"), {quotedFound(found)});
  return fill(tr("%s is not part of the language: a statement holds the variables a to z, + and *"),
              {quotedFound(found)});
}

}  // namespace

std::string explanation(const SourceSpans::Problem& problem) {
  if (const auto typed = fullWidth(problem.found)) return *typed;
  const std::string& found = problem.found;
  switch (problem.expected) {
    case Expected::begin:
      return found.empty() ? tr("the text is empty: a program starts with BEGIN")
                           : fill(tr("a program starts with BEGIN, not %s"), {quotedFound(found)});
    case Expected::end:
      return found.empty() ? tr("the text ends before the program's END")
                           : fill(tr("expected END after the program's last statement, not %s"),
                                  {quotedFound(found)});
    case Expected::statement:
      return fill(tr("a statement starts with a letter a to z or LOOP, not %s"),
                  {quotedFound(found)});
    case Expected::firstStatement:
      return tr("a program and a LOOP hold at least one statement before their END");
    case Expected::count:
      if (found.size() == 1 && std::string("+-*/").find(found[0]) != std::string::npos) {
        return fill(tr("%s is not allowed in a LOOP count: use n or a whole number"),
                    {quotedFound(found)});
      }
      return fill(tr("a LOOP count is n or a whole number, not %s"), {quotedFound(found)});
    case Expected::countSize:
      return fill(tr("the LOOP count %s is too large: at most 2147483647"), {quotedFound(found)});
    case Expected::loop:
      return fill(tr("expected LOOP, not %s"), {quotedFound(found)});
    case Expected::loopEnd:
      return found.empty()
                 ? tr("the text ends before the LOOP's END")
                 : fill(tr("expected END to close the LOOP, not %s"), {quotedFound(found)});
    case Expected::nesting:
      return tr("loops are nested more than 1000 deep");
    case Expected::semicolon:
      return tr("expected ';' at the end of the statement");
    case Expected::expression:
      return foreignCharacter(found);
    case Expected::term:
      return tr("a '+' needs a term on each side");
    case Expected::operation:
      return fill(tr("variables side by side in %s: put '*' or '+' between them"),
                  {quotedFound(found)});
  }
  return "";
}

std::string readableError(const ParsedProgram& parsed) {
  if (!parsed.syntaxError()) return failureMessage(parsed);
  return fill(tr("%s [%s]"), {explanation(*parsed.spans.problem()), failureMessage(parsed)});
}

std::string priceProblem(std::size_t model, bool addition, const std::string& typed,
                         const std::string& why) {
  return fill(addition ? tr("model %s, the price of +: %s is not a price: %s")
                       : tr("model %s, the price of *: %s is not a price: %s"),
              {std::to_string(model + 1), quotedFound(typed),
               why.empty() ? tr("write a number in digits, such as 2 or 0.5") : why});
}

std::optional<std::string> shortfallReason(const ProgramSet& programs) {
  switch (programs.shortfall()) {
    case ProgramSet::Shortfall::none:
      return std::nullopt;
    case ProgramSet::Shortfall::failedPrograms:
      return fill(
          programs.failures().size() == 1 ? tr("%s was not analysed") : tr("%s were not analysed"),
          {listed(programs.failures())});
    case ProgramSet::Shortfall::workLimit:
      return workLimitReason();
    case ProgramSet::Shortfall::memory:
      return std::string(tr("memory ran out while making the comparison"));
  }
  return std::nullopt;
}
