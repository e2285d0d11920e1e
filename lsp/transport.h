#pragma once

#include <cstddef>
#include <initializer_list>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

// The base protocol of the Language Server Protocol over a pair of streams: header lines ending
// in CR LF, among them "Content-Length: N", an empty line, then N bytes of content. A message
// that is not framed so is refused, and reading goes on at the next "Content-Length" header.
class Transport {
 public:
  // Content longer than this is refused; it is never held, and memory is taken only for what
  // arrives, whatever a header claims.
  static constexpr std::size_t MAX_CONTENT = std::size_t{64} << 20;
  static constexpr std::size_t MAX_HEADER_LINE = 4096;

  enum class Read { message, refused, endOfInput };

  Transport(std::istream& in, std::ostream& out);

  // The next message's content; `refused`, with `problem` saying why, for one not framed right.
  Read next(std::string& content, std::string& problem);
  // Whether more input has arrived that has not been read.
  bool waiting() const;
  // Writes one message, its content in parts; false once a write has failed.
  bool send(std::initializer_list<std::string_view> content);

 private:
  enum class Line { read, tooLong, endOfInput };

  Line readLine(std::string& line);
  Read headers(long long& length, std::string& problem);
  bool readContent(std::size_t length, std::string& content);
  void skip(unsigned long long length);

  std::istream& in;
  std::ostream& out;
  bool lost = false;  // after a message not framed right, until the next header
};
