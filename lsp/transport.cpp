#include "lsp/transport.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::size_t CHUNK = std::size_t{1} << 20;
const std::string CONTENT_LENGTH = "content-length:";

bool startsCaseless(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return a == std::tolower(static_cast<unsigned char>(b));
         });
}

// The decimal length after "Content-Length:", between blanks or tabs, or -1 when it is not one;
// a length too long to hold comes back as the longest that is.
long long lengthIn(const std::string& value) {
  constexpr unsigned long long longest = 1ULL << 62;
  const std::size_t first = value.find_first_not_of(" \t");
  const std::size_t last = value.find_last_not_of(" \t");
  if (first == std::string::npos) return -1;
  unsigned long long length = 0;
  for (std::size_t i = first; i <= last; ++i) {
    if (value[i] < '0' || value[i] > '9') return -1;
    length = std::min<unsigned long long>(length * 10 + (value[i] - '0'), longest);
  }
  return static_cast<long long>(length);
}

}  // namespace

Transport::Transport(std::istream& in, std::ostream& out) : in(in), out(out) {}

Transport::Read Transport::next(std::string& content, std::string& problem) {
  long long length = -1;
  const Read read = headers(length, problem);
  if (read != Read::message) return read;
  if (static_cast<std::size_t>(length) > MAX_CONTENT) {
    problem = "a message over " + std::to_string(MAX_CONTENT) + " bytes";
    skip(static_cast<unsigned long long>(length));
    return Read::refused;
  }
  if (!readContent(static_cast<std::size_t>(length), content)) return Read::endOfInput;
  return Read::message;
}

// The header lines up to the empty line; after a refusal, the lines before the next
// "Content-Length" are passed over.
Transport::Read Transport::headers(long long& length, std::string& problem) {
  bool sawHeader = false;
  for (std::string line;;) {
    const Line read = readLine(line);
    if (read == Line::endOfInput) return Read::endOfInput;
    if (read == Line::tooLong) {
      problem = "a header line longer than " + std::to_string(MAX_HEADER_LINE) + " bytes";
      lost = true;
      return Read::refused;
    }
    const bool contentLength = startsCaseless(line, CONTENT_LENGTH);
    if (lost && !contentLength) continue;
    lost = false;
    if (line.empty()) {
      if (!sawHeader) continue;  // blank lines between messages are let pass
      break;
    }
    sawHeader = true;
    const long long value = contentLength ? lengthIn(line.substr(CONTENT_LENGTH.size())) : 0;
    const bool twice = contentLength && length >= 0 && value != length;
    if (line.find(':') == std::string::npos || value < 0 || twice) {
      problem = "a malformed header: " + line.substr(0, 80);
      lost = true;
      return Read::refused;
    }
    if (contentLength) length = value;
  }
  if (length < 0) {
    problem = "a message without Content-Length";
    return Read::refused;
  }
  return Read::message;
}

bool Transport::waiting() const { return in.rdbuf()->in_avail() > 0; }

bool Transport::send(const std::string& content) {
  out << "Content-Length: " << content.size() << "\r\n\r\n" << content << std::flush;
  return static_cast<bool>(out);
}

// A line without its CR LF (or LF); what is past MAX_HEADER_LINE is read and dropped.
Transport::Line Transport::readLine(std::string& line) {
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

bool Transport::readContent(std::size_t length, std::string& content) {
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
void Transport::skip(unsigned long long length) {
  std::string chunk(CHUNK, '\0');
  for (unsigned long long left = length; left > 0 && in;) {
    const std::size_t part = static_cast<std::size_t>(std::min<unsigned long long>(CHUNK, left));
    in.read(&chunk[0], static_cast<std::streamsize>(part));
    left -= part;
  }
}
