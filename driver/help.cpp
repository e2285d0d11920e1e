#include "driver/help.h"

#include <algorithm>
#include <vector>

#include "support/utf8.h"

namespace {

// Where the options' descriptions start, when the names leave room.
constexpr std::size_t DESCRIPTION_COLUMN = 28;

// Characters a line may not start with, and those it may not end with, in Chinese text.
constexpr std::string_view NO_START = "，。、；：！？）」』》";
constexpr std::string_view NO_END = "（「『《";

// The pieces a line may break between: a word with the blanks after it, or a wide character,
// kept with the punctuation that may not start or end a line.
std::vector<std::string> pieces(const std::string& text, const Words& words) {
  std::vector<std::string> all;
  std::string previous;
  bool previousWide = false;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = std::max<std::size_t>(utf8Length(text, at), 1);
    const std::string character = text.substr(at, length);
    const bool wide = words.columnsOf(character) > 1;
    const bool glued = NO_START.find(character) != std::string_view::npos ||
                       (!previous.empty() && NO_END.find(previous) != std::string_view::npos);
    const bool afterBlank = previous == " " && character != " ";
    const bool besideWide = (wide || previousWide) && character != " " && !glued;
    if (all.empty() || afterBlank || besideWide) {
      all.push_back(character);
    } else {
      all.back() += character;
    }
    previous = character;
    previousWide = wide;
    at += length;
  }
  return all;
}

// `text` wrapped to `width`, its lines after the first indented by `indent` blanks, the first
// starting at column `start`.
std::string wrapped(const std::string& text, std::size_t start, std::size_t indent,
                    std::size_t width, const Words& words) {
  std::string out, line;
  std::size_t column = start;
  for (const std::string& piece : pieces(text, words)) {
    std::string trimmed = piece;
    trimmed.erase(trimmed.find_last_not_of(' ') + 1);
    if (!line.empty() && column + words.columnsOf(trimmed) > width) {
      line.erase(line.find_last_not_of(' ') + 1);
      out += line + "\n" + std::string(indent, ' ');
      line.clear();
      column = indent;
    }
    line += piece;
    column += words.columnsOf(piece);
  }
  line.erase(line.find_last_not_of(' ') + 1);
  return out + line;
}

// "-c, --cpu ADD,MUL" or "FILE...".
std::string optionName(const CLI::Option& option, const Words& words) {
  if (!option.nonpositional()) return words.tr(option.get_name(true).c_str()) + std::string("...");
  std::string names;
  for (const std::string& name : option.get_snames()) names += "-" + name + ", ";
  for (const std::string& name : option.get_lnames()) names += "--" + name + ", ";
  names.erase(names.size() - 2);
  const std::string value = option.get_type_name();
  return value.empty() ? names : names + " " + words.tr(value.c_str());
}

}  // namespace

std::string helpText(const CLI::App& app, const Words& words, std::size_t width) {
  std::string text = wrapped(app.get_description(), 0, 0, width, words) + "\n\n";
  text += wrapped(fill(words.tr("Usage: %s [OPTION]... [FILE]..."), {app.get_name()}), 0, 2, width,
                  words) +
          "\n\n" + words.tr("Options:") + "\n";
  for (const CLI::Option* option : app.get_options()) {
    const std::string name = "  " + optionName(*option, words);
    const std::size_t column = words.columnsOf(name);
    const bool roomy = column + 2 <= DESCRIPTION_COLUMN && width >= DESCRIPTION_COLUMN + 20;
    const std::size_t indent = roomy ? DESCRIPTION_COLUMN : 6;
    text += roomy ? name + std::string(DESCRIPTION_COLUMN - column, ' ')
                  : name + "\n" + std::string(indent, ' ');
    text += wrapped(option->get_description(), indent, indent, width, words) + "\n";
  }
  return text + "\n" + app.get_footer() + "\n";
}
