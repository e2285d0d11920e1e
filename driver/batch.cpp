#include "driver/batch.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "driver/textoutput.h"
#include "report/filereport.h"
#include "report/jsonreport.h"

namespace {

FileReport reportOnFile(const std::string& file, std::istream& in, const Options& options) {
  const std::vector<CostModel>& models = options.models;
  const bool perStatement = options.explain || options.format == Options::Format::json;
  if (file == "-") return reportOn(file, *in.rdbuf(), models, perStatement);
  std::error_code ignored;
  if (std::filesystem::is_directory(file, ignored)) return unopenable(file, EISDIR);
  std::filebuf source;
  errno = 0;
  if (source.open(file, std::ios::in) == nullptr)
    return unopenable(file, errno != 0 ? errno : ENOENT);
  return reportOn(file, source, models, perStatement);
}

// GCC's form where the parser could say where it stopped, so that editors jump there.
void writeError(std::ostream& err, const FileReport& report) {
  const FileReport::Error& error = *report.error;
  if (error.position) {
    err << report.file << ':' << error.position->line << ':' << error.position->column << ": "
        << error.message << std::endl;
  } else {
    err << "loopcost: " << report.file << ": " << error.message << std::endl;
  }
}

void writeText(std::ostream& out, std::ostream& err, const FileReport& report,
               const Options& options, const ConsoleTexts& texts) {
  out << report.echo;
  writeCosts(out, err, report.file + ": ", report.echo, report.costs, options, texts);
  out << SEPARATOR;
}

}  // namespace

int runBatch(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
             const ConsoleTexts& texts) {
  bool anyFailed = false;
  std::vector<FileReport> reports;
  for (const std::string& file : options.files) {
    FileReport report = reportOnFile(file, in, options);
    anyFailed = anyFailed || report.error.has_value();
    if (options.format == Options::Format::json) {
      reports.push_back(std::move(report));
      continue;
    }
    if (report.error) {
      writeError(err, report);
    } else {
      writeText(out, err, report, options, texts);
    }
    if (!flushed(out, err)) return 1;
  }
  if (options.format == Options::Format::json) out << jsonDocument(reports, options.models);
  if (!flushed(out, err)) return 1;
  return anyFailed ? 1 : 0;
}
