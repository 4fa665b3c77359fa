// A generated season read back from the store: the realism figures a
// racing analyst would check that no other test checks (the calendar, the
// pools and the weights have their own), the consistency of results, odds
// and pedigrees, the filed past runs, the signal in the form figures, and
// determinism. One season is generated once for the whole suite.
#include "world/Generator.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "db/derived/PastRunBuckets_test.h"
#include "testing/TempDir.h"
#include "world/Calendar.h"
#include "world/Dates.h"
#include "world/GeneratedSeason_test.h"

namespace world {
namespace {

// A digest of every table: its name, row count and a hash of its rows in
// key order.
std::vector<std::string> Digest(ydb::Database& db) {
  std::vector<std::string> tables;
  {
    ydb::Statement& st = db.statement(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name");
    while (st.step()) tables.emplace_back(st.column_text(0));
  }
  std::vector<std::string> digest;
  for (const std::string& table : tables) {
    std::vector<std::string> columns;
    ydb::Statement& info = db.statement("SELECT name FROM pragma_table_info(?1) ORDER BY cid");
    info.bind(1, table);
    while (info.step()) columns.emplace_back(info.column_text(0));
    std::string select = "SELECT ";
    std::string order;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      select += (i ? " || '|' || quote(" : "quote(") + columns[i] + ")";
      order += (i ? ", " : "") + columns[i];
    }
    select += " FROM " + table + " ORDER BY " + order;
    ydb::Statement& rows = db.statement(select);
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    long count = 0;
    while (rows.step()) {
      for (char c : rows.column_text(0)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ULL;
      }
      ++count;
    }
    EXPECT_TRUE(rows.status().ok()) << table << ": " << rows.status().message();
    digest.push_back(table + " " + std::to_string(count) + " " + std::to_string(hash));
  }
  return digest;
}

using season_test::Generated;
using season_test::GeneratedSeason;
using season_test::kSeason;

TEST_F(GeneratedSeason, ASeasonOfJraRacingDays) {
  // The calendar's days and venues are the calendar's own tests; here the
  // season as stored: twelve races a venue-day, numbered 1 to 12.
  const double races = Number("SELECT count(*) FROM race");
  EXPECT_EQ(races, summary_.races);
  EXPECT_LE(Number("SELECT count(*) FROM (SELECT 1 FROM race GROUP BY race_date, place "
                   "HAVING count(*) <> 12 OR min(race_no) <> 1 OR max(race_no) <> 12)"),
            races / 12 * 0.01);
  // About 130 jump races.
  const double jumps = Number("SELECT count(*) FROM race WHERE surface = '2'");
  EXPECT_GE(jumps, 110);
  EXPECT_LE(jumps, 150);
}

TEST_F(GeneratedSeason, FieldsOfFiveToEighteenAboutFourteenOnAverage) {
  const double average = Number("SELECT avg(runner_count) FROM race");
  EXPECT_GE(average, 13.0);
  EXPECT_LE(average, 15.0);
  EXPECT_GE(Number("SELECT min(runner_count) FROM race"), 5);
  EXPECT_LE(Number("SELECT max(runner_count) FROM race"), 18);
  // (Frames by the draw: the writer refuses any other.)
}

// The pools' rules (places, brackets, amounts) are the pools' own tests;
// here what the season stores of them: final odds of every pool, forecast
// odds of win and place for every race.
TEST_F(GeneratedSeason, EveryRaceStoresItsOdds) {
  // Final odds of every pool and forecast odds of win and place.
  EXPECT_EQ(Number("SELECT count(DISTINCT pool) FROM odds WHERE final = 1"), 5);
  EXPECT_EQ(Number("SELECT count(*) FROM odds_set WHERE final = 0 AND kind = '0'"),
            Number("SELECT count(*) FROM race"));
  EXPECT_EQ(Number("SELECT count(DISTINCT pool) FROM odds WHERE final = 0"), 2);
}

TEST_F(GeneratedSeason, TimesMarginsAndPlacingsAgree) {
  // Laps add up to the time of the first past the post.
  ydb::Statement& laps = db().statement(
      "SELECT r.distance, (SELECT sum(time) FROM race_lap l WHERE l.race_date = r.race_date AND "
      "l.place = r.place AND l.race_no = r.race_no), (SELECT count(*) FROM race_lap l WHERE "
      "l.race_date = r.race_date AND l.place = r.place AND l.race_no = r.race_no), "
      "(SELECT min(time) FROM runner u WHERE u.race_date = r.race_date AND u.place = r.place AND "
      "u.race_no = r.race_no) FROM race r WHERE r.surface <> '2'");
  int flat = 0;
  while (laps.step()) {
    ++flat;
    EXPECT_EQ(laps.column_int(2), (laps.column_int(0) + 100) / 200);
    EXPECT_EQ(laps.column_int(1), laps.column_int(3));
  }
  EXPECT_GT(flat, 3000);

  // In the order they crossed the line, times never fall; a short margin
  // is at most a tenth; a dead heat shares the time and the placing.
  ydb::Statement& st = db().statement(
      "SELECT race_date || place || race_no, arrival_order, time, margin_code, margin_time, "
      "finish_pos, last_600, ifnull(accident_code, '') FROM runner WHERE arrival_order > 0 "
      "ORDER BY race_date, place, race_no, arrival_order");
  std::string race;
  int first_time = 0, previous_time = 0, previous_finish = 0;
  std::string previous_accident;
  while (st.step()) {
    const std::string key(st.column_text(0));
    const int time = static_cast<int>(st.column_int(2));
    const std::string code(st.column_text(3));
    const int finish = static_cast<int>(st.column_int(5));
    const std::string accident(st.column_text(7));
    if (key != race) {
      race = key;
      first_time = previous_time = time;
      previous_finish = finish;
      previous_accident = accident;
      EXPECT_EQ(st.column_int(1), 1) << key;
      continue;
    }
    ASSERT_GE(time, previous_time) << key;
    EXPECT_EQ(st.column_int(4), std::min(997, time - first_time)) << key;
    if (code == "0" || code == "1" || code == "2") {
      EXPECT_LE(time - previous_time, 1) << key;
    }
    if (code == "8") {
      EXPECT_EQ(time, previous_time) << key;
      EXPECT_EQ(finish, previous_finish) << key;
    } else if (accident.empty() && previous_accident.empty() && previous_finish > 0 && finish > 0) {
      // Placings follow the line except around a demoted or disqualified horse.
      EXPECT_GT(finish, previous_finish) << key;
    }
    EXPECT_GT(st.column_int(6), 0) << key;
    EXPECT_LT(st.column_int(6), time) << key;
    previous_time = time;
    previous_finish = finish;
    previous_accident = accident;
  }
}

TEST_F(GeneratedSeason, HorsesRunInDateOrderWithRealisticRests) {
  EXPECT_EQ(Number("SELECT count(*) FROM (SELECT 1 FROM runner GROUP BY horse_code, race_date "
                   "HAVING count(*) > 1)"),
            0);
  ydb::Statement& st = db().statement(
      "SELECT horse_code, race_date FROM runner WHERE ifnull(accident_code, '') NOT IN ('34', '35') "
      "ORDER BY horse_code, race_date");
  std::string horse;
  int last = 0;
  std::vector<int> gaps;
  while (st.step()) {
    const std::string code(st.column_text(0));
    const int date = static_cast<int>(st.column_int(1));
    if (code == horse) gaps.push_back(DaysBetween(last, date));
    horse = code;
    last = date;
  }
  ASSERT_GT(gaps.size(), 10000u);
  std::sort(gaps.begin(), gaps.end());
  // Back within the week is rare (a Monday holiday to the Saturday at the
  // soonest); most rest three to eight weeks.
  EXPECT_GE(gaps.front(), 4);
  EXPECT_LT(std::lower_bound(gaps.begin(), gaps.end(), 7) - gaps.begin(),
            static_cast<std::ptrdiff_t>(gaps.size() / 50));
  const int median = gaps[gaps.size() / 2];
  EXPECT_GE(median, 21);
  EXPECT_LE(median, 56);
}

TEST_F(GeneratedSeason, EveryPedigreeReachesThreeGenerations) {
  EXPECT_GT(Number("SELECT count(*) FROM horse"), 10000);
  EXPECT_EQ(Number("SELECT count(*) FROM horse h WHERE (SELECT count(*) FROM pedigree p WHERE "
                   "p.horse_code = h.code AND p.name <> '') <> 14"),
            0);
  // Runners' sires are horses and sires of the store; a few sires cover many mares.
  EXPECT_EQ(Number("SELECT count(*) FROM runner r LEFT JOIN sire s ON s.code = r.sire_code "
                   "WHERE s.code IS NULL"),
            0);
  const double top = Number("SELECT max(n) FROM (SELECT count(*) AS n FROM horse WHERE sire_code "
                            "IN (SELECT code FROM sire) GROUP BY sire_code)");
  const double median = Number("SELECT n FROM (SELECT count(*) AS n FROM horse WHERE sire_code "
                               "IN (SELECT code FROM sire) GROUP BY sire_code ORDER BY n) "
                               "LIMIT 1 OFFSET (SELECT count(DISTINCT sire_code) / 2 FROM horse "
                               "WHERE sire_code IN (SELECT code FROM sire))");
  EXPECT_GT(top, 8 * median);
}

// Monthly batches file each run once and its horse again and again: the
// buckets are what filing every run from nothing makes of the runner rows.
TEST_F(GeneratedSeason, FiledPastRunsAreThoseOfTheRunnerRows) {
  const std::map<std::string, std::string> filed = ytest::FiledBuckets(db());
  EXPECT_GT(filed.size(), 10000u);
  EXPECT_TRUE(filed == ytest::RefiledBuckets(db()));  // too large to print
}

// A month's batch renders its days' records once; renamed people and horses
// whose pedigree is filled later render past days again: the kept results
// and runner results are what rendering every run race from its rows makes.
TEST_F(GeneratedSeason, KeptRecordsAreThoseOfTheRows) {
  const std::map<std::string, std::string> kept = ytest::KeptRecords(db());
  EXPECT_GT(kept.size(), 40000u);
  EXPECT_TRUE(kept == ytest::RekeptRecords(db()));  // too large to print
}

TEST_F(GeneratedSeason, ClassesFollowTheDate) {
  EXPECT_EQ(Number("SELECT count(*) FROM race WHERE class_code IN ('05000', '10000', '16000') "
                   "AND race_date >= 20190601"),
            0);
  EXPECT_EQ(Number("SELECT count(*) FROM race WHERE class_code IN ('-0005', '-0010', '-0016') "
                   "AND race_date < 20190601"),
            0);
  EXPECT_GT(Number("SELECT count(*) FROM race WHERE class_code = '05000'"), 100);
  EXPECT_GT(Number("SELECT count(*) FROM race WHERE class_code = '-0005'"), 100);
  // The big races (their days are the calendar's tests), each run once.
  EXPECT_EQ(Number("SELECT count(*) FROM race WHERE grade = '0'"), 24);
}

// The form figures carry signal: backing the runner with the best average
// placing over its last three runs beats backing runners at random, to win
// and (with less luck in the figures) to place.
TEST_F(GeneratedSeason, RecentFormPredicts) {
  struct Entry {
    std::string horse;
    int number;
    int finish;
    int win_odds;
    bool ran;
  };
  std::map<std::string, int> place_pays;  // race key and horse number -> payout
  {
    ydb::Statement& st = db().statement(
        "SELECT race_date || place || printf('%02d', race_no) || printf('%02d', first), amount "
        "FROM payout WHERE pool = 2");
    while (st.step()) place_pays[std::string(st.column_text(0))] = static_cast<int>(st.column_int(1));
  }
  auto place_of = [&](const std::string& race, int number) {
    const auto it = place_pays.find(race + (number < 10 ? "0" : "") + std::to_string(number));
    return it == place_pays.end() ? 0.0 : it->second / 100.0;
  };
  std::map<std::string, std::vector<int>> history;
  ydb::Statement& st = db().statement(
      "SELECT race_date || place || printf('%02d', race_no), horse_code, horse_no, finish_pos, "
      "win_odds, ifnull(accident_code, '') FROM runner ORDER BY race_date, place, race_no, horse_no");
  std::string race;
  std::vector<Entry> field;
  int races = 0, form_hits = 0;
  double form_win = 0, form_place = 0, random_hits = 0, random_win = 0, random_place = 0;
  auto settle = [&]() {
    const Entry* pick = nullptr;
    double best = 99;
    int starters = 0;
    for (const Entry& e : field) {
      if (!e.ran) continue;
      ++starters;
      const std::vector<int>& h = history[e.horse];
      if (h.size() < 3) continue;
      const double avg = (h[h.size() - 1] + h[h.size() - 2] + h[h.size() - 3]) / 3.0;
      if (avg < best) {
        best = avg;
        pick = &e;
      }
    }
    if (pick != nullptr && race.substr(0, 8) >= "20190401") {
      ++races;
      form_hits += pick->finish == 1;
      form_win += pick->finish == 1 ? pick->win_odds / 10.0 : 0.0;
      form_place += place_of(race, pick->number);
      for (const Entry& e : field) {
        if (!e.ran) continue;
        random_place += place_of(race, e.number) / starters;
        if (e.finish != 1) continue;
        random_hits += 1.0 / starters;
        random_win += e.win_odds / 10.0 / starters;
      }
    }
    for (const Entry& e : field) {
      if (e.ran) history[e.horse].push_back(e.finish > 0 ? e.finish : 18);
    }
    field.clear();
  };
  while (st.step()) {
    const std::string key(st.column_text(0));
    if (key != race && !field.empty()) settle();
    race = key;
    const auto accident = ydb::ParseAccident(st.column_text(5));
    field.push_back({std::string(st.column_text(1)), static_cast<int>(st.column_int(2)),
                     static_cast<int>(st.column_int(3)), static_cast<int>(st.column_int(4)),
                     !accident || ydb::Started(*accident)});
  }
  settle();
  ASSERT_GT(races, 1500);
  std::printf("per race backed: form pick wins %.3f, returns %.3f to win, %.3f to place; "
              "a random runner wins %.3f, returns %.3f to win, %.3f to place\n",
              form_hits / static_cast<double>(races), form_win / races, form_place / races,
              random_hits / races, random_win / races, random_place / races);
  EXPECT_GT(form_hits / static_cast<double>(races), 1.6 * random_hits / races);
  EXPECT_GT(form_win, random_win);
  EXPECT_GT(form_place / races, random_place / races + 0.1);
}

double Count(ydb::Database& db, const std::string& sql) {
  ydb::Statement& st = db.statement(sql);
  return st.step() ? st.column_double(0) : -1;
}

// Same seed and seasons: the same store. A world run up to a day, across a
// season's end, holds the next weekend as cards with forecast odds and no
// results; continued later from that day it gives what generating it at
// once gives, the cards run. Another seed another world.
TEST(GeneratorTest, DeterministicAndContinuable) {
  ytest::TempDir dir;
  const std::unique_ptr<ydb::Database> once = Generated(dir.str() + "/once.db", kSeason, kSeason + 1, 1);
  std::unique_ptr<ydb::Database> split;
  ASSERT_TRUE(once);
  ASSERT_TRUE(ydb::OpenDataSet(dir.str() + "/split.db", ydb::Database::Mode::kOpenOrCreate, &split).ok());
  Options options;
  options.first_season = kSeason;
  options.seed = 1;
  options.origin = kSeason;
  // Up to a Friday of the next January: the cards of Saturday to the holiday Monday.
  options.until = MakeDate(kSeason + 1, 1, 10);
  ASSERT_TRUE(Generate(*split, options).ok());
  const std::vector<int> weekend = NextRaceWeekend(options.until);
  ASSERT_EQ(weekend.size(), 3u);
  const std::string cards = " FROM race WHERE race_date BETWEEN " + std::to_string(weekend.front()) + " AND " +
                            std::to_string(weekend.back());
  const double card_races = Count(*split, "SELECT count(*)" + cards);
  EXPECT_GE(card_races, 3 * 2 * 12);
  EXPECT_EQ(Count(*split, "SELECT count(*)" + cards + " AND has_result = 0 AND runner_count >= 5"), card_races);
  EXPECT_EQ(Count(*split, "SELECT count(*) FROM race WHERE race_date > " + std::to_string(weekend.back())), 0);
  EXPECT_EQ(Count(*split, "SELECT count(*) FROM runner WHERE race_date > " + std::to_string(options.until) +
                              " AND (finish_pos IS NOT NULL OR body_weight IS NOT NULL)"),
            0);
  EXPECT_EQ(Count(*split, "SELECT count(DISTINCT race_date || place || race_no) FROM odds_set WHERE final = 0 "
                          "AND race_date > " + std::to_string(options.until)),
            card_races);
  EXPECT_EQ(Count(*split, "SELECT count(*) FROM odds_set WHERE final = 1 AND race_date > " +
                              std::to_string(options.until)) +
                Count(*split, "SELECT count(*) FROM payout WHERE race_date > " + std::to_string(options.until)),
            0);
  EXPECT_GT(Count(*split, "SELECT count(*) FROM nomination WHERE race_date > " + std::to_string(options.until)),
            0);
  // An end inside what is stored writes nothing.
  {
    Options inside = options;
    inside.resume_after = options.until;
    inside.until = MakeDate(kSeason + 1, 1, 6);
    Summary summary;
    ASSERT_TRUE(Generate(*split, inside, {}, &summary).ok());
    EXPECT_EQ(summary.races + summary.horses, 0);
  }
  // The rest of the season, from the day after the results stored.
  options.resume_after = options.until;
  options.until = 0;
  options.last_season = kSeason + 1;
  ASSERT_TRUE(Generate(*split, options).ok());
  const std::vector<std::string> a = Digest(*once);
  const std::vector<std::string> b = Digest(*split);
  EXPECT_EQ(a, b);
  EXPECT_GE(a.size(), 15u);

  const std::unique_ptr<ydb::Database> other = Generated(dir.str() + "/other.db", kSeason + 1, kSeason + 1, 2);
  ASSERT_TRUE(other);
  const std::vector<std::string> c = Digest(*other);
  ASSERT_EQ(c.size(), a.size());
  int differ = 0;
  for (std::size_t i = 0; i < a.size(); ++i) differ += a[i] != c[i];
  EXPECT_GE(differ, 10);
}

TEST(GeneratorTest, RefusesSeasonsBeforeTheOriginOrOutOfOrder) {
  ytest::TempDir dir;
  std::unique_ptr<ydb::Database> db;
  ASSERT_TRUE(ydb::Database::Open(dir.str() + "/w.db", ydb::Database::Mode::kOpenOrCreate, &db).ok());
  Options options;
  options.origin = 2015;
  options.first_season = 2014;
  options.last_season = 2015;
  EXPECT_FALSE(Generate(*db, options).ok());
  options.first_season = 2016;
  EXPECT_FALSE(Generate(*db, options).ok());
  // A progress callback that says stop stops the generation with an error.
  options.first_season = options.last_season = 2015;
  int calls = 0;
  const ydb::Status s = Generate(*db, options, [&](int done, int total, const std::string&) {
    EXPECT_LE(done, total);
    return ++calls < 5;
  });
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(calls, 5);
}

}  // namespace
}  // namespace world
