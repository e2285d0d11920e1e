#include "lsp/moves.h"

#include <algorithm>

namespace {

constexpr std::size_t BLOCK = 4096;

}  // namespace

Moves::Moves(std::size_t length) : olderLength(length) {
  if (length > 0) runs.push_back({0, 0, length});
}

void Moves::replace(std::size_t from, std::size_t to, std::size_t length) {
  if (from == to && length == 0) return;
  std::vector<Run> moved;
  moved.reserve(runs.size() + 1);
  for (const Run& run : runs) {
    const std::size_t end = run.current + run.length;
    if (run.current < from)
      moved.push_back({run.older, run.current, std::min(end, from) - run.current});
    if (end > to) {
      const std::size_t start = std::max(run.current, to);
      moved.push_back({run.older + (start - run.current), start - to + from + length, end - start});
    }
  }
  runs = std::move(moved);
}

void Moves::replace(const std::string& before, const std::string& after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0, suffix = 0;
  // Whole blocks first, as a text of a million bytes is compared at every keystroke.
  while (prefix + BLOCK <= shorter && before.compare(prefix, BLOCK, after, prefix, BLOCK) == 0) {
    prefix += BLOCK;
  }
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  while (suffix + BLOCK <= shorter - prefix &&
         before.compare(before.size() - suffix - BLOCK, BLOCK, after, after.size() - suffix - BLOCK,
                        BLOCK) == 0) {
    suffix += BLOCK;
  }
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  replace(prefix, before.size() - suffix, after.size() - suffix - prefix);
}

std::optional<std::size_t> Moves::operator()(std::size_t older) const {
  const auto after =
      std::upper_bound(runs.begin(), runs.end(), older,
                       [](std::size_t at, const Run& run) { return at < run.older; });
  if (after == runs.begin()) return std::nullopt;
  const Run& run = after[-1];
  if (older >= run.older + run.length) return std::nullopt;
  return run.current + (older - run.older);
}

std::size_t Moves::firstFrom(std::size_t current) const {
  const auto run = std::upper_bound(
      runs.begin(), runs.end(), current,
      [](std::size_t at, const Run& run) { return at < run.current + run.length; });
  if (run == runs.end()) return olderLength;
  return run->older + (current > run->current ? current - run->current : 0);
}

bool Moves::changed(std::size_t from, std::size_t to) const {
  const auto after =
      std::upper_bound(runs.begin(), runs.end(), from,
                       [](std::size_t at, const Run& run) { return at < run.older; });
  if (after == runs.begin()) return true;
  return to > after[-1].older + after[-1].length;
}
