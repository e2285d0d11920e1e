#pragma once

#include <deque>
#include <istream>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "lsp/documents.h"
#include "lsp/protocol.h"
#include "lsp/settings.h"
#include "lsp/transport.h"
#include "support/words.h"

// A language server for loop-language programs: speaks the Language Server Protocol 3.17 over a
// pair of streams and gives each open document what the tool itself says of it (lsp/views). One
// client, one message at a time, read ahead as far as input has arrived before a request is
// worked on, so that one cancelled meanwhile is not; each method is bound in one table.
class LanguageServer {
 public:
  // `models` and `dialect` until the client's settings name others, `language` until the client
  // names its locale; `log` gets what is not for the client.
  LanguageServer(std::ostream& out, std::ostream& log, std::vector<CostModel> models,
                 Language language, Dialect dialect = Dialect::classic);

  // Serves the messages of `in` until the client says exit or the input ends; returns the exit
  // status: 0 when exit came after shutdown, else 1, also when a message could not be written.
  int serve(std::istream& in);

 private:
  using json = nlohmann::json;
  using Request = Reply (LanguageServer::*)(const json& params);
  using Notification = void (LanguageServer::*)(const json& params);

  static const std::map<std::string, Request> REQUESTS;
  static const std::map<std::string, Notification> NOTIFICATIONS;

  // A message read and not yet handled.
  struct Incoming {
    Transport::Read read;
    std::string content;
    std::string problem;
  };

  void readMessage();
  void readAhead();
  bool handleNext();
  void handle(std::string& content);
  void dispatch(const json& message);
  Reply answer(const std::string& method, const json& params);
  void respond(const json& id, const Reply& reply);
  void send(const json& message);
  void tell(const std::string& message);
  void note(int type, const std::string& message);
  void publishPending();
  void publish(const std::string& uri, Documents::Document& document);
  void configure(const json& given);
  Documents::Document* analysed(const json& params);

  Reply initialize(const json& params);
  Reply shutdown(const json& params);
  Reply hover(const json& params);
  Reply codeLens(const json& params);
  Reply resolveCodeLens(const json& params);
  Reply inlayHint(const json& params);
  Reply formatting(const json& params);
  void initialized(const json& params);
  void cancelRequest(const json& params);
  void exit(const json& params);
  void didOpen(const json& params);
  void didChange(const json& params);
  void didClose(const json& params);
  void didChangeConfiguration(const json& params);

  Transport* transport = nullptr;
  std::deque<Incoming> queued;
  std::size_t queuedBytes = 0;
  std::set<json> cancelled;  // the ids of requests cancelled before their answer
  std::ostream& out;
  std::ostream& log;
  Settings settings;
  Words words;  // the client's language
  LineIndex::Units units = LineIndex::Units::utf16;
  bool markdown = true;  // what hovers are written in
  bool refreshesLenses = false;
  bool refreshesHints = false;
  bool isInitialized = false;
  bool shutDown = false;
  bool exited = false;
  bool writeFailed = false;
  long long nextRequest = 1;
  Documents documents;
};
