#include "statements/expressionstatement.h"

#include <algorithm>
#include <string>

#include "expressions/syntaxerror.h"
#include "statements/nonblank.h"

namespace {

bool belongsToExpression(char c) { return (c >= 'a' && c <= 'z') || c == '+' || c == '*'; }

[[noreturn]] void reportError(const std::string& collected) {
  syntaxError("ExpressionStatement(istream&): input syntax error at '" + collected + "'");
}

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing. The text is unbounded: the buffer grows as needed.
ExpressionStatement::ExpressionStatement(std::istream& is) : ExpressionStatement(nullptr) {
  std::string text;
  char c;
  while (readNonBlank(is, c) && c != ';') {
    if (!belongsToExpression(c)) reportError(text);
    text += c;
  }
  if (!is) reportError(text);  // the input ended before the ';'
  expression = new Expression(static_cast<int>(text.size()), &text[0]);
}

ExpressionStatement::ExpressionStatement(Expression* expression) : expression(expression) {}

ExpressionStatement::~ExpressionStatement() { delete expression; }

Polynomial ExpressionStatement::evaluate(CPUContext context) const {
  return expression->evaluate(context);
}

// The whole line is composed first and written at once: programs can have millions of them.
std::ostream& ExpressionStatement::print(std::ostream& os, int indent) const {
  std::string line(std::max(indent, 0), ' ');
  expression->appendTo(line);
  line += " ;\n";
  return os << line;
}

int ExpressionStatement::equals(const Statement* other) const {
  const auto* that = dynamic_cast<const ExpressionStatement*>(other);
  return that != nullptr && expression->equals(that->expression) ? 1 : 0;
}
