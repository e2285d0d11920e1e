#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "report/jsonwriter.h"
#include "report/programcomparison.h"
#include "report/sourcebuffer.h"

class Program;

// The JSON document of a whole run, version 1, written file by file as the files are analysed:
// the models, then one entry per file, in order, with the echo and the analysis of a program or
// the error that stopped it. Ends in a newline.
class JsonReport {
 public:
  // Writes the head; `indented` for people, else without blanks.
  JsonReport(std::ostream& out, const std::vector<CostModel>& models, bool indented = true);

  void analysed(const std::string& file, const Program& program);
  // `position`: where the parser stopped reading, for a syntax error.
  void failed(const std::string& file, const std::string& message,
              const std::optional<SourceBuffer::Position>& position = std::nullopt);
  // Whether an entry was cut short (running out of memory): the document cannot go on.
  bool broken() const { return inEntry; }
  // After the files: how their programs compare, or why they were not compared.
  void compared(const ProgramComparison& comparison);
  void notCompared(const std::string& reason);
  void finish();  // closes the document

 private:
  void beginEntry(const std::string& file, bool ok);
  void writeModel(const CostModel& model);
  void closeFiles();

  JsonWriter writer;
  const std::vector<CostModel>& models;
  bool inEntry = false;
  bool inFiles = true;
};
