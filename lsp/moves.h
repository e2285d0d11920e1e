#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Where the bytes of an older version of a document stand in its text now, as the changes made
// since moved them: the bytes that no change replaced, in runs that moved together. The older
// version is the last that parsed, whose glances stay on their statements while the text does
// not parse.
class Moves {
 public:
  Moves() = default;
  explicit Moves(std::size_t length);  // a text of `length` bytes, as it was

  // Bytes `from` to `to` of the current text replaced by `length` bytes.
  void replace(std::size_t from, std::size_t to, std::size_t length);
  // The current text `before` replaced by `after`: what lies between their common start and end.
  void replace(const std::string& before, const std::string& after);

  // Where byte `older` stands now; none once a change replaced it.
  std::optional<std::size_t> operator()(std::size_t older) const;
  // The first older byte that stands at `current` or after it now; the older length if none.
  std::size_t firstFrom(std::size_t current) const;
  // Whether changes replaced bytes of the older text from `from` to `to` or put some between them.
  bool changed(std::size_t from, std::size_t to) const;

 private:
  struct Run {
    std::size_t older;    // where its first byte stood
    std::size_t current;  // where it stands now
    std::size_t length;
  };

  std::vector<Run> runs;  // in the order of both texts
  std::size_t olderLength = 0;
};
