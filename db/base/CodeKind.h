// The kinds of code a record carries that have a table of display texts
// (db/codes/CodeTables.h holds the tables): named here, below the tables, so
// that the column tables can say which table a column's codes come from.
#ifndef YDB_BASE_CODEKIND_H_
#define YDB_BASE_CODEKIND_H_

namespace ydb {

// The kinds, numbered as get_ccode2val and get_ncode2val take them.
enum CodeKind {
  kBreedCode = 0,
  kWeightRuleCode = 1,
  kCoatColourCode = 2,
  kHorseMarkCode = 3,
  kRaceClassCode = 4,
  kPlaceCode = 5,
  kBirthplaceCode = 6,
};
constexpr int kCodeKindCount = 7;

}  // namespace ydb

#endif  // YDB_BASE_CODEKIND_H_
