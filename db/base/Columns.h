// The columns of the stored people and horses, each described once: for
// every table (owner, breeder, trainer, jockey, horse, pedigree, sire) its
// columns in the store's order, each with the member of the model that
// holds it, its form, and its width or choices.
//
// The writer's checks and binds, the reader's selects and the exchange
// files' columns all walk these tables, so a new column is one line here
// (and the schema's column). A column's name is the store's and the
// exchange file's; a fault names the model's member, which is the same
// name but for the ancestor's code.
//
//   for (const ydb::Column<ydb::Trainer>& c : ydb::TrainerTable().columns) {
//     if (c.form == ydb::Form::kDate) print(c.name, trainer.*c.number);
//   }
#ifndef YDB_BASE_COLUMNS_H_
#define YDB_BASE_COLUMNS_H_

#include <string>
#include <vector>

#include "db/base/CodeKind.h"
#include "db/base/model.h"

namespace ydb {

// Whether a value may be left empty: an empty code or text, or a 0 that
// means "not known". Empty values are stored as NULL but for texts, which
// are stored as given.
enum Presence { kOptional, kRequired };

// How a column holds its value.
enum class Form {
  kText,       // text of at most `width` bytes of Shift_JIS
  kShortText,  // as kText; empty is stored as the text of `source` cut to fit
  kDigits,     // exactly `width` ASCII digits
  kChoice,     // one character of `choices`
  kCode,       // a code of the table `table`, `width` digits
  kDate,       // YYYYMMDD
  kYear,       // a year, kFirstBirthYear to kLastBirthYear
  kFlag,       // a bool stored as 0 or 1
  kCopy,       // kept by the store as a copy of other data (`copy_of`): written,
               // never read back or exchanged
  kSearchKey,  // kept by the store as the text of `source` as searches compare
               // it (ytext::search_key_utf8), NULL when nothing is left of it:
               // written, never read back or exchanged
};

// The years a person, a horse or an ancestor may carry (birth, licence,
// death): older than the dates of the calendar.
constexpr int kFirstBirthYear = 1800;
constexpr int kLastBirthYear = 2099;

template <typename Record>
struct Column {
  const char* name;    // the store's and the exchange file's
  const char* member;  // the model's, as faults name it
  Form form;
  Presence presence = kOptional;
  std::string Record::*text = nullptr;    // the text and code forms
  int Record::*number = nullptr;          // kDate, kYear
  bool Record::*flag = nullptr;           // kFlag
  std::string Record::*source = nullptr;  // kShortText, kSearchKey
  const std::string& (*copy_of)(const Record&) = nullptr;  // kCopy
  int width = 0;
  const char* choices = "";               // kChoice
  CodeKind table = kBreedCode;            // kCode
};

template <typename Record>
struct Table {
  const char* name;  // the store's table
  // Key columns before the record's own, filled by each user of the table
  // (a pedigree row's horse and position).
  std::vector<const char*> keys;
  // The record's columns; without keys, the first is the record's code.
  std::vector<Column<Record>> columns;
};

const Table<Owner>& OwnerTable();
const Table<Breeder>& BreederTable();
const Table<Trainer>& TrainerTable();
const Table<Jockey>& JockeyTable();
const Table<Horse>& HorseTable();
// One ancestor of a horse, after the keys horse_code and position (1-14,
// a PedigreePosition plus one).
const Table<Ancestor>& PedigreeTable();
const Table<Sire>& SireTable();

}  // namespace ydb

#endif  // YDB_BASE_COLUMNS_H_
