#pragma once

#include <string>
#include <vector>

// What one run of the loopcost executable wrote and returned.
struct ToolRun {
  std::string out;
  std::string err;
  int status;
};

// The prompt loopcost writes before reading each name, in Big5, and with -e utf-8.
inline const std::string PROMPT =
    "\xBD\xD0\xBF\xE9\xA4\x4A\xB8\xEA\xAE\xC6\xC0\xC9\xAE\xD7\xA6\x57\xBA\xD9:";
inline const std::string UTF8_PROMPT = "請輸入資料檔案名稱:";

// Runs loopcost with `args` in `directory` with `input` as its standard input, in English unless
// `language` names a locale such as "zh_TW.UTF-8". The environment variable LOOPCOST_COMMAND,
// when set, replaces the command (for example to run a Windows build).
ToolRun runLoopcost(const std::string& directory, const std::string& input,
                    const std::vector<std::string>& args = {}, const std::string& language = "");

// Runs a shell command in which $LOOPCOST names the tool; stdin is empty unless redirected.
ToolRun runShell(const std::string& command);

// Runs loopcost on `program`, written to a scratch file whose name is the one line of input.
ToolRun runOn(const std::string& program);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// A fresh directory, removed with everything in it when the object goes.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  ~ScratchDirectory();
  std::string path(const std::string& name = "") const;

 private:
  std::string root;
};
