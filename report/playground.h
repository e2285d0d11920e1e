#pragma once

#include <string>

// The JSON document of `loopcost --format=json`, without blanks, for one program given as text,
// named "program", priced under `models` written as "2,4;1,5" (addition,multiplication pairs
// separated by ';'; empty for the two default models). A syntax error comes back as the error entry with
// line and column; malformed models as an error entry whose message says so.
std::string analyseProgramText(const std::string& text, const std::string& models);
