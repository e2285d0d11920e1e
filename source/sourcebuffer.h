#pragma once

#include <cstddef>
#include <memory>
#include <streambuf>
#include <vector>

// Reads another stream buffer in blocks for the parsers, skipping a UTF-8 byte-order mark at the
// start (an editor on Windows writes one), and tells the text offset of the next character to be
// read, so that the parsers can note where the statements stand. When asked to, it also notes
// where each line starts, a line ending in "\n", "\r\n" or a lone "\r", as far as it has read. A
// read that fails is recorded and looks like the end of the input.
class SourceBuffer : public std::streambuf {
 public:
  SourceBuffer(std::streambuf& source, bool noteLines);
  SourceBuffer(const SourceBuffer&) = delete;
  SourceBuffer& operator=(const SourceBuffer&) = delete;

  // The offsets of the lines' first characters, the first line's (0) first.
  std::vector<std::size_t> takeLineStarts() { return std::move(starts); }
  int readError() const;  // the errno of a failed read, 0 if none

 protected:
  int_type underflow() override;
  // Tells the text offset of the next character (a seek by 0 from the current place, for
  // reading); moves nowhere.
  pos_type seekoff(off_type offset, std::ios_base::seekdir direction,
                   std::ios_base::openmode which) override;

 private:
  static constexpr std::size_t BLOCK = 1 << 16;

  std::streamsize read(char* into, std::streamsize wanted);
  void noteLines(const char* from, const char* to);

  std::streambuf& source;
  std::unique_ptr<char[]> block;       // one character kept for unget, then what was read
  std::size_t blockOffset = 0;         // the text offset of eback()
  bool lines;                          // whether line starts are noted
  std::vector<std::size_t> starts{0};  // where lines start, as far as read
  bool afterReturn = false;            // the last character read was "\r"
  int error = 0;
};
