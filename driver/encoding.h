#pragma once

#include <string>

// The text encodings the prompt and the cost label can be written in.
enum class Encoding { big5, utf8, automatic };

// The two non-ASCII texts the console writes, in one encoding.
struct ConsoleTexts {
  std::string prompt;       // "請輸入資料檔案名稱:"
  std::string runningTime;  // "執行時間 = ", after each model's label
  std::string theta;        // "Θ", for growth
};

// `automatic` resolved: UTF-8 when standard output is a terminal whose character set is UTF-8
// (on Windows: a console whose output code page is UTF-8), else Big5, the users' console
// encoding, which pipes, files and scripts always get.
Encoding resolved(Encoding requested);

ConsoleTexts textsIn(Encoding encoding);  // `automatic` counts as Big5
