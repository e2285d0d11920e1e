#pragma once

#include <istream>
#include <ostream>

#include "expressions/expression.h"
#include "statements/sourcespans.h"
#include "statements/statement.h"
#include "support/pooled.h"

// A statement made of one expression and a semicolon.
class ExpressionStatement final : public Statement, public Pooled<ExpressionStatement> {
 public:
  // expressionstatement ::= expression ";"     blanks and line ends anywhere inside
  // Reads from the statement's first letter up to and including the ';'; a statement text of
  // more than INT_MAX characters is an error, since the expression takes its length as an int.
  // Its place is noted in `spans`, if given.
  explicit ExpressionStatement(std::istream& is, SourceSpans* spans = nullptr);
  explicit ExpressionStatement(Expression* expression);  // takes ownership
  ExpressionStatement(const ExpressionStatement&) = delete;
  ExpressionStatement& operator=(const ExpressionStatement&) = delete;
  ~ExpressionStatement() override;

  Polynomial evaluate(CPUContext context) const override;  // the expression's cost
  std::ostream& print(std::ostream& os, int indent) const override;
  int equals(const Statement* other) const override;  // 0 against a loop
  void accept(StatementVisitor& visitor) const override;

  const Expression* getExpression() const;

 private:
  Expression* expression;
};
