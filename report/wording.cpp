#include "report/wording.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <tuple>

#include "report/diagnosis.h"
#include "report/quoting.h"
#include "statements/loopstatement.h"
#include "support/utf8.h"
#include "support/words.h"

namespace {

std::string rangeText(const CheapestRange& range, const Words& words) {
  if (!range.to) return fill(words.tr("for every n >= %s"), {decimal(range.from)});
  if (*range.to == range.from) return fill(words.tr("for n = %s"), {decimal(range.from)});
  return fill(words.tr("for %s <= n <= %s"), {decimal(range.from), decimal(*range.to)});
}

std::string cheapestText(const std::vector<std::size_t>& cheapest,
                         const std::vector<std::string>& names, const Words& words) {
  if (cheapest.size() == names.size() && names.size() > 1) {
    return names.size() == 2 ? words.tr("both cost the same") : words.tr("all cost the same");
  }
  std::vector<std::string> chosen;
  for (const std::size_t index : cheapest) chosen.push_back(names[index]);
  if (cheapest.size() > 1) {
    return fill(words.tr("%s cost the same and are cheapest"), {listed(chosen, words)});
  }
  return fill(names.size() == 2 ? words.tr("%s is cheaper") : words.tr("%s is cheapest"),
              {chosen[0]});
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

std::string growthText(Growth growth) {
  if (growth.degree < 0) return "0";
  if (growth.degree == 0 && growth.log == 0) return "\xCE\x98(1)";
  std::string text = monomialText(growth.degree, growth.log);
  const std::size_t times = text.find(" * ");
  if (times != std::string::npos) text.replace(times, 3, " ");
  return "\xCE\x98(" + text + ")";
}

std::string workLimitReason(const Words& words) {
  return fill(
      words.tr("comparing these costs exactly would take more than the work limit of %s word "
               "operations on big numbers"),
      {std::to_string(COMPARISON_WORK_LIMIT)});
}

std::vector<std::string> comparisonInWords(const std::optional<std::vector<CheapestRange>>& ranges,
                                           const std::vector<std::string>& names,
                                           const Words& words) {
  if (!ranges) return {fill(words.tr("not computed: %s"), {workLimitReason(words)})};
  std::vector<std::string> lines;
  for (const CheapestRange& range : *ranges) {
    lines.push_back(fill(words.tr("%s: %s"),
                         {rangeText(range, words), cheapestText(range.cheapest, names, words)}));
  }
  return lines;
}

std::vector<std::string> modelNames(const std::vector<CostModel>& models) {
  std::vector<std::string> names;
  for (const CostModel& model : models) names.push_back(model.name);
  return names;
}

std::vector<std::string> warnings(const AnalysedProgram& program, const Words& words) {
  std::vector<std::string> lines;
  for (const std::size_t m : program.imprecise()) {
    lines.push_back(fill(
        words.tr("%s: single precision prints %s, the exact cost is %s"),
        {program.models()[m].name, printedLine(program.printed()[m]), program.exact()[m].text()}));
  }
  return lines;
}

// The reasons a student meets most are said in their language, and alike on every system.
std::string systemReason(int error, const Words& words) {
  switch (error) {
    case ENOENT:
      return words.tr("No such file or directory");
    case EISDIR:
      return words.tr("Is a directory");
    case EACCES:
      return words.tr("Permission denied");
  }
  return std::strerror(error);
}

std::string failureMessage(const ParsedProgram& parsed, const Words& words) {
  if (parsed.openError != 0) return systemReason(parsed.openError, words);
  if (parsed.readError != 0) {
    return fill(words.tr("read error: %s"), {systemReason(parsed.readError, words)});
  }
  return withVisibleQuotes(parsed.error);
}

FileError fileError(const ParsedProgram& parsed, const Words& words) {
  FileError error{failureMessage(parsed, words), "", 0, 0};
  if (parsed.syntaxError()) {
    error.explanation = explanation(parsed, words);
    std::tie(error.line, error.column) = parsed.lineAndColumn(parsed.spans.problem()->from);
  }
  return error;
}

std::string fileProblem(const std::string& name, const ParsedProgram& parsed, const Words& words) {
  const bool opened = parsed.openError == 0;
  return fill(
      opened ? words.tr("cannot read '%s': %s") : words.tr("cannot open '%s': %s"),
      {visibleName(name), systemReason(opened ? parsed.readError : parsed.openError, words)});
}

std::string readableError(const ParsedProgram& parsed, const Words& words) {
  if (!parsed.syntaxError()) return failureMessage(parsed, words);
  return fill(words.tr("%s [%s]"), {explanation(parsed, words), failureMessage(parsed, words)});
}

namespace {

// Why a price is none, with a full-width character an input method types named first.
std::string priceFault(const std::string& typed, Price::Fault fault, const char* notNumber,
                       const Words& words) {
  if (const auto hint = fullWidthIn(typed, words)) return *hint;
  switch (fault) {
    case Price::Fault::exponent:
      return fill(words.tr("exponents are not accepted: write %s in digits"), {visibleName(typed)});
    case Price::Fault::beyondSingle:
      return words.tr("a price must stay below 3.4e38, where single precision ends");
    case Price::Fault::notNumber:
      break;
  }
  return words.tr(notNumber);
}

}  // namespace

std::string pricesProblem(const PricesFault& fault, const Words& words) {
  const std::string price = fault.fault == Price::Fault::notNumber ? fault.text : fault.price;
  return fill(words.tr("'%s' is not ADD,MUL (%s)"),
              {visibleName(fault.text),
               priceFault(price, fault.fault, N_("two non-negative numbers"), words)});
}

std::string priceProblem(std::size_t model, bool addition, const std::string& typed,
                         Price::Fault fault, const Words& words) {
  return fill(addition ? words.tr("model %s, the price of +: %s is not a price: %s")
                       : words.tr("model %s, the price of *: %s is not a price: %s"),
              {std::to_string(model + 1), "'" + visibleName(typed) + "'",
               priceFault(typed, fault, N_("write a number in digits, such as 2 or 0.5"), words)});
}

std::optional<std::string> shortfallReason(const ProgramSet& programs, const Words& words) {
  switch (programs.shortfall()) {
    case ProgramSet::Shortfall::none:
      return std::nullopt;
    case ProgramSet::Shortfall::failedPrograms:
      return fill(
          words.trn("%s was not analysed", "%s were not analysed", programs.failures().size()),
          {listed(programs.failures(), words)});
    case ProgramSet::Shortfall::workLimit:
      return workLimitReason(words);
    case ProgramSet::Shortfall::memory:
      return std::string(words.tr("memory ran out while making the comparison"));
  }
  return std::nullopt;
}

std::string listed(const std::vector<std::string>& names, const Words& words) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == names.size() ? words.tr(" and ") : words.tr(", ")) + names[i];
  }
  return text;
}

std::string polynomialText(const ExactPolynomial& polynomial) {
  const auto& terms = polynomial.terms();
  if (terms.empty()) return "0";
  std::string text;
  for (auto term = terms.rbegin(); term != terms.rend(); ++term) {
    const Rational c = polynomial.coefficient(term->power, term->log);
    const bool negative = c < 0;
    text += term == terms.rbegin() ? (negative ? "-" : "") : (negative ? " - " : " + ");
    text += decimalText(negative ? Rational(-c) : c);
    if (term->power > 0 || term->log > 0) text += " * " + monomialText(term->power, term->log);
  }
  return text;
}

std::string countText(const ExactCount& count) {
  return polynomialText(count.polynomial) + " (n >= " + std::to_string(count.fromN) + ")";
}

std::string refusalText(const CountRefusal& refusal, const StatementRows& rows,
                        const Words& words) {
  std::string header;
  for (const StatementRows::Row& row : rows.rows()) {
    if (row.line == refusal.line) header = echoLine(row);
  }
  const std::string line = std::to_string(refusal.line);
  switch (refusal.reason) {
    case CountRefusal::Reason::fraction:
      return fill(words.tr("no single polynomial: where %1$s (line %2$s of the listing) runs "
                           "depends on a fraction of the other values, such as whether n is even"),
                  {header, line});
    case CountRefusal::Reason::nonlinear:
      return fill(words.tr("no single polynomial found: the range of %1$s (line %2$s of the "
                           "listing) ends where a power or a product of indices reaches a value"),
                  {header, line});
    case CountRefusal::Reason::workLimit:
      break;
  }
  return fill(words.tr("the range where the cost is one polynomial was not established within "
                       "the work limit, at %1$s (line %2$s of the listing)"),
              {header, line});
}
