#include "expressions/term.h"

#include <string>

#include "expressions/syntaxerror.h"

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
Term::Term(int length, char text[]) : Term(nullptr, nullptr) {
  const std::string prefix = "Term(int,char[]): input syntax error";
  if (length <= 0) syntaxError(prefix + ": illegal term");
  if (length % 2 == 0) {
    syntaxError(prefix + " (" + std::to_string(length) + ") at '" + text + "'");
  }
  Term* node = this;
  for (int end = length;; end -= 2) {
    node->variable = new Variable(text[end - 1]);
    if (end == 1) return;
    if (text[end - 2] != '*') syntaxError(prefix + " at '" + text + "'");
    node->left = new Term(nullptr, nullptr);
    node = node->left;
  }
}

Term::Term(Variable* variable, Term* left) : left(left), variable(variable) {}

Term::~Term() {
  delete variable;
  while (left != nullptr) {
    Term* node = left;
    left = node->left;
    node->left = nullptr;
    delete node;
  }
}

// cost(left * variable) = multiplication price + cost(left), the innermost first; adding is
// commutative coefficient by coefficient, so the order of the operands does not matter.
Polynomial Term::evaluate(CPUContext context) const {
  Polynomial cost(0.0f);
  for (const Term* node = this; node->left != nullptr; node = node->left) {
    cost.add(Polynomial(context.cost(MULTIPLICATION)));
  }
  return cost;
}

std::ostream& Term::print(std::ostream& out) const {
  const Chain<Term> nodes = leftToRight();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (i > 0) out << " * ";
    nodes[i]->variable->print(out);
  }
  return out;
}

int Term::equals(const Term* other) const {
  const Term* mine = this;
  const Term* theirs = other;
  for (;;) {
    if ((mine->left == nullptr) != (theirs->left == nullptr)) return 0;
    if (!mine->variable->equals(theirs->variable)) return 0;
    if (mine->left == nullptr) return 1;
    mine = mine->left;
    theirs = theirs->left;
  }
}

Chain<Term> Term::leftToRight() const {
  return Chain<Term>(this, [](const Term* node) { return node->left; });
}
