#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "statements/statement.h"
#include "statements/statementlist.h"
#include "support/pooled.h"

// A statement list repeated n times or a fixed number of times.
class LoopStatement final : public Statement, public Pooled<LoopStatement> {
 public:
  // Deeper nesting is refused, so that parsing and printing cannot exhaust the stack.
  static constexpr int MAX_NESTING = 1000;

  // loop ::= "LOOP" ( "n" | integer ) statementlist "END"    a negative integer means n
  // `enclosingLoops` counts the loops around this one; its place is noted in `spans`, if given.
  explicit LoopStatement(std::istream& is, int enclosingLoops = 0, SourceSpans* spans = nullptr);
  LoopStatement(int count, Statementlist* body);  // takes ownership of body
  LoopStatement(const LoopStatement&) = delete;
  LoopStatement& operator=(const LoopStatement&) = delete;
  ~LoopStatement() override;

  // The body's cost times n, or times the count.
  Polynomial evaluate(CPUContext context) const override;
  std::ostream& print(std::ostream& os, int indent) const override;
  int equals(const Statement* other) const override;  // 0 against an expression statement
  void accept(StatementVisitor& visitor) const override;

  int getCount() const;  // negative for n
  const Statementlist* getBody() const;
  std::string header() const;  // its first line as the echo writes it: "LOOP n", "LOOP 3"

 private:
  Statementlist* body;
  int count;  // the number of repetitions; negative for n
};
