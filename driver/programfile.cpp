#include "driver/programfile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

int openNamed(std::filebuf& file, const std::string& name) {
  if (name.find('\0') != std::string::npos) return ENOENT;
  std::error_code ignored;
  if (std::filesystem::is_directory(name, ignored)) return EISDIR;
  errno = 0;
  if (file.open(name, std::ios::in) != nullptr) return 0;
  return errno != 0 ? errno : ENOENT;
}

}  // namespace

ProgramFile readProgramFile(const std::string& name) {
  ProgramFile result;
  std::filebuf file;
  result.openError = openNamed(file, name);
  std::stringbuf nothing;
  result.parsed = parseProgram(result.openError == 0 ? static_cast<std::streambuf&>(file) : nothing);
  return result;
}
