#include "driver/console.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <sstream>
#include <string>

#include "driver/textoutput.h"
#include "statements/program.h"
#include "support/syntaxerror.h"

namespace {

// The next file name, of any length, without a Windows line end's '\r'. False at the end of
// the input or on an empty line; a last name without a line end still counts.
bool readName(std::istream& in, std::string& name) {
  if (!std::getline(in, name)) return false;
  if (!name.empty() && name.back() == '\r') name.pop_back();
  return !name.empty();
}

// Opens the named file; returns 0, or the errno of the failure. A name with a NUL byte cannot
// name a file: opening its prefix would read the wrong one. A directory is refused here, as
// Windows refuses it, rather than failing at the first read as Linux would.
int openNamedFile(std::ifstream& ifs, const std::string& name) {
  if (name.find('\0') != std::string::npos) return ENOENT;
  std::error_code ignored;
  if (std::filesystem::is_directory(name, ignored)) return EISDIR;
  errno = 0;
  ifs.open(name);
  return ifs.is_open() ? 0 : (errno != 0 ? errno : ENOENT);
}

// One pass: the program in `fname` parsed, echoed and priced. Returns 0, or the exit status
// when the run must stop.
int runPass(const std::string& fname, std::ostream& out, std::ostream& err, const Options& options,
            const ConsoleTexts& texts) {
  std::ifstream ifs;
  const int openError = openNamedFile(ifs, fname);
  std::unique_ptr<Program> program;
  try {
    const SyntaxErrorsThrow throwing;
    program = std::make_unique<Program>(ifs);
  } catch (const SyntaxError& error) {
    const int readError = ifs.bad() ? errno : 0;
    err << error.line << std::endl;
    if (openError != 0) {
      err << "loopcost: cannot open '" << fname << "': " << std::strerror(openError) << std::endl;
    } else if (readError != 0) {
      err << "loopcost: cannot read '" << fname << "': " << std::strerror(readError) << std::endl;
    }
    return 1;
  }
  program->print(out);
  std::string echo;  // only the explanation needs the echo as text
  if (options.explain) {
    std::ostringstream text;
    program->print(text);
    echo = text.str();
  }
  writeCosts(out, err, "", echo, costsOf(*program, options.models, options.explain), options,
             texts);
  out << SEPARATOR;
  return flushed(out, err) ? 0 : 1;  // before closing the file, which clears errno
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
      out.flush();
      err << "loopcost: out of memory" << std::endl;
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
