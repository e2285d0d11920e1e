#pragma once

#include <istream>
#include <vector>

// While alive, the parsers note where each statement starts, in the order they parse them,
// which is the order of the echo and of the analysis's walks: the characters counted from the
// start of the text to each statement's first character. Only an editor needs them, so a parse
// without one notes nothing and keeps nothing.
class StatementStarts {
 public:
  StatementStarts();
  StatementStarts(const StatementStarts&) = delete;
  StatementStarts& operator=(const StatementStarts&) = delete;
  ~StatementStarts();  // the one alive before is back

  const std::vector<long long>& offsets() const { return starts; }

  // Called by the parser in front of each statement: notes where `is` stands, if the stream can
  // tell without moving (-1 if not), when a StatementStarts is alive.
  static void note(std::istream& is);

 private:
  std::vector<long long> starts;
  StatementStarts* previous;
};
