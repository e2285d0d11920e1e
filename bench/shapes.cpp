#include "bench/shapes.h"

namespace {

void list(std::ostream& out, long count) {
  for (long i = 0; i < count; ++i) {
    out << (i % 10 == 0 ? "  LOOP n x*y+z*w+q; END\n" : "  x*y+z*w+q;\n");
  }
}

void expression(std::ostream& out, long count) {
  std::string statement = "  ";
  while (statement.size() < 100000) statement += "a*b+c+";
  statement += "d;\n";
  for (long i = 0; i < count; ++i) out << statement;
}

void nesting(std::ostream& out, long count) {
  const int depth = 200;
  std::string block;
  for (int i = 0; i < depth; ++i) block += "LOOP n\n";
  block += "a*b+c;\n";
  for (int i = 0; i < depth; ++i) block += "END\n";
  for (long i = 0; i < count; ++i) out << block;
}

}  // namespace

bool writeShape(std::ostream& out, const std::string& shape, long count) {
  void (*write)(std::ostream&, long) = shape == "list"         ? list
                                       : shape == "expression" ? expression
                                       : shape == "nesting"    ? nesting
                                                               : nullptr;
  if (write == nullptr || count < 1) return false;
  out << "BEGIN\n";
  write(out, count);
  out << "END\n";
  return true;
}
