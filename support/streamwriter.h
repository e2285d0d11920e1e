#pragma once

#include <cstddef>
#include <ostream>
#include <streambuf>

// Writes text straight into an output stream's buffer, under one sentry for a whole line: the
// printers write millions of short pieces, and `<<` would build a sentry and check the stream
// for each. As with `<<`, nothing is written to a stream that is not good, and a write the
// buffer refuses sets badbit (when the writer is destroyed) and stops the writer.
class StreamWriter {
 public:
  explicit StreamWriter(std::ostream& os);
  StreamWriter(const StreamWriter&) = delete;
  StreamWriter& operator=(const StreamWriter&) = delete;
  ~StreamWriter();

  void put(char c) {
    using traits = std::char_traits<char>;
    if (buffer != nullptr && traits::eq_int_type(buffer->sputc(c), traits::eof())) fail();
  }
  void write(const char* text, std::size_t length);
  void blanks(int count);  // none for 0 or less

 private:
  void fail();

  std::ostream& os;
  std::ostream::sentry sentry;
  std::streambuf* buffer;  // null once a write failed, or when the stream was not good
};
