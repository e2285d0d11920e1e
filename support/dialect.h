#pragma once

// Which language a program is read in: the classic one, whose LOOP counts are n or a whole
// number, or the extended one, whose counts are sums of products of whole numbers, n and the
// indices of the LOOPs around them, or ranges "i = a TO b" that bind an index.
enum class Dialect { classic, extended };
