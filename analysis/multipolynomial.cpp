#include "analysis/multipolynomial.h"

#include <algorithm>
#include <utility>

MultiPolynomial::MultiPolynomial(const Rational& constant) {
  if (constant != 0) terms.emplace(Monomial(), constant);
}

MultiPolynomial MultiPolynomial::variable(int index) {
  MultiPolynomial p;
  Monomial monomial(static_cast<std::size_t>(index) + 1, 0);
  monomial.back() = 1;
  p.terms.emplace(std::move(monomial), 1);
  return p;
}

void MultiPolynomial::addTerm(Monomial monomial, const Rational& coefficient) {
  while (!monomial.empty() && monomial.back() == 0) monomial.pop_back();
  const auto [at, inserted] = terms.emplace(std::move(monomial), coefficient);
  if (inserted) return;
  at->second += coefficient;
  if (at->second == 0) terms.erase(at);
}

MultiPolynomial& MultiPolynomial::operator+=(const MultiPolynomial& other) {
  for (const auto& [monomial, coefficient] : other.terms) addTerm(monomial, coefficient);
  return *this;
}

MultiPolynomial& MultiPolynomial::operator-=(const MultiPolynomial& other) {
  for (const auto& [monomial, coefficient] : other.terms) addTerm(monomial, -coefficient);
  return *this;
}

MultiPolynomial MultiPolynomial::operator+(const MultiPolynomial& other) const {
  MultiPolynomial sum = *this;
  return sum += other;
}

MultiPolynomial MultiPolynomial::operator-(const MultiPolynomial& other) const {
  MultiPolynomial difference = *this;
  return difference -= other;
}

MultiPolynomial MultiPolynomial::operator*(const MultiPolynomial& other) const {
  MultiPolynomial product;
  for (const auto& [mine, a] : terms) {
    for (const auto& [theirs, b] : other.terms) {
      Monomial monomial(std::max(mine.size(), theirs.size()), 0);
      for (std::size_t v = 0; v < mine.size(); ++v) monomial[v] += mine[v];
      for (std::size_t v = 0; v < theirs.size(); ++v) monomial[v] += theirs[v];
      product.addTerm(std::move(monomial), a * b);
    }
  }
  return product;
}

std::optional<Rational> MultiPolynomial::constant() const {
  if (terms.empty()) return Rational(0);
  if (terms.size() == 1 && terms.begin()->first.empty()) return terms.begin()->second;
  return std::nullopt;
}

int MultiPolynomial::degreeIn(int variable) const {
  int degree = 0;
  for (const auto& term : terms) {
    const Monomial& monomial = term.first;
    if (static_cast<std::size_t>(variable) < monomial.size()) {
      degree = std::max(degree, monomial[variable]);
    }
  }
  return degree;
}

std::vector<MultiPolynomial> MultiPolynomial::powersOf(int variable) const {
  std::vector<MultiPolynomial> powers(static_cast<std::size_t>(degreeIn(variable)) + 1);
  for (const auto& [monomial, coefficient] : terms) {
    Monomial rest = monomial;
    int power = 0;
    if (static_cast<std::size_t>(variable) < rest.size()) power = std::exchange(rest[variable], 0);
    powers[power].addTerm(std::move(rest), coefficient);
  }
  return powers;
}

MultiPolynomial MultiPolynomial::substituted(int variable, const MultiPolynomial& value) const {
  const std::vector<MultiPolynomial> powers = powersOf(variable);
  MultiPolynomial result = powers.back();  // Horner's scheme
  for (std::size_t k = powers.size() - 1; k-- > 0;) result = result * value + powers[k];
  return result;
}

MultiPolynomial MultiPolynomial::reducedInequality() const {
  Integer divisor = 0;
  for (const auto& [monomial, coefficient] : terms) {
    if (!monomial.empty()) divisor = gcd(divisor, Integer(abs(numerator(coefficient))));
  }
  if (divisor <= 1) return *this;
  MultiPolynomial reduced;
  for (const auto& [monomial, coefficient] : terms) {
    Rational c = coefficient / divisor;
    if (monomial.empty()) {
      Integer whole = numerator(c) / denominator(c);  // rounds towards zero
      if (whole * denominator(c) != numerator(c) && c < 0) whole -= 1;
      c = whole;
    }
    reduced.addTerm(monomial, c);
  }
  return reduced;
}

bool MultiPolynomial::inNAlone() const {
  return std::all_of(terms.begin(), terms.end(),
                     [](const auto& term) { return term.first.size() <= LOG + 1; });
}

ExactPolynomial MultiPolynomial::inN() const {
  Integer common = 1;
  for (const auto& term : terms) common = lcm(common, denominator(term.second));
  std::vector<ExactPolynomial::Term> whole;  // the map's order is ascending by n, then by L
  for (const auto& [monomial, coefficient] : terms) {
    const int power = monomial.size() > N ? monomial[N] : 0;
    const int log = monomial.size() > LOG ? monomial[LOG] : 0;
    whole.push_back({power, numerator(coefficient) * (common / denominator(coefficient)), log});
  }
  return ExactPolynomial::fromTerms(std::move(whole), common);
}
