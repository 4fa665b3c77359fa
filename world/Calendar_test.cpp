// The calendar, the courses and the famous races' dates.
#include "world/Calendar.h"

#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "world/Courses.h"
#include "world/FamousRaces.h"

namespace world {
namespace {

TEST(DatesTest, WeekdaysAndDayNumbers) {
  EXPECT_EQ(WeekdayOf(20240106), kSaturday);
  EXPECT_EQ(WeekdayOf(20000229), kTuesday);
  EXPECT_EQ(AddDays(20231231, 1), 20240101);
  EXPECT_EQ(AddDays(20240301, -1), 20240229);
  EXPECT_EQ(DaysBetween(20190526, 20191222), 210);
  EXPECT_EQ(NthWeekday(2024, 1, kMonday, 2), 20240108);
}

TEST(CalendarTest, RaceDaysAreWeekendsAndTheHolidays) {
  for (int year = 2010; year <= 2035; ++year) {
    const Season season = BuildSeason(year);
    const std::set<int> holidays = {MakeDate(year, 1, 5), NthWeekday(year, 1, kMonday, 2),
                                    NthWeekday(year, 9, kMonday, 3), NthWeekday(year, 10, kMonday, 2),
                                    MakeDate(year, 12, 28)};
    int venue_days = 0;
    int previous = 0;
    for (const RaceDay& day : season.days) {
      EXPECT_GT(day.date, previous);
      previous = day.date;
      const bool weekend = day.weekday == kSaturday || day.weekday == kSunday;
      EXPECT_TRUE(weekend || holidays.count(day.date) == 1) << day.date;
      EXPECT_GE(day.venues.size(), 2u) << day.date;
      EXPECT_LE(day.venues.size(), 3u) << day.date;
      venue_days += static_cast<int>(day.venues.size());
    }
    // About 288 venue-days, the real count and its ceiling (36 meetings of
    // eight days), so about 3,456 races.
    EXPECT_LE(venue_days, 288) << year;
    EXPECT_GE(venue_days * kRacesPerDay, 3300) << year;
    EXPECT_LE(venue_days * kRacesPerDay, 3600) << year;
  }
}

// Kyoto was closed from 2 November 2020 to 21 April 2023 (its meetings at
// Chukyo and Hanshin); the years around it keep the same numbering rules.
TEST(CalendarTest, MeetingsAreNumberedByCourseInTheYear) {
  std::map<int, int> kyoto_days;  // year -> days Kyoto races
  for (int year = 2019; year <= 2023; ++year) {
    std::map<int, int> last_kai;                   // place -> latest kai
    std::map<std::pair<int, int>, int> last_day;  // (place, kai) -> latest day
    for (const RaceDay& day : BuildSeason(year).days) {
      std::set<int> places;
      for (const VenueDay& v : day.venues) {
        EXPECT_TRUE(places.insert(v.place).second) << day.date;
        const int kai = last_kai[v.place];
        EXPECT_TRUE(v.kai == kai || v.kai == kai + 1) << day.date;
        last_kai[v.place] = v.kai;
        int& d = last_day[{v.place, v.kai}];
        EXPECT_EQ(v.kai_day, d + 1) << day.date << " place " << v.place;
        d = v.kai_day;
        if (v.place != 0) continue;
        ++kyoto_days[year];
        EXPECT_TRUE(day.date <= 20201101 || day.date >= 20230422) << day.date;
      }
    }
    if (year != 2019) continue;
    EXPECT_EQ(last_kai[4], 5);  // 東京 races five meetings
    EXPECT_EQ(last_kai[5], 5);  // 中山 too
    EXPECT_EQ(last_kai[9], 2);  // 函館 two
  }
  EXPECT_GT(kyoto_days[2020], 20);
  EXPECT_EQ(kyoto_days[2021] + kyoto_days[2022], 0);
  EXPECT_GT(kyoto_days[2023], 20);
}

TEST(CoursesTest, DirectionsAndDistances) {
  for (int place = 0; place < kCourseCount; ++place) {
    const Course& c = CourseAt(place);
    const bool left = c.place == "04" || c.place == "07" || c.place == "02";
    EXPECT_EQ(c.left_handed, left) << c.name;
    EXPECT_EQ(c.has_jumps, c.region != Region::kNorth) << c.name;
    bool turf = false, dirt = false;
    for (const Layout& l : c.layouts) {
      turf = turf || l.surface == Surface::kTurf;
      dirt = dirt || l.surface == Surface::kDirt;
      EXPECT_EQ(c.direction(l), l.straight ? "2" : (left ? "1" : "0"));
      EXPECT_GT(ParTime(c, l.surface, l.distance), l.distance / 19.0);
      EXPECT_LT(ParTime(c, l.surface, l.distance), l.distance / 13.0);
    }
    EXPECT_TRUE(turf && dirt) << c.name;
  }
  // Niigata's straight 1,000 m has no corners.
  for (const Layout& l : CourseAt(7).layouts) {
    if (l.straight) {
      EXPECT_EQ(CourseAt(7).corners(l), 0);
    }
  }
}

TEST(FamousRacesTest, BigRacesKeepTheirUsualDates) {
  for (int year : {2016, 2019, 2024}) {
    const Season season = BuildSeason(year);
    std::map<std::string, int> dates;
    for (const ScheduledRace& r : ScheduleFamousRaces(season)) dates[r.plan.name] = r.date;
    // The Derby on the last Sunday of May or the first of June.
    const int derby = dates.at("東京優駿（日本ダービー）");
    EXPECT_EQ(WeekdayOf(derby), kSunday);
    EXPECT_TRUE(MonthOf(derby) == 5 ? DayOf(derby) >= 24 : DayOf(derby) <= 2) << derby;
    // The Japan Cup on the last Sunday of November, the Arima Kinen a few
    // weeks later at Nakayama.
    const int jc = dates.at("ジャパンカップ");
    EXPECT_EQ(MonthOf(jc), 11);
    EXPECT_GT(DayOf(jc), 21);
    const int arima = dates.at("有馬記念");
    EXPECT_EQ(WeekdayOf(arima), kSunday);
    EXPECT_EQ(MonthOf(arima), 12);
    EXPECT_GE(DayOf(arima), 21);
    // Every famous race is run where and when its course is racing.
    EXPECT_EQ(dates.size(), FamousRaces().size()) << year;
  }
  // While Kyoto was closed its races ran at Chukyo and Hanshin, over the
  // nearest distance those courses have.
  std::map<std::string, std::pair<int, int>> where;  // name -> place, distance
  for (const ScheduledRace& r : ScheduleFamousRaces(BuildSeason(2022))) {
    where[r.plan.name] = {r.plan.place, r.plan.layout->distance};
  }
  EXPECT_EQ(where.size(), FamousRaces().size());
  EXPECT_EQ(where.at("天皇賞(春)"), std::make_pair(1, 3200));
  EXPECT_EQ(where.at("菊花賞"), std::make_pair(1, 3000));
  EXPECT_EQ(where.at("きさらぎ賞"), std::make_pair(2, 2000));
  EXPECT_EQ(where.at("日経新春杯"), std::make_pair(2, 2200));
}

}  // namespace
}  // namespace world
