#include "lsp/documents.h"

#include <algorithm>
#include <functional>
#include <new>
#include <sstream>

#include "lsp/protocol.h"
#include "support/memoryreserve.h"

namespace {

ParsedProgram parsed(const std::string& text, Dialect dialect) {
  std::stringbuf buffer(text);
  return parseProgram(buffer, Places::statements, dialect);
}

}  // namespace

Analysis::Analysis(std::string text, std::vector<CostModel> models, Dialect dialect,
                   LineIndex::Units units)
    : text(std::move(text)),
      program(parsed(this->text, dialect), std::move(models)),
      lines(this->text, program.parse().lineStarts, units) {}

Documents::Document* Documents::find(const std::string& uri) {
  const auto found = documents.find(uri);
  return found == documents.end() ? nullptr : &found->second;
}

Documents::Document* Documents::find(std::size_t number) {
  for (auto& [uri, document] : documents) {
    if (document.number == number) return &document;
  }
  return nullptr;
}

Documents::Document& Documents::open(const std::string& uri, std::string text,
                                     nlohmann::json version) {
  Document& document = documents[uri] = Document{};
  document.text = std::move(text);
  document.version = std::move(version);
  document.number = numbers.emplace(uri, numbers.size() + 1).first->second;
  return document;
}

void Documents::close(const std::string& uri) { documents.erase(uri); }

bool Documents::change(Document& document, const nlohmann::json& changes, LineIndex::Units units) {
  if (!changes.is_array()) return false;
  std::string text = document.text;
  Moves moves = document.moves;
  for (const nlohmann::json& change : changes) {
    const auto newText = stringAt(change, "text");
    if (!newText) return false;
    if (!change.contains("range")) {
      moves.replace(text, *newText);
      text = *newText;
      continue;
    }
    const auto range = rangeAt(change, "range");
    if (!range) return false;
    const LineIndex lines(text, units);
    const std::size_t from = lines.offsetOf(range->first);
    const std::size_t to = std::max(from, lines.offsetOf(range->second));
    moves.replace(from, to, newText->size());
    text.replace(from, to - from, *newText);
  }
  document.text = std::move(text);
  document.moves = std::move(moves);
  document.analysed = false;
  return true;
}

void Documents::analyse(Document& document, const std::vector<CostModel>& models, Dialect dialect,
                        LineIndex::Units units) {
  if (document.analysed) return;
  document.analysed = true;
  document.current = nullptr;
  try {
    document.current = std::make_shared<const Analysis>(document.text, models, dialect, units);
    if (document.current->program.ok()) {
      document.lastParsed = document.current;
      const std::size_t hash = std::hash<std::string>()(document.text);
      document.parsedText = static_cast<std::uint32_t>(hash ^ (hash >> 16 >> 16));
      document.moves = Moves(document.text.size());
    }
  } catch (const std::bad_alloc&) {
    MemoryReserve::refill();
    document.current = nullptr;
  }
}
