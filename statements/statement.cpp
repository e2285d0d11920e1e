#include "statements/statement.h"

Statement::~Statement() = default;

void Statement::writeIndent(std::ostream& os, int indent) {
  for (int i = 0; i < indent; ++i) os.put(' ');
}
