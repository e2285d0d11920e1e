#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

#include "support/encoding.h"
#include "support/language.h"

// The words a person reads, in their language, for a stream of a given encoding: a value that
// travels to whatever writes text. Messages are written in English in the sources and looked up
// in the Traditional Chinese catalogue that msgfmt compiles from po/zh_TW.po, which the tool
// carries, so that no file and no system locale is needed. Every text is UTF-8 inside the tool;
// a stream in another encoding converts what is written to it (EncodingBuffer).
class Words {
 public:
  Words() = default;  // English for a UTF-8 stream: what scripts read
  Words(Language language, Encoding encoding) : spoken(language), written(encoding) {}

  Language language() const { return spoken; }
  Encoding encoding() const { return written; }

  // The message in this language.
  const char* tr(const char* message) const;
  // The form of the message that `count` takes in this language.
  const char* trn(const char* singular, const char* plural, unsigned long count) const;
  // The columns `text` takes on a terminal that reads this encoding.
  std::size_t columnsOf(const std::string& text) const { return columns(text, written); }

 private:
  Language spoken = Language::english;
  Encoding written = Encoding::utf8;
};

// Marks a message for translation where it is looked up later, with Words::tr.
constexpr const char* N_(const char* message) { return message; }

// `pattern` with each "%s" in it replaced by the next of `values`, in order, and each "%k$s" by
// the k-th (from 1), so that a translation may put them in another order; "%%" is "%".
std::string fill(const std::string& pattern, std::initializer_list<std::string> values);
