// Test support for the searches: one generated season shared by the test
// programs, opened by a session, and every run race of it as plain
// values read from its rendered records, for filters written in C++.
#ifndef YDBCLN_SEARCH_SEARCHSEASON_TEST_H_
#define YDBCLN_SEARCH_SEARCHSEASON_TEST_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "db/api/ydbtest.h"
#include "text/sjis.h"
#include "world/GeneratedSeason_test.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/SeasonRaces_test.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

namespace searchtest {

constexpr int kSeason = world::season_test::kSeason;

// One runner as the runner conditions read it.
struct RunnerRow {
  int corners[4] = {};
  int horse_no = 0;
  int post_no = 0;
  int accident = 0;
  int finish = 0;
  int popularity = 0;
  int weight_change = 999;  // none
  std::string horse;        // horse code
  std::string horse_name;   // Shift_JIS, no trailing blanks
  std::string jockey;       // jockey code
};

// One run race, read from its results record.
struct RaceRow {
  std::string code;
  int date = 0;
  std::string place;
  int no = 0;
  int kai = 0;
  int day = 0;
  std::string name;  // Shift_JIS, no trailing blanks
  char grade = ' ';
  char race_kind = ' ', track = ' ', direction = ' ', inner_outer = ' ', rail = ' ';
  int conditions = 0;  // the class code's value
  int distance = 0;
  int runner_count = 0;
  char pace = ' ', weather = ' ', going = ' ';
  std::vector<int> payouts[5];  // win, place, bracket, quinella, wide
  std::vector<RunnerRow> runners;
};

inline std::string Bytes(const unsigned char* r, int at, int width) {
  return std::string(reinterpret_cast<const char*>(r) + at, static_cast<std::size_t>(width));
}
inline int Digits(const unsigned char* r, int at, int width) {
  const std::string s = Bytes(r, at, width);
  if (s.find_first_not_of("0123456789") != std::string::npos) return -1;
  return std::atoi(s.c_str());
}
inline int SignedCode(const unsigned char* r, int at) {
  const std::string s = Bytes(r, at, 5);
  if (s[0] == '-' || s[0] == '+') return (s[0] == '-' ? -1 : 1) * std::atoi(s.c_str() + 1);
  return std::atoi(s.c_str());
}

inline RaceRow ReadRace(const unsigned char* r) {
  RaceRow race;
  race.code = Bytes(r, 0, 12);
  race.place = race.code.substr(0, 2);
  race.no = std::atoi(race.code.substr(10, 2).c_str());
  race.date = Digits(r, 12, 8);
  race.kai = Digits(r, 20, 2);
  race.day = Digits(r, 22, 2);
  race.name = Bytes(r, 33, 30);
  race.name.erase(race.name.find_last_not_of(' ') + 1);
  race.grade = static_cast<char>(r[77]);
  race.race_kind = static_cast<char>(r[102]);
  race.conditions = SignedCode(r, 104);
  race.track = static_cast<char>(r[119]);
  race.direction = static_cast<char>(r[120]);
  race.inner_outer = static_cast<char>(r[121]);
  race.rail = static_cast<char>(r[122]);
  race.distance = Digits(r, 123, 4);
  race.runner_count = Digits(r, 369, 2);
  race.pace = static_cast<char>(r[381]);
  race.weather = static_cast<char>(r[382]);
  race.going = static_cast<char>(r[383]);
  const struct {
    int offset, stride, count, width;
  } pools[5] = {{387, 8, 3, 6}, {411, 8, 5, 6}, {451, 10, 3, 6}, {483, 14, 3, 7}, {525, 14, 7, 7}};
  for (int p = 0; p < 5; ++p) {
    for (int k = 0; k < pools[p].count; ++k) {
      const int amount = Digits(r, pools[p].offset + pools[p].stride * k, pools[p].width);
      if (amount > 0) race.payouts[p].push_back(amount);
    }
  }
  return race;
}

// Every run race of the season in date and then race-code order, with its
// runners.
inline std::vector<RaceRow> ReadSeason() {
  std::vector<RaceRow> races;
  for (const std::string& code : racetest::SeasonRaceCodes(kSeason)) {
    yrace::OwnedBuffer record(get_race2code_1_ex(code.c_str(), 0));
    if (yrace::record_count(record.get(), 2326) != 1) continue;
    RaceRow race = ReadRace(static_cast<unsigned char*>(record.get()));
    yrace::OwnedBuffer runners(get_race2code_2(code.c_str(), 0));
    for (int i = 0; i < yrace::record_count(runners.get(), 659); ++i) {
      const auto* r = yrace::record_at(runners.get(), 659, i);
      RunnerRow runner;
      for (int c = 0; c < 4; ++c) runner.corners[c] = Digits(r, 409 + 2 * c, 2);
      runner.horse_no = Digits(r, 154, 2);
      runner.post_no = Digits(r, 156, 2);
      runner.accident = Digits(r, 387, 2);
      runner.finish = Digits(r, 385, 2);
      runner.popularity = Digits(r, 378, 2);
      const std::string change = Bytes(r, 267, 3);
      if (change[0] == '+' || change[0] == '-') {
        runner.weight_change = (change[0] == '-' ? -1 : 1) * std::atoi(change.c_str() + 1);
      } else if (change != "   ") {
        runner.weight_change = std::atoi(change.c_str());
      }
      runner.horse = Bytes(r, 158, 7);
      runner.horse_name = Bytes(r, 165, 30);
      runner.horse_name.erase(runner.horse_name.find_last_not_of(' ') + 1);
      runner.jockey = Bytes(r, 273, 5);
      race.runners.push_back(runner);
    }
    races.push_back(std::move(race));
  }
  std::stable_sort(races.begin(), races.end(), [](const RaceRow& a, const RaceRow& b) {
    return a.date != b.date ? a.date < b.date : a.code < b.code;
  });
  return races;
}

// The race codes of a buffer of race result records, in buffer order.
inline std::vector<std::string> CodesOf(void* buffer) {
  std::vector<std::string> codes;
  for (int i = 0; i < yrace::record_count(buffer, 2326); ++i) {
    codes.push_back(Bytes(yrace::record_at(buffer, 2326, i), 0, 12));
  }
  return codes;
}

// The codes of a search's rows, in row order.
template <typename Search>
std::vector<std::string> RowCodes(Search& s) {
  std::vector<std::string> codes;
  for (int i = 0; i < s.get_list_cnt(); ++i) codes.push_back(s.result(i)->getcode());
  return codes;
}

constexpr std::uint64_t kSeed = 3;

// The season the search tests read (generated once for every test
// process), and a session open on it for each test.
class SearchSeason : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { dir_ = world::season_test::SharedSeason(kSeason, kSeed); }
  void SetUp() override { ASSERT_TRUE(db_.init(dir_)); }
  void TearDown() override {
    ydb_test_fail(nullptr);
    ydb_test_keep_records(nullptr, 0);
  }

  inline static std::string dir_;
  YHorseDB db_;
};

}  // namespace searchtest

#endif  // YDBCLN_SEARCH_SEARCHSEASON_TEST_H_
