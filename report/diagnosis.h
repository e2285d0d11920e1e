#pragma once

#include <optional>
#include <string>

#include "source/parsedprogram.h"
#include "support/words.h"

// What a syntax error means for a person who made it, in the language of `words`: what was
// expected where the parse stopped, with what was found there, e.g. "expected ';' at the end of
// the statement". Keywords in small letters, full-width characters an input method types and
// invisible characters are named as such, and an unclosed LOOP by its line. The parse must have
// stopped at a syntax error.
std::string explanation(const ParsedProgram& parsed, const Words& words);

// "full-width '，' (U+FF0C): type ','" for the first full-width character in `typed`, where its
// half-width form is what should stand.
std::optional<std::string> fullWidthIn(const std::string& typed, const Words& words);
