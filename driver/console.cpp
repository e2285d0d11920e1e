#include "driver/console.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "driver/output.h"
#include "driver/terminal.h"
#include "report/consoletexts.h"
#include "report/textreport.h"
#include "report/wording.h"
#include "source/programfile.h"
#include "support/encodingbuffer.h"

namespace {

// The next file name, of any length, without a Windows line end's '\r', in UTF-8. False at the
// end of the input or on an empty line; a last name without a line end still counts.
bool readName(std::istream& in, std::string& name) {
  if (!std::getline(in, name)) return false;
  if (!name.empty() && name.back() == '\r') name.pop_back();
  name = nameFromInput(name);
  return !name.empty();
}

// The parser's own line, with the file's bytes as it read them; a file that could not be opened
// or read also says so.
void writeError(std::ostream& err, const std::string& fname, const ParsedProgram& file,
                const Words& words) {
  writeVerbatim(err, file.error + "\n");
  err.flush();
  if (!file.syntaxError()) err << "loopcost: " << fileProblem(fname, file, words) << std::endl;
}

// One pass: the program in `fname` parsed, echoed and priced. Returns 0, or the exit status
// when the run must stop.
int runPass(const std::string& fname, std::ostream& out, std::ostream& err, const Options& options,
            const TextLayout& layout) {
  const AnalysedProgram program(readProgramFile(fname, Places::none, options.dialect),
                                options.models);
  if (!program.ok()) {
    writeError(err, fname, program.parse(), layout.words);
    return 1;
  }
  if (program.extended() && program.counts().refusal()) {
    err << "loopcost: " << refusalText(*program.counts().refusal(), program.rows(), layout.words)
        << std::endl;
    return 1;
  }
  writeProgramReport(out, err, "", program, layout);
  return flushed(out, err, layout.words) ? 0 : 1;
}

}  // namespace

int runConsole(std::istream& in, std::ostream& out, std::ostream& err, const Options& options,
               const TextLayout& layout) {
  std::string fname;
  for (;;) {
    out << PROMPT;
    if (!flushed(out, err, layout.words)) return 1;
    if (!readName(in, fname)) break;
    try {
      if (const int status = runPass(fname, out, err, options, layout)) return status;
    } catch (const std::bad_alloc&) {
      reportOutOfMemory(out, err, fname, layout.words);
      return 1;
    }
  }
  if (in.bad()) {
    err << "loopcost: "
        << fill(layout.words.tr("read error: %s"),
                {systemReason(errno != 0 ? errno : EIO, layout.words)})
        << std::endl;
    return 1;
  }
#ifdef _WIN32
  // Keeps the console window open; elsewhere the terminal stays anyway. Our own output goes
  // first: when the input ended without a line end, no read has flushed the last prompt.
  out.flush();
  std::system("pause");
#endif
  return flushed(out, err, layout.words) ? 0 : 1;
}
