#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/comparison.h"
#include "analysis/exactpolynomial.h"
#include "cost/cpucontext.h"
#include "cost/polynomial.h"
#include "tests/analysischecks.h"

// The driver's two cost models.
inline CPUContext cpu1() { return CPUContext(2.0f, 4.0f); }
inline CPUContext cpu2() { return CPUContext(1.0f, 5.0f); }

// Runs `parse` with syntax errors turned into exceptions; returns the error line, "" if none.
std::string syntaxErrorOf(const std::function<void()>& parse);

// A node parsed by its stream constructor from `text`.
template <typename Node>
std::unique_ptr<Node> fromText(const std::string& text) {
  std::istringstream in(text);
  return std::make_unique<Node>(in);
}

// What a node's print(out) writes.
template <typename Node>
std::string printed(const Node& node) {
  std::ostringstream out;
  node.print(out);
  return out.str();
}

inline std::string printed(const Polynomial& polynomial) {
  std::ostringstream out;
  polynomial.print(out);
  return out.str();
}

// What a statement's or list's print(out, indent) writes.
template <typename Node>
std::string printedAt(const Node& node, int indent) {
  std::ostringstream out;
  node.print(out, indent);
  return out.str();
}

struct ErrorCase {
  std::string text;
  std::string line;  // the syntax-error line parsing the text must give
};

template <typename Parse>
void expectSyntaxErrors(Parse parse, const std::vector<ErrorCase>& cases) {
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(syntaxErrorOf([&] { parse(c.text); }), c.line);
  }
}

struct EqualsCase {
  std::string left;
  std::string right;
  int equal;  // what equals must answer
};

template <typename Parse>
void expectEquality(Parse parse, const std::vector<EqualsCase>& cases) {
  for (const EqualsCase& c : cases) {
    SCOPED_TRACE(c.left + " vs " + c.right);
    EXPECT_EQ(parse(c.left)->equals(parse(c.right).get()), c.equal);
  }
}

// c0 + c1 n + c2 n^2 + ... from its coefficients, lowest power first.
ExactPolynomial exact(const std::vector<Rational>& coefficients);

// The ranges start at 0, adjoin, end open-ended, differ from their neighbours and name the
// cheapest costs as evaluation does at every n up to `lastSmall` and at a few far larger ones.
void expectAgreesWithEvaluation(const std::vector<ExactPolynomial>& costs,
                                const std::vector<CheapestRange>& ranges, int lastSmall = 1000);
