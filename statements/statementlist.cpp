#include "statements/statementlist.h"

#include <string>

#include "statements/expressionstatement.h"
#include "statements/loopstatement.h"
#include "support/chain.h"
#include "support/nonblank.h"
#include "support/syntaxerror.h"

namespace {

bool startsExpression(char c) { return c >= 'a' && c <= 'z'; }

bool startsStatement(char c) { return c == 'L' || startsExpression(c); }

const std::string ERROR_PREFIX = "Statementlist(isttream&): input syntax error at '";

// What a statement's first character, which is none, most likely is instead: the list's END too
// early, or the rest of a loop's count.
Expected expectedBefore(char c, bool first, bool loopBody) {
  if (first && c == 'E') return Expected::firstStatement;
  const bool countLike = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '*' || c == '/';
  return first && loopBody && countLike ? Expected::count : Expected::statement;
}

// Stops the parse at the character `is` stands at, or at the end of the input.
[[noreturn]] void stop(std::istream& is, Expected expected, SourceSpans* spans,
                       const std::string& found) {
  if (spans != nullptr) spans->stopAtCharacter(is, expected);
  syntaxErrorAt(ERROR_PREFIX, found, expected);
}

// The next non-blank character, left in the stream; an error at the end of the input, where the
// END of the loop around, or of the program, is missing.
char nextNonBlank(std::istream& is, bool loopBody, SourceSpans* spans) {
  char c;
  if (!peekNonBlank(is, c)) stop(is, loopBody ? Expected::loopEnd : Expected::end, spans, "");
  return c;
}

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
Statementlist::Statementlist(std::istream& is, int enclosingLoops, SourceSpans* spans,
                             const LoopCount::Scope* scope)
    : Statementlist(nullptr, nullptr) {
  Statementlist* node = this;
  char next = nextNonBlank(is, enclosingLoops > 0, spans);
  for (;;) {
    if (next == 'L') {
      node->statement = new LoopStatement(is, enclosingLoops, spans, scope);
    } else if (startsExpression(next)) {
      node->statement = new ExpressionStatement(is, spans);
    } else {
      stop(is, expectedBefore(next, node == this, enclosingLoops > 0), spans, std::string(1, next));
    }
    next = nextNonBlank(is, enclosingLoops > 0, spans);
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
  const Chain<Statementlist> nodes(this, [](const Statementlist* node) { return node->rest; });
  bool last = true;
  Polynomial cost;
  for (const Statementlist* node : nodes.reversed()) {
    if (last) {
      cost = node->statement->evaluate(context);
    } else {
      cost.add(node->statement->evaluate(context));
    }
    last = false;
  }
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

const Statement* Statementlist::getStatement() const { return statement; }

const Statementlist* Statementlist::getRest() const { return rest; }
