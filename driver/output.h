#pragma once

#include <ostream>
#include <string>

#include "support/words.h"

// Flushes `out`; if the output could not be written, says so on `err` and returns false.
bool flushed(std::ostream& out, std::ostream& err, const Words& words);

// Says on `err` that the named file's analysis ran out of memory, after flushing what `out` has.
void reportOutOfMemory(std::ostream& out, std::ostream& err, const std::string& name,
                       const Words& words);
