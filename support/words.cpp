#include "support/words.h"

#include <vector>

#include "support/catalogue.h"
#include "support/catalogues.h"

namespace {

const Catalogue& chinese() {
  static const Catalogue catalogue(ZH_TW);
  return catalogue;
}

// The k of "%k$s" at `at`, or 0 where none stands there; `length` is then the place's length.
std::size_t position(const std::string& pattern, std::size_t at, std::size_t& length) {
  std::size_t end = at + 1, k = 0;
  while (end < pattern.size() && pattern[end] >= '0' && pattern[end] <= '9' && k < 1000) {
    k = k * 10 + static_cast<std::size_t>(pattern[end++] - '0');
  }
  if (end == at + 1 || pattern.compare(end, 2, "$s") != 0) return 0;
  length = end + 2 - at;
  return k;
}

}  // namespace

const char* Words::tr(const char* message) const {
  return spoken == Language::chinese ? chinese().lookUp(message) : message;
}

const char* Words::trn(const char* singular, const char* plural, unsigned long count) const {
  if (spoken == Language::chinese) return chinese().lookUp(singular, plural, count);
  return count == 1 ? singular : plural;
}

std::string fill(const std::string& pattern, std::initializer_list<std::string> values) {
  const std::vector<std::string> given(values);
  std::string text;
  std::size_t next = 0;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    std::size_t length = 0;
    const std::size_t k = pattern[at] == '%' ? position(pattern, at, length) : 0;
    if (k >= 1 && k <= given.size()) {
      text += given[k - 1];
      at += length - 1;
    } else if (pattern.compare(at, 2, "%s") == 0 && next < given.size()) {
      text += given[next++];
      ++at;
    } else if (pattern.compare(at, 2, "%%") == 0) {
      text += '%';
      ++at;
    } else {
      text += pattern[at];
    }
  }
  return text;
}
