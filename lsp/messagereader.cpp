#include "lsp/messagereader.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::size_t CHUNK = std::size_t{1} << 20;

bool startsCaseless(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

// The decimal length after "Content-Length:", or -1 when it is not one; a length too long to
// hold comes back as the longest that is.
long long lengthIn(const std::string& value) {
  constexpr unsigned long long longest = 1ULL << 62;
  const std::size_t first = value.find_first_not_of(' ');
  const std::size_t last = value.find_last_not_of(' ');
  if (first == std::string::npos) return -1;
  unsigned long long length = 0;
  for (std::size_t i = first; i <= last; ++i) {
    if (value[i] < '0' || value[i] > '9') return -1;
    length = std::min<unsigned long long>(length * 10 + (value[i] - '0'), longest);
  }
  return static_cast<long long>(length);
}

}  // namespace

MessageReader::MessageReader(std::istream& in) : in(in) {}

MessageReader::Result MessageReader::next(std::string& content, std::string& problem) {
  const std::string field = "Content-Length:";
  long long length = -1;
  bool sawHeader = false;
  for (std::string line;;) {
    const Line read = readLine(line);
    if (read == Line::endOfInput) return Result::endOfInput;
    if (read == Line::tooLong) {
      problem = "a header line longer than " + std::to_string(MAX_HEADER_LINE) + " bytes";
      return Result::refused;
    }
    if (line.empty()) {
      if (!sawHeader) continue;  // blank lines between messages are let pass
      break;
    }
    sawHeader = true;
    if (startsCaseless(line, field)) {
      length = lengthIn(line.substr(field.size()));
      if (length < 0) {
        problem = "a malformed header: " + line;
        return Result::refused;
      }
    } else if (line.find(':') == std::string::npos) {
      problem = "a malformed header: " + line.substr(0, 80);
      return Result::refused;
    }
  }
  if (length < 0) {
    problem = "a message without Content-Length";
    return Result::refused;
  }
  if (static_cast<std::size_t>(length) > MAX_CONTENT) {
    problem = "a message over " + std::to_string(MAX_CONTENT) + " bytes";
    skip(static_cast<unsigned long long>(length));
    return Result::refused;
  }
  if (!readContent(static_cast<std::size_t>(length), content)) return Result::endOfInput;
  return Result::message;
}

// A line without its CR LF (or LF); what is past MAX_HEADER_LINE is read and dropped.
MessageReader::Line MessageReader::readLine(std::string& line) {
  line.clear();
  bool tooLong = false;
  for (int c = in.get(); c != '\n'; c = in.get()) {
    if (c == std::char_traits<char>::eof()) return Line::endOfInput;
    if (line.size() == MAX_HEADER_LINE) {
      tooLong = true;
    } else {
      line += static_cast<char>(c);
    }
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return tooLong ? Line::tooLong : Line::read;
}

bool MessageReader::readContent(std::size_t length, std::string& content) {
  content.clear();
  while (content.size() < length) {
    const std::size_t part = std::min(CHUNK, length - content.size());
    const std::size_t before = content.size();
    content.resize(before + part);
    in.read(&content[before], static_cast<std::streamsize>(part));
    if (static_cast<std::size_t>(in.gcount()) != part) return false;
  }
  return true;
}

// Content past the limit is read and dropped in chunks, as far as the header said it goes.
void MessageReader::skip(unsigned long long length) {
  std::string chunk(CHUNK, '\0');
  for (unsigned long long left = length; left > 0 && in;) {
    const std::size_t part = static_cast<std::size_t>(std::min<unsigned long long>(CHUNK, left));
    in.read(&chunk[0], static_cast<std::streamsize>(part));
    left -= part;
  }
}
