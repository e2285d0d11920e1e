#include "support/streamwriter.h"

#include <algorithm>

namespace {

// Short pieces go character by character through the buffer's inline fast path; longer ones
// in one call, which costs a virtual call and pays off from about this length.
constexpr std::size_t SHORT = 16;

const char BLANKS[] = "                                                                ";
constexpr int BLANK_BLOCK = sizeof BLANKS - 1;

}  // namespace

StreamWriter::StreamWriter(std::ostream& os)
    : os(os), sentry(os), buffer(sentry ? os.rdbuf() : nullptr) {}

StreamWriter::~StreamWriter() {
  if (sentry && buffer == nullptr) os.setstate(std::ios::badbit);
}

void StreamWriter::write(const char* text, std::size_t length) {
  if (length <= SHORT) {
    for (std::size_t i = 0; i < length; ++i) put(text[i]);
  } else if (buffer != nullptr && buffer->sputn(text, static_cast<std::streamsize>(length)) !=
                                      static_cast<std::streamsize>(length)) {
    fail();
  }
}

void StreamWriter::blanks(int count) {
  while (count > 0) {
    const int block = std::min(count, BLANK_BLOCK);
    write(BLANKS, static_cast<std::size_t>(block));
    count -= block;
  }
}

void StreamWriter::fail() { buffer = nullptr; }
