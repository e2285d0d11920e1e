#include "source/sourcebuffer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ios>

namespace {

const char BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";

}  // namespace

SourceBuffer::SourceBuffer(std::streambuf& source, bool noteLines)
    : source(source), block(new char[BLOCK + 1]), lines(noteLines) {
  setg(&block[0], &block[0], &block[0]);
}

SourceBuffer::int_type SourceBuffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (error != 0) return traits_type::eof();
  const bool first = egptr() == eback() && blockOffset == 0;
  // Keep the last character, so that the parsers can put it back.
  const bool keep = egptr() > eback();
  blockOffset += (egptr() - eback()) - (keep ? 1 : 0);
  if (keep) block[0] = egptr()[-1];
  char* const start = &block[keep ? 1 : 0];
  std::streamsize got = read(start, BLOCK);
  // A byte-order mark may come in pieces from a pipe.
  while (first && got > 0 && got < 3 && std::memcmp(start, BYTE_ORDER_MARK, got) == 0) {
    const std::streamsize more = read(start + got, BLOCK - got);
    if (more == 0) break;
    got += more;
  }
  if (lines) noteLines(start, start + got);
  const bool mark = first && got >= 3 && std::memcmp(start, BYTE_ORDER_MARK, 3) == 0;
  setg(&block[0], start + (mark ? 3 : 0), start + got);
  return gptr() < egptr() ? traits_type::to_int_type(*gptr()) : traits_type::eof();
}

// What one read of the source brings: asking for a whole block would read on until the block is
// full or the input ends, a read more than a small file needs.
std::streamsize SourceBuffer::read(char* into, std::streamsize wanted) {
  try {
    errno = 0;
    if (traits_type::eq_int_type(source.sgetc(), traits_type::eof())) return 0;
    return source.sgetn(into, std::min(source.in_avail(), wanted));
  } catch (const std::ios_base::failure&) {
    error = errno != 0 ? errno : EIO;
    return 0;
  }
}

void SourceBuffer::noteLines(const char* from, const char* to) {
  const std::size_t offset = blockOffset + (from - eback());
  for (const char* c = from; c < to; ++c) {
    if (*c == '\n') {
      if (afterReturn) starts.pop_back();  // "\r\n" ends one line
      starts.push_back(offset + (c - from) + 1);
    } else if (*c == '\r') {
      starts.push_back(offset + (c - from) + 1);
    }
    afterReturn = *c == '\r';
  }
}

SourceBuffer::pos_type SourceBuffer::seekoff(off_type offset, std::ios_base::seekdir direction,
                                             std::ios_base::openmode which) {
  if (offset != 0 || direction != std::ios_base::cur || which != std::ios_base::in) {
    return pos_type(off_type(-1));
  }
  return pos_type(static_cast<off_type>(blockOffset + (gptr() - eback())));
}

int SourceBuffer::readError() const { return error; }
