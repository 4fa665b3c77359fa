// The racing calendar of a season: every Saturday and Sunday from the first
// weekend of January to Christmas, the opening day of 5 January when it
// falls in the week, three holiday Mondays (成人の日, 敬老の日, スポーツの日)
// and 28 December when it is not a Sunday. Each day has two or three
// racecourses. A racecourse races in meetings (kai) of consecutive weekends,
// numbered in the year, and each day of a meeting has its number (kai_day).
//
// The meetings follow one yearly plan in three lanes: an eastern main
// course (Nakayama or Tokyo), a western main course (Kyoto or Hanshin) and a
// third, local course (Chukyo, Kokura, Fukushima, Niigata, and Hakodate and
// Sapporo in summer). Spring meetings count weekends from January, autumn
// ones back from Christmas, so that the big races keep their usual dates.
//
// Kyoto was closed for rebuilding from 2 November 2020 to 21 April 2023:
// its meetings of those weekends were held at Chukyo up to the first
// weekend of February and at Hanshin from then on, and the local lane's
// January meeting moved from Chukyo to Kokura (JRA's calendars of 2020 to
// 2023).
#ifndef YDB_WORLD_CALENDAR_H_
#define YDB_WORLD_CALENDAR_H_

#include <vector>

#include "world/Dates.h"

namespace world {

struct VenueDay {
  int place = 0;    // place index 0-9
  int kai = 0;
  int kai_day = 0;
  int lane = 0;     // 0 eastern main, 1 western main, 2 local
};

struct RaceDay {
  int date = 0;
  Weekday weekday = kSaturday;
  int weekend = 0;       // index of the weekend this day belongs to
  bool holiday = false;  // a day that is neither Saturday nor Sunday
  std::vector<VenueDay> venues;  // in lane order
};

struct Season {
  int year = 0;
  std::vector<int> saturdays;  // the Saturday of each weekend, in order
  std::vector<RaceDay> days;   // in date order

  int weekends() const { return static_cast<int>(saturdays.size()); }
  // Index of a weekend counted from the start (k >= 0) or back from the
  // last weekend (from_end); -1 when there is no such weekend.
  int weekendIndex(bool from_end, int k) const;
  // The race day of a weekend (Saturday or Sunday) on which `place` races;
  // null when it does not.
  const RaceDay* dayOf(int weekend, Weekday weekday, int place) const;
};

Season BuildSeason(int year);

// The racecourse that holds the meetings of `place` (index 0-9) on the
// weekend whose Saturday is `saturday` (YYYYMMDD): `place` itself, or, for
// Kyoto while it was closed, Chukyo or Hanshin.
int HostOf(int place, int saturday);

// The race days that come next after `date` (YYYYMMDD): the first race day
// after it and the race days that follow it without a break, so a weekend
// with its holiday Monday, or a lone weekday such as the opening day.
std::vector<int> NextRaceWeekend(int date);

// The number of races a venue runs a day.
constexpr int kRacesPerDay = 12;

}  // namespace world

#endif  // YDB_WORLD_CALENDAR_H_
