// Writes a large program of one shape to standard output, for timing loopcost:
//   generate list N        N statements like x*y+z*w+q; with an n-loop every tenth
//   generate expression N  N statements of 100,000 characters each
//   generate nesting N     N blocks of n-loops nested 200 deep
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

void list(long count) {
  for (long i = 0; i < count; ++i) {
    std::cout << (i % 10 == 0 ? "  LOOP n x*y+z*w+q; END\n" : "  x*y+z*w+q;\n");
  }
}

void expression(long count) {
  std::string statement = "  ";
  while (statement.size() < 100000) statement += "a*b+c+";
  statement += "d;\n";
  for (long i = 0; i < count; ++i) std::cout << statement;
}

void nesting(long count) {
  const int depth = 200;
  std::string block;
  for (int i = 0; i < depth; ++i) block += "LOOP n\n";
  block += "a*b+c;\n";
  for (int i = 0; i < depth; ++i) block += "END\n";
  for (long i = 0; i < count; ++i) std::cout << block;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string shape = argc == 3 ? argv[1] : "";
  const long count = argc == 3 ? std::atol(argv[2]) : 0;
  if (count <= 0 || (shape != "list" && shape != "expression" && shape != "nesting")) {
    std::cerr << "usage: generate list|expression|nesting COUNT\n";
    return 2;
  }
  std::ios::sync_with_stdio(false);
  std::cout << "BEGIN\n";
  if (shape == "list") list(count);
  if (shape == "expression") expression(count);
  if (shape == "nesting") nesting(count);
  std::cout << "END\n";
  return 0;
}
