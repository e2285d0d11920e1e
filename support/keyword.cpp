#include "support/keyword.h"

#include "support/nonblank.h"

std::string readWord(std::istream& is) {
  using traits = std::char_traits<char>;
  std::string word;
  char first;
  if (!peekNonBlank(is, first)) return word;
  std::streambuf* input = is.rdbuf();
  try {
    for (int next = input->sgetc(); !isSpace(next); next = input->snextc()) {
      if (next == traits::eof()) {
        is.setstate(std::ios::eofbit);
        break;
      }
      if (word.size() == MAX_WORD) return word + "...";
      word += traits::to_char_type(next);
    }
  } catch (const std::ios_base::failure&) {
    is.setstate(std::ios::badbit);
  }
  return word;
}
