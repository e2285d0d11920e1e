#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "analysis/analysedprogram.h"
#include "analysis/costmodel.h"
#include "analysis/programset.h"
#include "report/jsonwriter.h"
#include "report/summary.h"
#include "support/words.h"

// The JSON document of a whole run, version 1, written file by file as the files are analysed:
// the models, then one entry per file, in order, with the echo and the analysis of a program or
// the error that stopped it, then how the programs compare when asked. Ends in a newline. It is
// UTF-8, and its sentences are English, for scripts, unless the report is for a person's page.
class JsonReport {
 public:
  // Writes the head; `indented` for people, else without blanks.
  JsonReport(std::ostream& out, const std::vector<CostModel>& models, bool indented = true,
             Words words = Words());

  // A program, analysed or not.
  void add(const std::string& file, const AnalysedProgram& program);
  // A file without a program; `message` says why.
  void failed(const std::string& file, const std::string& message);
  // Whether an entry was cut short (running out of memory): the document cannot go on.
  bool broken() const { return inEntry; }
  // After the files: how their programs compare, or why they were not compared.
  void compared(const ProgramSet& programs);
  // After the files: each graded against the reference, which says why if it was not analysed.
  void graded(const std::string& file, const AnalysedProgram& reference,
              const std::vector<Grade>& grades);
  void finish();  // closes the document

 private:
  void beginEntry(const std::string& file, bool ok);
  void analysed(const AnalysedProgram& program);
  void writeModel(const CostModel& model);
  void writeStatements(const StatementRows& rows);
  void writeGrade(const Grade& grade);
  void writeError(const FileError& error);
  void writeCheapest(const char* key, const std::vector<CheapestRange>& ranges,
                     const std::vector<std::string>& names);
  void closeFiles();

  JsonWriter writer;
  const std::vector<CostModel>& models;
  Words words;
  bool inEntry = false;
  bool inFiles = true;
};
