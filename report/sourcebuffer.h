#pragma once

#include <cstddef>
#include <memory>
#include <streambuf>
#include <string>

// Reads another stream buffer in blocks and knows where in the text the next character to be
// read stands, so that a syntax error can say FILE:LINE:COLUMN. A read that fails is recorded
// and looks like the end of the input.
class SourceBuffer : public std::streambuf {
 public:
  struct Position {
    unsigned long long line;    // 1-based
    unsigned long long column;  // 1-based, in bytes
  };

  explicit SourceBuffer(std::streambuf& source);
  SourceBuffer(const SourceBuffer&) = delete;
  SourceBuffer& operator=(const SourceBuffer&) = delete;

  Position position() const;  // of the next character to be read
  int readError() const;      // the errno of a failed read, 0 if none

 protected:
  int_type underflow() override;
  // Tells the text offset of the next character (a seek by 0 from the current place, for
  // reading); moves nowhere.
  pos_type seekoff(off_type offset, std::ios_base::seekdir direction,
                   std::ios_base::openmode which) override;

 private:
  struct Lines {
    unsigned long long ends = 0;   // line ends counted
    unsigned long long start = 0;  // text offset of the character after the last of them
  };
  // `lines` with the line ends in [from, to) added; `from` stands at text offset `offset`.
  static Lines countedUpTo(Lines lines, const char* from, const char* to,
                           unsigned long long offset);

  static constexpr std::size_t BLOCK = 1 << 16;

  std::streambuf& source;
  std::unique_ptr<char[]> block;       // one character kept for unget, then what was read
  Lines linesBefore;                   // the line ends before eback()
  unsigned long long blockOffset = 0;  // the text offset of eback()
  int error = 0;
};
