#include "expressions/term.h"

#include <string>

#include "expressions/syntaxerror.h"

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
Term::Term(int length, char text[]) : Term(nullptr, nullptr) {
  const char* const prefix = "Term(int,char[]): input syntax error";
  if (length <= 0) syntaxError(std::string(prefix) + ": illegal term");
  if (length % 2 == 0) {
    syntaxError(prefix + (" (" + std::to_string(length) + ") at '") + text + "'");
  }
  Term* node = this;
  for (int end = length;; end -= 2) {
    node->variable = new Variable(text[end - 1]);
    if (end == 1) return;
    if (text[end - 2] != '*') syntaxError(prefix + std::string(" at '") + text + "'");
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

// A product costs a constant, kept as a float and built from the innermost factor out:
// cost(left * variable) = multiplication price + cost(left).
Polynomial Term::evaluate(CPUContext context) const {
  const float price = context.cost(MULTIPLICATION);
  float cost = 0.0f;
  for (const Term* node = this; node->left != nullptr; node = node->left) cost = price + cost;
  return Polynomial(cost);
}

std::ostream& Term::print(std::ostream& out) const {
  std::string text;
  appendTo(text);
  return out << text;
}

void Term::appendTo(std::string& text) const {
  const Chain<Term> nodes = leftToRight();
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (i > 0) text += " * ";
    nodes[i]->variable->appendTo(text);
  }
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
