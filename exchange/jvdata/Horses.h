// The horse records of JV-Data and the data model: a horse (UM) with its
// pedigree, a breeding horse (HN) and a foal (SK), each read from both of
// its forms (the current one, and the one before 2023-08 that had 8-digit
// breeding numbers and, in SK, a 6-digit breeder code); UM and HN are also
// written.
//
// A pedigree names its ancestors by their breeding registration numbers
// (繁殖登録番号), which the data set does not keep: an HN gives an
// ancestor's horse code, its names, its birth year, coat and origin
// (NameAncestor). An export numbers each ancestor that is a horse of the
// data set by its 10-digit horse code, and writes an HN for it.
//
// A breeding number of the older form is written with two zeros before
// its eight digits; the import takes it as it stands, so files of one form
// name their breeding horses alike. A breeder code of the older UM and SK
// (6 digits) is the data set's 8-digit code with two zeros before it.
//
// A UM's ancestor has one name field: a name in Latin letters only is read
// as the ancestor's Latin name, any other as its Japanese name, and the
// Japanese name is written, or the Latin one when it has none. The horse's
// Latin name is 60 bytes, its birthplace, aptitudes and skills are not
// carried.
#ifndef YDB_EXCHANGE_JVDATA_HORSES_H_
#define YDB_EXCHANGE_JVDATA_HORSES_H_

#include <array>
#include <string>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "exchange/jvdata/Record.h"

namespace exchange {
namespace jvdata {

// The breeding numbers of a pedigree's fourteen positions (an empty one
// not given), in the order of ydb::PedigreePosition.
using BreedingNumbers = std::array<std::string, ydb::kPedigreeSize>;

// A UM as read: the horse, its ancestors' breeding numbers, and the names
// it gives of its trainer (short), breeder and owner, for the people that
// are neither in the files nor in the data set.
struct HorseRecord {
  ydb::Horse horse;
  BreedingNumbers breeding;
  std::string trainer_name, breeder_name, owner_name;
};

// An HN as read.
struct BreedingHorse {
  std::string number;       // 10 digits (8 in the older form)
  std::string horse_code;   // the data set's 7-digit code; empty when it has none
  std::string name, name_latin;
  int birth_year = 0;       // 0: not known
  std::string sex;          // the data set's sex code; empty: not known
  std::string breed_code, coat_code;
  bool foaled_in_japan = true;  // 持込区分 0 内国産 and 1 持込; 2 and 3 were imported
};

// An SK as read: a horse's birth, sex, breed, coat, breeder and pedigree.
struct Foal {
  std::string horse_code;
  int birth_date = 0;
  std::string sex, breed_code, coat_code;
  std::string breeder_code;  // 8 digits (the older form's 6 with two zeros before them)
  BreedingNumbers breeding;
};

// A record of form `form` (FormOf) read into *out. Refused, naming the
// field: a horse code that is not 10 digits of register 1, a code or date
// that is not digits, a name that is not Shift_JIS, a code outside its
// table.
ydb::Status ReadHorse(const Record& record, int form, HorseRecord* out);
ydb::Status ReadBreedingHorse(const Record& record, int form, BreedingHorse* out);
ydb::Status ReadFoal(const Record& record, int form, Foal* out);

// The UM of `x` and the HN of `b`, at data stage 1 on `created`, CR LF
// included.
std::string HorseRecordOf(const HorseRecord& x, int created);
std::string BreedingHorseRecord(const BreedingHorse& b, int created);

// The breeding number an export gives the ancestor of the data set
// `horse_code`, and the HN it writes for the ancestor `a` of sex `sex`.
std::string BreedingNumberOf(const std::string& horse_code);
BreedingHorse BreedingHorseOf(const ydb::Ancestor& a, const std::string& sex);

// Fills what `b` knows and *a lacks: the code, the Japanese name, the Latin
// name, the origin; a parent's (`parent`) birth year and coat.
void NameAncestor(const BreedingHorse& b, bool parent, ydb::Ancestor* a);

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_HORSES_H_
