// Reading files of JV-Data records one record at a time, so that a file of
// any size streams through in bounded memory. Records are dispatched on
// their type and length: a record of a known type and length goes to the
// visitor with its form, one of an unknown type is counted and skipped,
// and one of a known type but no known length is refused.
//
//   jvdata::ReadSummary summary;
//   ydb::Status s = jvdata::ReadFile("RA2024.txt",
//       [&](const jvdata::Record& r, const jvdata::RecordType& type, int form) {
//         return apply(r, type, form);
//       }, &summary);
#ifndef YDB_EXCHANGE_JVDATA_FILEREADER_H_
#define YDB_EXCHANGE_JVDATA_FILEREADER_H_

#include <cstdint>
#include <functional>
#include <istream>
#include <map>
#include <string>

#include "db/base/Status.h"
#include "exchange/jvdata/Record.h"
#include "exchange/jvdata/RecordTypes.h"

namespace exchange {
namespace jvdata {

// What a reading met, added to over several files.
struct ReadSummary {
  std::map<std::string, std::int64_t> by_type;  // records of each known type
  std::int64_t unknown = 0;                     // records of unknown types, skipped
  std::int64_t bytes = 0;                       // bytes read, line ends included
  std::int64_t line = 0;  // the number of the line being read, in its file
};

// Takes one record of a known type and length, with its form (0 the
// current form of the type, 1 the one before). A failed Status stops the
// reading.
using Visitor = std::function<ydb::Status(const Record& record, const RecordType& type, int form)>;

// Reads the records of `in`, one a line, each ending CR LF; `name` names
// the input in messages. Refused with the name, the line number and what
// is wrong: a record shorter than the 11 bytes every record opens with, a
// line that does not end in CR LF (a record cut short), a known type of a
// length no form of it has (its type and length said). A visitor's
// failure is returned with the name and line put before its message.
// Records before the one refused have been visited.
ydb::Status ReadRecords(std::istream& in, const std::string& name, const Visitor& visit,
                        ReadSummary* summary);

// ReadRecords on the file at `path`; a file that cannot be opened is
// refused.
ydb::Status ReadFile(const std::string& path, const Visitor& visit, ReadSummary* summary);

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_FILEREADER_H_
