#pragma once

// The console's two texts beyond ASCII. Like every text inside the tool they are UTF-8; written to
// a stream in Big5 (code page 950), as the console's is unless it is a UTF-8 terminal, they come
// out as the console's users have always read them.
constexpr const char* PROMPT = "請輸入資料檔案名稱:";
constexpr const char* RUNNING_TIME = "執行時間 = ";  // after each model's label
