#pragma once

#include <string>

#include "analysis/exactpolynomial.h"

// How a cost grows with n: "0" for no cost, "1" for a non-zero constant, "n^k" otherwise.
std::string growthOf(const ExactPolynomial& cost);

// The growth as people read it: "0", or "Θ(1)", "Θ(n^k)" with `theta` the letter Θ in the
// output's encoding.
std::string growthText(const std::string& growth, const std::string& theta);
