#include "statements/statement.h"

#include <algorithm>

Statement::~Statement() = default;

std::string Statement::indentation(int indent) { return std::string(std::max(indent, 0), ' '); }
