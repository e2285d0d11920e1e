#include "support/streamencoding.h"

StreamEncoding::StreamEncoding(std::ostream& stream, Encoding encoding)
    : stream(stream), own(stream.rdbuf()) {
  if (encoding == Encoding::utf8 || own == nullptr) return;
  converting = std::make_unique<EncodingBuffer>(*own, encoding);
  stream.rdbuf(converting.get());
}

// rdbuf() clears the stream's state: a failed write must still show.
StreamEncoding::~StreamEncoding() {
  if (!converting) return;
  const std::ios::iostate state = stream.rdstate();
  stream.rdbuf(own);
  converting.reset();
  stream.setstate(state);
}
