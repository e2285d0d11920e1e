#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "statements/sourcespans.h"
#include "support/dialect.h"

// A LOOP's count in the extended dialect: a sum of products of whole numbers, n, log n (which
// stands for floor(log2 n)) and the indices of the LOOPs around it, run max(0, sum) times; or a
// range "i = a TO b", run for i = a, ..., b, which binds the index i for the LOOP's body.
class LoopCount {
 public:
  // Deeper parentheses are refused, so that reading, printing and counting stay off the stack's
  // limits.
  static constexpr int MAX_GROUPS = 100;

  // The indices bound by the LOOPs around a count, innermost first: a chain on the parsers' stack.
  struct Scope {
    Dialect dialect;
    char letter;         // the index this LOOP binds; '\0' for none
    const Scope* outer;  // null around the program's own statements

    bool binds(char c) const;
  };

  struct Factor {
    enum class Kind { number, n, index, group, log } kind;
    std::uint32_t value;  // the number, the index's letter, or the group's place in groups()
  };
  struct Term {
    bool minus;  // a '-' stands before it
    std::vector<Factor> factors;
  };
  using Sum = std::vector<Term>;

  // count   ::= sum | index "=" sum "TO" sum
  // sum     ::= product { ("+" | "-") product }
  // product ::= atom { "*" atom }
  // atom    ::= integer | "n" | "log" "n" | index | "(" sum ")"
  // Reads up to the count's last atom; a letter must be an index of `scope`, and the index a range
  // binds must be none of them nor n. Its errors are noted in `spans`, if given.
  LoopCount(std::istream& is, const Scope& scope, SourceSpans* spans);

  void print(std::ostream& os) const;  // "i = 1 TO n - 1", "2 * n", "(n - 1) * (n - 2)", "log n"
  bool operator==(const LoopCount& other) const;

  char index() const { return letter; }        // '\0' for a count without a range
  const Sum& from() const { return sums[0]; }  // a range's first value
  const Sum& to() const { return sums[1]; }    // a range's last value, or the count
  const Sum& group(std::uint32_t place) const { return sums[place]; }
  // The count is n or a whole number alone, as the classic dialect writes it.
  bool classic() const;
  bool hasLog() const;  // whether log n stands in it

 private:
  class Reader;

  char letter = '\0';
  std::vector<Sum> sums;  // the first value (empty without a range), the last, then the groups
};
