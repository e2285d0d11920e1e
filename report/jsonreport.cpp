#include "report/jsonreport.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "report/consoletexts.h"
#include "report/quoting.h"
#include "report/wording.h"

namespace {

// Whole numbers as integers, other values as the shortest decimal that reads back to the same
// float; JSON has no infinity or NaN: those become null.
std::string floatText(float value) {
  if (!std::isfinite(value)) return "null";
  if (value == std::trunc(value) && std::fabs(value) < 9.0e15f) {
    return std::to_string(static_cast<long long>(value));
  }
  char text[32];
  for (int digits = 1;; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (digits == 9 || std::strtof(text, nullptr) == value) return text;
  }
}

// A whole number of any size: a JSON number while it fits 64 bits, else its decimal string.
void writeInteger(JsonWriter& writer, const Integer& value) {
  if (value >= 0 && value <= std::numeric_limits<std::uint64_t>::max()) {
    writer.number(decimal(value));
  } else {
    writer.string(decimal(value));
  }
}

void writeCost(JsonWriter& writer, const std::string& text,
               const std::vector<std::string>& coefficients, bool numbers) {
  writer.beginObject();
  writer.key("text").string(text);
  writer.key("coefficients").beginArray();
  for (const std::string& coefficient : coefficients) {
    if (numbers) {
      writer.number(coefficient);
    } else {
      writer.string(coefficient);
    }
  }
  writer.end();
  writer.end();
}

// `text` is how the report writes it: a classic program's as the console does. A cost with log n
// has no coefficients by powers of n alone: null.
void writePrinted(JsonWriter& writer, const Polynomial& cost, const std::string& text,
                  bool withLog) {
  if (withLog) {
    writer.beginObject();
    writer.key("text").string(text);
    writer.key("coefficients").value(nullptr);
    writer.end();
    return;
  }
  std::vector<std::string> coefficients;
  for (int power = 0; power <= cost.getDegree(); ++power) {
    coefficients.push_back(floatText(cost.coefficient(power)));
  }
  writeCost(writer, text, coefficients, true);
}

void writeExact(JsonWriter& writer, const ExactPolynomial& cost) {
  writeCost(writer, cost.text(), cost.coefficientTexts(), false);
}

// An exact count of the extended dialect: its non-zero terms, the n from which it holds and the
// values below.
void writeCount(JsonWriter& writer, const ExactCount& count) {
  writer.beginObject();
  writer.key("terms").beginArray();
  for (const ExactPolynomial::Term& term : count.polynomial.terms()) {
    writer.beginObject();
    writer.key("coefficient")
        .string(decimalText(count.polynomial.coefficient(term.power, term.log)));
    writer.key("n").integer(term.power);
    writer.key("log").integer(term.log);
    writer.end();
  }
  writer.end();
  writer.key("fromN").number(std::to_string(count.fromN));
  writer.key("below").beginArray();
  for (const Rational& value : count.below) writer.string(decimalText(value));
  writer.end();
  writer.end();
}

// A statement of a program of the extended dialect: its count as written, its runs and costs
// exactly.
void writeCountedStatement(JsonWriter& writer, const AnalysedProgram& program, std::size_t r) {
  const StatementRows::Row& row = program.rows().rows()[r];
  const bool loop = row.loop >= 0;
  writer.beginObject();
  writer.key("line").integer(row.line);
  writer.key("kind").string(loop ? "loop" : "expression");
  writer.key("depth").integer(row.depth);
  if (loop) writer.key("count").string(echoLine(row).substr(5));  // after "LOOP "
  writer.key("runs");
  writeCount(writer, program.counts().runs(r));
  if (!loop) {
    const Operations operations = program.rows().operations(row);
    writer.key("additions").number(std::to_string(operations.additions));
    writer.key("multiplications").number(std::to_string(operations.multiplications));
  }
  writer.key("costs").beginArray();
  for (std::size_t m = 0; m < program.models().size(); ++m) {
    writeCount(writer, program.counts().cost(r, m));
  }
  writer.end();
  writer.end();
}

// "0", "1", "n^k", "n^k log^j" or "log^j", as scripts read the growth.
std::string growthCode(Growth growth) {
  if (growth.degree < 0) return "0";
  const std::string log = growth.log > 0 ? "log^" + std::to_string(growth.log) : "";
  if (growth.degree == 0) return log.empty() ? "1" : log;
  return "n^" + std::to_string(growth.degree) + (log.empty() ? "" : " " + log);
}

void writeNames(JsonWriter& writer, const std::vector<std::size_t>& indexes,
                const std::vector<std::string>& names) {
  writer.beginArray();
  for (const std::size_t index : indexes) writer.string(names[index]);
  writer.end();
}

void writeStrings(JsonWriter& writer, const std::vector<std::string>& texts) {
  writer.beginArray();
  for (const std::string& text : texts) writer.string(text);
  writer.end();
}

// Written field by field: a program has as many of these as statements.
void writeStatement(JsonWriter& writer, const StatementRows& rows, const StatementRows::Row& row,
                    std::size_t models) {
  const bool loop = row.loop >= 0;
  writer.beginObject();
  writer.key("line").integer(row.line);
  writer.key("kind").string(loop ? "loop" : "expression");
  writer.key("depth").integer(row.depth);
  if (loop) {
    writer.key("count");
    const std::optional<int> count = rows.count(row);
    if (count) {
      writer.integer(*count);
    } else {
      writer.string("n");
    }
  }
  const Runs runs = rows.runs(row);
  writer.key("runs").beginObject();
  writer.key("factor").string(decimal(runs.factor));
  writer.key("power").integer(runs.power);
  writer.key("text").string(runsText(runs));
  writer.end();
  if (!loop) {
    const Operations operations = rows.operations(row);
    writer.key("additions").number(std::to_string(operations.additions));
    writer.key("multiplications").number(std::to_string(operations.multiplications));
  }
  writer.key("costs").beginArray();
  for (std::size_t m = 0; m < models; ++m) writeExact(writer, rows.cost(row, m));
  writer.end();
  writer.end();
}

}  // namespace

JsonReport::JsonReport(std::ostream& out, const std::vector<CostModel>& models, bool indented,
                       Words words)
    : writer(out, indented), models(models), words(words) {
  writer.beginObject();
  writer.key("version").integer(1);
  writer.key("runningTimeLabel").string(RUNNING_TIME);
  writer.key("models").beginArray();
  for (const CostModel& model : models) {
    writeModel(model);
    writer.end();
  }
  writer.end();
  writer.key("files").beginArray();
}

// Opens the model's object with its name and prices.
void JsonReport::writeModel(const CostModel& model) {
  writer.beginObject();
  writer.key("name").string(model.name);
  writer.key("addition").number(model.addition.text());
  writer.key("multiplication").number(model.multiplication.text());
}

void JsonReport::beginEntry(const std::string& file, bool ok) {
  inEntry = true;
  writer.beginObject();
  writer.key("file").string(file);
  const std::string bytes = visibleName(file);
  if (bytes != file) {
    writer.key("fileBytes").string(bytes);
  }
  writer.key("ok").value(ok);
}

void JsonReport::add(const std::string& file, const AnalysedProgram& program) {
  beginEntry(file, program.ok());
  if (program.ok()) {
    analysed(program);
  } else {
    writeError(fileError(program.parse(), words));
  }
  writer.end();
  inEntry = false;
}

void JsonReport::analysed(const AnalysedProgram& program) {
  const StatementRows& rows = program.rows();  // the exact costs come with them
  writer.key("program").streamedString([&](std::ostream& echo) { program.program().print(echo); });
  writer.key("models").beginArray();
  for (std::size_t m = 0; m < models.size(); ++m) {
    writeModel(models[m]);
    writer.key("cost");
    writePrinted(
        writer, program.printed()[m],
        program.extended() ? polynomialText(program.exact()[m]) : printedLine(program.printed()[m]),
        program.exact()[m].hasLog());
    writer.key("exact");
    if (program.extended()) {
      writeCount(writer, program.counts().totals()[m]);
    } else {
      writeExact(writer, program.exact()[m]);
    }
    writer.end();
  }
  writer.end();
  writer.key("statements");
  if (program.extended()) {
    writer.beginArray();
    for (std::size_t r = 0; r < rows.rows().size(); ++r) writeCountedStatement(writer, program, r);
    writer.end();
  } else {
    writeStatements(rows);
  }
  std::vector<std::string> codes, texts;
  for (const Growth growth : program.growth()) {
    codes.push_back(growthCode(growth));
    texts.push_back(growthText(growth));
  }
  writer.key("growth");
  writeStrings(writer, codes);
  writer.key("growthText");
  writeStrings(writer, texts);
  const auto& cheapest = program.cheapest();
  const std::vector<std::string> names = modelNames(models);
  if (cheapest) {
    writeCheapest("comparison", *cheapest, names);
  } else {
    writer.key("comparison").value(nullptr);
    writer.key("comparisonSkipped").string(workLimitReason(words));
    writer.key("crossings").beginArray();
    writer.end();
  }
  writer.key("comparisonInWords");
  writeStrings(writer, comparisonInWords(cheapest, names, words));
}

void JsonReport::writeStatements(const StatementRows& rows) {
  writer.beginArray();
  for (const StatementRows::Row& row : rows.rows())
    writeStatement(writer, rows, row, models.size());
  writer.end();
}

// `key`: the ranges of n and the names of the costs cheapest in each; "crossings": where the
// cheapest change.
void JsonReport::writeCheapest(const char* key, const std::vector<CheapestRange>& ranges,
                               const std::vector<std::string>& names) {
  writer.key(key).beginArray();
  for (const CheapestRange& range : ranges) {
    writer.beginObject();
    writer.key("from");
    writeInteger(writer, range.from);
    writer.key("to");
    if (range.to) {
      writeInteger(writer, *range.to);
    } else {
      writer.value(nullptr);
    }
    writer.key("cheapest");
    writeNames(writer, range.cheapest, names);
    writer.end();
  }
  writer.end();
  writer.key("crossings").beginArray();
  for (const Crossing& crossing : crossingsOf(ranges)) {
    writer.beginObject();
    writer.key("n");
    writeInteger(writer, crossing.n);
    writer.key("cheapest");
    writeNames(writer, crossing.cheapest, names);
    writer.key("tie").value(crossing.tie);
    writer.end();
  }
  writer.end();
}

void JsonReport::failed(const std::string& file, const std::string& message) {
  beginEntry(file, false);
  writeError({message, "", 0, 0});
  writer.end();
  inEntry = false;
}

// "error": the message, and for a syntax error its explanation and place.
void JsonReport::writeError(const FileError& error) {
  writer.key("error").beginObject();
  writer.key("message").string(error.message);
  if (error.line > 0) {
    writer.key("explanation").string(error.explanation);
    writer.key("line").number(std::to_string(error.line));
    writer.key("column").number(std::to_string(error.column));
  }
  writer.end();
}

void JsonReport::compared(const ProgramSet& programs) {
  closeFiles();
  writer.key("comparison");
  const auto shortfall = programs.shortfall();
  if (!programs.compared() || shortfall == ProgramSet::Shortfall::workLimit) {
    writer.value(nullptr);
    writer.key("comparisonSkipped").string(shortfallReason(programs, words).value_or(""));
    return;
  }
  writer.beginObject();
  writer.key("files");
  writeStrings(writer, programs.programs());
  if (!programs.failures().empty()) {
    writer.key("notCompared");
    writeStrings(writer, programs.failures());
  }
  writer.key("models").beginArray();
  for (std::size_t m = 0; m < models.size(); ++m) {
    const std::vector<CheapestRange>& ranges = *programs.ranges()[m];
    writer.beginObject();
    writer.key("name").string(models[m].name);
    writeCheapest("ranges", ranges, programs.programs());
    writer.key("inWords");
    writeStrings(writer, comparisonInWords(ranges, programs.programs(), words));
    writer.end();
  }
  writer.end();
  writer.end();
}

void JsonReport::graded(const std::string& file, const AnalysedProgram& reference,
                        const std::vector<Grade>& grades) {
  closeFiles();
  writer.key("reference").beginObject();
  writer.key("file").string(file);
  writer.key("ok").value(reference.ok());
  if (!reference.ok()) writeError(fileError(reference.parse(), words));
  writer.key("grades").beginArray();
  for (const Grade& grade : grades) writeGrade(grade);
  writer.end();
  writer.end();
}

void JsonReport::writeGrade(const Grade& grade) {
  writer.beginObject();
  writer.key("file").string(grade.file);
  writer.key("ok").value(!grade.error);
  if (grade.error) {
    writeError(*grade.error);
  } else {
    writer.key("models").beginArray();
    for (std::size_t m = 0; m < models.size(); ++m) {
      writer.beginObject();
      writer.key("name").string(models[m].name);
      writer.key("growth").string(growthCode(grade.growth[m]));
      writer.key("referenceGrowth").string(growthCode(grade.referenceGrowth[m]));
      writer.key("verdict").string(verdict(grade, m, words));
      if (grade.pair->ranges().size() > m && grade.pair->ranges()[m]) {
        writeCheapest("ranges", *grade.pair->ranges()[m], grade.pair->programs());
      }
      writer.end();
    }
    writer.end();
  }
  writer.end();
}

void JsonReport::finish() {
  closeFiles();
  writer.end();
}

void JsonReport::closeFiles() {
  if (inFiles) writer.end();
  inFiles = false;
}
