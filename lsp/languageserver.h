#pragma once

#include <istream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/costmodel.h"
#include "lsp/documentanalysis.h"
#include "lsp/lineindex.h"

// A language server for loop-language programs: speaks the Language Server Protocol 3.17 over a
// pair of streams and gives each open document what the tool itself says of it: its syntax error
// and precision warnings as diagnostics, each statement's runs and exact costs in hovers, lenses
// and inlay hints, and the echo as its formatting. One client, one message at a time.
class LanguageServer {
 public:
  // `models` until the client's settings name others; `log` gets what is not for the client.
  LanguageServer(std::ostream& out, std::ostream& log, std::vector<CostModel> models);

  // Serves the messages of `in` until the client says exit or the input ends; returns the exit
  // status: 0 when exit came after shutdown, else 1.
  int serve(std::istream& in);

  // One message's content; false once the client has said exit.
  bool handle(const std::string& content);
  int exitStatus() const { return shutDown ? 0 : 1; }

 private:
  using json = nlohmann::json;

  // One open document: the analysis of its latest version, and of the latest that parsed.
  struct Document {
    std::string text;
    json version;
    std::shared_ptr<DocumentAnalysis> current;  // null when its analysis ran out of memory
    std::shared_ptr<DocumentAnalysis> lastParsed;
  };

  json answer(const std::string& method, const json& params);
  void notice(const std::string& method, const json& params);
  void send(const json& message);
  void respond(const json& id, const json& result);
  void fail(const json& id, int code, const std::string& message);

  json initialize(const json& params);
  void configure(const json& settings);
  void open(const std::string& uri, const std::string& text, const json& version);
  void analyse(Document& document);
  void publish(const std::string& uri);
  void refreshViews();

  json guarded(json (LanguageServer::*answer)(const json&), const json& params, const json& empty);
  json hover(const json& params);
  json lenses(const json& params);
  json hints(const json& params);
  json formatting(const json& params);

  Document& document(const json& params);
  std::optional<LineIndex::Position> shownAt(const Document& document, std::size_t offset) const;

  std::ostream& out;
  std::ostream& log;
  std::vector<CostModel> models;
  bool lensesShown = true;
  bool hintsShown = true;
  LineIndex::Units units = LineIndex::Units::utf16;
  bool refreshesLenses = false;
  bool refreshesHints = false;
  bool initialized = false;
  bool shutDown = false;
  long long nextRequest = 1;
  std::map<std::string, Document> documents;
};
