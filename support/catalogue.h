#pragma once

#include <cstdint>
#include <string_view>

#include "support/pluralrule.h"

// A message catalogue as msgfmt compiles it (a .mo file), in either byte order: after a header,
// two tables of (length, offset) pairs, of the messages in ascending byte order and of their
// translations. A message with a plural is kept as "singular\0plural", its translation as the
// forms one after the other, each ended by '\0'.
class Catalogue {
 public:
  // `bytes` must outlive the catalogue; anything that is not a catalogue is an empty one.
  explicit Catalogue(std::string_view bytes);

  // The translation of `message`, or `message` itself where the catalogue has none.
  const char* lookUp(const char* message) const;
  // The form of the translation that `count` takes, or `singular` or `plural` as English would
  // choose where the catalogue has none.
  const char* lookUp(const char* singular, const char* plural, unsigned long count) const;

 private:
  std::uint32_t word(std::size_t at) const;
  std::string_view entry(std::uint32_t table, std::uint32_t index) const;
  // The index of the message whose key is `key`, if any.
  bool find(std::string_view key, std::uint32_t& index) const;

  std::string_view bytes;
  bool bigEndian = false;
  std::uint32_t count = 0;
  std::uint32_t originals = 0;
  std::uint32_t translations = 0;
  PluralRule plurals;
};
