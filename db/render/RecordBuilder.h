// Writing and reading one fixed-width record through its layout.
//
// A RecordBuilder is placed on the bytes of one record and first empties it:
// blanks everywhere, zeros in binary fields, so a field that is never set
// reads as absent. Each setter then writes one field (one occurrence of a
// repeated field, chosen by `index`) in that field's form:
//
//   RecordBuilder b(record, RaceListLayout());
//   b.set_digits("date", 20020105);
//   b.set_code("venue_place_code", "05", 0);
//   b.set_text_utf8("venue_main_race_name", name, 0);
//   if (!b.status().ok()) ...
//
// A setter that cannot write its value (unknown field, wrong form, index
// out of range, a value that does not fit) leaves the record unchanged and
// returns an error, which status() also keeps (the first one) so that a
// renderer can check once after setting every field. Nothing is ever
// written outside the field named.
//
// A renderer that writes many records finds its fields once instead of by
// name on every set, and passes the Field itself:
//
//   static const Field& date = FieldOf(RaceListLayout(), "date");
//   b.set_digits(date, 20020105);
//
// RecordReader reads fields back by name, for tests and for code of the
// component that inspects a record it has built.
#ifndef YDB_RENDER_RECORDBUILDER_H_
#define YDB_RENDER_RECORDBUILDER_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "db/base/Status.h"
#include "db/layout/RecordLayout.h"

namespace ydb {

class RecordBuilder {
 public:
  // `record` must hold layout.size() bytes; both must outlive the builder.
  RecordBuilder(void* record, const RecordLayout& layout);

  RecordBuilder(const RecordBuilder&) = delete;
  RecordBuilder& operator=(const RecordBuilder&) = delete;

  // A digit field: `value` zero-padded to the field's width. A negative
  // value, or one with more digits than the width, is refused.
  Status set_digits(std::string_view field, std::int64_t value, std::size_t index = 0);

  // A signed field: '+' (for zero too) or '-', then the magnitude
  // zero-padded to the rest of the width.
  Status set_signed(std::string_view field, std::int64_t value, std::size_t index = 0);

  // A text field from UTF-8: converted to Shift_JIS (a character without a
  // Shift_JIS form becomes "？"), cut at a character boundary to the width
  // and padded with blanks. A double-byte character that would straddle
  // the end is left out. Cutting a long text is the field's form, not an
  // error.
  Status set_text_utf8(std::string_view field, std::string_view utf8, std::size_t index = 0);

  // A text field from Shift_JIS bytes, cut and padded as above.
  Status set_text_sjis(std::string_view field, std::string_view sjis, std::size_t index = 0);

  // A code field: printable ASCII characters, blank-padded. A code longer
  // than the field, or holding other bytes, is refused.
  Status set_code(std::string_view field, std::string_view code, std::size_t index = 0);

  // A field that holds no value but says why: `mark` in its first byte and
  // blanks after it (the '/' of a scratched horse's odds, the NUL that
  // marks an absent venue). Any form but binary.
  Status set_marker(std::string_view field, char mark, std::size_t index = 0);

  // Exactly the field's width of bytes, written unchanged. Any form.
  Status set_raw(std::string_view field, std::string_view bytes, std::size_t index = 0);

  // A binary field of 1, 2, 4 or 8 bytes: `value` little-endian in two's
  // complement. A value outside the signed range of the width is refused.
  Status set_int(std::string_view field, std::int64_t value, std::size_t index = 0);

  // The same setters for a field found beforehand (FieldOf). A field of
  // another layout is refused.
  Status set_digits(const Field& field, std::int64_t value, std::size_t index = 0);
  Status set_signed(const Field& field, std::int64_t value, std::size_t index = 0);
  Status set_text_utf8(const Field& field, std::string_view utf8, std::size_t index = 0);
  Status set_text_sjis(const Field& field, std::string_view sjis, std::size_t index = 0);
  Status set_code(const Field& field, std::string_view code, std::size_t index = 0);
  Status set_marker(const Field& field, char mark, std::size_t index = 0);
  Status set_raw(const Field& field, std::string_view bytes, std::size_t index = 0);
  Status set_int(const Field& field, std::int64_t value, std::size_t index = 0);

  // The first failure of any setter so far; ok when there was none.
  const Status& status() const { return status_; }

 private:
  // The field called `name`, or null after recording the failure in
  // *error.
  const Field* Find(std::string_view name, Status* error);
  // The bytes of occurrence `index` of `field` if it is a field of this
  // layout with one of the forms allowed by `forms` (a bit per
  // FieldForm); else records and returns the failure in *error.
  unsigned char* Locate(const Field& field, std::size_t index, unsigned forms, Status* error);
  Status Fail(Status error);

  unsigned char* record_;
  const RecordLayout& layout_;
  Status status_;
};

// The field called `name` of `layout`, to be found once and kept (in a
// static) by a renderer. When the layout has none, a field of no layout,
// which every setter refuses.
const Field& FieldOf(const RecordLayout& layout, std::string_view name);

class RecordReader {
 public:
  // `record` must hold layout.size() bytes; both must outlive the reader.
  RecordReader(const void* record, const RecordLayout& layout);

  // The bytes of a field occurrence; empty for an unknown field or index.
  std::string_view bytes(std::string_view field, std::size_t index = 0) const;

  // True when the occurrence exists and its first byte is a blank.
  bool blank(std::string_view field, std::size_t index = 0) const;

  // The value of a digit or signed field; none when the field is unknown,
  // blank, or holds anything but its form.
  std::optional<std::int64_t> number(std::string_view field, std::size_t index = 0) const;

  // A text or code field without its trailing blanks, as stored.
  std::string trimmed(std::string_view field, std::size_t index = 0) const;

  // A text field without its trailing blanks, converted to UTF-8.
  std::string text_utf8(std::string_view field, std::size_t index = 0) const;

  // The signed little-endian value of a binary field of 1, 2, 4 or 8
  // bytes; none otherwise.
  std::optional<std::int64_t> integer(std::string_view field, std::size_t index = 0) const;

 private:
  const Field* Find(std::string_view field, std::size_t index) const;

  const unsigned char* record_;
  const RecordLayout& layout_;
};

}  // namespace ydb

#endif  // YDB_RENDER_RECORDBUILDER_H_
