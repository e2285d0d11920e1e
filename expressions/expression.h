#pragma once

#include <ostream>

#include "cost/complexity.h"
#include "expressions/term.h"
#include "support/chain.h"
#include "support/pooled.h"
#include "support/streamwriter.h"

// A sum of terms, held as a left-leaning chain: the last term here, the terms before the last
// '+' in `left`. Chains are walked in loops, never recursively, so sums of any length work.
class Expression final : public Complexity, public Pooled<Expression> {
 public:
  // expression ::= term ( "+" term )*
  // text[0..length-1] is the sum and a NUL follows the whole text; the rightmost term is
  // parsed first, so errors are found from the right.
  Expression(int length, char text[]);
  Expression(Term* term, Expression* left);  // takes ownership; left may be null
  Expression(const Expression&) = delete;
  Expression& operator=(const Expression&) = delete;
  ~Expression() override;

  // The terms' costs plus one addition price per '+'.
  Polynomial evaluate(CPUContext context) const override;
  std::ostream& print(std::ostream& out) const;
  void writeTo(StreamWriter& out) const;  // what print writes
  int equals(const Expression* other) const;

  const Expression* leftPart() const;  // the terms before the last '+'; null for one term
  const Term* lastTerm() const;

 private:
  Chain<Expression> rightToLeft() const;  // this node first, then along `left`

  Expression* left;
  Term* term;
};
