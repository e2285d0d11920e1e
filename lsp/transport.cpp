#include "lsp/transport.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <new>

namespace {

constexpr std::size_t CHUNK = std::size_t{1} << 20;
const std::string CONTENT_LENGTH = "content-length:";

bool sameCaseless(char lowered, char c) {
  return lowered == std::tolower(static_cast<unsigned char>(c));
}

std::size_t caselessFind(const std::string& text, const std::string& lowered) {
  const auto found = std::search(text.begin(), text.end(), lowered.begin(), lowered.end(),
                                 [](char c, char l) { return sameCaseless(l, c); });
  return found == text.end() ? std::string::npos : static_cast<std::size_t>(found - text.begin());
}

// The decimal length after "Content-Length:", between blanks or tabs, or -1 when it is not one or
// is 2^64 or more; a length too long to hold otherwise comes back as the longest that is.
long long lengthIn(const std::string& value) {
  constexpr unsigned long long longest = 1ULL << 62;
  const std::size_t first = value.find_first_not_of(" \t");
  const std::size_t last = value.find_last_not_of(" \t");
  if (first == std::string::npos) return -1;
  unsigned long long length = 0;
  for (std::size_t i = first; i <= last; ++i) {
    const unsigned digit = static_cast<unsigned char>(value[i]) - '0';
    if (digit > 9 || length > (std::numeric_limits<unsigned long long>::max() - digit) / 10) {
      return -1;
    }
    length = length * 10 + digit;
  }
  return static_cast<long long>(std::min(length, longest));
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
  try {
    if (!readContent(static_cast<std::size_t>(length), content)) return Read::endOfInput;
  } catch (const std::bad_alloc&) {
    skip(static_cast<unsigned long long>(length) - content.size());
    content = {};
    problem = "a message too large for the memory left";
    return Read::refused;
  }
  return Read::message;
}

// The header lines up to the empty line. A header that follows content shorter than its
// Content-Length said, or after a refusal, is found in the line where it stands; after a
// refusal, the lines before it are passed over.
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
    const std::size_t header = caselessFind(line, CONTENT_LENGTH);
    if (lost && header == std::string::npos) continue;
    if (header != std::string::npos) line.erase(0, header);
    lost = false;
    const bool contentLength = header != std::string::npos;
    if (line.empty()) {
      if (!sawHeader) continue;  // blank lines between messages are let pass
      break;
    }
    sawHeader = true;
    const long long value = contentLength ? lengthIn(line.substr(CONTENT_LENGTH.size())) : 0;
    const bool twice = contentLength && length >= 0 && value != length;
    const std::size_t colon = line.find(':');
    const bool named = colon != std::string::npos && colon > 0 &&
                       std::all_of(line.begin(), line.begin() + colon, [](char c) {
                         return std::isalnum(static_cast<unsigned char>(c)) || c == '-';
                       });
    if (!named || value < 0 || twice) {
      problem = "a malformed header: " + line.substr(0, 80);
      lost = true;
      return Read::refused;
    }
    if (contentLength) length = value;
  }
  if (length < 0) {
    problem = "a message without Content-Length";
    lost = true;
    return Read::refused;
  }
  return Read::message;
}

bool Transport::waiting() const { return in.rdbuf()->in_avail() > 0; }

bool Transport::send(std::initializer_list<std::string_view> content) {
  std::size_t length = 0;
  for (const std::string_view part : content) length += part.size();
  out << "Content-Length: " << length << "\r\n\r\n";
  for (const std::string_view part : content) out << part;
  out << std::flush;
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

// Content that is not kept is read and dropped as far as the header said it goes, without
// taking memory for it.
void Transport::skip(unsigned long long length) {
  char chunk[1 << 14];
  for (unsigned long long left = length; left > 0 && in;) {
    const auto part =
        static_cast<std::streamsize>(std::min<unsigned long long>(sizeof chunk, left));
    in.read(chunk, part);
    left -= static_cast<unsigned long long>(part);
  }
}
