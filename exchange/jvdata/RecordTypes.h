// The record types of JV-Data files the importer knows: JRA-VAN's fixed-width
// Shift_JIS records, one a line, each opening with a two-letter type. A
// type is known by its lengths (a record's bytes with its CR LF): a layout
// that changed over the years has a length for each form.
#ifndef YDB_EXCHANGE_JVDATA_RECORDTYPES_H_
#define YDB_EXCHANGE_JVDATA_RECORDTYPES_H_

#include <string_view>
#include <vector>

namespace exchange {
namespace jvdata {

// What an import does with records of a type.
enum class Handling {
  kRead,     // read into the data set
  kCounted,  // counted and skipped: pools the data set does not hold
};

struct RecordType {
  const char* id;            // "RA"
  const char* meaning;       // "race details"
  Handling handling;
  std::vector<int> lengths;  // of each form, the current form first
};

// Every known type, in the order the summary of an import lists them.
const std::vector<RecordType>& RecordTypes();

// The type `id`; null when it is not known.
const RecordType* FindRecordType(std::string_view id);

// The form of a record of `type` that is `length` bytes long, with its CR
// LF: 0 the current form, 1 the one before; -1 for a length of no form.
int FormOf(const RecordType& type, int length);

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_RECORDTYPES_H_
