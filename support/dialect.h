#pragma once

#include <map>
#include <string>

// Which language a program is read in: the classic one, whose LOOP counts are n or a whole
// number, or the extended one, whose counts are sums of products of whole numbers, n and the
// indices of the LOOPs around them, or ranges "i = a TO b" that bind an index.
enum class Dialect { classic, extended };

// The dialects by the names the command line and the editors' settings give them.
inline const std::map<std::string, Dialect>& dialectNames() {
  static const std::map<std::string, Dialect> names = {{"classic", Dialect::classic},
                                                       {"extended", Dialect::extended}};
  return names;
}
