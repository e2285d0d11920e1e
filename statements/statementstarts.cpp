#include "statements/statementstarts.h"

namespace {

StatementStarts* active = nullptr;

}  // namespace

StatementStarts::StatementStarts() : previous(active) { active = this; }

StatementStarts::~StatementStarts() { active = previous; }

void StatementStarts::note(std::istream& is) {
  if (active == nullptr) return;
  active->starts.push_back(is.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in));
}
