#pragma once

class ExpressionStatement;
class LoopStatement;

// What a walk over the statements does with each kind of statement; Statement::accept calls
// the one for its kind, so every walk handles every kind.
class StatementVisitor {
 public:
  virtual ~StatementVisitor() = default;
  virtual void visit(const ExpressionStatement& statement) = 0;
  virtual void visit(const LoopStatement& statement) = 0;
};
