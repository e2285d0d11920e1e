#include "expressions/term.h"

#include <string>

#include "support/syntaxerror.h"

namespace {

const std::string ERROR_TEXT = "Term(int,char[]): input syntax error";

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
Term::Term(int length, char text[]) : Term(nullptr, nullptr) {
  if (length <= 0) syntaxError(ERROR_TEXT + ": illegal term", Expected::term, text);
  if (length % 2 == 0) {
    syntaxErrorAt(ERROR_TEXT + " (" + std::to_string(length) + ") at '", text, Expected::operation,
                  text);
  }
  Term* node = this;
  for (int end = length;; end -= 2) {
    node->variable = new Variable(text[end - 1]);
    if (end == 1) return;
    if (text[end - 2] != '*') syntaxErrorAt(ERROR_TEXT + " at '", text, Expected::operation, text);
    node->left = new Term(nullptr, nullptr);
    node = node->left;
  }
}

Term::Term(Variable* variable, Term* left) : left(left), variable(variable) {}

Term::~Term() {
  delete variable;
  deleteRest(*this, &Term::left);
}

Polynomial Term::evaluate(CPUContext context) const { return Polynomial(constantCost(context)); }

std::ostream& Term::print(std::ostream& out) const {
  StreamWriter writer(out);
  writeTo(writer);
  return out;
}

void Term::writeTo(StreamWriter& out) const {
  const Chain<Term> nodes = rightToLeft();
  bool first = true;
  for (const Term* node : nodes.reversed()) {
    if (!first) out.write(" * ", 3);
    node->variable->writeTo(out);
    first = false;
  }
}

int Term::equals(const Term* other) const {
  return chainsEqual(this, other, &Term::left, [](const Term* mine, const Term* theirs) {
    return mine->variable->equals(theirs->variable);
  });
}

Chain<Term> Term::rightToLeft() const {
  return Chain<Term>(this, [](const Term* node) { return node->left; });
}

// A product costs a constant, kept as a float and built from the innermost factor out:
// cost(left * variable) = multiplication price + cost(left).
float Term::constantCost(CPUContext context) const {
  const float price = context.cost(MULTIPLICATION);
  float cost = 0.0f;
  for (const Term* node = this; node->left != nullptr; node = node->left) cost = price + cost;
  return cost;
}

const Term* Term::leftPart() const { return left; }
