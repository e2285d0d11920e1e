#include "statements/statement.h"

#include <algorithm>
#include <string>

Statement::~Statement() = default;

// Deep nesting makes long indentations, so blanks are written a block at a time.
void Statement::writeIndent(std::ostream& os, int indent) {
  static const std::string blanks(64, ' ');
  for (int left = indent; left > 0; left -= static_cast<int>(blanks.size())) {
    os.write(blanks.data(), std::min<std::streamsize>(left, blanks.size()));
  }
}
