#include "support/big5.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "support/utf8.h"

namespace {

using Entry = std::pair<char32_t, std::uint16_t>;

// The codes' trail bytes: 40 to 7E, then A1 to FE.
constexpr int TRAILS = (0x7E - 0x40 + 1) + (0xFE - 0xA1 + 1);

std::uint16_t codeAt(int index) {
  const int lead = 0xA1 + index / TRAILS, trail = index % TRAILS;
  return static_cast<std::uint16_t>(lead << 8 |
                                    (trail < 0x3F ? 0x40 + trail : 0xA1 + trail - 0x3F));
}

// The characters by code point, read once from the lines.
std::vector<Entry> readTable() {
  std::vector<Entry> table;
  int index = 0;
  for (std::size_t start = 0; start < BIG5_CHARACTERS.size(); ++index) {
    const std::size_t end = std::min(BIG5_CHARACTERS.find('\n', start), BIG5_CHARACTERS.size());
    const std::string_view line = BIG5_CHARACTERS.substr(start, end - start);
    const std::size_t length = line.empty() ? 0 : utf8Length(line, 0);
    if (length > 1 && length == line.size()) table.emplace_back(codePoint(line, 0), codeAt(index));
    start = end + 1;
  }
  std::stable_sort(table.begin(), table.end(),
                   [](const Entry& a, const Entry& b) { return a.first < b.first; });
  return table;
}

}  // namespace

std::optional<std::uint16_t> big5Of(char32_t character) {
  static const std::vector<Entry> table = readTable();
  const auto found =
      std::lower_bound(table.begin(), table.end(), character,
                       [](const Entry& entry, char32_t c) { return entry.first < c; });
  if (found == table.end() || found->first != character) return std::nullopt;
  return found->second;
}
