#include "driver/output.h"

#include <cerrno>
#include <cstring>

#include "report/quoting.h"

// The failed write's errno is still there: a failed stream makes no further system calls.
bool flushed(std::ostream& out, std::ostream& err, const Words& words) {
  if (out.flush()) return true;
  err << "loopcost: "
      << fill(words.tr("write error: %s"), {std::strerror(errno != 0 ? errno : EIO)}) << std::endl;
  return false;
}

void reportOutOfMemory(std::ostream& out, std::ostream& err, const std::string& name,
                       const Words& words) {
  out.flush();
  err << "loopcost: " << visibleName(name) << ": " << words.tr("out of memory") << std::endl;
}
