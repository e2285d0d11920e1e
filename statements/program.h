#pragma once

#include <istream>
#include <ostream>

#include "cost/complexity.h"
#include "statements/sourcespans.h"
#include "statements/statementlist.h"
#include "support/dialect.h"

// The root of the syntax tree: one whole program text.
class Program : public Complexity {
 public:
  // program ::= "BEGIN" statementlist "END"    nothing after "END" is read
  // Notes where the statements stand in `spans`, if given.
  explicit Program(std::istream& is, SourceSpans* spans = nullptr,
                   Dialect dialect = Dialect::classic);
  explicit Program(Statementlist* body);  // takes ownership
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() override;

  Polynomial evaluate(CPUContext context) const override;  // the body's cost, nothing added
  void print(std::ostream& os) const;  // "BEGIN", the statements indented by 2, "END"
  int equals(const Program* other) const;

  const Statementlist* getBody() const;

 private:
  Statementlist* body;
};
