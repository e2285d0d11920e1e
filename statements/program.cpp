#include "statements/program.h"

#include <string>

namespace {

const std::string ERROR_PREFIX = "Program(istream&): input syntax error at '";

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing.
Program::Program(std::istream& is, SourceSpans* spans, Dialect dialect) : Program(nullptr) {
  const std::size_t start =
      SourceSpans::expectKeyword(is, "BEGIN", ERROR_PREFIX, Expected::begin, spans);
  if (spans != nullptr) spans->begin = start;
  const LoopCount::Scope scope{dialect, '\0', nullptr};
  body = new Statementlist(is, 0, spans, dialect == Dialect::extended ? &scope : nullptr);
  SourceSpans::expectKeyword(is, "END", ERROR_PREFIX, Expected::end, spans);
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

const Statementlist* Program::getBody() const { return body; }
