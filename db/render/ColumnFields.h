// Copying the columns of a store row into record fields (found once with
// FieldOf). A NULL column leaves its field blank (absent), as do an empty
// text and an empty code; anything else is written in the field's form,
// and a value the field cannot hold is kept by the builder's status.
#ifndef YDB_RENDER_COLUMNFIELDS_H_
#define YDB_RENDER_COLUMNFIELDS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "db/render/RecordBuilder.h"
#include "db/store/Statement.h"

namespace ydb {

inline void DigitsFrom(RecordBuilder& b, const Field& field, const Statement& row, int column,
                       std::size_t index = 0) {
  if (!row.column_is_null(column)) b.set_digits(field, row.column_int(column), index);
}

inline void SignedFrom(RecordBuilder& b, const Field& field, const Statement& row, int column,
                       std::size_t index = 0) {
  if (!row.column_is_null(column)) b.set_signed(field, row.column_int(column), index);
}

inline void CodeFrom(RecordBuilder& b, const Field& field, const Statement& row, int column,
                     std::size_t index = 0) {
  const std::string_view code = row.column_text(column);
  if (!code.empty()) b.set_code(field, code, index);
}

inline void TextFrom(RecordBuilder& b, const Field& field, const Statement& row, int column,
                     std::size_t index = 0) {
  const std::string_view text = row.column_text(column);
  if (!text.empty()) b.set_text_utf8(field, text, index);
}

// A class code (5 characters, "05000" or "-0005") in a field that the
// client reads as digits: written as it is.
inline void ClassCodeFrom(RecordBuilder& b, const Field& field, const Statement& row,
                          int column) {
  const std::string_view code = row.column_text(column);
  if (!code.empty()) b.set_raw(field, code);
}

// A race code from three columns from `first`: place, date, race number
// (as "05", 20240106, 11 make "052024010611").
inline void RaceCodeFrom(RecordBuilder& b, const Field& field, const Statement& row, int first) {
  std::string code(row.column_text(first));
  const std::string date = std::to_string(row.column_int(first + 1));
  const std::int64_t number = row.column_int(first + 2);
  code += date;
  code += static_cast<char>('0' + number / 10 % 10);
  code += static_cast<char>('0' + number % 10);
  b.set_code(field, code);
}

// A time of tenths of a second as the records write it: minutes 1,
// seconds 2, tenths 1 (945 is 1345).
inline std::int64_t MinutesSecondsTenths(std::int64_t tenths) {
  return tenths / 600 * 1000 + tenths % 600;
}

}  // namespace ydb

#endif  // YDB_RENDER_COLUMNFIELDS_H_
