#include "statements/sourcespans.h"

#include <utility>

#include "support/keyword.h"
#include "support/nonblank.h"

std::size_t SourceSpans::offset(std::istream& is) {
  const std::streamoff at = is.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in);
  return at < 0 ? 0 : static_cast<std::size_t>(at);
}

std::size_t SourceSpans::open(std::istream& is) {
  const std::size_t start = offset(is);
  if (!keepStatements) spans.clear();
  spans.push_back({start, start, start, start});
  return spans.size() - 1;
}

std::optional<std::size_t> SourceSpans::innermostAt(std::size_t offset) const {
  std::optional<std::size_t> innermost;
  for (std::size_t i = 0; i < spans.size() && spans[i].start <= offset; ++i) {
    if (offset < spans[i].end) innermost = i;
  }
  return innermost;
}

void SourceSpans::finish() {
  characters = {};
  lineBreaks = {};
  openLoops = {};
  if (!keepStatements) spans = {};
}

// Where the text ends early, the loop it ends in, or the loop that took the last END, is noted.
void SourceSpans::stop(Expected expected, std::size_t from, std::size_t to, std::string found) {
  stopped = Problem{expected, from, to, std::move(found), std::nullopt, std::nullopt};
  if (!stopped->found.empty()) return;
  if (expected == Expected::loopEnd && !openLoops.empty()) {
    stopped->loop = openLoops.back();
  } else if (expected == Expected::end && lastClosed) {
    stopped->loop = lastClosed->first;
    stopped->loopEnd = lastClosed->second;
  }
}

// The lead byte and the continuation bytes after it, at most four bytes in all.
void SourceSpans::stopAtCharacter(std::istream& is, Expected expected) {
  using traits = std::char_traits<char>;
  const std::size_t from = offset(is);
  std::string found;
  std::streambuf& input = *is.rdbuf();
  for (int c = input.sgetc(); c != traits::eof() && found.size() < 4; c = input.snextc()) {
    const bool continuation = (c & 0xC0) == 0x80;
    if (!found.empty() && (!continuation || static_cast<unsigned char>(found[0]) < 0xC0)) break;
    found += traits::to_char_type(c);
  }
  const std::size_t to = from + found.size();
  stop(expected, from, to, std::move(found));
}

std::size_t SourceSpans::expectKeyword(std::istream& is, const char* keyword,
                                       const std::string& errorPrefix, Expected expected,
                                       SourceSpans* spans) {
  char first;
  const std::size_t from = spans != nullptr && peekNonBlank(is, first) ? offset(is) : 0;
  const std::string word = readWord(is);
  if (word == keyword) return from;
  if (spans != nullptr) {
    const std::size_t at = word.empty() ? offset(is) : from;
    spans->stop(expected, at, at + word.size(), word);
  }
  syntaxErrorAt(errorPrefix, word, expected);
}
