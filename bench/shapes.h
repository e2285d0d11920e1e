#pragma once

#include <ostream>
#include <string>

// The large generated programs that `make bench` times, by shape name:
//   list N        N statements like x*y+z*w+q; with an n-loop every tenth
//   line N        the list's N statements on one line
//   expression N  N statements of 100,000 characters each
//   nesting N     N blocks of n-loops nested 200 deep
//   deep N        N n-loops nested in each other, with a+b*c; at every level
//   degree N      N nested n-loops whose statements' operations vary from level to level, so
//                 that the models' costs differ in every power of n up to n^N
// Returns false, writing nothing, for an unknown shape or a count below 1.
bool writeShape(std::ostream& out, const std::string& shape, long count);
