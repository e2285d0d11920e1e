#pragma once

#include <ostream>
#include <vector>

// The cost of a piece of program text: a polynomial in the problem size n with float
// coefficients. A plain value, copied freely; degrees up to 19 never allocate.
class Polynomial {
 public:
  // Coefficient slots held inline; only n-loops nested deeper than this spill onto the heap.
  static constexpr int MAX_TERMS = 20;

  Polynomial();  // the zero polynomial
  explicit Polynomial(float value);
  // Reads degree + 1 values, lowest power first; a negative degree gives the zero polynomial.
  Polynomial(int degree, const float* values);
  Polynomial(const Polynomial&) = default;
  Polynomial(Polynomial&&) = default;
  Polynomial& operator=(const Polynomial&) = default;
  Polynomial& operator=(Polynomial&&) = default;
  virtual ~Polynomial() = default;  // inline: every evaluate returns a polynomial

  // this += other; the degree becomes the larger of the two, even if leading terms cancel.
  void add(const Polynomial& other);
  void multiplyByN();
  void scale(int factor);
  // Writes the non-zero terms, highest power first, joined by " + ", and ends the line.
  void print(std::ostream& out) const;
  // 1 when both have the same degree and every coefficient differs by at most |tolerance|.
  int approxEquals(const Polynomial& other, float tolerance) const;

  int getDegree() const { return degree; }
  float coefficient(int power) const;  // 0 above the degree

 private:
  float& slot(int power);
  float slot(int power) const;
  void makeRoomFor(int power);

  int degree;
  float coefficients[MAX_TERMS];
  std::vector<float> highCoefficients;  // the coefficients of n^20 and up, when needed
};
