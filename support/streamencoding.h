#pragma once

#include <memory>
#include <ostream>

#include "support/encodingbuffer.h"

// While alive, what is written to a stream is converted from UTF-8 into an encoding; the stream's
// own buffer is back after (what was written is handed on first). For UTF-8 nothing is put
// between.
class StreamEncoding {
 public:
  StreamEncoding(std::ostream& stream, Encoding encoding);
  StreamEncoding(const StreamEncoding&) = delete;
  StreamEncoding& operator=(const StreamEncoding&) = delete;
  ~StreamEncoding();

 private:
  std::ostream& stream;
  std::streambuf* own;
  std::unique_ptr<EncodingBuffer> converting;
};
