#include "cost/polynomial.h"

#include <algorithm>
#include <iomanip>

namespace {

// Both tests widen to double and compare with double bounds, bounds inclusive.
bool isZero(float c) {
  const double value = c;
  return value >= -0.000001 && value <= 0.000001;
}

bool isOne(float c) {
  const double value = c;
  return value >= 0.999999 && value <= 1.000001;
}

void writeCoefficient(std::ostream& out, float c) { out << std::setprecision(2) << c; }

}  // namespace

Polynomial::Polynomial() : degree(0), coefficients{} {}

Polynomial::Polynomial(float value) : degree(0), coefficients{value} {}

Polynomial::Polynomial(int degree, const float* values) : degree(0), coefficients{} {
  if (degree < 0) return;
  makeRoomFor(degree);
  for (int i = 0; i <= degree; ++i) slot(i) = values[i];
  this->degree = degree;
}

void Polynomial::add(const Polynomial& other) {
  const int common = std::min(degree, other.degree);
  for (int i = 0; i <= common; ++i) slot(i) += other.slot(i);
  if (other.degree <= degree) return;
  makeRoomFor(other.degree);
  for (int i = degree + 1; i <= other.degree; ++i) slot(i) = other.slot(i);
  degree = other.degree;
}

void Polynomial::multiplyByN() {
  makeRoomFor(degree + 1);
  for (int i = degree; i >= 0; --i) slot(i + 1) = slot(i);
  slot(0) = 0.0f;
  ++degree;
}

// A count of 0 gives exact zeros, also where the body's cost overflowed to infinity.
void Polynomial::scale(int factor) {
  for (int i = 0; i <= degree; ++i) slot(i) = factor == 0 ? 0.0f : factor * slot(i);
}

void Polynomial::print(std::ostream& out) const {
  bool printedAny = false;
  for (int i = degree; i >= 1; --i) {
    const float c = slot(i);
    if (isZero(c)) continue;
    if (printedAny) out << " + ";
    if (!isOne(c)) {
      writeCoefficient(out, c);
      out << " * ";
    }
    out << "n^" << i;
    printedAny = true;
  }
  const float c0 = slot(0);
  if (!printedAny) {
    writeCoefficient(out, c0);
  } else if (!isZero(c0)) {
    out << " + ";
    writeCoefficient(out, c0);
  }
  out << std::endl;
}

int Polynomial::approxEquals(const Polynomial& other, float tolerance) const {
  if (tolerance < 0) tolerance = -tolerance;
  if (degree != other.degree) return 0;
  for (int i = 0; i <= degree; ++i) {
    const float difference = slot(i) - other.slot(i);
    if (difference > tolerance || difference < -tolerance) return 0;
  }
  return 1;
}

float Polynomial::coefficient(int power) const {
  return power >= 0 && power <= degree ? slot(power) : 0.0f;
}

float& Polynomial::slot(int power) {
  return power < MAX_TERMS ? coefficients[power] : highCoefficients[power - MAX_TERMS];
}

float Polynomial::slot(int power) const {
  return power < MAX_TERMS ? coefficients[power] : highCoefficients[power - MAX_TERMS];
}

void Polynomial::makeRoomFor(int power) {
  const std::size_t needed = power < MAX_TERMS ? 0 : power - MAX_TERMS + 1;
  if (highCoefficients.size() < needed) highCoefficients.resize(needed, 0.0f);
}
