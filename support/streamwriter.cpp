#include "support/streamwriter.h"

#include <algorithm>
#include <cstring>

StreamWriter::StreamWriter(std::ostream& os) : os(os), sentry(os) {}

// A stream buffer that throws here (a string's, out of memory) leaves the stream bad, as any
// other refused write does: a destructor must not throw.
StreamWriter::~StreamWriter() {
  try {
    flush();
  } catch (...) {
    failed = true;
  }
  if (failed) os.setstate(std::ios::badbit);
}

// Short pieces (" + ", " ;\n") are copied character by character: cheaper than a call.
void StreamWriter::write(const char* text, std::size_t length) {
  if (length <= 8) {
    for (std::size_t i = 0; i < length; ++i) put(text[i]);
    return;
  }
  while (length > 0) {
    if (count == PENDING) flush();
    const std::size_t part = std::min(length, PENDING - count);
    std::memcpy(pending + count, text, part);
    count += part;
    text += part;
    length -= part;
  }
}

void StreamWriter::blanks(int blankCount) {
  auto remaining = static_cast<std::size_t>(std::max(blankCount, 0));
  while (remaining > 0) {
    if (count == PENDING) flush();
    const std::size_t part = std::min(remaining, PENDING - count);
    std::memset(pending + count, ' ', part);
    count += part;
    remaining -= part;
  }
}

// A stream that was not good gets nothing; after a refused write, nothing more is tried.
void StreamWriter::flush() {
  const auto size = static_cast<std::streamsize>(count);
  if (sentry && !failed && count > 0 && os.rdbuf()->sputn(pending, size) != size) failed = true;
  count = 0;
}
