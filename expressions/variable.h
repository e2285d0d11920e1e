#pragma once

#include <ostream>

// One factor of a product: a single character as it stood in the text.
class Variable {
 public:
  explicit Variable(char name);
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;
  virtual ~Variable();

  std::ostream& print(std::ostream& out) const;
  int equals(const Variable* other) const;

 private:
  char name;
};
