// The relation the drill-down walks: every one of the 36 cross searches on
// the shared search season, from records of the other kind and limited or
// not to records of its own, against the relation counted here from every
// runner row of the season's run races and every horse's sire; and the
// answers that are null.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "db/api/SessionState.h"
#include "db/api/ydbcross.h"
#include "ydbcln/search/SearchSeason_test.h"

namespace {

using searchtest::Bytes;

enum Kind { kHorse, kSire, kJockey, kStable, kRace, kRun, kKinds };

// What a record of each kind is, and where its key lies in it: a code, a
// race code, or a run's race code and horse code.
struct KindRecord {
  int size;
  int at;
  int width;
};
constexpr KindRecord kRecords[kKinds] = {
    {593, 0, 7}, {196, 0, 7}, {257, 0, 5}, {208, 0, 5}, {12, 0, 12}, {659, 1, 12}};
constexpr int kRunHorseAt = 158;
constexpr int kRunNumberAt = 154;

#define YDB_CROSS_ENTRY(a, ak, b, bk) {#a "_" #b, sc_##a##_##b},
const struct {
  const char* name;
  void* (*search)(const void*, const void*);
} kCrossSearches[] = {YDB_CROSS_SEARCHES(YDB_CROSS_ENTRY)};
#undef YDB_CROSS_ENTRY

// One runner row of a run race, by the keys of each kind; `order` sorts
// runs as the searches answer them.
struct RunnerKeys {
  std::string key[kKinds];
  std::string order;
};

std::string Key(Kind kind, const unsigned char* record) {
  const KindRecord& r = kRecords[kind];
  std::string key = Bytes(record, r.at, r.width);
  if (kind == kRun) key += Bytes(record, kRunHorseAt, 7);
  return key;
}

// The keys of a buffer of `kind`'s records, in buffer order.
std::vector<std::string> KeysOf(Kind kind, const void* buffer) {
  std::vector<std::string> keys;
  for (int i = 0; i < yrace::record_count(buffer, kRecords[kind].size); ++i) {
    keys.push_back(Key(kind, yrace::record_at(const_cast<void*>(buffer), kRecords[kind].size, i)));
  }
  return keys;
}

class CrossSearchRelation : public searchtest::SearchSeason {
 protected:
  void SetUp() override {
    SearchSeason::SetUp();
    ydb::Database& store = *ydb::SessionState::Get().ready_database();
    ydb::Statement& runs = store.statement(
        "SELECT ru.horse_code, ifnull(ru.sire_code, ''), ifnull(ru.jockey_code, ''), "
        "ru.trainer_code, ru.place || printf('%08d%02d', ru.race_date, ru.race_no), "
        "printf('%08d%s%02d%02d', ru.race_date, ru.place, ru.race_no, ru.horse_no) "
        "FROM runner ru JOIN race r USING (race_date, place, race_no) WHERE r.has_result = 1");
    while (runs.step()) {
      RunnerKeys run;
      for (int k = 0; k < kRace + 1; ++k) run.key[k] = std::string(runs.column_text(k));
      run.key[kRun] = run.key[kRace] + run.key[kHorse];
      run.order = std::string(runs.column_text(5));
      run_order_[run.key[kRun]] = run.order;
      runs_.push_back(run);
    }
    runs.reset();
    ydb::Statement& horses =
        store.statement("SELECT code, ifnull(sire_code, '') FROM horse ORDER BY code");
    while (horses.step()) sire_of_[std::string(horses.column_text(0))] = std::string(horses.column_text(1));
    horses.reset();
    ydb::Statement& sires = store.statement("SELECT code FROM sire");
    while (sires.step()) sires_.insert(std::string(sires.column_text(0)));
    sires.reset();
  }

  // Every `step`th record of `kind` that a run names (a sire's, one that
  // stands as a sire), as that kind's records.
  yrace::OwnedBuffer Sample(Kind kind, std::size_t step) {
    std::set<std::string> keys;
    for (const RunnerKeys& run : runs_) {
      if (!run.key[kind].empty() && (kind != kSire || sires_.count(run.key[kind]) != 0)) keys.insert(run.key[kind]);
    }
    std::vector<std::string> chosen;
    std::size_t i = 0;
    for (const std::string& key : keys) {
      if (i++ % step == 0) chosen.push_back(key);
    }
    void* buffer = alloc_data(kRecords[kind].size, static_cast<int>(chosen.size()));
    for (std::size_t n = 0; n < chosen.size(); ++n) {
      unsigned char* to = yrace::record_at(buffer, kRecords[kind].size, static_cast<int>(n));
      const std::string& key = chosen[n];
      void* one = nullptr;
      switch (kind) {
        case kHorse: one = get_uma2code(key.c_str()); break;
        case kSire: one = get_sire2code(key.c_str()); break;
        case kJockey: one = get_jockey2code(key.c_str()); break;
        case kStable: one = get_stable2code(key.c_str()); break;
        case kRace: std::memcpy(to, key.data(), 12); continue;
        default: {
          yrace::OwnedBuffer runners(get_race2code_2(key.c_str(), 0));
          for (int r = 0; r < yrace::record_count(runners.get(), 659); ++r) {
            unsigned char* runner = yrace::record_at(runners.get(), 659, r);
            if (Key(kRun, runner) == key) std::memcpy(to, runner, 659);
          }
          continue;
        }
      }
      EXPECT_EQ(yrace::record_count(one, kRecords[kind].size), 1) << key;
      std::memcpy(to, one, static_cast<std::size_t>(kRecords[kind].size));
      release_data(one);
    }
    return yrace::OwnedBuffer(buffer);
  }

  // The keys of kind `a` related to `from` (of kind `b`), in answer order.
  std::vector<std::string> Related(Kind a, Kind b, const std::vector<std::string>& from) {
    const std::set<std::string> wanted(from.begin(), from.end());
    std::map<std::string, std::string> found;  // answer order -> key
    auto add = [&](const std::string& key, const std::string& order) {
      if (key.empty() || (a == kSire && sires_.count(key) == 0)) return;
      found[a == kRun ? order : a == kRace ? key.substr(2, 8) + key : key] = key;
    };
    if (a == b) {
      for (const std::string& key : wanted) add(key, a == kRun ? run_order_[key] : "");
    } else if ((a == kHorse || a == kSire) && (b == kHorse || b == kSire)) {
      for (const auto& [horse, sire] : sire_of_) {
        if (wanted.count(b == kHorse ? horse : sire) != 0) add(a == kHorse ? horse : sire, "");
      }
    } else {
      for (const RunnerKeys& run : runs_) {
        if (wanted.count(run.key[b]) != 0) add(run.key[a], run.order);
      }
    }
    std::vector<std::string> keys;
    for (const auto& [order, key] : found) keys.push_back(key);
    return keys;
  }

  std::vector<RunnerKeys> runs_;
  std::map<std::string, std::string> run_order_;
  std::map<std::string, std::string> sire_of_;
  std::set<std::string> sires_;
};

TEST_F(CrossSearchRelation, EveryCrossSearchAnswersTheRelatedRecordsOnceInOrder) {
  ASSERT_GT(runs_.size(), 10000u);
  // A few records of each kind to start from.
  const std::size_t steps[kKinds] = {800, 80, 60, 80, 600, 10000};
  std::vector<yrace::OwnedBuffer> from;
  for (int k = 0; k < kKinds; ++k) from.push_back(Sample(static_cast<Kind>(k), steps[k]));
  for (int a = 0; a < kKinds; ++a) {
    for (int b = 0; b < kKinds; ++b) {
      const auto& cross = kCrossSearches[a * kKinds + b];
      SCOPED_TRACE(cross.name);
      const Kind ka = static_cast<Kind>(a);
      const std::vector<std::string> expected =
          Related(ka, static_cast<Kind>(b), KeysOf(static_cast<Kind>(b), from[b].get()));
      ASSERT_FALSE(expected.empty());
      yrace::OwnedBuffer all(cross.search(nullptr, from[b].get()));
      ASSERT_EQ(KeysOf(ka, all.get()), expected);

      // Limited to every other record answered: those only.
      const int size = kRecords[a].size;
      const int n = static_cast<int>(expected.size());
      yrace::OwnedBuffer within(alloc_data(size, (n + 1) / 2));
      std::vector<std::string> kept;
      for (int i = 0; i < n; i += 2) {
        std::memcpy(yrace::record_at(within.get(), size, i / 2), yrace::record_at(all.get(), size, i),
                    static_cast<std::size_t>(size));
        kept.push_back(expected[static_cast<std::size_t>(i)]);
      }
      yrace::OwnedBuffer limited(cross.search(within.get(), from[b].get()));
      EXPECT_EQ(KeysOf(ka, limited.get()), kept);
    }
  }
}

TEST_F(CrossSearchRelation, NothingRelatedIsNullAndRecordsOfAnotherTypeAreRefused) {
  yrace::OwnedBuffer horses = Sample(kHorse, 500);
  yrace::OwnedBuffer races = Sample(kRace, 500);
  // No records to start from: null, and no failure.
  yrace::OwnedBuffer none(alloc_data(593, 0));
  EXPECT_EQ(sc_jockey_uma(nullptr, nullptr), nullptr);
  EXPECT_STREQ(get_db_error(), "");
  EXPECT_EQ(sc_jockey_uma(nullptr, none.get()), nullptr);
  EXPECT_STREQ(get_db_error(), "");
  // Horses limited to races' codes, races from horses' records: refused.
  EXPECT_EQ(sc_uma_race(races.get(), races.get()), nullptr);
  EXPECT_STRNE(get_db_error(), "");
  EXPECT_EQ(sc_racem_race(nullptr, horses.get()), nullptr);
  EXPECT_STRNE(get_db_error(), "");
  // Horses that ran in none of the races: the horses of other races.
  std::vector<std::string> related = KeysOf(kHorse, yrace::OwnedBuffer(sc_uma_race(nullptr, races.get())).get());
  std::set<std::string> ran(related.begin(), related.end());
  std::vector<std::string> others;
  for (const auto& [horse, sire] : sire_of_) {
    if (ran.count(horse) == 0 && others.size() < 3) others.push_back(horse);
  }
  void* limit = alloc_data(593, 3);
  for (int i = 0; i < 3; ++i) {
    yrace::OwnedBuffer one(get_uma2code(others[static_cast<std::size_t>(i)].c_str()));
    std::memcpy(yrace::record_at(limit, 593, i), one.get(), 593);
  }
  yrace::OwnedBuffer owned_limit(limit);
  EXPECT_EQ(sc_uma_race(limit, races.get()), nullptr);
  EXPECT_STREQ(get_db_error(), "");
  // A failing store: null with its reason.
  ydb_test_fail("sc_uma_race");
  EXPECT_EQ(sc_uma_race(nullptr, races.get()), nullptr);
  EXPECT_STRNE(get_db_error(), "");
}

}  // namespace
