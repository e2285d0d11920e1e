#pragma once

#include <ostream>

#include "cost/complexity.h"
#include "statements/statementvisitor.h"

// One statement of a list: an expression statement or a loop.
class Statement : public Complexity {
 public:
  Statement() = default;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement() override;

  // Writes the statement on lines of its own, each starting with `indent` blanks.
  virtual std::ostream& print(std::ostream& os, int indent) const = 0;
  // Nonzero when both statements are of the same kind and have the same shape and characters.
  virtual int equals(const Statement* other) const = 0;
  // Calls the visitor's visit for this statement's kind.
  virtual void accept(StatementVisitor& visitor) const = 0;
};
