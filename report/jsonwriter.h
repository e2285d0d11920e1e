#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

// Writes one JSON document to a stream as it goes, in blocks, laid out as nlohmann's dump(2)
// lays it out (members and elements on lines of their own, indented by two blanks a level) or,
// for programs rather than people, as its dump() does, without blanks. Only what is open is
// held, so a document of any size takes no memory of its size.
class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out, bool indented = true);
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;
  ~JsonWriter();  // writes what is pending

  void beginObject();
  void beginArray();
  void end();                                // of the innermost open object or array
  JsonWriter& key(const std::string& name);  // in an object, before each value

  // A whole value, small enough to hold (nlohmann's own dump of it, indented to fit).
  void value(const nlohmann::ordered_json& whole);
  void string(const std::string& text);  // bytes that are not UTF-8 become U+FFFD
  void integer(long long number);
  // A number written as `text`, which must be a JSON number: any decimal, exactly.
  void number(const std::string& text);
  // A string whose ASCII characters `write` puts on the stream it is given, escaped as they pass.
  void streamedString(const std::function<void(std::ostream&)>& write);

 private:
  static constexpr std::size_t FLUSH_AT = 1 << 16;

  void beforeValue();
  void newLine();  // and the indentation of the level
  void flush();    // hands what is pending to the stream's buffer

  struct Level {
    bool object;
    bool empty = true;
  };

  std::ostream& out;
  bool indented;
  std::string pending;  // written out every FLUSH_AT characters or so
  std::vector<Level> open;
  bool afterKey = false;
};
