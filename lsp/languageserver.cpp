#include "lsp/languageserver.h"

#include <algorithm>
#include <new>
#include <utility>

#include "lsp/messagereader.h"
#include "report/quoting.h"

namespace {

using json = nlohmann::json;

// JSON-RPC's and the protocol's error codes.
constexpr int PARSE_ERROR = -32700;
constexpr int INVALID_REQUEST = -32600;
constexpr int METHOD_NOT_FOUND = -32601;
constexpr int INVALID_PARAMS = -32602;
constexpr int INTERNAL_ERROR = -32603;
constexpr int SERVER_NOT_INITIALIZED = -32002;
constexpr int REQUEST_FAILED = -32803;

constexpr int ERROR_SEVERITY = 1;
constexpr int WARNING_SEVERITY = 2;
constexpr int ERROR_MESSAGE = 1;

// Lenses and hints are glances: their texts are cut here, with "...". Hovers have them whole.
constexpr std::size_t GLANCE_WIDTH = 80;
// How far a line of the last version that parsed is looked for in a version that does not.
constexpr std::size_t MOVED_LINES = 64;

const char* const STALE = " (from the last version that parsed)";

std::string glance(const std::string& text) {
  return text.size() <= GLANCE_WIDTH ? text : text.substr(0, GLANCE_WIDTH - 3) + "...";
}

// "CPU1(2,4): 6 * n^3 · CPU2(1,5): 6 * n^3"
std::string costsByModel(const std::vector<std::string>& costs,
                         const std::vector<CostModel>& models) {
  std::string text;
  for (std::size_t i = 0; i < costs.size() && i < models.size(); ++i) {
    text += (i == 0 ? "" : " \xC2\xB7 ") + models[i].name + ": " + glance(costs[i]);
  }
  return text;
}

// A table of each model's cost, for a hover.
std::string costTable(const std::vector<std::string>& costs, const std::vector<CostModel>& models) {
  std::string text = "| model | exact cost |\n|---|---|\n";
  for (std::size_t i = 0; i < costs.size() && i < models.size(); ++i) {
    text += "| " + models[i].name + " | `" + costs[i] + "` |\n";
  }
  return text;
}

std::string statementHover(const PlacedStatement& statement, const std::vector<CostModel>& models) {
  std::string text = "`" + statement.echo + "` runs `" + statement.runs + "` times";
  if (statement.loop) {
    text += "; its whole body costs:\n\n";
  } else {
    text += ", with " + std::to_string(statement.additions) + " additions and " +
            std::to_string(statement.multiplications) + " multiplications a run:\n\n";
  }
  return text + costTable(statement.costs, models);
}

std::string programHover(const ProgramSummary& program, const std::vector<CostModel>& models) {
  std::string text =
      "The program's exact cost and growth:\n\n| model | exact cost | growth |\n"
      "|---|---|---|\n";
  for (std::size_t i = 0; i < program.costs.size(); ++i) {
    text += "| " + models[i].name + " | `" + program.costs[i] + "` | " + program.growth[i] + " |\n";
  }
  text += "\nCheapest:\n\n";
  for (const std::string& line : program.cheapest) text += "- " + line + "\n";
  return text;
}

// The innermost statement around `offset`, or none.
const PlacedStatement* statementAt(const std::vector<PlacedStatement>& statements,
                                   std::size_t offset) {
  const PlacedStatement* innermost = nullptr;
  for (const PlacedStatement& statement : statements) {
    if (statement.start > offset) break;
    if (offset < statement.end) innermost = &statement;
  }
  return innermost;
}

// The line of `after` with the text `text`, nearest to `line`; none when it is not near.
std::optional<std::size_t> movedLine(const LineIndex& after, const std::string& text,
                                     std::size_t line) {
  for (std::size_t distance = 0; distance <= MOVED_LINES; ++distance) {
    for (const std::size_t candidate : {line + distance, line - distance}) {
      if (candidate < after.lines() && after.lineText(candidate) == text) return candidate;
    }
  }
  return std::nullopt;
}

json position(const DocumentAnalysis& analysis, std::size_t offset) {
  const LineIndex::Position at = analysis.lines().positionOf(offset);
  return {{"line", at.line}, {"character", at.character}};
}

json range(const DocumentAnalysis& analysis, std::size_t from, std::size_t to) {
  return {{"start", position(analysis, from)}, {"end", position(analysis, to)}};
}

// A method the server does not know.
struct UnknownMethod {};

json methodOf(const json& message) {
  const auto method = message.find("method");
  return method != message.end() && method->is_string() ? *method : json();
}

}  // namespace

LanguageServer::LanguageServer(std::ostream& out, std::ostream& log, std::vector<CostModel> models)
    : out(out), log(log), models(std::move(models)) {}

int LanguageServer::serve(std::istream& in) {
  MessageReader reader(in);
  std::string content, problem;
  for (;;) {
    switch (reader.next(content, problem)) {
      case MessageReader::Result::message:
        if (!handle(content)) return exitStatus();
        break;
      case MessageReader::Result::refused:
        log << "loopcost: refused " << problem << std::endl;
        break;
      case MessageReader::Result::endOfInput:
        return 1;
    }
  }
}

bool LanguageServer::handle(const std::string& content) {
  const json message = json::parse(content, nullptr, false);
  if (message.is_discarded() || !message.is_object()) {
    fail(nullptr, message.is_discarded() ? PARSE_ERROR : INVALID_REQUEST,
         message.is_discarded() ? "the message is not JSON" : "the message is not an object");
    return true;
  }
  const json method = methodOf(message);
  const bool request = message.contains("id");
  if (method.is_null()) {
    if (!request) fail(nullptr, INVALID_REQUEST, "the message has no method");
    return true;  // an answer to a request of ours
  }
  if (method == "exit") return false;
  const json params = message.value("params", json::object());
  if (!request) {
    if (initialized) notice(method, params);
    return true;
  }
  const json& id = message["id"];
  if (!initialized && method != "initialize") {
    fail(id, SERVER_NOT_INITIALIZED, "the server is not initialized yet");
  } else if (shutDown) {
    fail(id, INVALID_REQUEST, "the server is shut down");
  } else {
    try {
      respond(id, answer(method, params));
    } catch (const json::exception& error) {
      fail(id, INVALID_PARAMS,
           std::string("the request's params are not as expected: ") + error.what());
    } catch (const UnknownMethod&) {
      fail(id, METHOD_NOT_FOUND, "no such method: " + method.get<std::string>());
    } catch (const std::invalid_argument& error) {
      fail(id, REQUEST_FAILED, error.what());
    } catch (const std::bad_alloc&) {
      fail(id, INTERNAL_ERROR, "out of memory");
    }
  }
  return true;
}

json LanguageServer::answer(const std::string& method, const json& params) {
  if (method == "initialize") return initialize(params);
  if (method == "shutdown") {
    shutDown = true;
    return nullptr;
  }
  if (method == "textDocument/hover") return guarded(&LanguageServer::hover, params, nullptr);
  if (method == "textDocument/codeLens") {
    return guarded(&LanguageServer::lenses, params, json::array());
  }
  if (method == "textDocument/inlayHint") {
    return guarded(&LanguageServer::hints, params, json::array());
  }
  if (method == "textDocument/formatting") return formatting(params);
  throw UnknownMethod();
}

void LanguageServer::notice(const std::string& method, const json& params) {
  try {
    if (method == "textDocument/didOpen") {
      const json& item = params.at("textDocument");
      open(item.at("uri"), item.at("text"), item.value("version", json()));
    } else if (method == "textDocument/didChange") {
      const json& changes = params.at("contentChanges");
      if (changes.empty()) return;
      const json& item = params.at("textDocument");
      open(item.at("uri"), changes.back().at("text"), item.value("version", json()));
    } else if (method == "textDocument/didClose") {
      const std::string uri = params.at("textDocument").at("uri");
      documents.erase(uri);
      send({{"jsonrpc", "2.0"},
            {"method", "textDocument/publishDiagnostics"},
            {"params", {{"uri", uri}, {"diagnostics", json::array()}}}});
    } else if (method == "workspace/didChangeConfiguration") {
      const json settings = params.value("settings", json::object());
      configure(settings.contains("loopcost") ? settings["loopcost"] : settings);
    }
  } catch (const json::exception& error) {
    log << "loopcost: ignored a " << method << " whose params are not as expected: " << error.what()
        << std::endl;
  }
}

void LanguageServer::send(const json& message) {
  const std::string body = message.dump(-1, ' ', false, json::error_handler_t::replace);
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body << std::flush;
}

void LanguageServer::respond(const json& id, const json& result) {
  send({{"jsonrpc", "2.0"}, {"id", id}, {"result", result}});
}

void LanguageServer::fail(const json& id, int code, const std::string& message) {
  send({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

json LanguageServer::initialize(const json& params) {
  const json capabilities = params.value("capabilities", json::object());
  const json encodings =
      capabilities.value("general", json::object()).value("positionEncodings", json::array());
  if (std::find(encodings.begin(), encodings.end(), "utf-8") != encodings.end()) {
    units = LineIndex::Units::utf8;
  }
  const json workspace = capabilities.value("workspace", json::object());
  refreshesLenses =
      workspace.value("codeLens", json::object()).value("refreshSupport", false) == true;
  refreshesHints =
      workspace.value("inlayHint", json::object()).value("refreshSupport", false) == true;
  initialized = true;
  if (params.contains("initializationOptions") && params["initializationOptions"].is_object()) {
    configure(params["initializationOptions"]);
  }
  return {{"capabilities",
           {{"positionEncoding", units == LineIndex::Units::utf8 ? "utf-8" : "utf-16"},
            {"textDocumentSync", 1},
            {"hoverProvider", true},
            {"codeLensProvider", {{"resolveProvider", false}}},
            {"inlayHintProvider", true},
            {"documentFormattingProvider", true}}},
          {"serverInfo", {{"name", "loopcost"}, {"version", LOOPCOST_VERSION}}}};
}

// {"cpu": ["2,4", "1,5"], "codeLens": false, "inlayHints": false}, each part optional; models
// the tool cannot read are shown to the user, and the ones before are kept.
void LanguageServer::configure(const json& settings) {
  if (!settings.is_object()) return;
  const bool lensesBefore = lensesShown, hintsBefore = hintsShown;
  lensesShown = settings.value("codeLens", lensesShown);
  hintsShown = settings.value("inlayHints", hintsShown);
  bool modelsChanged = false;
  if (settings.contains("cpu")) {
    const json& cpu = settings["cpu"];
    std::string problem = "the cpu setting must be a list of \"ADD,MUL\" texts";
    std::optional<std::vector<CostModel>> chosen;
    if (cpu.is_array() &&
        std::all_of(cpu.begin(), cpu.end(), [](const json& text) { return text.is_string(); })) {
      chosen = modelsFrom(cpu.get<std::vector<std::string>>(), problem);
    }
    if (!chosen) {
      send({{"jsonrpc", "2.0"},
            {"method", "window/showMessage"},
            {"params", {{"type", ERROR_MESSAGE}, {"message", "loopcost: cpu: " + problem}}}});
    } else {
      modelsChanged = true;
      models = std::move(*chosen);
    }
  }
  if (modelsChanged) {
    for (auto& [uri, document] : documents) {
      analyse(document);
      publish(uri);
    }
  }
  if (modelsChanged || lensesShown != lensesBefore || hintsShown != hintsBefore) refreshViews();
}

void LanguageServer::open(const std::string& uri, const std::string& text, const json& version) {
  Document& document = documents[uri];
  document.text = text;
  document.version = version;
  analyse(document);
  publish(uri);
}

// A document that runs out of memory gets that as its diagnostic, and keeps its last analysis
// that parsed.
void LanguageServer::analyse(Document& document) {
  try {
    document.current = std::make_shared<DocumentAnalysis>(document.text, models, units);
    if (document.current->parse().program) document.lastParsed = document.current;
  } catch (const std::bad_alloc&) {
    document.current = nullptr;
  }
}

void LanguageServer::publish(const std::string& uri) {
  const Document& document = documents.at(uri);
  json diagnostics = json::array();
  const auto diagnostic = [&](json range, int severity, const std::string& message) {
    diagnostics.push_back(
        {{"range", range}, {"severity", severity}, {"source", "loopcost"}, {"message", message}});
  };
  const json start = {{"line", 0}, {"character", 0}};
  if (!document.current) {
    diagnostic({{"start", start}, {"end", start}}, ERROR_SEVERITY, "out of memory");
  } else if (!document.current->parse().program) {
    const DocumentAnalysis& analysis = *document.current;
    const std::size_t at = analysis.errorOffset();
    diagnostic(range(analysis, at, analysis.lines().afterCharacter(at)), ERROR_SEVERITY,
               withVisibleQuotes(analysis.parse().error));
  } else {
    const DocumentAnalysis& analysis = *document.current;
    const std::size_t firstLine = std::min(analysis.text().find('\n'), analysis.text().size());
    for (const std::string& warning : analysis.warnings()) {
      diagnostic(range(analysis, 0, firstLine), WARNING_SEVERITY, warning);
    }
  }
  json params = {{"uri", uri}, {"diagnostics", diagnostics}};
  if (!document.version.is_null()) params["version"] = document.version;
  send({{"jsonrpc", "2.0"}, {"method", "textDocument/publishDiagnostics"}, {"params", params}});
}

// Asks the client to ask again for lenses and hints, where it says it can.
void LanguageServer::refreshViews() {
  if (refreshesLenses) {
    send({{"jsonrpc", "2.0"}, {"id", nextRequest++}, {"method", "workspace/codeLens/refresh"}});
  }
  if (refreshesHints) {
    send({{"jsonrpc", "2.0"}, {"id", nextRequest++}, {"method", "workspace/inlayHint/refresh"}});
  }
}

// A document whose statements run out of memory forgets its analyses, says so in its
// diagnostics, and gets `empty` as the answer.
json LanguageServer::guarded(json (LanguageServer::*answer)(const json&), const json& params,
                             const json& empty) {
  try {
    return (this->*answer)(params);
  } catch (const std::bad_alloc&) {
    Document& document = this->document(params);
    document.current = nullptr;
    document.lastParsed = nullptr;
    publish(params.at("textDocument").at("uri"));
    return empty;
  }
}

// Where a place in the document's last parsed version shows: there, or while the current
// version does not parse, on the nearby line that reads the same, if any.
std::optional<LineIndex::Position> LanguageServer::shownAt(const Document& document,
                                                           std::size_t offset) const {
  const LineIndex& before = document.lastParsed->lines();
  LineIndex::Position at = before.positionOf(offset);
  if (document.current == document.lastParsed) return at;
  if (!document.current) return std::nullopt;
  const auto line = movedLine(document.current->lines(), before.lineText(at.line), at.line);
  if (!line) return std::nullopt;
  at.line = *line;
  return at;
}

json LanguageServer::hover(const json& params) {
  const Document& document = this->document(params);
  if (!document.current || !document.current->parse().program) return nullptr;
  DocumentAnalysis& analysis = *document.current;
  const json& at = params.at("position");
  const std::size_t offset = analysis.lines().offsetOf({at.at("line"), at.at("character")});
  const PlacedStatement* statement = statementAt(analysis.statements(), offset);
  if (statement == nullptr) {
    return {{"contents",
             {{"kind", "markdown"},
              {"value", programHover(analysis.program(), analysis.costModels())}}}};
  }
  return {{"contents",
           {{"kind", "markdown"}, {"value", statementHover(*statement, analysis.costModels())}}},
          {"range", range(analysis, statement->start, statement->end)}};
}

// A lens on BEGIN with the program's cost, and one on each loop with its body's.
json LanguageServer::lenses(const json& params) {
  const Document& document = this->document(params);
  json lenses = json::array();
  if (!lensesShown || !document.lastParsed) return lenses;
  DocumentAnalysis& analysis = *document.lastParsed;
  const bool stale = document.current != document.lastParsed;
  const auto lens = [&](std::size_t offset, const std::vector<std::string>& costs) {
    const auto at = shownAt(document, offset);
    if (!at) return;
    const json place = {{"line", at->line}, {"character", at->character}};
    lenses.push_back(
        {{"range", {{"start", place}, {"end", place}}},
         {"command",
          {{"title", costsByModel(costs, analysis.costModels()) + (stale ? STALE : "")},
           {"command", ""}}}});
  };
  lens(analysis.program().begin, analysis.program().costs);
  for (const PlacedStatement& statement : analysis.statements()) {
    if (statement.loop) lens(statement.start, statement.costs);
  }
  return lenses;
}

// After each statement in the range asked for, its costs under each model.
json LanguageServer::hints(const json& params) {
  const Document& document = this->document(params);
  json hints = json::array();
  if (!hintsShown || !document.lastParsed) return hints;
  DocumentAnalysis& analysis = *document.lastParsed;
  const bool stale = document.current != document.lastParsed;
  const json& asked = params.at("range");
  const std::size_t first = asked.at("start").at("line"), last = asked.at("end").at("line");
  for (const PlacedStatement& statement : analysis.statements()) {
    const auto at = shownAt(document, statement.hintAt);
    if (!at || at->line < first || at->line > last) continue;
    std::string label;
    for (const std::string& cost : statement.costs) {
      label += (label.empty() ? "" : " | ") + glance(cost);
    }
    hints.push_back({{"position", {{"line", at->line}, {"character", at->character}}},
                     {"label", label + (stale ? STALE : "")},
                     {"paddingLeft", true},
                     {"tooltip", costsByModel(statement.costs, analysis.costModels())}});
  }
  return hints;
}

json LanguageServer::formatting(const json& params) {
  const Document& document = this->document(params);
  if (!document.current) throw std::bad_alloc();
  const DocumentAnalysis& analysis = *document.current;
  if (!analysis.parse().program) {
    throw std::invalid_argument("cannot format a program with a syntax error: " +
                                withVisibleQuotes(analysis.parse().error));
  }
  return json::array(
      {{{"range", range(analysis, 0, analysis.text().size())}, {"newText", analysis.echo()}}});
}

LanguageServer::Document& LanguageServer::document(const json& params) {
  const std::string uri = params.at("textDocument").at("uri");
  const auto found = documents.find(uri);
  if (found == documents.end()) throw std::invalid_argument("no open document " + uri);
  return found->second;
}
