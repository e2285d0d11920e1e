#include "source/programfile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

// The file's own buffer: large reads, few system calls.
constexpr std::size_t READ_AHEAD = 1 << 16;

// Names are UTF-8: on Windows the file is opened by its wide name, in any code page.
int openNamed(std::filebuf& file, const std::string& name) {
  if (name.find('\0') != std::string::npos) return ENOENT;
  const std::filesystem::path path = std::filesystem::u8path(name);
  errno = 0;
  if (file.open(path, std::ios::in) != nullptr) return 0;
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) return EISDIR;  // as Linux would say
  return errno != 0 ? errno : ENOENT;
}

}  // namespace

// Linux opens a directory and fails at the first read: that is a failure to open it too.
ParsedProgram readProgramFile(const std::string& name, Places places, Dialect dialect) {
  std::unique_ptr<char[]> readAhead(new char[READ_AHEAD]);
  std::filebuf file;
  file.pubsetbuf(readAhead.get(), READ_AHEAD);
  int openError = openNamed(file, name);
  std::stringbuf nothing;
  ParsedProgram parsed =
      parseProgram(openError == 0 ? static_cast<std::streambuf&>(file) : nothing, places, dialect);
  if (parsed.readError == EISDIR) {
    openError = EISDIR;
    parsed = parseProgram(nothing, places, dialect);
  }
  parsed.openError = openError;
  return parsed;
}
