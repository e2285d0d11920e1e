#include "support/catalogue.h"

#include <string>

namespace {

constexpr std::uint32_t MAGIC = 0x950412de;
constexpr std::size_t HEADER = 28;

}  // namespace

Catalogue::Catalogue(std::string_view bytes) : bytes(bytes) {
  if (bytes.size() < HEADER) return;
  bigEndian = word(0) != MAGIC;
  if (word(0) != MAGIC) {
    this->bytes = {};
    return;
  }
  const std::uint32_t entries = word(8), from = word(12), to = word(16);
  const std::uint64_t tables = std::uint64_t{entries} * 8;
  if (from > bytes.size() || to > bytes.size() || tables > bytes.size() - from ||
      tables > bytes.size() - to) {
    this->bytes = {};
    return;
  }
  count = entries;
  originals = from;
  translations = to;
  std::uint32_t header = 0;
  if (find(std::string_view(), header)) {
    plurals = PluralRule(std::string(entry(translations, header)));
  }
}

// Reads the word at `at` in the catalogue's byte order; the order is the one in which the magic
// number reads right.
std::uint32_t Catalogue::word(std::size_t at) const {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    const auto byte = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]));
    value |= bigEndian ? byte << (24 - 8 * i) : byte << (8 * i);
  }
  return value;
}

// The text of entry `index` of a table; empty where it would lie outside the catalogue or lacks
// its closing '\0'.
std::string_view Catalogue::entry(std::uint32_t table, std::uint32_t index) const {
  const std::uint32_t length = word(table + 8 * std::size_t{index});
  const std::uint32_t offset = word(table + 8 * std::size_t{index} + 4);
  if (offset > bytes.size() || std::uint64_t{length} + 1 > bytes.size() - offset ||
      bytes[offset + length] != '\0') {
    return {};
  }
  return bytes.substr(offset, length);
}

bool Catalogue::find(std::string_view key, std::uint32_t& index) const {
  std::uint32_t low = 0, high = count;
  while (low < high) {
    const std::uint32_t middle = low + (high - low) / 2;
    const int order = key.compare(entry(originals, middle));
    if (order == 0) {
      index = middle;
      return true;
    }
    if (order < 0) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return false;
}

const char* Catalogue::lookUp(const char* message) const {
  std::uint32_t index = 0;
  if (*message == '\0' || !find(message, index)) return message;
  const std::string_view translation = entry(translations, index);
  return translation.empty() ? message : translation.data();
}

const char* Catalogue::lookUp(const char* singular, const char* plural, unsigned long count) const {
  const std::string key = std::string(singular) + '\0' + plural;
  std::uint32_t index = 0;
  if (find(key, index)) {
    std::string_view forms = entry(translations, index);
    for (unsigned long form = plurals.formOf(count); form > 0 && !forms.empty(); --form) {
      const std::size_t end = forms.find('\0');
      forms = end == std::string_view::npos ? std::string_view() : forms.substr(end + 1);
    }
    if (!forms.empty()) return forms.data();
  }
  return count == 1 ? singular : plural;
}
