#pragma once

#include <ostream>

#include "cost/complexity.h"
#include "expressions/variable.h"
#include "support/chain.h"
#include "support/pooled.h"
#include "support/streamwriter.h"

// A product of single-character factors, held as a left-leaning chain: the last factor here,
// the factors before the last '*' in `left`. Chains are walked in loops, never recursively.
class Term final : public Complexity, public Pooled<Term> {
 public:
  // term ::= factor ( "*" factor )*     where a factor is any one character
  // text[0..length-1] is the term; a NUL ends the whole statement text somewhere at or after it.
  Term(int length, char text[]);
  Term(Variable* variable, Term* left);  // takes ownership; left may be null
  Term(const Term&) = delete;
  Term& operator=(const Term&) = delete;
  ~Term() override;

  // One multiplication price per '*': always a constant, the one constantCost gives.
  Polynomial evaluate(CPUContext context) const override;
  std::ostream& print(std::ostream& out) const;
  void writeTo(StreamWriter& out) const;  // what print writes
  int equals(const Term* other) const;

  float constantCost(CPUContext context) const;  // the value of evaluate's constant
  const Term* leftPart() const;  // the factors before the last '*'; null for one factor

 private:
  Chain<Term> rightToLeft() const;  // this node first, then along `left`

  Term* left;
  Variable* variable;
};
