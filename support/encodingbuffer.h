#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "support/encoding.h"

// A stream buffer that takes UTF-8 text, converts it into an encoding and hands it to another
// stream buffer: put under a stream, everything written to the stream is in one encoding.
class EncodingBuffer : public std::streambuf {
 public:
  EncodingBuffer(std::streambuf& target, Encoding encoding);
  EncodingBuffer(const EncodingBuffer&) = delete;
  EncodingBuffer& operator=(const EncodingBuffer&) = delete;
  ~EncodingBuffer() override;  // hands on what is pending

  // Hands `bytes` on as they are, after what is pending: a file's own bytes, quoted.
  bool writeVerbatim(std::string_view bytes);

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  static constexpr std::size_t BLOCK = 1 << 14;

  // Converts what is pending and hands it on; keeps the start of a character cut off at the end
  // when more is to come. False when the target refuses it.
  bool drain(bool more);

  std::streambuf& target;
  Encoding encoding;
  std::unique_ptr<char[]> pending;
  std::string converted;
};

// Writes `bytes` to `out` as they are, even where `out` converts what is written to it.
void writeVerbatim(std::ostream& out, std::string_view bytes);
