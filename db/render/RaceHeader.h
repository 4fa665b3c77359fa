// The race fields that the race-card record (RACEDREC) and the results
// record (RACERMREC) share: the race code and meeting, the name and
// conditions, the course, the prize money and the reference times. Both
// layouts give these fields the same names, so one routine fills either.
//
// A renderer selects kRaceHeaderColumns first, from kRaceHeaderFrom (race
// r, meeting m, reference-time slots t1 to t3), and its own columns after
// them, from column kRaceHeaderColumnCount on:
//
//   static const std::string sql = std::string("SELECT ") + kRaceHeaderColumns +
//       ", r.forecast_time FROM " + kRaceHeaderFrom + " WHERE ...";
#ifndef YDB_RENDER_RACEHEADER_H_
#define YDB_RENDER_RACEHEADER_H_

#include "db/layout/RecordLayout.h"
#include "db/render/RecordBuilder.h"
#include "db/store/Statement.h"

namespace ydb {

extern const char* const kRaceHeaderColumns;
extern const char* const kRaceHeaderFrom;

// Columns of the race header, in the order of kRaceHeaderColumns.
enum RaceHeaderColumn : int {
  kRacePlace,
  kRaceDate,
  kRaceNumber,
  kRaceKai,
  kRaceKaiDay,
  kRaceEdition,
  kRaceName,
  kRaceGrade,
  kRaceConditionText,
  kRaceWeightRule1,
  kRaceWeightRule2,
  kRaceKind,
  kRaceClassCode,
  kRaceTrack,
  kRaceDirection,
  kRaceInnerOuter,
  kRaceRail,
  kRaceDistance,
  kRaceRunnerCount,
  kRaceSymbolCode,
  kRacePace,
  kRacePrize,  // five columns: prize_1 to prize_5
  kRaceReferenceTimes = kRacePrize + 5,  // three slots of kReferenceTimeColumns
};

// The columns of one reference-time slot, from its first column.
enum ReferenceTimeColumn : int {
  kRefKind,  // slot 1 only
  kRefDate,
  kRefTime,  // tenths of a second
  kRefHorseName,
  kRefWeightCarried,  // tenths of a kilogram
  kRefJockeyName,
  kRefPlace,  // slots 2 and 3 only
  kReferenceTimeColumns,
};

constexpr int kRaceHeaderColumnCount = kRaceReferenceTimes + 3 * kReferenceTimeColumns;

// Column `part` of reference-time slot `slot` (0 to 2).
constexpr int ReferenceColumn(int slot, ReferenceTimeColumn part) {
  return kRaceReferenceTimes + slot * kReferenceTimeColumns + part;
}

// The shared fields, found once in one of the two layouts.
struct RaceHeaderFields {
  explicit RaceHeaderFields(const RecordLayout& layout);

  const Field& race_code;
  const Field& year;
  const Field& kai;
  const Field& day;
  const Field& edition;
  const Field& race_name;
  const Field& grade;
  const Field& supplementary_conditions;
  const Field& weight_rule_1;
  const Field& weight_rule_2;
  const Field& race_kind;
  const Field& conditions;
  const Field& track;
  const Field& direction;
  const Field& inner_outer;
  const Field& course;
  const Field& distance;
  const Field& runner_count;
  const Field& code_text;
  const Field& pace;
  const Field& prize;
  const Field& first_ref_date;
  const Field& first_ref_time;
  const Field& first_ref_horse_name;
  const Field& first_ref_weight_kg;
  const Field& first_ref_weight_tenths;
  const Field& first_ref_jockey_name;
  const Field& later_ref_date;
  const Field& later_ref_horse_name;
  const Field& later_ref_weight_kg;
  const Field& later_ref_jockey_name;
  const Field& later_ref_place_code;
};

// Fills every shared field from the row. Reference-time fields whose form
// differs between the two records (the first slot's kind, the times and
// weight tenths of the later slots) are left to the renderer.
void SetRaceHeader(RecordBuilder& b, const RaceHeaderFields& f, const Statement& row);

}  // namespace ydb

#endif  // YDB_RENDER_RACEHEADER_H_
