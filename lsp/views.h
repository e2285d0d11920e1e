#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>

#include "lsp/documents.h"
#include "lsp/protocol.h"
#include "support/words.h"

// What the server shows of an open document, over its analyses: the diagnostics; a hover; the
// code lenses on BEGIN and each LOOP and the inlay hints after each statement, which while the
// text does not parse come from the last version that did, where its text went, those that an
// edit could have changed marked " ?"; and the formatting. The document must have been
// analysed. Lenses and hints cost the time of those asked for, not of the whole document. What a
// person reads is in the language of `words`.

nlohmann::json diagnostics(const Documents::Document& document, const Words& words);
nlohmann::json hover(const Documents::Document& document, LineIndex::Position at, bool markdown,
                     const Words& words);

// The most lenses in one answer.
constexpr std::size_t LENS_PAGE = 1000;

// How many lenses the document has: BEGIN's and each loop's, in order.
std::size_t lensCount(const Documents::Document& document);
// Lenses `first` to `first` + LENS_PAGE, as the JSON text of an array of CodeLens without their
// commands; their data names the document and the text they are of, for resolveLens.
Reply lenses(const Documents::Document& document, std::size_t first);
// The document number in a lens's data, if it holds one.
std::optional<std::size_t> lensDocument(const nlohmann::json& lens);
// The lens with its command, the glance at its costs ("?" when the document's last version that
// parsed is no longer of the text the lens was given for).
nlohmann::json resolveLens(const Documents::Document& document, nlohmann::json lens,
                           std::size_t width);

// The hints that stand from `start` to `end`, as the JSON text of an array of InlayHint.
Reply hints(const Documents::Document& document, LineIndex::Position start, LineIndex::Position end,
            std::size_t width);
Reply formatting(const Documents::Document& document, const Words& words);
