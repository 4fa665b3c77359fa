// Binding the columns of a record of a column table (db/base/Columns.h) to
// the statement of store/TableRows.h, so that the writer's binds follow the
// table: a column is bound by its form, empty codes and dates as NULL,
// texts as given, an empty short name as the name cut to fit, a name's
// search key as searches compare the name.
#ifndef YDB_WRITE_TABLEBIND_H_
#define YDB_WRITE_TABLEBIND_H_

#include <cstddef>
#include <string>

#include "db/base/Columns.h"
#include "db/store/Statement.h"
#include "db/store/TableRows.h"
#include "db/write/Bind.h"
#include "db/write/Validation.h"
#include "text/sjis.h"

namespace ydb {

// Binds every column of `record` by its form, the first to parameter `first`.
template <typename R>
void BindColumns(Statement& st, int first, const Table<R>& table, const R& record) {
  int index = first;
  for (const Column<R>& c : table.columns) {
    switch (c.form) {
      case Form::kText: st.bind(index, record.*c.text); break;
      case Form::kShortText: {
        const std::string& value = record.*c.text;
        if (value.empty()) {
          st.bind(index, ShortForm(record.*c.source, static_cast<std::size_t>(c.width)));
        } else {
          st.bind(index, value);
        }
        break;
      }
      case Form::kDigits:
      case Form::kChoice:
      case Form::kCode: BindText(st, index, record.*c.text); break;
      case Form::kDate:
      case Form::kYear: BindNumber(st, index, record.*c.number); break;
      case Form::kFlag: st.bind(index, record.*c.flag ? 1 : 0); break;
      case Form::kCopy: BindText(st, index, c.copy_of(record)); break;
      case Form::kSearchKey: BindText(st, index, ytext::search_key_utf8(record.*c.source)); break;
    }
    ++index;
  }
}

}  // namespace ydb

#endif  // YDB_WRITE_TABLEBIND_H_
