#pragma once

#include <ostream>
#include <string>

#include "support/pooled.h"

// One factor of a product: a single character as it stood in the text.
class Variable final : public Pooled<Variable> {
 public:
  explicit Variable(char name);
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;
  virtual ~Variable();

  std::ostream& print(std::ostream& out) const;
  void appendTo(std::string& text) const;
  int equals(const Variable* other) const;

 private:
  char name;
};
