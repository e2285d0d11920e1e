#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>

#include "lsp/documents.h"
#include "lsp/protocol.h"
#include "support/words.h"

// What the server shows of an open document, over its analyses: the diagnostics; a hover; the
// code lenses on BEGIN and each LOOP and the inlay hints after each statement, which while the
// text does not parse come from the last version that did, on the places that still read the
// same, those that an edit could have changed marked " ?"; and the formatting. The document must
// have been analysed. What a person reads is in the language of `words`.

nlohmann::json diagnostics(const Documents::Document& document, const Words& words);
nlohmann::json hover(const Documents::Document& document, LineIndex::Position at, bool markdown,
                     const Words& words);
// The lenses and the hints are written as JSON text, arrays of CodeLens and InlayHint.
Reply lenses(const Documents::Document& document, std::size_t width);
// The hints on the lines from `first` to `last`.
Reply hints(const Documents::Document& document, std::size_t first, std::size_t last,
            std::size_t width);
Reply formatting(const Documents::Document& document, const Words& words);
