#include "tests/runtool.h"

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string toolCommand() {
  const char* replacement = std::getenv("LOOPCOST_COMMAND");
  return replacement != nullptr ? replacement : "'" LOOPCOST_PATH "'";
}

int exitStatus(int raw) {
  if (raw == -1) throw std::runtime_error("cannot start the shell");
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

}  // namespace

ToolRun runLoopcost(const std::string& directory, const std::string& input,
                    const std::vector<std::string>& args, const std::string& language) {
  const ScratchDirectory scratch;
  writeFile(scratch.path("stdin"), input);
  std::string command = "cd '" + directory +
                        "' && env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG='" +
                        (language.empty() ? "C.UTF-8" : language) + "' " + toolCommand();
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " < '" + scratch.path("stdin") + "' > '" + scratch.path("stdout") + "' 2> '" +
             scratch.path("stderr") + "'";
  const int status = exitStatus(std::system(command.c_str()));
  return {readFile(scratch.path("stdout")), readFile(scratch.path("stderr")), status};
}

ToolRun runShell(const std::string& command) {
  const ScratchDirectory scratch;
  const std::string script = "LOOPCOST=" + toolCommand() + "; { " + command +
                             "; } < /dev/null > '" + scratch.path("stdout") + "' 2> '" +
                             scratch.path("stderr") + "'";
  const int status = exitStatus(std::system(script.c_str()));
  return {readFile(scratch.path("stdout")), readFile(scratch.path("stderr")), status};
}

ToolRun runOn(const std::string& program) {
  const ScratchDirectory directory;
  writeFile(directory.path("prog.txt"), program);
  return runLoopcost(directory.path(), "prog.txt\n");
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path);
}

ScratchDirectory::ScratchDirectory() {
  std::string pattern = (fs::temp_directory_path() / "loopcost-test-XXXXXX").string();
  if (mkdtemp(&pattern[0]) == nullptr) throw std::runtime_error("cannot make " + pattern);
  root = pattern;
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  fs::remove_all(root, ignored);
}

std::string ScratchDirectory::path(const std::string& name) const {
  return name.empty() ? root : root + "/" + name;
}
