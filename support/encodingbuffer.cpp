#include "support/encodingbuffer.h"

#include <cstring>

EncodingBuffer::EncodingBuffer(std::streambuf& target, Encoding encoding)
    : target(target), encoding(encoding), pending(new char[BLOCK]) {
  setp(pending.get(), pending.get() + BLOCK);
}

EncodingBuffer::~EncodingBuffer() { drain(false); }

bool EncodingBuffer::drain(bool more) {
  const std::string_view text(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  converted.clear();
  const std::size_t taken = appendEncoded(text, encoding, converted, more);
  const std::size_t kept = text.size() - taken;
  std::memmove(pending.get(), pbase() + taken, kept);
  setp(pending.get(), pending.get() + BLOCK);
  pbump(static_cast<int>(kept));
  const auto size = static_cast<std::streamsize>(converted.size());
  return target.sputn(converted.data(), size) == size;
}

EncodingBuffer::int_type EncodingBuffer::overflow(int_type c) {
  if (!drain(true)) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int EncodingBuffer::sync() { return drain(true) && target.pubsync() == 0 ? 0 : -1; }

bool EncodingBuffer::writeVerbatim(std::string_view bytes) {
  if (!drain(false)) return false;
  const auto size = static_cast<std::streamsize>(bytes.size());
  return target.sputn(bytes.data(), size) == size;
}

void writeVerbatim(std::ostream& out, std::string_view bytes) {
  auto* const converting = dynamic_cast<EncodingBuffer*>(out.rdbuf());
  if (converting == nullptr) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  } else if (out.good() && !converting->writeVerbatim(bytes)) {
    out.setstate(std::ios::badbit);
  }
}
