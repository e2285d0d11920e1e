#include "driver/textoutput.h"

#include <cerrno>
#include <cstring>

void writeCosts(std::ostream& out, const std::vector<Polynomial>& costs,
                const std::vector<CostModel>& models, const ConsoleTexts& texts) {
  for (std::size_t i = 0; i < models.size(); ++i) {
    out << models[i].name << '\n' << texts.runningTime;
    costs[i].print(out);
  }
}

// The failed write's errno is still there: a failed stream makes no further system calls.
bool flushed(std::ostream& out, std::ostream& err) {
  if (out.flush()) return true;
  err << "loopcost: write error: " << std::strerror(errno != 0 ? errno : EIO) << std::endl;
  return false;
}
