#include "lsp/views.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

#include "report/glances.h"
#include "report/jsonwriter.h"
#include "report/wording.h"
#include "support/translation.h"

namespace {

using json = nlohmann::json;

constexpr int ERROR_SEVERITY = 1;
constexpr int WARNING_SEVERITY = 2;
constexpr int HINT_SEVERITY = 4;
constexpr int UNNECESSARY_TAG = 1;

const char* const CHANGED = " ?";

// The glances of the last version that parsed, placed in the current text.
struct Glances {
  const Analysis& shown;   // the last version that parsed
  const LineIndex& lines;  // the current text's
  const Moves& moves;
  std::size_t width;

  Glances(const Documents::Document& document, std::size_t width)
      : shown(*document.lastParsed),
        lines(document.current->lines),
        moves(document.moves),
        width(width) {}

  // Where the hint after a statement stands now: after its ';' or its loop's count, wherever
  // that character went.
  std::optional<std::size_t> hintAt(const SourceSpans::Span& span) const {
    const auto last = moves(span.hint - 1);
    if (!last) return std::nullopt;
    return *last + 1;
  }

  const StatementRows& rows() const { return shown.program.rows(); }
  const std::vector<SourceSpans::Span>& spans() const {
    return shown.program.parse().spans.statements();
  }

  std::vector<ExactPolynomial> costs(const StatementRows::Row& row) const {
    std::vector<ExactPolynomial> costs;
    for (std::size_t m = 0; m < shown.program.models().size(); ++m)
      costs.push_back(rows().cost(row, m));
    return costs;
  }

  std::string label(const std::vector<ExactPolynomial>& costs, std::size_t from,
                    std::size_t to) const {
    return glance(costs, shown.program.models(), width) + (moves.changed(from, to) ? CHANGED : "");
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

}  // namespace

json diagnostics(const Documents::Document& document) {
  json all = json::array();
  const json start = {{"line", 0}, {"character", 0}};
  if (!document.current) {
    all.push_back(
        diagnostic({{"start", start}, {"end", start}}, ERROR_SEVERITY, tr("out of memory")));
    return all;
  }
  const Analysis& analysis = *document.current;
  const ParsedProgram& parsed = analysis.program.parse();
  if (!parsed.ok()) {
    const SourceSpans::Problem& problem = *parsed.spans.problem();
    all.push_back(diagnostic(rangeJson(analysis.lines, problem.from, problem.to), ERROR_SEVERITY,
                             readableError(parsed)));
    return all;
  }
  const std::size_t firstLineEnd =
      analysis.lines.offsetOf({0, std::numeric_limits<std::size_t>::max()});
  for (const std::string& warning : warnings(analysis.program)) {
    all.push_back(
        diagnostic(rangeJson(analysis.lines, 0, firstLineEnd), WARNING_SEVERITY, warning));
  }
  if (parsed.tail) {
    json tail = diagnostic(rangeJson(analysis.lines, *parsed.tail, analysis.text.size()),
                           HINT_SEVERITY, tr("ignored: text after the program's END"));
    tail["tags"] = {UNNECESSARY_TAG};
    all.push_back(std::move(tail));
  }
  return all;
}

json hover(const Documents::Document& document, LineIndex::Position at, bool markdown) {
  if (!document.current || !document.current->program.ok()) return nullptr;
  const Analysis& analysis = *document.current;
  const AnalysedProgram& program = analysis.program;
  const auto& spans = program.parse().spans.statements();
  const auto statement = program.parse().spans.innermostAt(analysis.lines.offsetOf(at));
  const json kind = markdown ? "markdown" : "plaintext";
  if (!statement) {
    return {{"contents", {{"kind", kind}, {"value", programHover(program, markdown)}}}};
  }
  const std::string text = statementHover(program, program.rows().rows()[*statement], markdown);
  return {{"contents", {{"kind", kind}, {"value", text}}},
          {"range", rangeJson(analysis.lines, spans[*statement].start, spans[*statement].end)}};
}

Reply lenses(const Documents::Document& document, std::size_t width) {
  if (!document.current || !document.lastParsed) return Reply::text("[]");
  const Glances glances(document, width);
  std::ostringstream text;
  JsonWriter all(text, false);
  all.beginArray();
  const auto lens = [&](std::size_t from, const std::string& title) {
    const auto at = glances.moves(from);
    if (!at) return;
    const LineIndex::Position place = glances.lines.positionOf(*at);
    all.beginObject();
    all.key("range").beginObject();
    for (const char* end : {"start", "end"}) {
      all.key(end);
      writePosition(all, place);
    }
    all.end();
    all.key("command").beginObject();
    all.key("title").string(title);
    all.key("command").string("");
    all.end();
    all.end();
  };
  const AnalysedProgram& program = glances.shown.program;
  const std::size_t begin = program.parse().spans.begin;
  lens(begin, glances.label(program.exact(), begin, glances.shown.text.size()));
  for (std::size_t i = 0; i < glances.spans().size(); ++i) {
    const StatementRows::Row& row = glances.rows().rows()[i];
    const SourceSpans::Span& span = glances.spans()[i];
    if (row.loop >= 0) lens(span.start, glances.label(glances.costs(row), span.start, span.end));
  }
  all.end();
  return written(text);
}

Reply hints(const Documents::Document& document, std::size_t first, std::size_t last,
            std::size_t width) {
  if (!document.current || !document.lastParsed) return Reply::text("[]");
  const Glances glances(document, width);
  const std::size_t from = glances.lines.offsetOf({first, 0});
  const std::size_t to = last + 1 < glances.lines.lineCount()
                             ? glances.lines.offsetOf({last + 1, 0})
                             : std::numeric_limits<std::size_t>::max();
  std::ostringstream text;
  JsonWriter all(text, false);
  all.beginArray();
  for (std::size_t i = 0; i < glances.spans().size(); ++i) {
    const SourceSpans::Span& span = glances.spans()[i];
    const auto at = glances.hintAt(span);
    if (!at || *at < from || *at >= to) continue;
    const std::vector<ExactPolynomial> costs = glances.costs(glances.rows().rows()[i]);
    if (std::all_of(costs.begin(), costs.end(),
                    [](const ExactPolynomial& c) { return c.degree() < 0; })) {
      continue;
    }
    all.beginObject();
    all.key("position");
    writePosition(all, glances.lines.positionOf(*at));
    all.key("label").string(glances.label(costs, span.start, span.end));
    all.key("paddingLeft").value(true);
    all.end();
  }
  all.end();
  return written(text);
}

Reply formatting(const Documents::Document& document) {
  if (!document.current) return Reply::error(ErrorCode::INTERNAL_ERROR, "out of memory");
  const Analysis& analysis = *document.current;
  if (!analysis.program.ok()) {
    return Reply::error(ErrorCode::REQUEST_FAILED,
                        fill(tr("cannot format a program with a syntax error: %s"),
                             {readableError(analysis.program.parse())}));
  }
  std::ostringstream echo;
  analysis.program.program().print(echo);
  if (!echo) return Reply::error(ErrorCode::INTERNAL_ERROR, "out of memory");
  const std::size_t end = analysis.program.parse().tail.value_or(analysis.text.size());
  return {json::array({{{"range", rangeJson(analysis.lines, 0, end)}, {"newText", echo.str()}}})};
}
