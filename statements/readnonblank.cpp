#include "statements/readnonblank.h"

#include <streambuf>

namespace {

bool isBlank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

bool readNonBlank(std::istream& is, char& c) {
  if (!is.good()) {
    is.setstate(std::ios::failbit);
    return false;
  }
  std::streambuf* input = is.rdbuf();
  for (int next = input->sbumpc(); next != std::char_traits<char>::eof(); next = input->sbumpc()) {
    if (!isBlank(next)) {
      c = std::char_traits<char>::to_char_type(next);
      return true;
    }
  }
  is.setstate(std::ios::eofbit | std::ios::failbit);
  return false;
}
