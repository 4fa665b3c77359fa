// The graded races of the JRA year with their usual course, distance,
// conditions and date: the Japan Cup on the last Sunday of November, the
// Derby at the end of May and so on, each fixed to a weekend of the meeting
// plan counted from January or back from Christmas.
#ifndef YDB_WORLD_FAMOUSRACES_H_
#define YDB_WORLD_FAMOUSRACES_H_

#include <vector>

#include "world/Calendar.h"
#include "world/RaceTypes.h"

namespace world {

struct FamousRace {
  const char* name;
  int grade;            // 0 G1 ... 5 JG3
  int place;            // place index
  bool from_end;        // weekend counted back from the last one
  int weekend;
  int day;              // 0 Saturday, 1 Sunday, 2 first day of the weekend, 3 last day
  Surface surface;
  int distance;
  Band band;
  bool fillies;
  WeightRule rule;
  int prize;            // first prize in units of 10,000 yen
  int edition_2019;     // its edition number in 2019
  int runs_per_year;
  int number;           // race number on the card
  int upgraded;         // the year it took this grade; one grade lower before (0: always)
};

const std::vector<FamousRace>& FamousRaces();

// A famous race placed in a season: the day and the plan of its card entry.
struct ScheduledRace {
  int date;
  RacePlan plan;
};

// The famous races of a season with their dates and plans (field empty).
std::vector<ScheduledRace> ScheduleFamousRaces(const Season& season);

}  // namespace world

#endif  // YDB_WORLD_FAMOUSRACES_H_
