#include "lsp/views.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

#include "report/diagnosis.h"
#include "report/glances.h"
#include "report/jsonwriter.h"
#include "report/wording.h"

namespace {

using json = nlohmann::json;

constexpr int ERROR_SEVERITY = 1;
constexpr int WARNING_SEVERITY = 2;
constexpr int HINT_SEVERITY = 4;
constexpr int UNNECESSARY_TAG = 1;

const char* const CHANGED = " ?";
const char* const STALE = "?";

// The glances of the last version that parsed, placed in the current text.
struct Glances {
  const Analysis& shown;   // the last version that parsed
  const LineIndex& lines;  // the current text's
  const Moves& moves;      // from the shown text to the current one

  explicit Glances(const Documents::Document& document)
      : shown(*document.lastParsed), lines(document.current->lines), moves(document.moves) {}

  const AnalysedProgram& program() const { return shown.program; }
  const std::vector<SourceSpans::Span>& spans() const {
    return program().parse().spans.statements();
  }

  // Where a hint stands now: after the character before it (a ';', a loop's count), wherever
  // that went.
  std::optional<std::size_t> hintAt(std::size_t hint) const {
    const auto last = moves(hint - 1);
    if (!last) return std::nullopt;
    return *last + 1;
  }

  // The label, marked when a change since lies inside `from` to `to` of the shown text.
  std::string marked(std::string label, std::size_t from, std::size_t to) const {
    return label + (moves.changed(from, to) ? CHANGED : "");
  }

  // The statements with lenses, in order; none for BEGIN's.
  std::vector<std::optional<std::size_t>> lensed() const {
    std::vector<std::optional<std::size_t>> statements{std::nullopt};
    const auto& rows = program().rows().rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].loop >= 0) statements.emplace_back(i);
    }
    return statements;
  }
};

void writePosition(JsonWriter& writer, const LineIndex::Position& position) {
  writer.beginObject();
  writer.key("line");
  writer.integer(static_cast<long long>(position.line));
  writer.key("character");
  writer.integer(static_cast<long long>(position.character));
  writer.end();
}

// A JSON text written whole, without its closing line end; one that could not be held (out of
// memory leaves the stream bad) is said so.
Reply written(const std::ostringstream& text) {
  if (!text) return Reply::error(ErrorCode::INTERNAL_ERROR, "out of memory");
  std::string json = text.str();
  json.pop_back();
  return Reply::text(std::move(json));
}

json diagnostic(json range, int severity, const std::string& message) {
  return {{"range", std::move(range)},
          {"severity", severity},
          {"source", "loopcost"},
          {"message", message}};
}

// An extended program's refusal, at the count of the LOOP it names.
std::optional<json> refusal(const Analysis& analysis, const Words& words) {
  const AnalysedProgram& program = analysis.program;
  if (!program.extended() || !program.counts().refusal()) return std::nullopt;
  const CountRefusal& refused = *program.counts().refusal();
  const auto& rows = program.rows().rows();
  const auto loop = std::find_if(rows.begin(), rows.end(), [&](const StatementRows::Row& row) {
    return row.line == refused.line;
  });
  const SourceSpans::Span span = loop == rows.end()
                                     ? SourceSpans::Span{}
                                     : program.parse().spans.statements()[loop - rows.begin()];
  return diagnostic(rangeJson(analysis.lines, span.count, span.hint), ERROR_SEVERITY,
                    refusalText(refused, program.rows(), words));
}

}  // namespace

json diagnostics(const Documents::Document& document, const Words& words) {
  json all = json::array();
  const json start = {{"line", 0}, {"character", 0}};
  if (!document.current) {
    all.push_back(
        diagnostic({{"start", start}, {"end", start}}, ERROR_SEVERITY, words.tr("out of memory")));
    return all;
  }
  const Analysis& analysis = *document.current;
  const ParsedProgram& parsed = analysis.program.parse();
  if (!parsed.ok()) {
    const SourceSpans::Problem& problem = *parsed.spans.problem();
    all.push_back(diagnostic(rangeJson(analysis.lines, problem.from, problem.to), ERROR_SEVERITY,
                             explanation(parsed, words)));
    return all;
  }
  const std::size_t firstLineEnd =
      analysis.lines.offsetOf({0, std::numeric_limits<std::size_t>::max()});
  for (const std::string& warning : warnings(analysis.program, words)) {
    all.push_back(
        diagnostic(rangeJson(analysis.lines, 0, firstLineEnd), WARNING_SEVERITY, warning));
  }
  if (const auto refused = refusal(analysis, words)) all.push_back(*refused);
  if (parsed.tail) {
    json tail = diagnostic(rangeJson(analysis.lines, *parsed.tail, analysis.text.size()),
                           HINT_SEVERITY, words.tr("ignored: text after the program's END"));
    tail["tags"] = {UNNECESSARY_TAG};
    all.push_back(std::move(tail));
  }
  return all;
}

json hover(const Documents::Document& document, LineIndex::Position at, bool markdown,
           const Words& words) {
  if (!document.current || !document.current->program.ok()) return nullptr;
  const Analysis& analysis = *document.current;
  const AnalysedProgram& program = analysis.program;
  const auto& spans = program.parse().spans.statements();
  const auto statement = program.parse().spans.innermostAt(analysis.lines.offsetOf(at));
  const json kind = markdown ? "markdown" : "plaintext";
  if (!statement) {
    return {{"contents", {{"kind", kind}, {"value", programHover(program, markdown, words)}}}};
  }
  const std::string text =
      statementHover(program, program.rows().rows()[*statement], markdown, words);
  return {{"contents", {{"kind", kind}, {"value", text}}},
          {"range", rangeJson(analysis.lines, spans[*statement].start, spans[*statement].end)}};
}

std::size_t lensCount(const Documents::Document& document) {
  if (!document.current || !document.lastParsed) return 0;
  return Glances(document).lensed().size();
}

// A lens's data: [the document's number, its statement's index + 1 or 0 for BEGIN's, the hash of
// the text of the document's last version that parsed].
Reply lenses(const Documents::Document& document, std::size_t first) {
  if (!document.current || !document.lastParsed) return Reply::text("[]");
  const Glances glances(document);
  const std::vector<std::optional<std::size_t>> statements = glances.lensed();
  std::ostringstream text;
  JsonWriter all(text, false);
  all.beginArray();
  for (std::size_t i = first; i < statements.size() && i < first + LENS_PAGE; ++i) {
    const auto statement = statements[i];
    const auto at = glances.moves(statement ? glances.spans()[*statement].start
                                            : glances.program().parse().spans.begin);
    if (!at) continue;
    const LineIndex::Position place = glances.lines.positionOf(*at);
    all.beginObject();
    all.key("range").beginObject();
    for (const char* end : {"start", "end"}) {
      all.key(end);
      writePosition(all, place);
    }
    all.end();
    all.key("data").beginArray();
    for (const std::size_t part : {document.number, statement ? *statement + 1 : std::size_t{0},
                                   std::size_t{document.parsedText}}) {
      all.integer(static_cast<long long>(part));
    }
    all.end();
    all.end();
  }
  all.end();
  return written(text);
}

std::optional<std::size_t> lensDocument(const json& lens) {
  const json* data = memberAt(lens, "data");
  if (data == nullptr || !data->is_array() || data->size() != 3) return std::nullopt;
  for (const json& part : *data) {
    if (!part.is_number_unsigned()) return std::nullopt;
  }
  return (*data)[0].get<std::size_t>();
}

json resolveLens(const Documents::Document& document, json lens, std::size_t width) {
  const auto statement = lens["data"][1].get<std::size_t>();
  std::string title = STALE;
  if (document.current && document.lastParsed &&
      lens["data"][2].get<std::size_t>() == document.parsedText) {
    const Glances glances(document);
    const AnalysedProgram& program = glances.program();
    if (statement == 0) {
      title = glances.marked(glance(programCostTexts(program), program.models(), width),
                             program.parse().spans.begin, glances.shown.text.size());
    } else if (statement <= glances.spans().size()) {
      const SourceSpans::Span& span = glances.spans()[statement - 1];
      title = glances.marked(statementGlance(program, statement - 1, width), span.start, span.end);
    }
  }
  lens["command"] = {{"title", title}, {"command", ""}};
  return lens;
}

Reply hints(const Documents::Document& document, LineIndex::Position start, LineIndex::Position end,
            std::size_t width) {
  if (!document.current || !document.lastParsed) return Reply::text("[]");
  const Glances glances(document);
  const std::size_t from = glances.lines.offsetOf(start);
  const std::size_t to = std::max(from, glances.lines.offsetOf(end));
  // The hints of the shown text whose characters before them now stand from `from` - 1 to `to`.
  const std::size_t shownFrom = from == 0 ? 0 : glances.moves.firstFrom(from - 1) + 1;
  const std::size_t shownTo = glances.moves.firstFrom(to) + 1;
  std::ostringstream text;
  JsonWriter all(text, false);
  all.beginArray();
  for (const GlanceRow& row : glanceRows(glances.program(), shownFrom, shownTo, width)) {
    const auto at = glances.hintAt(row.at);
    if (!at || *at < from || *at > to) continue;
    const SourceSpans::Span& span = glances.spans()[row.statement];
    all.beginObject();
    all.key("position");
    writePosition(all, glances.lines.positionOf(*at));
    all.key("label").string(glances.marked(row.label, span.start, span.end));
    all.key("paddingLeft").value(true);
    all.end();
  }
  all.end();
  return written(text);
}

Reply formatting(const Documents::Document& document, const Words& words) {
  if (!document.current) return Reply::error(ErrorCode::INTERNAL_ERROR, words.tr("out of memory"));
  const Analysis& analysis = *document.current;
  if (!analysis.program.ok()) {
    return Reply::error(ErrorCode::REQUEST_FAILED,
                        fill(words.tr("cannot format a program with a syntax error: %s"),
                             {explanation(analysis.program.parse(), words)}));
  }
  std::ostringstream echo;
  analysis.program.program().print(echo);
  if (!echo) return Reply::error(ErrorCode::INTERNAL_ERROR, words.tr("out of memory"));
  const std::size_t end = analysis.program.parse().tail.value_or(analysis.text.size());
  return {json::array({{{"range", rangeJson(analysis.lines, 0, end)}, {"newText", echo.str()}}})};
}
