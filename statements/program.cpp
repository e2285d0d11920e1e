#include "statements/program.h"

#include <string>

#include "expressions/syntaxerror.h"

namespace {

void expectWord(std::istream& is, const char* keyword) {
  std::string word;
  is >> word;
  if (word != keyword) syntaxError("Program(istream&): input syntax error at '" + word + "'");
}

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
Program::Program(std::istream& is) : Program(nullptr) {
  expectWord(is, "BEGIN");
  body = new Statementlist(is);
  expectWord(is, "END");
}

Program::Program(Statementlist* body) : body(body) {}

Program::~Program() { delete body; }

Polynomial Program::evaluate(CPUContext context) const { return body->evaluate(context); }

void Program::print(std::ostream& os) const {
  os << "BEGIN\n";
  body->print(os, 2);
  os << "END\n";
}

int Program::equals(const Program* other) const { return body->equals(other->body); }
