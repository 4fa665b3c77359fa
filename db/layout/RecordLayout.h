// The layout of one fixed-width record type: its name, its size in bytes and
// its fields, each with an offset, a width, a form and a one-line meaning.
//
// Every record the database component hands to the client library is built
// from one of these tables (see Layouts.h for the registry), and the tests
// read the same tables, so an offset is written down in exactly one place.
//
// A field may repeat: `count` occurrences, `stride` bytes apart, the first at
// `offset` (the three venues of a race-list record, the eighteen win odds of
// an odds record, the twelve ancestors of a pedigree). Occurrences are
// addressed by an index from 0.
//
// Bytes that no field describes are gaps: the client library does not read
// them, and a built record holds blanks there.
#ifndef YDB_LAYOUT_RECORDLAYOUT_H_
#define YDB_LAYOUT_RECORDLAYOUT_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "db/base/Status.h"

namespace ydb {

// How the bytes of a field encode its value.
enum class FieldForm {
  kDigits,  // unsigned ASCII digits, zero-padded on the left
  kSigned,  // '+' or '-', then zero-padded ASCII digits
  kText,    // Shift_JIS text, blank-padded, cut at a character boundary
  kCode,    // ASCII code characters, blank-padded on the right
  kBinary,  // raw bytes; integers are little-endian two's complement
};

// The name of a form, for messages ("digits", "text", ...).
const char* FormName(FieldForm form);

struct Field {
  std::string_view name;     // identifier-like, unique within its layout
  std::size_t offset = 0;    // first byte of the first occurrence
  std::size_t width = 0;     // bytes of one occurrence
  FieldForm form = FieldForm::kCode;
  std::string_view meaning;  // one line, in the domain's words
  std::size_t count = 1;     // number of occurrences
  std::size_t stride = 0;    // bytes from one occurrence to the next
  // An alias is a second reading of bytes that other fields also describe
  // (a date read whole where others read its year, month and day). Aliases
  // may overlap other fields; no two plain fields may.
  bool alias = false;

  static Field Digits(std::string_view name, std::size_t offset, std::size_t width,
                      std::string_view meaning);
  static Field Signed(std::string_view name, std::size_t offset, std::size_t width,
                      std::string_view meaning);
  static Field Text(std::string_view name, std::size_t offset, std::size_t width,
                    std::string_view meaning);
  static Field Code(std::string_view name, std::size_t offset, std::size_t width,
                    std::string_view meaning);
  static Field Binary(std::string_view name, std::size_t offset, std::size_t width,
                      std::string_view meaning);

  // This field repeated `n` times, `step` bytes apart.
  Field Repeat(std::size_t n, std::size_t step) const;
  // This field marked as an alias.
  Field Alias() const;

  // Offset of occurrence `index`; the caller keeps index below count.
  std::size_t offset_at(std::size_t index) const { return offset + index * stride; }
  // One past the last byte of the last occurrence.
  std::size_t end() const { return count == 0 ? offset : offset_at(count - 1) + width; }
};

// A run of bytes of a record.
struct ByteRange {
  std::size_t offset;
  std::size_t width;
};

inline bool operator==(const ByteRange& a, const ByteRange& b) {
  return a.offset == b.offset && a.width == b.width;
}

class RecordLayout {
 public:
  // `name` is the record type's name without the "_tag" prefix
  // ("RACELISTREC"). The fields are kept in the order given.
  RecordLayout(std::string_view name, std::size_t size, std::vector<Field> fields);

  std::string_view name() const { return name_; }
  std::size_t size() const { return size_; }
  const std::vector<Field>& fields() const { return fields_; }

  // The field called `name`, or null when the layout has none.
  const Field* find(std::string_view name) const;

  // The byte runs that no field (alias or not) describes, in record order.
  std::vector<ByteRange> gaps() const;

  // The record with every field absent: blanks everywhere except the bytes
  // of binary fields, which are zero.
  const std::string& empty_image() const { return empty_image_; }

  // Ok when the table is sound: names are identifier-like and unique,
  // widths, counts and strides are sensible, every occurrence lies inside
  // the record, no two plain fields share a byte, and every alias shares
  // bytes with some plain field. Otherwise the first fault found.
  Status Check() const;

 private:
  std::string name_;
  std::size_t size_;
  std::vector<Field> fields_;
  std::vector<std::size_t> by_name_;  // indexes into fields_, sorted by name
  std::string empty_image_;
};

}  // namespace ydb

#endif  // YDB_LAYOUT_RECORDLAYOUT_H_
