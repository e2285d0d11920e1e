#pragma once

#include <ostream>

#include "support/pooled.h"
#include "support/streamwriter.h"

// One factor of a product: a single character as it stood in the text.
class Variable final : public Pooled<Variable> {
 public:
  explicit Variable(char name);
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;
  virtual ~Variable();

  std::ostream& print(std::ostream& out) const;
  void writeTo(StreamWriter& out) const;
  int equals(const Variable* other) const;

 private:
  char name;
};
