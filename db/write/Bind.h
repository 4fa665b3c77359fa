// Binding the model's "none" values: an empty code or text, a zero that
// means "not known", an empty optional all become SQL NULL.
#ifndef YDB_WRITE_BIND_H_
#define YDB_WRITE_BIND_H_

#include <cstdint>
#include <optional>
#include <string>

#include "db/base/Status.h"
#include "db/store/Statement.h"

namespace ydb {

inline void BindText(Statement& st, int index, const std::string& value) {
  if (value.empty()) {
    st.bind_null(index);
  } else {
    st.bind(index, value);
  }
}

inline void BindNumber(Statement& st, int index, std::int64_t value) {
  if (value == 0) {
    st.bind_null(index);
  } else {
    st.bind(index, value);
  }
}

inline void BindOptional(Statement& st, int index, const std::optional<int>& value) {
  if (value) {
    st.bind(index, *value);
  } else {
    st.bind_null(index);
  }
}

// `status` with `what` in front of its message; ok stays ok.
inline Status Context(const std::string& what, const Status& status) {
  return status.Within(what);
}

}  // namespace ydb

#endif  // YDB_WRITE_BIND_H_
