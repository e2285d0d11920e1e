#include "driver/textoutput.h"

#include <cerrno>
#include <cstring>

#include "report/explanation.h"

void writeCosts(std::ostream& out, std::ostream& err, const std::string& where,
                const std::string& echo, const ProgramCosts& costs, const Options& options,
                const ConsoleTexts& texts) {
  for (std::size_t i = 0; i < options.models.size(); ++i) {
    out << options.models[i].name << '\n' << texts.runningTime;
    costs.printed[i].print(out);
  }
  if (options.explain) out << explanation(echo, costs.exact, options.models, texts.theta);
  for (const std::string& warning : precisionWarnings(costs, options.models)) {
    err << "loopcost: " << where << "warning: " << warning << std::endl;
  }
}

// The failed write's errno is still there: a failed stream makes no further system calls.
bool flushed(std::ostream& out, std::ostream& err) {
  if (out.flush()) return true;
  err << "loopcost: write error: " << std::strerror(errno != 0 ? errno : EIO) << std::endl;
  return false;
}
