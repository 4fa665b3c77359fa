// JRA's own place codes and this data set's. JRA's record files and most
// published results number the ten racecourses from the north (01 札幌 ...
// 10 小倉), the local (NAR) courses 30 to 61, and races abroad by country
// (a letter and a digit: A8 France); the data set's code table numbers
// the racecourses from 00 京都 and courses abroad one by one. This is the
// one table between the two; every importer of outside data reads place
// codes through it, and the JV-Data exporter writes them through it.
//
//   std::string place;
//   ydb::Status s = exchange::PlaceOfJraCode("05", &place);  // place == "04", 東京
#ifndef YDB_EXCHANGE_JRAPLACES_H_
#define YDB_EXCHANGE_JRAPLACES_H_

#include <string>
#include <string_view>
#include <vector>

#include "db/base/Status.h"

namespace exchange {

// One row of the table: a JRA code and the data set's place code it stands
// for. A country abroad has a row for each of its courses in the code
// table; a local meeting at a JRA racecourse (58 札幌 ... 61 中京) is that
// racecourse.
struct JraPlace {
  const char* jra;    // JRA's code: two digits, or a letter and a digit
  const char* place;  // the data set's place code, two digits
  const char* name;   // the course, as the code table names it
};

// Every row, JRA's racecourses first in JRA's order, then the local
// courses and the countries abroad.
const std::vector<JraPlace>& JraPlaces();

// The data set's place code of JRA's code `jra` into *place. Refused,
// saying why, when JRA's code is not in the table, or names a country with
// more than one course in the code table (which course is not known).
ydb::Status PlaceOfJraCode(std::string_view jra, std::string* place);

// JRA's code of the data set's place code `place` into *jra: a JRA
// racecourse its number, a local course its code, a course abroad its
// country's. Refused for a place the table lacks (a course in a country
// whose JRA code is not known here).
ydb::Status JraCodeOfPlace(std::string_view place, std::string* jra);

}  // namespace exchange

#endif  // YDB_EXCHANGE_JRAPLACES_H_
