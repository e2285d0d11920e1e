#pragma once

#include <CLI/CLI.hpp>
#include <cstddef>
#include <string>

#include "support/words.h"

// The text of --help for the options of `app`: the description, the usage line, each option
// with its value and what it does, and the footer, in the language of `words`, wrapped to
// `width` columns as a terminal of its encoding counts them.
std::string helpText(const CLI::App& app, const Words& words, std::size_t width);
