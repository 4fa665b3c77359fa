// One JV-Data record, read by byte offset: its type, data stage and
// creation date, which every record opens with, and its fields cut out by
// offset and width before any decoding, so that a name in Shift_JIS never
// runs into the field after it.
//
//   jvdata::Record r(line);             // the line without its CR LF
//   if (r.type() == "KS") {
//     std::string name;
//     if (!r.text(41, 34, &name)) ...   // not Shift_JIS
//   }
//
// A Record views the bytes it was given; they must outlive it. Offsets
// count from 0, the first byte of the type. A field reaching past the end
// of a short record reads as blanks where the record has no bytes.
#ifndef YDB_EXCHANGE_JVDATA_RECORD_H_
#define YDB_EXCHANGE_JVDATA_RECORD_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace exchange {
namespace jvdata {

// A field of a layout: where it is (offset from the record's first byte),
// how wide, and its name in messages.
struct Field {
  int offset;
  int width;
  const char* name;

  // The `i`th of a run of fields of this width laid end to end (laps,
  // prizes, payouts), counting from 0.
  constexpr Field at(int i, int stride) const { return {offset + i * stride, width, name}; }
};

// The data stage (データ区分) that marks a record deleting what it names.
constexpr char kDeletionStage = '0';
// The data stage of a horse's or a person's record as made or changed.
constexpr char kMadeStage = '1';

class Record {
 public:
  explicit Record(std::string_view bytes) : bytes_(bytes) {}

  // The record type, the first two bytes ("RA").
  std::string_view type() const { return field(0, 2); }

  // The data stage, byte 2: how far the facts had come when the record was
  // made (entries, draw, results ...; kDeletionStage a deletion).
  char stage() const { return bytes_.size() > 2 ? bytes_[2] : ' '; }

  // The creation date, bytes 3-10, as YYYYMMDD; 0 when they are not eight
  // digits.
  int created() const;

  // The record's length as the layouts count it: its bytes and the CR LF.
  int length() const { return static_cast<int>(bytes_.size()) + 2; }

  // The bytes of the field at `offset`, `width` long, as far as the record
  // holds them.
  std::string_view field(int offset, int width) const;

  // A text field decoded from Shift_JIS (code page 932) into *utf8, with the
  // blanks that pad it (ASCII and full-width) taken from both ends. False,
  // with *utf8 empty, when its bytes are not Shift_JIS; a field of blanks
  // is the empty text.
  bool text(int offset, int width, std::string* utf8) const;

  // A number field of ASCII digits (blanks before them allowed).
  enum class Number {
    kValue,  // *value holds it
    kBlank,  // blanks only: absent; *value is 0
    kBad,    // anything else; *value is 0
  };
  Number number(int offset, int width, std::int64_t* value) const;

 private:
  std::string_view bytes_;
};

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_RECORD_H_
