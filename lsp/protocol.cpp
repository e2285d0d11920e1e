#include "lsp/protocol.h"

#include <cctype>

using json = nlohmann::json;

namespace {

// The code unit of the escape "\uXXXX" at `at`, if one stands there.
std::optional<unsigned> escapedUnit(const std::string& text, std::size_t at) {
  if (at + 6 > text.size() || text[at + 1] != 'u') return std::nullopt;
  unsigned unit = 0;
  for (std::size_t i = at + 2; i < at + 6; ++i) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    unit = unit * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : c - 'a' + 10);
  }
  return unit;
}

bool high(unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool low(unsigned unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

const json* memberAt(const json& object, const char* key) {
  if (!object.is_object()) return nullptr;
  const auto found = object.find(key);
  return found == object.end() ? nullptr : &*found;
}

const json* pathIn(const json& object, std::initializer_list<const char*> keys) {
  const json* at = &object;
  for (const char* key : keys) {
    at = memberAt(*at, key);
    if (at == nullptr) return nullptr;
  }
  return at;
}

std::optional<std::string> stringAt(const json& object, const char* key) {
  const json* member = memberAt(object, key);
  if (member == nullptr || !member->is_string()) return std::nullopt;
  return member->get<std::string>();
}

std::optional<std::size_t> uintegerAt(const json& object, const char* key) {
  constexpr std::uint64_t largest = (std::uint64_t{1} << 31) - 1;
  const json* member = memberAt(object, key);
  if (member == nullptr || !member->is_number_integer()) return std::nullopt;
  if (member->is_number_unsigned()) {
    const auto value = member->get<std::uint64_t>();
    if (value <= largest) return static_cast<std::size_t>(value);
    return std::nullopt;
  }
  const auto value = member->get<std::int64_t>();
  if (value < 0 || static_cast<std::uint64_t>(value) > largest) return std::nullopt;
  return static_cast<std::size_t>(value);
}

std::optional<LineIndex::Position> positionAt(const json& object, const char* key) {
  const json* member = memberAt(object, key);
  if (member == nullptr) return std::nullopt;
  const auto line = uintegerAt(*member, "line");
  const auto character = uintegerAt(*member, "character");
  if (!line || !character) return std::nullopt;
  return LineIndex::Position{*line, *character};
}

std::optional<std::pair<LineIndex::Position, LineIndex::Position>> rangeAt(const json& object,
                                                                           const char* key) {
  const json* member = memberAt(object, key);
  if (member == nullptr) return std::nullopt;
  const auto start = positionAt(*member, "start");
  const auto end = positionAt(*member, "end");
  if (!start || !end) return std::nullopt;
  return std::make_pair(*start, *end);
}

std::optional<std::string> uriOf(const json& params) {
  const json* uri = pathIn(params, {"textDocument", "uri"});
  if (uri == nullptr || !uri->is_string()) return std::nullopt;
  return uri->get<std::string>();
}

json positionJson(const LineIndex::Position& position) {
  return {{"line", position.line}, {"character", position.character}};
}

json rangeJson(const LineIndex& lines, std::size_t from, std::size_t to) {
  return {{"start", positionJson(lines.positionOf(from))},
          {"end", positionJson(lines.positionOf(to))}};
}

std::string messageText(const json& message) {
  return message.dump(-1, ' ', false, json::error_handler_t::replace);
}

// Searched for with memchr: a message of a million bytes is passed over at every keystroke.
std::size_t replaceLoneSurrogates(std::string& content) {
  std::size_t replaced = 0;
  for (std::size_t at = content.find('\xED'); at != std::string::npos;
       at = content.find('\xED', at + 1)) {
    if (at + 2 < content.size() && (static_cast<unsigned char>(content[at + 1]) & 0xE0) == 0xA0 &&
        (static_cast<unsigned char>(content[at + 2]) & 0xC0) == 0x80) {
      content.replace(at, 3, "\xEF\xBF\xBD");
      ++replaced;
    }
  }
  for (std::size_t at = content.find('\\'); at != std::string::npos; at = content.find('\\', at)) {
    const auto unit = escapedUnit(content, at);
    const auto next = unit ? escapedUnit(content, at + 6) : std::nullopt;
    if (!unit) {
      at += 2;  // an escape of one character, which may be a backslash
    } else if (high(*unit) && next && low(*next)) {
      at += 12;
    } else {
      if (high(*unit) || low(*unit)) {
        content.replace(at, 6, "\\ufffd");
        ++replaced;
      }
      at += 6;
    }
  }
  return replaced;
}
