// Private helpers of the YUtil sources: display-text tables written in UTF-8
// and converted to Shift_JIS once, and their lookup by a code character.
#ifndef YDBCLN_SESSION_YUTIL_TABLES_H_
#define YDBCLN_SESSION_YUTIL_TABLES_H_

#include <array>
#include <cstddef>
#include <string>

#include "text/sjis.h"

namespace yutil {

// The Shift_JIS form of each UTF-8 text; meant for function-local statics so
// that a table is converted on first use only.
template <std::size_t N>
std::array<std::string, N> sjis_table(const char* const (&utf8)[N]) {
  std::array<std::string, N> table;
  for (std::size_t i = 0; i < N; ++i) table[i] = ytext::to_sjis_lossy(utf8[i]);
  return table;
}

// The entry for `code` of a table whose first entry is for `first`; empty
// for a code outside the table.
template <std::size_t N>
std::string lookup(const std::array<std::string, N>& table, unsigned char code,
                   unsigned char first) {
  if (code < first || static_cast<std::size_t>(code - first) >= N) return std::string();
  return table[static_cast<std::size_t>(code - first)];
}

inline bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }

}  // namespace yutil

#endif  // YDBCLN_SESSION_YUTIL_TABLES_H_
