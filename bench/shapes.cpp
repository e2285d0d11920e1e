#include "bench/shapes.h"

namespace {

void list(std::ostream& out, long count) {
  for (long i = 0; i < count; ++i) {
    out << (i % 10 == 0 ? "  LOOP n x*y+z*w+q; END\n" : "  x*y+z*w+q;\n");
  }
}

// The list's statements on one line, as a program is written when it is short.
void line(std::ostream& out, long count) {
  for (long i = 0; i < count; ++i) out << (i % 10 == 0 ? " LOOP n x*y+z*w+q; END" : " x*y+z*w+q;");
  out << '\n';
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

void deep(std::ostream& out, long count) {
  for (long i = 0; i < count; ++i) out << "LOOP n a+b*c;\n";
  for (long i = 0; i < count; ++i) out << "END ";
  out << '\n';
}

// Each level has 0 to 5 additions and 0 to 5 multiplications, from a fixed pseudo-random
// sequence, so the costs under different models cross in many powers of n.
void degree(std::ostream& out, long count) {
  unsigned state = 7;
  const auto next = [&state] { return (state = state * 1103515245u + 12345u) >> 16; };
  for (long i = 0; i < count; ++i) {
    const unsigned additions = next() % 6, multiplications = next() % 6;
    out << "LOOP n y";
    for (unsigned k = 0; k < multiplications; ++k) out << "*y";
    for (unsigned k = 0; k < additions; ++k) out << "+x";
    out << ";\n";
  }
  for (long i = 0; i < count; ++i) out << "END ";
  out << '\n';
}

}  // namespace

bool writeShape(std::ostream& out, const std::string& shape, long count) {
  void (*write)(std::ostream&, long) = shape == "list"         ? list
                                       : shape == "line"       ? line
                                       : shape == "expression" ? expression
                                       : shape == "nesting"    ? nesting
                                       : shape == "deep"       ? deep
                                       : shape == "degree"     ? degree
                                                               : nullptr;
  if (write == nullptr || count < 1) return false;
  out << "BEGIN\n";
  write(out, count);
  out << "END\n";
  return true;
}
