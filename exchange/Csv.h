// CSV as the exchange files use it (RFC 4180): fields separated by commas;
// a field holding a comma, a quote or a line end is quoted, its quotes
// doubled. Files are UTF-8.
//
// Written: no byte-order mark, LF line ends, a field quoted only when it
// must be. Read: a UTF-8 byte-order mark is skipped, CRLF and LF line ends
// are both taken (a CRLF inside a quoted field reads as LF), and every row,
// the last one too, must end with a line end: a file whose last line has
// none has been cut short.
#ifndef YDB_EXCHANGE_CSV_H_
#define YDB_EXCHANGE_CSV_H_

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "db/base/Status.h"

namespace exchange {

// Appends one row to `out`: the fields, quoted where needed, and "\n".
void AppendCsvRow(const std::vector<std::string>& fields, std::string* out);

// Reads the rows of one file, one at a time.
//
//   CsvReader csv;
//   ydb::Status s = csv.open(path, "runners.csv");
//   std::vector<std::string> fields;
//   while (csv.next(&fields)) use(csv.line(), fields);
//   if (!csv.status().ok()) return csv.status();
class CsvReader {
 public:
  CsvReader() = default;
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  // Opens the file at `path`; `name` is how messages call it.
  ydb::Status open(const std::string& path, const std::string& name);

  // Reads the next row into `*fields`. False at the end of the file, and on
  // a fault, which status() then tells as "name line n: reason".
  bool next(std::vector<std::string>* fields);

  // The line the last row read began on, counted from 1.
  int line() const { return row_line_; }

  // Bytes of the file read so far.
  std::uint64_t offset() const { return offset_; }

  // Goes back or on to byte `offset`, the start of a row read before that
  // began on line `line`, so that next() reads that row again.
  ydb::Status seek(std::uint64_t offset, int line);

  const ydb::Status& status() const { return status_; }

  // A fault of the row last read, as "name line n: reason".
  ydb::Status fault(const std::string& reason) const;

 private:
  // The next byte of the file without taking it, or -1 at its end (or on a
  // read error, which is then in status_).
  int peek();
  // The next byte, taken; line ends are counted here.
  int get();
  bool fail(int line, const std::string& reason);

  std::ifstream in_;
  std::string name_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  std::uint64_t offset_ = 0;
  int current_line_ = 1;
  int row_line_ = 0;
  ydb::Status status_;
};

}  // namespace exchange

#endif  // YDB_EXCHANGE_CSV_H_
