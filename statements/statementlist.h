#pragma once

#include <istream>
#include <ostream>

#include "cost/complexity.h"
#include "statements/loopcount.h"
#include "statements/sourcespans.h"
#include "statements/statement.h"
#include "support/pooled.h"

// A non-empty sequence of statements, held as a chain of list nodes: this node's statement and
// the rest of the list. Chains are walked in loops, never recursively, so lists of any length
// work.
class Statementlist final : public Complexity, public Pooled<Statementlist> {
 public:
  // statementlist ::= statement+    a statement starts with 'L' (a loop) or 'a'..'z'
  // Stops in front of the first non-blank character that cannot start a statement.
  // `enclosingLoops` counts the loops around the list, to bound their nesting; the statements'
  // places are noted in `spans`, if given; `scope` is the LOOPs' dialect and indices, none for the
  // classic dialect.
  explicit Statementlist(std::istream& is, int enclosingLoops = 0, SourceSpans* spans = nullptr,
                         const LoopCount::Scope* scope = nullptr);
  Statementlist(Statement* statement, Statementlist* rest);  // takes ownership; rest may be null
  Statementlist(const Statementlist&) = delete;
  Statementlist& operator=(const Statementlist&) = delete;
  ~Statementlist() override;

  // s1 + (s2 + (... + sm)): the statements' costs, summed from the right.
  Polynomial evaluate(CPUContext context) const override;
  void print(std::ostream& os, int indent) const;  // every statement at the same indent
  int equals(const Statementlist* other) const;    // same length and equal pair by pair

  const Statement* getStatement() const;
  const Statementlist* getRest() const;  // null in the last node

 private:
  Statementlist* rest;
  Statement* statement;
};
