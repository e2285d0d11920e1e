#pragma once

#include <cstddef>
#include <ostream>
#include <string>

// One factor of a product: a single character as it stood in the text.
class Variable {
 public:
  explicit Variable(char name);
  Variable(const Variable&) = delete;
  Variable& operator=(const Variable&) = delete;
  virtual ~Variable();

  std::ostream& print(std::ostream& out) const;
  void appendTo(std::string& text) const;
  int equals(const Variable* other) const;

  static void* operator new(std::size_t size);  // from the NodePool, like every node
  static void operator delete(void* variable, std::size_t size);

 private:
  char name;
};
