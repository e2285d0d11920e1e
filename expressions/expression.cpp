#include "expressions/expression.h"

#include <string>

#include "expressions/chain.h"
#include "expressions/syntaxerror.h"

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
    if (plus == 0) syntaxError(std::string("Syntax error at '") + text[0] + "'");
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
  const Chain<Expression> nodes = leftToRight();
  const float price = context.cost(ADDITION);
  float cost = nodes[0]->term->evaluate(context).coefficient(0);
  for (std::size_t i = 1; i < nodes.size(); ++i) {
    cost = (nodes[i]->term->evaluate(context).coefficient(0) + cost) + price;
  }
  return Polynomial(cost);
}

std::ostream& Expression::print(std::ostream& out) const {
  std::string text;
  appendTo(text);
  return out << text;
}

void Expression::appendTo(std::string& text) const {
  const Chain<Expression> nodes = leftToRight();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (i > 0) text += " + ";
    nodes[i]->term->appendTo(text);
  }
}

int Expression::equals(const Expression* other) const {
  return chainsEqual(this, other, &Expression::left,
                     [](const Expression* mine, const Expression* theirs) {
                       return mine->term->equals(theirs->term);
                     });
}

Chain<Expression> Expression::leftToRight() const {
  return Chain<Expression>(this, [](const Expression* node) { return node->left; });
}
