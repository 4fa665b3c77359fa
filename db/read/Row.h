// Reading the columns of a result row into the model's values: the inverse
// of write/Bind.h, where NULL stands for an empty code or text, a zero that
// means "not known", or an empty optional.
#ifndef YDB_READ_ROW_H_
#define YDB_READ_ROW_H_

#include <cstdint>
#include <optional>
#include <string>

#include "db/base/Status.h"
#include "db/store/Statement.h"

namespace ydb {

inline std::string TextAt(const Statement& st, int column) {
  return std::string(st.column_text(column));  // NULL reads as empty
}

inline int IntAt(const Statement& st, int column) {
  return static_cast<int>(st.column_int(column));  // NULL reads as 0
}

inline std::int64_t Int64At(const Statement& st, int column) { return st.column_int(column); }

inline std::optional<int> OptionalAt(const Statement& st, int column) {
  if (st.column_is_null(column)) return std::nullopt;
  return IntAt(st, column);
}

}  // namespace ydb

#endif  // YDB_READ_ROW_H_
