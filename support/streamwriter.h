#pragma once

#include <cstddef>
#include <ostream>

// Writes text to an output stream under one sentry for a whole line, gathering it in a buffer
// of its own and handing it to the stream's buffer in one call per line (or per PENDING
// characters): the printers write millions of short pieces, and `<<` would build a sentry and
// check the stream for each, while the stream buffer's own per-character calls reload its
// pointers after every character. As with `<<`, nothing is written to a stream that is not
// good, and a write the stream buffer refuses sets badbit (when the writer is destroyed).
class StreamWriter {
 public:
  explicit StreamWriter(std::ostream& os);
  StreamWriter(const StreamWriter&) = delete;
  StreamWriter& operator=(const StreamWriter&) = delete;
  ~StreamWriter();  // writes what is pending

  void put(char c) {
    if (count == PENDING) flush();
    pending[count++] = c;
  }
  void write(const char* text, std::size_t length);
  void blanks(int blankCount);  // none for 0 or less

 private:
  static constexpr std::size_t PENDING = 256;

  void flush();

  std::ostream& os;
  std::ostream::sentry sentry;
  bool failed = false;
  std::size_t count = 0;  // characters pending
  char pending[PENDING];
};
