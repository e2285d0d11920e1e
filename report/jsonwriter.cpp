#include "report/jsonwriter.h"

#include <algorithm>
#include <streambuf>

#include "report/quoting.h"
#include "support/utf8.h"

namespace {

bool isPlain(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\';
}

// U+2028 and U+2029, which end a line in JavaScript and in some editors.
bool isLineSeparator(const std::string& text, std::size_t at) {
  return text.compare(at, 2, "\xE2\x80") == 0 && at + 2 < text.size() &&
         (text[at + 2] == '\xA8' || text[at + 2] == '\xA9');
}

// Plain ASCII and valid UTF-8 beyond it are written as they are, but for the line separators.
bool needsEscapes(const std::string& text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = isPlain(text[at]) ? 1 : utf8Length(text, at);
    if ((length < 2 && !isPlain(text[at])) || isLineSeparator(text, at)) return true;
    at += length;
  }
  return false;
}

std::string quoted(const std::string& text) {
  if (!needsEscapes(text)) return '"' + text + '"';
  std::string json =
      nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  for (std::size_t at = 0; (at = json.find("\xE2\x80", at)) != std::string::npos; ++at) {
    if (isLineSeparator(json, at))
      json.replace(at, 3, json[at + 2] == '\xA8' ? "\\u2028" : "\\u2029");
  }
  return json;
}

// Passes characters on to another stream buffer escaped as JSON escapes them in a string.
class EscapingBuffer : public std::streambuf {
 public:
  explicit EscapingBuffer(std::streambuf& target) : target(target) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const std::string escaped = nlohmann::json(std::string(1, traits_type::to_char_type(c)))
                                    .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    const auto length = static_cast<std::streamsize>(escaped.size() - 2);  // without the quotes
    return target.sputn(escaped.data() + 1, length) == length ? c : traits_type::eof();
  }

  std::streamsize xsputn(const char* text, std::streamsize count) override {
    std::streamsize done = 0;
    while (done < count) {
      const char* plain = text + done;
      std::streamsize run = 0;
      while (done + run < count && isPlain(plain[run])) ++run;
      if (run > 0 && target.sputn(plain, run) != run) return done;
      done += run;
      if (done < count) {
        if (traits_type::eq_int_type(overflow(traits_type::to_int_type(text[done])),
                                     traits_type::eof())) {
          return done;
        }
        ++done;
      }
    }
    return done;
  }

 private:
  std::streambuf& target;
};

}  // namespace

JsonWriter::JsonWriter(std::ostream& out, bool indented) : out(out), indented(indented) {}

// A stream buffer that throws here (a string's, out of memory) leaves the stream bad: a
// destructor must not throw.
JsonWriter::~JsonWriter() {
  try {
    flush();
  } catch (...) {
    out.setstate(std::ios::badbit);
  }
}

void JsonWriter::beginObject() {
  beforeValue();
  pending += '{';
  open.push_back({true});
}

void JsonWriter::beginArray() {
  beforeValue();
  pending += '[';
  open.push_back({false});
}

void JsonWriter::end() {
  const Level level = open.back();
  open.pop_back();
  if (!level.empty) newLine();
  pending += level.object ? '}' : ']';
  if (open.empty()) pending += '\n';
  if (pending.size() >= FLUSH_AT || open.empty()) flush();
}

JsonWriter& JsonWriter::key(const std::string& name) {
  beforeValue();
  pending += quoted(name);
  pending += indented ? ": " : ":";
  afterKey = true;
  return *this;
}

void JsonWriter::value(const nlohmann::ordered_json& whole) {
  beforeValue();
  const std::string text =
      whole.dump(indented ? 2 : -1, ' ', false, nlohmann::json::error_handler_t::replace);
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    pending.append(text, start, end - start);
    newLine();
    start = end + 1;
  }
  pending.append(text, start, std::string::npos);
  if (open.empty()) pending += '\n';
}

void JsonWriter::string(const std::string& text) {
  beforeValue();
  pending += quoted(text);
}

void JsonWriter::integer(long long number) {
  beforeValue();
  pending += std::to_string(number);
}

void JsonWriter::number(const std::string& text) {
  beforeValue();
  pending += text;
}

void JsonWriter::streamedString(const std::function<void(std::ostream&)>& write) {
  beforeValue();
  pending += '"';
  flush();
  EscapingBuffer escaping(*out.rdbuf());
  std::ostream escaped(&escaping);
  if (out) write(escaped);
  if (!escaped) out.setstate(std::ios::badbit);
  pending += '"';
}

// A value after a key follows it on its line; any other starts a line of its own.
void JsonWriter::beforeValue() {
  if (afterKey) {
    afterKey = false;
    return;
  }
  if (open.empty()) return;
  Level& level = open.back();
  if (!level.empty) pending += ',';
  newLine();
  level.empty = false;
}

void JsonWriter::newLine() {
  if (!indented) return;
  pending += '\n';
  pending.append(2 * open.size(), ' ');
}

// As `<<` does, a stream that is not good gets nothing, and a refused write sets badbit.
void JsonWriter::flush() {
  const auto size = static_cast<std::streamsize>(pending.size());
  if (out && size > 0 && out.rdbuf()->sputn(pending.data(), size) != size) {
    out.setstate(std::ios::badbit);
  }
  pending.clear();
}
