#pragma once

#include <cstddef>
#include <istream>
#include <string>

// Reads the messages of the Language Server Protocol's base protocol from a stream: header lines
// ending in CR LF, among them "Content-Length: N", an empty line, then N bytes of content.
class MessageReader {
 public:
  // Content longer than this is refused; it is never held, and memory is taken only for what
  // arrives, whatever a header claims.
  static constexpr std::size_t MAX_CONTENT = std::size_t{64} << 20;
  static constexpr std::size_t MAX_HEADER_LINE = 4096;

  enum class Result { message, refused, endOfInput };

  explicit MessageReader(std::istream& in);

  // The next message's content. `refused`, with `problem` saying why, for a malformed header
  // (reading goes on at the next line) or content over MAX_CONTENT (skipped).
  Result next(std::string& content, std::string& problem);

 private:
  enum class Line { read, tooLong, endOfInput };

  Line readLine(std::string& line);
  bool readContent(std::size_t length, std::string& content);
  void skip(unsigned long long length);

  std::istream& in;
};
