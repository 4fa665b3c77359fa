// The yearly meeting plan and the numbering of meetings and their days.
#include "world/Calendar.h"

#include <algorithm>
#include <map>

#include "world/Courses.h"

namespace world {
namespace {

// One meeting of the plan: a course racing on weekends first..last, counted
// from the first weekend of the year or back from the last one.
struct Block {
  int lane;
  int place;
  bool first_from_end;
  int first;
  bool last_from_end;
  int last;
};

constexpr bool S = false;  // counted from the start
constexpr bool E = true;   // counted back from the end

// 00 京都 01 阪神 02 中京 03 小倉 04 東京 05 中山 06 福島 07 新潟 08 札幌 09 函館
const Block kPlan[] = {
    // The eastern main lane.
    {0, 5, S, 0, S, 3}, {0, 4, S, 4, S, 7}, {0, 5, S, 8, S, 10}, {0, 5, S, 11, S, 14},
    {0, 4, S, 15, S, 20}, {0, 4, S, 21, S, 24}, {0, 6, S, 25, S, 28}, {0, 7, S, 29, E, 16},
    {0, 5, E, 15, E, 12}, {0, 4, E, 11, E, 8}, {0, 4, E, 7, E, 4}, {0, 5, E, 3, E, 0},
    // The western main lane.
    {1, 0, S, 0, S, 3}, {1, 0, S, 4, S, 7}, {1, 1, S, 8, S, 11}, {1, 1, S, 12, S, 14},
    {1, 0, S, 15, S, 20}, {1, 1, S, 21, S, 24}, {1, 2, S, 25, S, 28}, {1, 3, S, 29, E, 16},
    {1, 1, E, 15, E, 12}, {1, 0, E, 11, E, 8}, {1, 0, E, 7, E, 4}, {1, 1, E, 3, E, 0},
    // The local lane.
    {2, 2, S, 2, S, 3}, {2, 3, S, 5, S, 7}, {2, 2, S, 8, S, 11}, {2, 6, S, 12, S, 14},
    {2, 7, S, 15, S, 17}, {2, 9, S, 21, S, 23}, {2, 9, S, 24, S, 25}, {2, 8, S, 28, S, 30},
    {2, 8, S, 31, S, 33}, {2, 7, E, 11, E, 9}, {2, 6, E, 7, E, 4}, {2, 2, E, 3, E, 1},
};

constexpr int kKyoto = 0;
constexpr int kHanshin = 1;
constexpr int kChukyo = 2;
constexpr int kKokura = 3;
constexpr int kKyotoClosedFrom = 20201102;
constexpr int kKyotoReopened = 20230422;

int Resolve(const Season& season, bool from_end, int k) {
  return from_end ? season.weekends() - 1 - k : k;
}

// The dates a day of weekend `w` covers on the main lanes: Saturday, Sunday
// and a holiday Monday; the local lane races Saturday and Sunday only.
struct Day {
  int date;
  int weekend;
  bool holiday;
  bool main_lanes_only;
};

std::vector<Day> Days(const Season& season) {
  const int year = season.year;
  std::vector<int> mondays = {NthWeekday(year, 1, kMonday, 2), NthWeekday(year, 9, kMonday, 3),
                              NthWeekday(year, 10, kMonday, 2)};
  std::vector<Day> days;
  for (int w = 0; w < season.weekends(); ++w) {
    const int saturday = season.saturdays[static_cast<std::size_t>(w)];
    days.push_back({saturday, w, false, false});
    days.push_back({AddDays(saturday, 1), w, false, false});
    const int monday = AddDays(saturday, 2);
    if (std::find(mondays.begin(), mondays.end(), monday) != mondays.end()) {
      days.push_back({monday, w, true, true});
    }
  }
  const int opening = MakeDate(year, 1, 5);
  const Weekday ow = WeekdayOf(opening);
  if (ow != kSaturday && ow != kSunday && opening < season.saturdays.front()) {
    days.insert(days.begin(), {opening, 0, true, true});
  }
  const int last = MakeDate(year, 12, 28);
  if (WeekdayOf(last) != kSunday && last > AddDays(season.saturdays.back(), 1)) {
    days.push_back({last, season.weekends() - 1, true, true});
  }
  return days;
}

}  // namespace

int HostOf(int place, int saturday) {
  if (place != kKyoto || saturday < kKyotoClosedFrom || saturday >= kKyotoReopened) return place;
  const bool winter = MonthOf(saturday) == 1 || (MonthOf(saturday) == 2 && DayOf(saturday) <= 7);
  return winter ? kChukyo : kHanshin;
}

int Season::weekendIndex(bool from_end, int k) const {
  const int w = from_end ? weekends() - 1 - k : k;
  return w >= 0 && w < weekends() ? w : -1;
}

const RaceDay* Season::dayOf(int weekend, Weekday weekday, int place) const {
  for (const RaceDay& day : days) {
    if (day.weekend != weekend || day.weekday != weekday) continue;
    for (const VenueDay& v : day.venues) {
      if (v.place == place) return &day;
    }
  }
  return nullptr;
}

Season BuildSeason(int year) {
  Season season;
  season.year = year;
  // The first weekend is the one whose Saturday falls on 4 January or later;
  // the last has its Saturday on 27 December or earlier.
  int saturday = MakeDate(year, 1, 4);
  while (WeekdayOf(saturday) != kSaturday) saturday = AddDays(saturday, 1);
  for (; saturday <= MakeDate(year, 12, 27); saturday = AddDays(saturday, 7)) {
    season.saturdays.push_back(saturday);
  }

  // Which course each lane runs on each weekend, and the meeting it belongs to.
  const int weekends = season.weekends();
  std::vector<std::vector<int>> block_of(3, std::vector<int>(static_cast<std::size_t>(weekends), -1));
  const int block_count = static_cast<int>(sizeof(kPlan) / sizeof(kPlan[0]));
  for (int b = 0; b < block_count; ++b) {
    const Block& block = kPlan[b];
    const int first = Resolve(season, block.first_from_end, block.first);
    const int last = Resolve(season, block.last_from_end, block.last);
    for (int w = std::max(first, 0); w <= last && w < weekends; ++w) {
      block_of[static_cast<std::size_t>(block.lane)][static_cast<std::size_t>(w)] = b;
    }
  }

  // The course of each lane's meeting on each weekend, with Kyoto's
  // meetings moved while it was closed and a local meeting giving way to
  // the western lane's.
  auto place_of = [&](int lane, int weekend) {
    const int b = block_of[static_cast<std::size_t>(lane)][static_cast<std::size_t>(weekend)];
    if (b < 0) return -1;
    const int weekend_saturday = season.saturdays[static_cast<std::size_t>(weekend)];
    const int place = HostOf(kPlan[b].place, weekend_saturday);
    if (lane != 2) return place;
    const int western = block_of[1][static_cast<std::size_t>(weekend)];
    const bool taken = western >= 0 && HostOf(kPlan[western].place, weekend_saturday) == place;
    return taken ? kKokura : place;
  };

  // Number the meetings of each course in the order they start, and their
  // days in date order.
  std::map<int, int> kai_of_meeting;   // block * kCourseCount + place -> kai
  std::map<int, int> meetings_of;      // place -> meetings so far
  std::map<int, int> days_of_meeting;  // block * kCourseCount + place -> days so far
  for (const Day& d : Days(season)) {
    RaceDay day;
    day.date = d.date;
    day.weekday = WeekdayOf(d.date);
    day.weekend = d.weekend;
    day.holiday = d.holiday;
    for (int lane = 0; lane < 3; ++lane) {
      if (d.main_lanes_only && lane == 2) continue;
      const int place = place_of(lane, d.weekend);
      if (place < 0) continue;
      const int meeting = block_of[static_cast<std::size_t>(lane)][static_cast<std::size_t>(d.weekend)] * kCourseCount + place;
      if (kai_of_meeting.find(meeting) == kai_of_meeting.end()) kai_of_meeting[meeting] = ++meetings_of[place];
      VenueDay v;
      v.place = place;
      v.kai = kai_of_meeting[meeting];
      v.kai_day = ++days_of_meeting[meeting];
      v.lane = lane;
      day.venues.push_back(v);
    }
    if (!day.venues.empty()) season.days.push_back(day);
  }
  return season;
}

std::vector<int> NextRaceWeekend(int date) {
  std::vector<int> weekend;
  for (int year = YearOf(date); year <= YearOf(date) + 1; ++year) {
    for (const RaceDay& day : BuildSeason(year).days) {
      if (day.date <= date) continue;
      if (!weekend.empty() && day.date != AddDays(weekend.back(), 1)) return weekend;
      weekend.push_back(day.date);
    }
  }
  return weekend;
}

}  // namespace world
