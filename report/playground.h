#pragma once

#include <string>

// The JSON document of `loopcost --format=json`, without blanks, for programs given as text,
// priced under `models` written as "2,4;1,5" (addition,multiplication pairs separated by ';';
// empty for the two default models). A syntax error comes back as the program's error entry
// with line and column; malformed models as error entries whose message says so.

// One program, named "program".
std::string analyseProgramText(const std::string& text, const std::string& models);

// The programs of a JSON array of {"name": ..., "text": ...}, one entry each in order; two or
// more are also compared, as `--compare` compares files.
std::string analyseProgramTexts(const std::string& programs, const std::string& models);
