#include "report/jsonreport.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "analysis/growth.h"
#include "analysis/programanalysis.h"
#include "report/consoletexts.h"
#include "report/costing.h"
#include "report/explanation.h"
#include "report/quoting.h"
#include "statements/program.h"

using json = nlohmann::ordered_json;

namespace {

// Whole numbers as integers, other values as the shortest decimal that reads back to the same
// float (JSON has no infinity or NaN: those become null).
json number(float value) {
  if (!std::isfinite(value)) return nullptr;
  if (value == std::trunc(value) && std::fabs(value) < 9.0e15f) {
    return static_cast<long long>(value);
  }
  char text[32];
  for (int digits = 1;; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (digits == 9 || std::strtof(text, nullptr) == value) return json::parse(text);
  }
}

json costJson(const Polynomial& cost) {
  json coefficients = json::array();
  for (int power = 0; power <= cost.getDegree(); ++power) {
    coefficients.push_back(number(cost.coefficient(power)));
  }
  return {{"text", printedLine(cost)}, {"coefficients", coefficients}};
}

json costJson(const ExactPolynomial& cost) {
  return {{"text", cost.text()}, {"coefficients", cost.coefficientTexts()}};
}

// A whole number of any size: a JSON number while it fits 64 bits, else its decimal string.
json integer(const Integer& value) {
  if (value >= 0 && value <= std::numeric_limits<std::uint64_t>::max()) {
    return value.convert_to<std::uint64_t>();
  }
  return value.str();
}

void writeCost(JsonWriter& writer, const ExactPolynomial& cost) {
  writer.beginObject();
  writer.key("text");
  writer.string(cost.text());
  writer.key("coefficients");
  writer.beginArray();
  for (const std::string& coefficient : cost.coefficientTexts()) writer.string(coefficient);
  writer.end();
  writer.end();
}

// Written field by field: a program has as many of these as statements.
void writeStatement(JsonWriter& writer, const StatementAnalysis& statement) {
  const bool loop = statement.kind == StatementAnalysis::Kind::loop;
  writer.beginObject();
  writer.key("line");
  writer.integer(statement.line);
  writer.key("kind");
  writer.string(loop ? "loop" : "expression");
  writer.key("depth");
  writer.integer(statement.depth);
  if (loop) {
    writer.key("count");
    if (statement.count) {
      writer.integer(*statement.count);
    } else {
      writer.string("n");
    }
  }
  writer.key("runs");
  writer.beginObject();
  writer.key("factor");
  writer.string(decimal(statement.runs.factor));
  writer.key("power");
  writer.integer(statement.runs.power);
  writer.key("text");
  writer.string(runsText(statement.runs));
  writer.end();
  if (!loop) {
    writer.key("additions");
    writer.number(std::to_string(statement.additions));
    writer.key("multiplications");
    writer.number(std::to_string(statement.multiplications));
  }
  writer.key("costs");
  writer.beginArray();
  for (const ExactPolynomial& cost : statement.costs) writeCost(writer, cost);
  writer.end();
  writer.end();
}

// Each statement's entry, written as the analysis walks to it.
class StatementEntries : public RowVisitor {
 public:
  explicit StatementEntries(JsonWriter& json) : json(json) {}
  void statement(const StatementAnalysis& row) override { writeStatement(json, row); }
  void end(int, int) override {}

 private:
  JsonWriter& json;
};

json namesOf(const std::vector<std::size_t>& indexes, const std::vector<std::string>& names) {
  json chosen = json::array();
  for (const std::size_t index : indexes) chosen.push_back(names[index]);
  return chosen;
}

// The ranges of n and the names of the costs cheapest in each.
json comparisonJson(const std::vector<CheapestRange>& ranges,
                    const std::vector<std::string>& names) {
  json entries = json::array();
  for (const CheapestRange& range : ranges) {
    entries.push_back({{"from", integer(range.from)},
                       {"to", range.to ? integer(*range.to) : json(nullptr)},
                       {"cheapest", namesOf(range.cheapest, names)}});
  }
  return entries;
}

json crossingsJson(const std::vector<CheapestRange>& ranges,
                   const std::vector<std::string>& names) {
  json crossings = json::array();
  for (const Crossing& crossing : crossingsOf(ranges)) {
    crossings.push_back({{"n", integer(crossing.n)},
                         {"cheapest", namesOf(crossing.cheapest, names)},
                         {"tie", crossing.tie}});
  }
  return crossings;
}

}  // namespace

JsonReport::JsonReport(std::ostream& out, const std::vector<CostModel>& models, bool indented)
    : writer(out, indented), models(models) {
  writer.beginObject();
  writer.key("version");
  writer.value(1);
  writer.key("runningTimeLabel");
  writer.value(ConsoleTexts::utf8().runningTime);
  writer.key("models");
  writer.beginArray();
  for (const CostModel& model : models) {
    writeModel(model);
    writer.end();
  }
  writer.end();
  writer.key("files");
  writer.beginArray();
}

// Opens the model's object with its name and prices.
void JsonReport::writeModel(const CostModel& model) {
  writer.beginObject();
  writer.key("name");
  writer.string(model.name);
  writer.key("addition");
  writer.number(model.addition.text());
  writer.key("multiplication");
  writer.number(model.multiplication.text());
}

void JsonReport::beginEntry(const std::string& file, bool ok) {
  inEntry = true;
  writer.beginObject();
  writer.key("file");
  writer.value(file);
  const std::string bytes = visibleName(file);
  if (bytes != file) {
    writer.key("fileBytes");
    writer.value(bytes);
  }
  writer.key("ok");
  writer.value(ok);
}

void JsonReport::analysed(const std::string& file, const Program& program) {
  const ProgramAnalysis analysis(program, models, true);
  const ProgramCosts costs = costsOf(program, models, &analysis);
  const auto comparison = analysis.comparison();
  beginEntry(file, true);
  writer.key("program");
  writer.streamedString([&](std::ostream& echo) { program.print(echo); });
  writer.key("models");
  writer.beginArray();
  for (std::size_t i = 0; i < models.size(); ++i) {
    writeModel(models[i]);
    writer.key("cost");
    writer.value(costJson(costs.printed[i]));
    writer.key("exact");
    writer.value(costJson(costs.exact[i]));
    writer.end();
  }
  writer.end();
  writer.key("statements");
  writer.beginArray();
  StatementEntries entries{writer};
  analysis.walk(entries);
  writer.end();
  writer.key("growth");
  writer.value(analysis.growth());
  json::array_t growthTexts;
  for (const std::string& growth : analysis.growth()) {
    growthTexts.push_back(growthText(growth, ConsoleTexts::utf8().theta));
  }
  writer.key("growthText");
  writer.value(growthTexts);
  writer.key("comparison");
  writer.value(comparison ? comparisonJson(*comparison, namesOf(models)) : json(nullptr));
  if (!comparison) {
    writer.key("comparisonSkipped");
    writer.value(comparisonSkipped());
  }
  writer.key("crossings");
  writer.value(comparison ? crossingsJson(*comparison, namesOf(models)) : json::array());
  writer.key("comparisonInWords");
  writer.value(comparisonInWords(comparison, namesOf(models)));
  writer.end();
  inEntry = false;
}

void JsonReport::failed(const std::string& file, const std::string& message,
                        const std::optional<SourceBuffer::Position>& position) {
  beginEntry(file, false);
  writer.key("error");
  json entry = {{"message", message}};
  if (position) {
    entry["line"] = position->line;
    entry["column"] = position->column;
  }
  writer.value(entry);
  writer.end();
  inEntry = false;
}

void JsonReport::compared(const ProgramComparison& comparison) {
  if (!comparison.complete()) return notCompared(comparisonSkipped());
  closeFiles();
  writer.key("comparison");
  writer.beginObject();
  writer.key("files");
  writer.value(comparison.programs());
  writer.key("models");
  writer.beginArray();
  for (std::size_t m = 0; m < models.size(); ++m) {
    const std::vector<CheapestRange>& ranges = *comparison.ranges()[m];
    writer.beginObject();
    writer.key("name");
    writer.string(models[m].name);
    writer.key("ranges");
    writer.value(comparisonJson(ranges, comparison.programs()));
    writer.key("crossings");
    writer.value(crossingsJson(ranges, comparison.programs()));
    writer.key("inWords");
    writer.value(comparisonInWords(ranges, comparison.programs()));
    writer.end();
  }
  writer.end();
  writer.end();
}

void JsonReport::notCompared(const std::string& reason) {
  closeFiles();
  writer.key("comparison");
  writer.value(nullptr);
  writer.key("comparisonSkipped");
  writer.string(reason);
}

void JsonReport::finish() {
  closeFiles();
  writer.end();
}

void JsonReport::closeFiles() {
  if (inFiles) writer.end();
  inFiles = false;
}
