#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "analysis/analysedprogram.h"
#include "lsp/moves.h"
#include "source/lineindex.h"

// One version of a document's text with all the tool says of it.
struct Analysis {
  Analysis(std::string text, std::vector<CostModel> models, Dialect dialect,
           LineIndex::Units units);
  Analysis(const Analysis&) = delete;
  Analysis& operator=(const Analysis&) = delete;

  const std::string text;
  const AnalysedProgram program;
  const LineIndex lines;
};

// The documents a client has open: each one's text as its changes leave it, the analyses of its
// latest version and of the latest that parsed, and where the changes since then moved that
// one's text. A change is analysed when asked for, so that of changes that queue up only the
// newest is.
class Documents {
 public:
  struct Document {
    std::string text;
    nlohmann::json version;                   // null when the client gave none
    std::size_t number = 0;                   // one for each uri opened, from 1
    bool analysed = false;                    // whether `current` is of `text`
    std::shared_ptr<const Analysis> current;  // null when its analysis ran out of memory
    std::shared_ptr<const Analysis> lastParsed;
    std::uint32_t parsedText = 0;  // a hash of the text of `lastParsed`
    Moves moves;                   // from the text of `lastParsed` to `text`
  };

  Document* find(const std::string& uri);
  Document* find(std::size_t number);
  Document& open(const std::string& uri, std::string text, nlohmann::json version);
  void close(const std::string& uri);
  // Applies the changes of a didChange, whole texts or ranges of the current one, in order;
  // false, with the text kept as it was, when one of them is not a change.
  bool change(Document& document, const nlohmann::json& changes, LineIndex::Units units);
  // Analyses the document's text unless it was; running out of memory leaves no analysis.
  void analyse(Document& document, const std::vector<CostModel>& models, Dialect dialect,
               LineIndex::Units units);
  std::map<std::string, Document>& all() { return documents; }

 private:
  std::map<std::string, Document> documents;
  std::map<std::string, std::size_t> numbers;  // of the uris opened
};
