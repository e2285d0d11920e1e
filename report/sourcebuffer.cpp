#include "report/sourcebuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ios>

SourceBuffer::SourceBuffer(std::streambuf& source) : source(source), block(new char[BLOCK + 1]) {
  setg(&block[0], &block[0], &block[0]);
}

SourceBuffer::int_type SourceBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (error != 0) return traits_type::eof();
  // Keep the last character, so that the parsers can put it back.
  const bool keep = egptr() > eback();
  linesBefore = countedUpTo(linesBefore, eback(), egptr() - (keep ? 1 : 0), blockOffset);
  blockOffset += (egptr() - eback()) - (keep ? 1 : 0);
  if (keep) block[0] = egptr()[-1];
  std::streamsize got = 0;
  try {
    errno = 0;
    // What one read of the source brings: asking for a whole block would read on until the
    // block is full or the input ends, a read more than a small file needs.
    if (!traits_type::eq_int_type(source.sgetc(), traits_type::eof())) {
      got = source.sgetn(&block[keep ? 1 : 0], std::min<std::streamsize>(source.in_avail(), BLOCK));
    }
  } catch (const std::ios_base::failure&) {
    error = errno != 0 ? errno : EIO;
  }
  setg(&block[0], &block[keep ? 1 : 0], &block[keep ? 1 : 0] + got);
  return got > 0 ? traits_type::to_int_type(*gptr()) : traits_type::eof();
}

SourceBuffer::pos_type SourceBuffer::seekoff(off_type offset, std::ios_base::seekdir direction,
                                             std::ios_base::openmode which) {
  if (offset != 0 || direction != std::ios_base::cur || which != std::ios_base::in) {
    return pos_type(off_type(-1));
  }
  return pos_type(static_cast<off_type>(blockOffset + (gptr() - eback())));
}

SourceBuffer::Lines SourceBuffer::countedUpTo(Lines lines, const char* from, const char* to,
                                              unsigned long long offset) {
  for (const char* end = from;
       (end = static_cast<const char*>(std::memchr(end, '\n', to - end)));) {
    ++end;
    ++lines.ends;
    lines.start = offset + (end - from);
  }
  return lines;
}

SourceBuffer::Position SourceBuffer::position() const {
  const Lines lines = countedUpTo(linesBefore, eback(), gptr(), blockOffset);
  return {lines.ends + 1, blockOffset + (gptr() - eback()) - lines.start + 1};
}

int SourceBuffer::readError() const { return error; }
