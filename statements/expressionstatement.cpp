#include "statements/expressionstatement.h"

#include <climits>
#include <string>

#include "support/keyword.h"
#include "support/nonblank.h"
#include "support/streamwriter.h"
#include "support/syntaxerror.h"

namespace {

bool belongsToExpression(char c) { return (c >= 'a' && c <= 'z') || c == '+' || c == '*'; }

const std::string ERROR_PREFIX = "ExpressionStatement(istream&): input syntax error at '";

}  // namespace

// Delegating to the assembling constructor makes the destructor run if parsing throws, so an
// intercepted syntax error leaks nothing. The text is unbounded: the buffer grows as needed.
ExpressionStatement::ExpressionStatement(std::istream& is) : ExpressionStatement(nullptr) {
  std::string text;
  const bool complete = readNonBlanksUntil(is, ';', [&text](char c) {
    if (!belongsToExpression(c)) syntaxErrorAt(ERROR_PREFIX, text);
    if (text.size() == INT_MAX)
      syntaxErrorAt(ERROR_PREFIX, text.substr(0, MAX_WORD) + "...");  // length is an int
    text += c;
  });
  if (!complete) syntaxErrorAt(ERROR_PREFIX, text);  // the input ended before the ';'
  expression = new Expression(static_cast<int>(text.size()), &text[0]);
}

ExpressionStatement::ExpressionStatement(Expression* expression) : expression(expression) {}

ExpressionStatement::~ExpressionStatement() { delete expression; }

Polynomial ExpressionStatement::evaluate(CPUContext context) const {
  return expression->evaluate(context);
}

// Programs can have millions of lines: each is written under one sentry, straight into the
// stream's buffer.
std::ostream& ExpressionStatement::print(std::ostream& os, int indent) const {
  StreamWriter out(os);
  out.blanks(indent);
  expression->writeTo(out);
  out.write(" ;\n", 3);
  return os;
}

int ExpressionStatement::equals(const Statement* other) const {
  const auto* that = dynamic_cast<const ExpressionStatement*>(other);
  return that != nullptr && expression->equals(that->expression) ? 1 : 0;
}

const Expression* ExpressionStatement::getExpression() const { return expression; }
