#pragma once

#include <ostream>
#include <string>

#include "cost/complexity.h"
#include "cost/pooled.h"
#include "expressions/chain.h"
#include "expressions/variable.h"

// A product of single-character factors, held as a left-leaning chain: the last factor here,
// the factors before the last '*' in `left`. Chains are walked in loops, never recursively.
class Term : public Complexity, public Pooled<Term> {
 public:
  // term ::= factor ( "*" factor )*     where a factor is any one character
  // text[0..length-1] is the term; a NUL ends the whole statement text somewhere at or after it.
  Term(int length, char text[]);
  Term(Variable* variable, Term* left);  // takes ownership; left may be null
  Term(const Term&) = delete;
  Term& operator=(const Term&) = delete;
  ~Term() override;

  // One multiplication price per '*'.
  Polynomial evaluate(CPUContext context) const override;
  std::ostream& print(std::ostream& out) const;
  void appendTo(std::string& text) const;  // the printed form
  int equals(const Term* other) const;

 private:
  Chain<Term> leftToRight() const;

  Term* left;
  Variable* variable;
};
