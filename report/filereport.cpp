#include "report/filereport.h"

#include <cmath>
#include <cstring>
#include <istream>
#include <memory>
#include <new>
#include <sstream>

#include "statements/program.h"
#include "support/syntaxerror.h"

namespace {

FileReport failed(const std::string& file, std::string message,
                  std::optional<SourceBuffer::Position> position = std::nullopt) {
  FileReport report;
  report.file = file;
  report.error = FileReport::Error{std::move(message), position};
  return report;
}

// Whether single precision certainly computed this cost exactly, so that the exact count can be
// spared. With whole prices every cost is built from whole numbers by sums of non-negative terms
// and multiplications by counts, and a float holds every whole number up to 2^24 exactly: a step
// that rounded would have passed 2^24, and nothing after it makes a coefficient smaller.
bool provablyExact(const Polynomial& cost, const CostModel& model) {
  const auto whole = [](float value) { return value == std::trunc(value); };
  for (const Price& price : {model.addition, model.multiplication}) {
    if (!price.isWhole() || !price.singleIsExact()) return false;
  }
  for (int power = 0; power <= cost.getDegree(); ++power) {
    const float c = cost.coefficient(power);
    if (!(c >= 0.0f && c <= 16777216.0f && whole(c))) return false;
  }
  return true;
}

}  // namespace

std::string printedLine(const Polynomial& cost) {
  std::ostringstream text;
  cost.print(text);
  std::string line = text.str();
  line.pop_back();
  return line;
}

ProgramCosts costsOf(const Program& program, const std::vector<CostModel>& models,
                     bool perStatement) {
  ProgramCosts costs;
  for (const CostModel& model : models) costs.printed.push_back(program.evaluate(model.context()));
  bool exactAlready = true;
  for (std::size_t i = 0; i < models.size(); ++i) {
    exactAlready = exactAlready && provablyExact(costs.printed[i], models[i]);
  }
  if (perStatement || !exactAlready) costs.exact = analyse(program, models, perStatement);
  return costs;
}

std::vector<std::string> precisionWarnings(const ProgramCosts& costs,
                                           const std::vector<CostModel>& models) {
  std::vector<std::string> warnings;
  for (std::size_t i = 0; i < costs.exact.costs.size(); ++i) {
    const std::string single = printedLine(costs.printed[i]);
    const ExactPolynomial& exact = costs.exact.costs[i];
    if (single != exact.printedText()) {
      warnings.push_back(models[i].name + ": single precision prints " + single +
                         ", the exact cost is " + exact.text());
    }
  }
  return warnings;
}

FileReport reportOn(const std::string& file, std::streambuf& source,
                    const std::vector<CostModel>& models, bool perStatement) {
  SourceBuffer buffer(source);
  std::istream in(&buffer);
  const SyntaxErrorsThrow throwing;
  try {
    const auto program = std::make_unique<Program>(in);
    FileReport report;
    report.file = file;
    std::ostringstream echo;
    program->print(echo);
    report.echo = echo.str();
    report.costs = costsOf(*program, models, perStatement);
    return report;
  } catch (const SyntaxError& error) {
    if (buffer.readError() != 0) {
      return failed(file, std::string("read error: ") + std::strerror(buffer.readError()));
    }
    return failed(file, withVisibleQuotes(error.line), buffer.position());
  } catch (const std::bad_alloc&) {
    return failed(file, "out of memory");
  }
}

FileReport unopenable(const std::string& file, int errorNumber) {
  return failed(file, std::strerror(errorNumber));
}

std::string withVisibleQuotes(const std::string& text) {
  const std::size_t first = text.find('\'');
  const std::size_t last = text.rfind('\'');
  if (first == last) return text;
  std::string visible = text.substr(0, first + 1);
  for (std::size_t i = first + 1; i < last; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7F) {
      visible += static_cast<char>(c);
    } else {
      const char* const hex = "0123456789ABCDEF";
      visible += {'\\', 'x', hex[c >> 4], hex[c & 15]};
    }
  }
  return visible + text.substr(last);
}
