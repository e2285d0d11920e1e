#pragma once

#include <string>

#include "analysis/exactpolynomial.h"

// How a cost grows with n: "0" for no cost, "1" for a non-zero constant, "n^k" otherwise.
std::string growthOf(const ExactPolynomial& cost);
