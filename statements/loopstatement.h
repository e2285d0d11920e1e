#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "statements/loopcount.h"
#include "statements/statement.h"
#include "statements/statementlist.h"
#include "support/pooled.h"

// A statement list repeated n times or a fixed number of times.
class LoopStatement final : public Statement, public Pooled<LoopStatement> {
 public:
  // Deeper nesting is refused, so that parsing and printing cannot exhaust the stack.
  static constexpr int MAX_NESTING = 1000;

  // loop ::= "LOOP" ( "n" | integer ) statementlist "END"    a negative integer means n
  // loop ::= "LOOP" ( integer | count ) statementlist "END"  in the extended dialect
  // `enclosingLoops` counts the loops around this one; its place is noted in `spans`, if given.
  // `scope` holds the dialect and the indices around; none reads the classic dialect.
  explicit LoopStatement(std::istream& is, int enclosingLoops = 0, SourceSpans* spans = nullptr,
                         const LoopCount::Scope* scope = nullptr);
  LoopStatement(int count, Statementlist* body);  // takes ownership of body
  LoopStatement(const LoopStatement&) = delete;
  LoopStatement& operator=(const LoopStatement&) = delete;
  ~LoopStatement() override;

  // The body's cost times n, or times the count; an extended count is priced by the analysis,
  // which knows the LOOPs around, and here as n.
  Polynomial evaluate(CPUContext context) const override;
  std::ostream& print(std::ostream& os, int indent) const override;
  int equals(const Statement* other) const override;  // 0 against an expression statement
  void accept(StatementVisitor& visitor) const override;

  int getCount() const;  // negative for n and for an extended count
  const Statementlist* getBody() const;
  // Its first line as the echo writes it: "LOOP n", "LOOP 3", "LOOP i = 1 TO n - 1".
  std::string header() const;
  const LoopCount* getExtendedCount() const;  // null for n or a whole number

 private:
  void readExtended(std::istream& is, const LoopCount::Scope& scope, SourceSpans* spans);

  Statementlist* body;
  int count;                           // the number of repetitions; negative for n
  LoopCount* extendedCount = nullptr;  // owned
};
