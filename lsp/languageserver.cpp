#include "lsp/languageserver.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <utility>

#include "lsp/views.h"
#include "support/memoryreserve.h"

namespace {

using json = nlohmann::json;

constexpr int ERROR_MESSAGE = 1;
constexpr int WARNING_MESSAGE = 2;
constexpr int INCREMENTAL_SYNC = 2;
// Enough for a failed request's unwinding and its error answer.
constexpr std::size_t RESERVE = std::size_t{256} << 10;
// The most messages read ahead of the one being handled.
constexpr std::size_t READ_AHEAD = 100;

bool lists(const json* values, const char* value) {
  return values != nullptr && values->is_array() &&
         std::find(values->begin(), values->end(), value) != values->end();
}

bool refreshes(const json& capabilities, const char* part) {
  const json* refresh = pathIn(capabilities, {"workspace", part, "refreshSupport"});
  return refresh != nullptr && *refresh == true;
}

// Hovers are Markdown unless the client names the formats it shows and Markdown is not one.
bool showsMarkdown(const json& capabilities) {
  const json* formats = pathIn(capabilities, {"textDocument", "hover", "contentFormat"});
  return formats == nullptr || lists(formats, "markdown");
}

// A document's version: a whole number, or none.
json versionIn(const json& params) {
  const json* version = pathIn(params, {"textDocument", "version"});
  return version != nullptr && version->is_number_integer() ? *version : json();
}

}  // namespace

const std::map<std::string, LanguageServer::Request> LanguageServer::REQUESTS = {
    {"initialize", &LanguageServer::initialize},
    {"shutdown", &LanguageServer::shutdown},
    {"textDocument/hover", &LanguageServer::hover},
    {"textDocument/codeLens", &LanguageServer::codeLens},
    {"codeLens/resolve", &LanguageServer::resolveCodeLens},
    {"textDocument/inlayHint", &LanguageServer::inlayHint},
    {"textDocument/formatting", &LanguageServer::formatting},
};

const std::map<std::string, LanguageServer::Notification> LanguageServer::NOTIFICATIONS = {
    {"initialized", &LanguageServer::initialized},
    {"$/cancelRequest", &LanguageServer::cancelRequest},
    {"exit", &LanguageServer::exit},
    {"textDocument/didOpen", &LanguageServer::didOpen},
    {"textDocument/didChange", &LanguageServer::didChange},
    {"textDocument/didClose", &LanguageServer::didClose},
    {"workspace/didChangeConfiguration", &LanguageServer::didChangeConfiguration},
};

LanguageServer::LanguageServer(std::ostream& out, std::ostream& log, std::vector<CostModel> models,
                               Language language, Dialect dialect)
    : out(out), log(log), words(language, Encoding::utf8) {
  settings.models = std::move(models);
  settings.dialect = dialect;
}

// Memory that runs out is dealt with here for a message as a whole, and in the requests and the
// analyses on their own; the reserve lets each failure unwind and be answered.
int LanguageServer::serve(std::istream& in) {
  const MemoryReserve reserve(RESERVE);
  Transport reading(in, out);
  transport = &reading;
  while (!exited && !writeFailed) {
    try {
      if (queued.empty()) readMessage();
      if (!handleNext()) return 1;
      if (!exited && queued.empty() && !reading.waiting()) publishPending();
    } catch (const std::bad_alloc&) {
      MemoryReserve::refill();
      log << "loopcost: out of memory" << std::endl;
      tell(std::string("loopcost: ") + words.tr("a message was lost: out of memory"));
    }
  }
  if (writeFailed) {
    log << "loopcost: write error: " << std::strerror(errno != 0 ? errno : EIO) << std::endl;
    return 1;
  }
  return shutDown ? 0 : 1;
}

// Reads the next message into the queue, noting the request it cancels if it is a cancellation.
void LanguageServer::readMessage() {
  Incoming next;
  next.read = transport->next(next.content, next.problem);
  if (next.content.find("$/cancelRequest") != std::string::npos) {
    const json message = json::parse(next.content, nullptr, false);
    const json* id = pathIn(message, {"params", "id"});
    if (stringAt(message, "method") == std::string("$/cancelRequest") && id != nullptr &&
        (id->is_number_integer() || id->is_string())) {
      cancelled.insert(*id);
    }
  }
  queuedBytes += next.content.size();
  queued.push_back(std::move(next));
}

// Handles the first message of the queue; false at the end of the input.
bool LanguageServer::handleNext() {
  Incoming next = std::move(queued.front());
  queued.pop_front();
  queuedBytes -= next.content.size();
  switch (next.read) {
    case Transport::Read::message:
      handle(next.content);
      break;
    case Transport::Read::refused:
      log << "loopcost: refused " << next.problem << std::endl;
      tell("loopcost: refused " + next.problem);
      break;
    case Transport::Read::endOfInput:
      return false;
  }
  return true;
}

// Reads on as far as input has arrived, within limits, so that a cancellation that came after a
// request is known before the request is worked on.
void LanguageServer::readAhead() {
  while (transport->waiting() && queued.size() < READ_AHEAD &&
         queuedBytes < Transport::MAX_CONTENT &&
         (queued.empty() || queued.back().read != Transport::Read::endOfInput)) {
    readMessage();
  }
}

void LanguageServer::handle(std::string& content) {
  if (replaceLoneSurrogates(content) > 0) {
    note(WARNING_MESSAGE,
         std::string("loopcost: ") + words.tr("a lone surrogate in a message was read as U+FFFD"));
  }
  const json message = json::parse(content, nullptr, false);
  if (message.is_discarded()) {
    send({{"jsonrpc", "2.0"},
          {"id", nullptr},
          {"error", {{"code", ErrorCode::PARSE_ERROR}, {"message", "the message is not JSON"}}}});
    return;
  }
  dispatch(message);
}

// A request is answered, always; a notification is not. A message with an id and no method is
// an answer to a request of ours.
void LanguageServer::dispatch(const json& message) {
  const json* id = memberAt(message, "id");
  const bool validId = id != nullptr && (id->is_number_integer() || id->is_string());
  const auto method = stringAt(message, "method");
  static const json none = json::object();
  const json* given = memberAt(message, "params");
  const json& params = given != nullptr ? *given : none;
  Reply reply = Reply::error(ErrorCode::INVALID_REQUEST, "the message is not an object");
  if (message.is_object() && stringAt(message, "jsonrpc") != std::string("2.0")) {
    reply.message = "jsonrpc must be \"2.0\"";
  } else if (id != nullptr && !validId) {
    reply.message = "the id must be a number or a string";
  } else if (message.is_object() && !method) {
    if (id != nullptr) return;
    reply.message = "the message has no method";
  } else if (message.is_object() && id == nullptr) {
    const auto notification = NOTIFICATIONS.find(*method);
    if (notification != NOTIFICATIONS.end() &&
        (isInitialized || *method == "exit" || *method == "$/cancelRequest")) {
      (this->*notification->second)(params);
    }
    return;
  } else if (message.is_object()) {
    try {
      readAhead();
      if (cancelled.count(*id) > 0) {
        reply = Reply::error(ErrorCode::REQUEST_CANCELLED, "the request was cancelled");
      } else {
        publishPending();  // the client waits for this answer: the changes before it are in
        reply = answer(*method, params);
      }
    } catch (const std::bad_alloc&) {
      MemoryReserve::refill();
      reply = Reply::error(ErrorCode::INTERNAL_ERROR, words.tr("out of memory"));
    }
  }
  const json answerId = validId ? *id : json();
  try {
    respond(answerId, reply);
  } catch (const std::bad_alloc&) {  // the answer could not be written out
    MemoryReserve::refill();
    respond(answerId, Reply::error(ErrorCode::INTERNAL_ERROR, words.tr("out of memory")));
  }
}

void LanguageServer::respond(const json& id, const Reply& reply) {
  if (reply.code != 0) {
    send({{"jsonrpc", "2.0"},
          {"id", id},
          {"error", {{"code", reply.code}, {"message", reply.message}}}});
  } else if (reply.resultText.empty()) {
    send({{"jsonrpc", "2.0"}, {"id", id}, {"result", reply.result}});
  } else if (!transport->send({"{\"jsonrpc\":\"2.0\",\"id\":", messageText(id),
                               ",\"result\":", reply.resultText, "}"})) {
    writeFailed = true;
  }
}

Reply LanguageServer::answer(const std::string& method, const json& params) {
  if (!isInitialized && method != "initialize") {
    return Reply::error(ErrorCode::SERVER_NOT_INITIALIZED, "the server is not initialized yet");
  }
  if (shutDown) return Reply::error(ErrorCode::INVALID_REQUEST, "the server is shut down");
  const auto request = REQUESTS.find(method);
  if (request == REQUESTS.end()) {
    return Reply::error(ErrorCode::METHOD_NOT_FOUND, "no such method: " + method);
  }
  return (this->*request->second)(params);
}

void LanguageServer::send(const json& message) {
  if (!transport->send({messageText(message)})) writeFailed = true;
}

// Shows the user a message, once the client can take one.
void LanguageServer::tell(const std::string& message) {
  if (!isInitialized) return;
  send({{"jsonrpc", "2.0"},
        {"method", "window/showMessage"},
        {"params", {{"type", ERROR_MESSAGE}, {"message", message}}}});
}

// Notes a message in the client's log, or in ours before the client can take one.
void LanguageServer::note(int type, const std::string& message) {
  if (!isInitialized) {
    log << message << std::endl;
    return;
  }
  send({{"jsonrpc", "2.0"},
        {"method", "window/logMessage"},
        {"params", {{"type", type}, {"message", message}}}});
}

void LanguageServer::publishPending() {
  for (auto& [uri, document] : documents.all()) {
    if (!document.analysed) publish(uri, document);
  }
}

void LanguageServer::publish(const std::string& uri, Documents::Document& document) {
  documents.analyse(document, settings.models, settings.dialect, units);
  json params = {{"uri", uri}, {"diagnostics", diagnostics(document, words)}};
  if (!document.version.is_null()) params["version"] = document.version;
  send({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", params}});
}

// Settings that cannot be taken are shown to the user; a change is shown in the documents, and
// the client asked to ask again for the lenses and hints where it can.
void LanguageServer::configure(const json& given) {
  std::vector<std::string> problems;
  const Settings next = settings.with(given, problems, words);
  for (const std::string& problem : problems) tell("loopcost: " + problem);
  if (next == settings) return;
  const bool reanalysed =
      next.dialect != settings.dialect || Settings{next.models} != Settings{settings.models};
  settings = next;
  if (reanalysed) {
    for (auto& [uri, document] : documents.all()) document.analysed = false;
    publishPending();
  }
  if (refreshesLenses) {
    send({{"jsonrpc", "2.0"}, {"id", nextRequest++}, {"method", "workspace/codeLens/refresh"}});
  }
  if (refreshesHints) {
    send({{"jsonrpc", "2.0"}, {"id", nextRequest++}, {"method", "workspace/inlayHint/refresh"}});
  }
}

Documents::Document* LanguageServer::analysed(const json& params) {
  const auto uri = uriOf(params);
  Documents::Document* document = uri ? documents.find(*uri) : nullptr;
  if (document != nullptr && !document->analysed) publish(*uri, *document);
  return document;
}

Reply LanguageServer::initialize(const json& params) {
  if (isInitialized) return Reply::error(ErrorCode::INVALID_REQUEST, "initialize came before");
  const json* capabilities = memberAt(params, "capabilities");
  if (!params.is_object() || (capabilities != nullptr && !capabilities->is_object())) {
    return Reply::error(ErrorCode::INVALID_PARAMS, "the initialize params are not an object");
  }
  if (const auto locale = stringAt(params, "locale")) {
    words = Words(languageNamed(*locale).value_or(Language::english), Encoding::utf8);
  }
  const json all = capabilities != nullptr ? *capabilities : json::object();
  if (lists(pathIn(all, {"general", "positionEncodings"}), "utf-8")) units = LineIndex::Units::utf8;
  markdown = showsMarkdown(all);
  refreshesLenses = refreshes(all, "codeLens");
  refreshesHints = refreshes(all, "inlayHint");
  std::vector<std::string> problems;
  if (const json* options = memberAt(params, "initializationOptions")) {
    settings = settings.with(*options, problems, words);
  }
  isInitialized = true;
  for (const std::string& problem : problems) tell("loopcost: " + problem);
  return {{{"capabilities",
            {{"positionEncoding", units == LineIndex::Units::utf8 ? "utf-8" : "utf-16"},
             {"textDocumentSync", {{"openClose", true}, {"change", INCREMENTAL_SYNC}}},
             {"hoverProvider", true},
             {"codeLensProvider", {{"resolveProvider", true}}},
             {"inlayHintProvider", true},
             {"documentFormattingProvider", true}}},
           {"serverInfo", {{"name", "loopcost"}, {"version", LOOPCOST_VERSION}}}}};
}

Reply LanguageServer::shutdown(const json&) {
  shutDown = true;
  return {nullptr};
}

Reply LanguageServer::hover(const json& params) {
  const auto position = positionAt(params, "position");
  if (!position) return Reply::error(ErrorCode::INVALID_PARAMS, "the position is not one");
  Documents::Document* document = analysed(params);
  if (document == nullptr)
    return Reply::error(ErrorCode::REQUEST_FAILED, words.tr("no such open document"));
  return {::hover(*document, *position, markdown, words)};
}

// The lenses in one answer, or, for a client that takes partial results, in pages of progress
// notifications when they are more than one answer holds.
Reply LanguageServer::codeLens(const json& params) {
  Documents::Document* document = analysed(params);
  if (document == nullptr)
    return Reply::error(ErrorCode::REQUEST_FAILED, words.tr("no such open document"));
  if (!settings.codeLens) return Reply::text("[]");
  const json* token = memberAt(params, "partialResultToken");
  const std::size_t count = lensCount(*document);
  if (token == nullptr || !(token->is_number_integer() || token->is_string()) ||
      count <= LENS_PAGE) {
    return lenses(*document, 0);
  }
  for (std::size_t first = 0; first < count && !writeFailed; first += LENS_PAGE) {
    const Reply page = lenses(*document, first);
    if (page.code != 0) return page;
    if (!transport->send({"{\"jsonrpc\":\"2.0\",\"method\":\"$/progress\",\"params\":{\"token\":",
                          messageText(*token), ",\"value\":", page.resultText, "}}"})) {
      writeFailed = true;
    }
  }
  return Reply::text("[]");
}

Reply LanguageServer::resolveCodeLens(const json& params) {
  const auto number = lensDocument(params);
  if (!number) return Reply::error(ErrorCode::INVALID_PARAMS, "the lens is not one of ours");
  Documents::Document* document = documents.find(*number);
  if (document == nullptr)
    return Reply::error(ErrorCode::REQUEST_FAILED, words.tr("no such open document"));
  return {resolveLens(*document, params, settings.hintWidth)};
}

Reply LanguageServer::inlayHint(const json& params) {
  const auto range = rangeAt(params, "range");
  if (!range) return Reply::error(ErrorCode::INVALID_PARAMS, "the range is not one");
  Documents::Document* document = analysed(params);
  if (document == nullptr)
    return Reply::error(ErrorCode::REQUEST_FAILED, words.tr("no such open document"));
  if (!settings.inlayHints) return Reply::text("[]");
  return hints(*document, range->first, range->second, settings.hintWidth);
}

Reply LanguageServer::formatting(const json& params) {
  Documents::Document* document = analysed(params);
  if (document == nullptr)
    return Reply::error(ErrorCode::REQUEST_FAILED, words.tr("no such open document"));
  return ::formatting(*document, words);
}

void LanguageServer::initialized(const json&) {}

void LanguageServer::exit(const json&) { exited = true; }

// A cancellation was noted as it was read; by its turn, its request has been answered.
void LanguageServer::cancelRequest(const json& params) {
  if (const json* id = memberAt(params, "id")) cancelled.erase(*id);
}

void LanguageServer::didOpen(const json& params) {
  const auto uri = uriOf(params);
  const json* text = pathIn(params, {"textDocument", "text"});
  if (!uri || text == nullptr || !text->is_string()) {
    log << "loopcost: ignored a didOpen without a document's uri and text" << std::endl;
    return;
  }
  documents.open(*uri, text->get<std::string>(), versionIn(params));
}

void LanguageServer::didChange(const json& params) {
  const auto uri = uriOf(params);
  Documents::Document* document = uri ? documents.find(*uri) : nullptr;
  const json* changes = memberAt(params, "contentChanges");
  if (document == nullptr || changes == nullptr || !documents.change(*document, *changes, units)) {
    log << "loopcost: ignored a didChange that is not a change of an open document" << std::endl;
    return;
  }
  document->version = versionIn(params);
}

void LanguageServer::didClose(const json& params) {
  const auto uri = uriOf(params);
  if (!uri) return;
  documents.close(*uri);
  send({{"jsonrpc", "2.0"},
        {"method", "textDocument/publishDiagnostics"},
        {"params", {{"uri", *uri}, {"diagnostics", json::array()}}}});
}

void LanguageServer::didChangeConfiguration(const json& params) {
  if (const json* given = memberAt(params, "settings")) configure(*given);
}
