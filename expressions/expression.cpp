#include "expressions/expression.h"

#include <string>

#include "support/syntaxerror.h"

namespace {

int lastPlusBefore(const char text[], int end) {
  int i = end - 1;
  while (i >= 0 && text[i] != '+') --i;
  return i;
}

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
Expression::Expression(int length, char text[]) : Expression(nullptr, nullptr) {
  Expression* node = this;
  for (int end = length;;) {
    const int plus = lastPlusBefore(text, end);
    if (plus == 0)
      syntaxError(std::string("Syntax error at '") + text[0] + "'", Expected::term, text);
    node->term = new Term(end - plus - 1, text + plus + 1);
    if (plus < 0) return;
    node->left = new Expression(nullptr, nullptr);
    node = node->left;
    end = plus;
  }
}

Expression::Expression(Term* term, Expression* left) : left(left), term(term) {}

Expression::~Expression() {
  delete term;
  deleteRest(*this, &Expression::left);
}

// Sums and products cost constants, so the sum is kept as a float, built from the first term on
// in the association of the recursive definition:
// cost(left + term) = (cost(term) + cost(left)) + addition price.
Polynomial Expression::evaluate(CPUContext context) const {
  const Chain<Expression> nodes = rightToLeft();
  const float price = context.cost(ADDITION);
  bool first = true;
  float cost = 0.0f;
  for (const Expression* node : nodes.reversed()) {
    const float termCost = node->term->constantCost(context);
    cost = first ? termCost : (termCost + cost) + price;
    first = false;
  }
  return Polynomial(cost);
}

std::ostream& Expression::print(std::ostream& out) const {
  StreamWriter writer(out);
  writeTo(writer);
  return out;
}

void Expression::writeTo(StreamWriter& out) const {
  const Chain<Expression> nodes = rightToLeft();
  bool first = true;
  for (const Expression* node : nodes.reversed()) {
    if (!first) out.write(" + ", 3);
    node->term->writeTo(out);
    first = false;
  }
}

int Expression::equals(const Expression* other) const {
  return chainsEqual(this, other, &Expression::left,
                     [](const Expression* mine, const Expression* theirs) {
                       return mine->term->equals(theirs->term);
                     });
}

Chain<Expression> Expression::rightToLeft() const {
  return Chain<Expression>(this, [](const Expression* node) { return node->left; });
}

const Expression* Expression::leftPart() const { return left; }

const Term* Expression::lastTerm() const { return term; }
