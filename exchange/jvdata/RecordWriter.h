// Writing one JV-Data record: a record of its type's length, blank but for
// the header (type, data stage, creation date) and the fields set, ending
// CR LF. Texts are cut at a Shift_JIS character boundary where their field
// ends; numbers are zero-padded digits.
//
//   jvdata::RecordWriter w("KS", 4173, '1', 20240108);
//   w.digits(11, 5, 1001);
//   w.text(41, 34, jockey.name);
//   out << w.record();
#ifndef YDB_EXCHANGE_JVDATA_RECORDWRITER_H_
#define YDB_EXCHANGE_JVDATA_RECORDWRITER_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/jvdata/Record.h"

namespace exchange {
namespace jvdata {

class RecordWriter {
 public:
  // A record of `type` (two letters), `length` bytes with its CR LF, made
  // at data stage `stage` on `created` (YYYYMMDD).
  RecordWriter(std::string_view type, int length, char stage, int created);

  // The UTF-8 text in Shift_JIS at `offset`, cut to `width` bytes at a
  // character boundary and padded with blanks; a character Shift_JIS cannot
  // write becomes the full-width question mark.
  void text(int offset, int width, std::string_view utf8);

  // `value` as `width` digits, zero-padded; a negative value, or one too
  // wide, leaves the field blank.
  void digits(int offset, int width, std::int64_t value);

  // ASCII bytes as they are (a code), cut to `width`.
  void code(int offset, int width, std::string_view ascii);

  // The same, at a field of a layout.
  void text(const Field& f, std::string_view utf8) { text(f.offset, f.width, utf8); }
  void digits(const Field& f, std::int64_t value) { digits(f.offset, f.width, value); }
  void code(const Field& f, std::string_view ascii) { code(f.offset, f.width, ascii); }

  // The record, CR LF included.
  const std::string& record() const { return bytes_; }

 private:
  void put(int offset, int width, std::string_view bytes);

  std::string bytes_;
};

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_RECORDWRITER_H_
