// The people's JV-Data records and the data model: a jockey (KS), a trainer
// (CH), an owner (BN) and a breeder (BR), each written from the model and
// read back into it.
//
// What the records carry comes back as written, with these exceptions: a
// kana reading is cut to the record's 30 bytes; a trainer of 美浦 comes
// back as 美浦南 (the records do not tell 南 from 北) and without a place
// off the centres; an owner's and a breeder's short name are not carried
// (the writer cuts the name again); a year first licensed is written as the
// year of the licence's date with month and day 00.
#ifndef YDB_EXCHANGE_JVDATA_PEOPLE_H_
#define YDB_EXCHANGE_JVDATA_PEOPLE_H_

#include <string>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "exchange/jvdata/Record.h"

namespace exchange {
namespace jvdata {

// The record of each, made at data stage 1 on `created` (YYYYMMDD), its
// CR LF included.
std::string JockeyRecord(const ydb::Jockey& jockey, int created);
std::string TrainerRecord(const ydb::Trainer& trainer, int created);
std::string OwnerRecord(const ydb::Owner& owner, int created);
std::string BreederRecord(const ydb::Breeder& breeder, int created);

// A record of form `form` (FormOf) read into *out. Refused, naming the
// field: a code that is not digits, a date or number that is not digits, a
// name that is not Shift_JIS, a code outside its choices. An owner's record
// of the form before June 2003 (413 bytes) and a breeder's of the form used
// from June 2003 to August 2023 (537 bytes) are refused as not supported:
// their layouts are not known here. The writer checks the rest.
ydb::Status ReadJockey(const Record& record, int form, ydb::Jockey* out);
ydb::Status ReadTrainer(const Record& record, int form, ydb::Trainer* out);
ydb::Status ReadOwner(const Record& record, int form, ydb::Owner* out);
ydb::Status ReadBreeder(const Record& record, int form, ydb::Breeder* out);

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_PEOPLE_H_
