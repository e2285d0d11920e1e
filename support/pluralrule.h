#pragma once

#include <string>

// Which plural form of a message a count takes, as a catalogue's header says in its
// Plural-Forms line, in C's syntax: "nplurals=2; plural=(n != 1);", "nplurals=1; plural=0;".
class PluralRule {
 public:
  // The rule in a catalogue's header; English's rule, two forms, where the header has none or a
  // malformed one.
  explicit PluralRule(const std::string& header = "");

  unsigned long forms() const { return count; }
  // The form for `n`, from 0 to forms() - 1.
  unsigned long formOf(unsigned long n) const;

 private:
  std::string expression;  // plural=... without the ';'
  unsigned long count = 2;
};
