#include "expressions/variable.h"

Variable::Variable(char name) : name(name) {}

Variable::~Variable() = default;

std::ostream& Variable::print(std::ostream& out) const { return out.put(name); }

void Variable::writeTo(StreamWriter& out) const { out.put(name); }

int Variable::equals(const Variable* other) const { return name == other->name ? 1 : 0; }
