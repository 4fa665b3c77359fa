// The fields of a JV-Data layout, and reading them out of a record with the
// first fault kept: every reader of a record type names its fields once, as
// a table of Field constants, and reads them through a FieldReader, so that
// a refusal says the type, the field and the value ("SE Umaban 'x1' is not
// digits").
#ifndef YDB_EXCHANGE_JVDATA_FIELDREADER_H_
#define YDB_EXCHANGE_JVDATA_FIELDREADER_H_

#include <cstdint>
#include <string>

#include "db/base/Status.h"
#include "exchange/jvdata/Record.h"

namespace exchange {
namespace jvdata {

// Reads the fields of one record, keeping the first fault; the values read
// after a fault are blanks and zeros.
class FieldReader {
 public:
  FieldReader(const Record& record, const char* type) : record_(record), type_(type) {}

  // A text in Shift_JIS, decoded into UTF-8 with its padding taken off.
  std::string text(const Field& f);

  // A code of digits as it stands; blank or all zeros is empty.
  std::string code(const Field& f);

  // A number of digits; blank is 0.
  std::int64_t number(const Field& f);

  // Whether the field holds anything but blanks.
  bool present(const Field& f) const;

  // One character of `choices`, or a blank (returned as ' ').
  char choice(const Field& f, const char* choices);

  // The field's bytes as they stand (a code of letters and digits).
  std::string raw(const Field& f) const { return std::string(record_.field(f.offset, f.width)); }

  // Records a fault of the field: "<type> <field> <what>".
  void fail(const Field& f, const std::string& what);

  const ydb::Status& status() const { return status_; }

 private:
  const Record& record_;
  const char* type_;
  ydb::Status status_;
};

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_FIELDREADER_H_
