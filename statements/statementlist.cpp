#include "statements/statementlist.h"

#include <string>

#include "expressions/chain.h"
#include "expressions/syntaxerror.h"
#include "statements/expressionstatement.h"
#include "statements/loopstatement.h"
#include "statements/nonblank.h"

namespace {

bool startsExpression(char c) { return c >= 'a' && c <= 'z'; }

bool startsStatement(char c) { return c == 'L' || startsExpression(c); }

[[noreturn]] void reportError(const std::string& found) {
  syntaxError("Statementlist(isttream&): input syntax error at '" + found + "'");
}

// The next non-blank character, left in the stream; an error at the end of the input.
char nextNonBlank(std::istream& is) {
  char c;
  if (!peekNonBlank(is, c)) reportError("");
  return c;
}

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
Statementlist::Statementlist(std::istream& is, int enclosingLoops)
    : Statementlist(nullptr, nullptr) {
  Statementlist* node = this;
  char next = nextNonBlank(is);
  for (;;) {
    if (next == 'L') {
      node->statement = new LoopStatement(is, enclosingLoops + 1);
    } else if (startsExpression(next)) {
      node->statement = new ExpressionStatement(is);
    } else {
      reportError(std::string(1, next));
    }
    next = nextNonBlank(is);
    if (!startsStatement(next)) return;
    node->rest = new Statementlist(nullptr, nullptr);
    node = node->rest;
  }
}

Statementlist::Statementlist(Statement* statement, Statementlist* rest)
    : rest(rest), statement(statement) {}

Statementlist::~Statementlist() {
  delete statement;
  deleteRest(*this, &Statementlist::rest);
}

// Floats do not associate, so the sum is built from the last statement backwards, exactly as
// the nested definition cost(list) = cost(statement) + cost(rest) would build it. Adding is
// commutative coefficient by coefficient, so cost.add(statement) gives the same bits.
Polynomial Statementlist::evaluate(CPUContext context) const {
  // nodes[0] holds the last statement.
  const Chain<Statementlist> nodes(this, [](const Statementlist* node) { return node->rest; });
  Polynomial cost = nodes[0]->statement->evaluate(context);
  for (std::size_t i = 1; i < nodes.size(); ++i) cost.add(nodes[i]->statement->evaluate(context));
  return cost;
}

void Statementlist::print(std::ostream& os, int indent) const {
  for (const Statementlist* node = this; node != nullptr; node = node->rest) {
    node->statement->print(os, indent);
  }
}

int Statementlist::equals(const Statementlist* other) const {
  return chainsEqual(this, other, &Statementlist::rest,
                     [](const Statementlist* mine, const Statementlist* theirs) {
                       return mine->statement->equals(theirs->statement);
                     });
}
