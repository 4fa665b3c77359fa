// The offset constants of the records the library reads, made from one list
// per record type.
//
// Each *Rec.h header lists the fields the library reads as X(constant,
// value) in a macro named after its record type (YDBCLN_RACEDHREC_FIELDS
// for RACEDHREC) and expands it with YDBCLN_RECORD_CONSTANT inside the
// namespace of that name in lower case (racedhrec). A constant's name says
// what it is, in the layout registry's own names (db/layout/Layouts.h):
//
//   kSize        the record's size
//   kHorseName   the offset of field horse_name (of its first occurrence)
//   kHorseNameWidth, kPrizeStride, kPrizeCount
//                the width, stride and count of field horse_name, prize
//                (unless the whole name is a field: kRunnerCount is the
//                offset of runner_count)
//
// Upper-case letters and runs of digits start words: kWeightRule1 is
// weight_rule_1, kLast600 last_600. RecordConstants_test.cpp checks every
// entry of every list against the registry.
#ifndef YDBCLN_RACE_RECORDCONSTANTS_H_
#define YDBCLN_RACE_RECORDCONSTANTS_H_

#define YDBCLN_RECORD_CONSTANT(name, value) constexpr int name = value;

// Within a race code (place code 2, date YYYYMMDD 8, race number 2), where
// a record reads it.
namespace racecode {
constexpr int kDate = 2;
constexpr int kRaceNumber = 10;
}  // namespace racecode

#endif  // YDBCLN_RACE_RECORDCONSTANTS_H_
