#include "report/diagnosis.h"

#include <cstdio>

#include "report/quoting.h"
#include "support/utf8.h"

namespace {

std::string codeOf(char32_t character) {
  char hex[12];
  std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(character));
  return hex;
}

// The character a full-width one stands for: the full-width forms of ASCII, U+FF01 to U+FF5E, and
// the ideographic comma, full stop and space, which a Chinese input method types.
std::optional<char> halfWidth(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char>(c - 0xFEE0);
  if (c == 0x3001) return ',';
  if (c == 0x3002) return '.';
  if (c == 0x3000) return ' ';
  return std::nullopt;
}

// `text` with its full-width characters half-width.
std::string halved(const std::string& text) {
  std::string out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = std::max<std::size_t>(utf8Length(text, at), 1);
    const auto half = length > 1 ? halfWidth(codePoint(text, at)) : std::nullopt;
    out += half ? std::string(1, *half) : text.substr(at, length);
    at += length;
  }
  return out;
}

// Characters a reader cannot see: no-break and other odd spaces, zero-width characters, the
// byte-order mark.
bool invisible(char32_t c) {
  return c == 0xA0 || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2060 && c <= 0x2064) || c == 0x202F ||
         c == 0xFEFF;
}

std::string quotedFound(const std::string& found) { return "'" + visibleName(found) + "'"; }

// Whether the half-width text would be right where the parse expected `expected`.
bool fits(const std::string& half, Expected expected) {
  const auto all = [&](const char* allowed) {
    return half.find_first_not_of(allowed) == std::string::npos;
  };
  switch (expected) {
    case Expected::count:
    case Expected::countNotRange:
    case Expected::countSize:
      return all("0123456789") || half == "n";
    case Expected::statement:
    case Expected::expression:
    case Expected::semicolon:
      return all("abcdefghijklmnopqrstuvwxyz+*;");
    case Expected::begin:
    case Expected::end:
    case Expected::loop:
    case Expected::loopEnd:
      return half == "BEGIN" || half == "LOOP" || half == "END";
    default:
      return false;
  }
}

// Advice for a full-width character found where the parse stopped: type its half-width form
// where that is right, end the statement with ';' where a comma or full stop ends it.
std::optional<std::string> fullWidthAdvice(const SourceSpans::Problem& problem,
                                           const Words& words) {
  const std::string& found = problem.found;
  const std::size_t length = found.empty() ? 0 : utf8Length(found, 0);
  if (length < 2) return std::nullopt;
  const char32_t first = codePoint(found, 0);
  const auto half = halfWidth(first);
  if (!half) return std::nullopt;
  const std::string character = found.substr(0, length), code = codeOf(first);
  if (first == 0x3000) {
    return fill(words.tr("full-width space (U+%s): type an ordinary blank"), {code});
  }
  if (fits(halved(found), problem.expected)) {
    return fill(words.tr("full-width '%s' (U+%s): type '%s'"), {found, code, halved(found)});
  }
  const bool inStatement =
      problem.expected == Expected::expression || problem.expected == Expected::statement;
  if (inStatement && (*half == ',' || *half == '.')) {
    return fill(words.tr("full-width '%s' (U+%s): a statement ends with ';'"), {character, code});
  }
  return std::nullopt;
}

// "U+FEFF" for an invisible character in what was found.
std::optional<std::string> invisibleIn(const std::string& found) {
  for (std::size_t at = 0; at < found.size();) {
    const std::size_t length = std::max<std::size_t>(utf8Length(found, at), 1);
    if (length > 1 && invisible(codePoint(found, at))) return "U+" + codeOf(codePoint(found, at));
    at += length;
  }
  return std::nullopt;
}

// The keyword that `found` is, written in other letters: "loop", "End".
std::optional<std::string> keywordInOtherCase(const std::string& found) {
  std::string upper = found;
  for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  const bool keyword = upper == "BEGIN" || upper == "LOOP" || upper == "END";
  if (!keyword || upper == found) return std::nullopt;
  return upper;
}

// What a statement may not hold.
std::string foreignCharacter(const std::string& found, const Words& words) {
  const char c = found.size() == 1 ? found[0] : '\0';
  if (c == '=') {
    return words.tr(
        "'=' is not part of the language: a statement is an expression such as a + b * c;");
  }
  if (c >= 'A' && c <= 'Z') {
    return fill(words.tr("%s is no variable: variables are a to z"), {quotedFound(found)});
  }
  return fill(
      words.tr("%s is not part of the language: a statement holds the variables a to z, + and *"),
      {quotedFound(found)});
}

std::string lineOf(const ParsedProgram& parsed, std::size_t offset) {
  return std::to_string(parsed.lineAndColumn(offset).first);
}

// Where the text ends before an END: the LOOP left open, or the one that took the last END.
std::string textEnds(const ParsedProgram& parsed, const Words& words) {
  const SourceSpans::Problem& problem = *parsed.spans.problem();
  if (problem.expected == Expected::loopEnd) {
    if (!problem.loop) return words.tr("the text ends before the LOOP's END");
    return fill(words.tr("the text ends before the END of the LOOP at line %s"),
                {lineOf(parsed, *problem.loop)});
  }
  if (!problem.loop || !problem.loopEnd) return words.tr("the text ends before the program's END");
  return fill(words.tr("the text ends before the program's END: the last END, at line %s, closes "
                       "the LOOP at line %s"),
              {lineOf(parsed, *problem.loopEnd), lineOf(parsed, *problem.loop)});
}

std::string expectedText(const ParsedProgram& parsed, const Words& words) {
  const SourceSpans::Problem& problem = *parsed.spans.problem();
  const std::string& found = problem.found;
  switch (problem.expected) {
    case Expected::begin:
      return found.empty()
                 ? words.tr("the text is empty: a program starts with BEGIN")
                 : fill(words.tr("a program starts with BEGIN, not %s"), {quotedFound(found)});
    case Expected::end:
      return found.empty()
                 ? textEnds(parsed, words)
                 : fill(words.tr("expected END after the program's last statement, not %s"),
                        {quotedFound(found)});
    case Expected::statement:
      return fill(words.tr("a statement starts with a letter a to z or LOOP, not %s"),
                  {quotedFound(found)});
    case Expected::firstStatement:
      return words.tr("a program and a LOOP hold at least one statement before their END");
    case Expected::count:
    case Expected::countNotRange:
      if (found.size() == 1 && std::string("+-*/").find(found[0]) != std::string::npos) {
        return fill(words.tr("%s is not allowed in a LOOP count: use n or a whole number"),
                    {quotedFound(found)});
      }
      return fill(words.tr("a LOOP count is n or a whole number, not %s"), {quotedFound(found)});
    case Expected::countSize:
      return fill(words.tr("the LOOP count %s is too large: at most 2147483647"),
                  {quotedFound(found)});
    case Expected::loop:
      return fill(words.tr("expected LOOP, not %s"), {quotedFound(found)});
    case Expected::loopEnd:
      return found.empty()
                 ? textEnds(parsed, words)
                 : fill(words.tr("expected END to close the LOOP, not %s"), {quotedFound(found)});
    case Expected::nesting:
      return words.tr("loops are nested more than 1000 deep");
    case Expected::semicolon:
      return words.tr("expected ';' at the end of the statement");
    case Expected::expression:
      return foreignCharacter(found, words);
    case Expected::term:
      return words.tr("a '+' needs a term on each side");
    case Expected::operation:
      return fill(words.tr("variables side by side in %s: put '*' or '+' between them"),
                  {quotedFound(found)});
    case Expected::extendedCount:
      return fill(words.tr("a LOOP count is a sum of products of whole numbers, n and the indices "
                           "of the LOOPs around it, or a range such as i = 1 TO n; not %s"),
                  {quotedFound(found)});
    case Expected::to:
      return fill(words.tr("expected TO in the LOOP's range, not %s"), {quotedFound(found)});
    case Expected::unknownIndex:
      return fill(words.tr("%s is no index of a LOOP around this count"), {quotedFound(found)});
    case Expected::reboundIndex:
      return fill(words.tr("%s is already the index of a LOOP around this one"),
                  {quotedFound(found)});
    case Expected::nIndex:
      return words.tr("n is the size of the problem and cannot be a LOOP's index");
    case Expected::groups:
      return words.tr("parentheses in a LOOP count are nested more than 100 deep");
    case Expected::logOfN:
      if (found.empty()) return textEnds(parsed, words);
      return fill(words.tr("a LOOP count takes the log of n alone, as in log n, not of %s: a sum "
                           "over log i is no polynomial in n and log n"),
                  {quotedFound(found)});
    case Expected::keywordCase:
      break;
  }
  return "";
}

// In the classic dialect, a count that the extended one would read: "n-1", "2*n", "(n-1)",
// "i = 1 TO n".
bool extendedWouldRead(const ParsedProgram& parsed) {
  const SourceSpans::Problem& problem = *parsed.spans.problem();
  const char first = problem.found.empty() ? '\0' : problem.found[0];
  const bool sum = first != '\0' && std::string("+-*(").find(first) != std::string::npos;
  return parsed.dialect == Dialect::classic && ((problem.expected == Expected::count && sum) ||
                                                problem.expected == Expected::countNotRange);
}

}  // namespace

std::string explanation(const ParsedProgram& parsed, const Words& words) {
  const SourceSpans::Problem& problem = *parsed.spans.problem();
  if (const auto keyword = keywordInOtherCase(problem.found)) {
    return fill(words.tr("%s is written in capitals, not %s"),
                {*keyword, quotedFound(problem.found)});
  }
  if (const auto advice = fullWidthAdvice(problem, words)) return *advice;
  if (const auto code = invisibleIn(problem.found)) {
    return fill(words.tr("an invisible character, %s, stands here: delete it"), {*code});
  }
  const std::string text = expectedText(parsed, words);
  if (!extendedWouldRead(parsed)) return text;
  return text + words.tr(
                    " (the extended dialect, --dialect extended, allows counts such as "
                    "n - 1, 2 * n and i = 1 TO n)");
}

std::optional<std::string> fullWidthIn(const std::string& typed, const Words& words) {
  for (std::size_t at = 0; at < typed.size();) {
    const std::size_t length = std::max<std::size_t>(utf8Length(typed, at), 1);
    const auto half = length > 1 ? halfWidth(codePoint(typed, at)) : std::nullopt;
    if (half) {
      return fill(words.tr("full-width '%s' (U+%s): type '%s'"),
                  {typed.substr(at, length), codeOf(codePoint(typed, at)), std::string(1, *half)});
    }
    at += length;
  }
  return std::nullopt;
}
