// Writes a large program of one shape to standard output, for timing loopcost:
//   generate list|expression|nesting COUNT     (the shapes are described in shapes.h)
#include <cstdlib>
#include <iostream>

#include "bench/shapes.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc != 3 || !writeShape(std::cout, argv[1], std::atol(argv[2]))) {
    std::cerr << "usage: generate list|expression|nesting COUNT\n";
    return 2;
  }
  return 0;
}
