#include "driver/console.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "driver/programfile.h"
#include "driver/textoutput.h"
#include "report/quoting.h"
#include "statements/program.h"

namespace {

// The next file name, of any length, without a Windows line end's '\r'. False at the end of
// the input or on an empty line; a last name without a line end still counts.
bool readName(std::istream& in, std::string& name) {
  if (!std::getline(in, name)) return false;
  if (!name.empty() && name.back() == '\r') name.pop_back();
  return !name.empty();
}

// The parser's own line, as it wrote it; a file that could not be opened or read also says so.
void writeError(std::ostream& err, const std::string& fname, const ProgramFile& file) {
  err << file.parsed.error << std::endl;
  if (file.openError != 0) {
    err << "loopcost: cannot open '" << visibleName(fname) << "': " << std::strerror(file.openError)
        << std::endl;
  } else if (file.parsed.readError != 0) {
    err << "loopcost: cannot read '" << visibleName(fname)
        << "': " << std::strerror(file.parsed.readError) << std::endl;
  }
}

// One pass: the program in `fname` parsed, echoed and priced. Returns 0, or the exit status
// when the run must stop.
int runPass(const std::string& fname, std::ostream& out, std::ostream& err, const Options& options,
            const ConsoleTexts& texts) {
  const ProgramFile file = readProgramFile(fname);
  if (!file.parsed.program) {
    writeError(err, fname, file);
    return 1;
  }
  writeProgramReport(out, err, "", *file.parsed.program, options, texts);
  return flushed(out, err) ? 0 : 1;
}

}  // namespace

int runConsole(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
               const ConsoleTexts& texts) {
  std::string fname;
  for (;;) {
    out << texts.prompt;
    if (!flushed(out, err)) return 1;
    if (!readName(in, fname)) break;
    try {
      if (const int status = runPass(fname, out, err, options, texts)) return status;
    } catch (const std::bad_alloc&) {
      reportOutOfMemory(out, err, fname);
      return 1;
    }
  }
  if (in.bad()) {
    err << "loopcost: read error: " << std::strerror(errno != 0 ? errno : EIO) << std::endl;
    return 1;
  }
#ifdef _WIN32
  // Keeps the console window open; elsewhere the terminal stays anyway. Our own output goes
  // first: when the input ended without a line end, no read has flushed the last prompt.
  out.flush();
  std::system("pause");
#endif
  return flushed(out, err) ? 0 : 1;
}
