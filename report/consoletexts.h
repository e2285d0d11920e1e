#pragma once

#include <string>

// The two non-ASCII texts the console writes, and the letter Θ of the growth, in one encoding.
struct ConsoleTexts {
  std::string prompt;       // "請輸入資料檔案名稱:"
  std::string runningTime;  // "執行時間 = ", after each model's label
  std::string theta;        // "Θ", for growth

  static ConsoleTexts big5();  // the users' console encoding, code page 950
  static ConsoleTexts utf8();
};
