#include "driver/programfile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

// The file's own buffer: large reads, few system calls.
constexpr std::size_t READ_AHEAD = 1 << 16;

int openNamed(std::filebuf& file, const std::string& name) {
  if (name.find('\0') != std::string::npos) return ENOENT;
  errno = 0;
  if (file.open(name, std::ios::in) != nullptr) return 0;
  std::error_code ignored;
  if (std::filesystem::is_directory(name, ignored)) return EISDIR;  // as Linux would say
  return errno != 0 ? errno : ENOENT;
}

}  // namespace

// Linux opens a directory and fails at the first read: that is a failure to open it too.
ProgramFile readProgramFile(const std::string& name) {
  ProgramFile result;
  std::unique_ptr<char[]> readAhead(new char[READ_AHEAD]);
  std::filebuf file;
  file.pubsetbuf(readAhead.get(), READ_AHEAD);
  result.openError = openNamed(file, name);
  std::stringbuf nothing;
  result.parsed =
      parseProgram(result.openError == 0 ? static_cast<std::streambuf&>(file) : nothing);
  if (result.parsed.readError == EISDIR) {
    result.openError = EISDIR;
    result.parsed = parseProgram(nothing);
  }
  return result;
}
