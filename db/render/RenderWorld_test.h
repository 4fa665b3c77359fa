// A store for the tests of the renderers and the fetches: the small world
// (one run race of nine runners) and, around it, the races that the
// records' special cases need.
//
//   20231224 05 11  the previous run of two of the small world's horses
//   20240106 05 01  18 runners, a dead heat for first, horse 5 scratched,
//                   final odds of every pool, a horse started from another stall
//   20240106 05 05  G3 with three reference times: its meeting's main race
//   20240106 05 11  the small world's race
//   20240106 08 10  open class          20240106 08 11  500万下
//   20240107 00 03  a 3000 m jump race: fifteen laps, nine corners, 1勝クラス
//   20240107 00 04  500万下
//   20240113 05 11  a card of eight, not yet run, with forecast odds
#ifndef YDB_RENDER_RENDERWORLD_TEST_H_
#define YDB_RENDER_RENDERWORLD_TEST_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/api/ybl.h"
#include "db/base/model.h"
#include "db/store/Database.h"
#include "db/write/Validation.h"
#include "db/write/Writer.h"
#include "testing/Sjis.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace ytest {

inline const RaceKey kEarlierRace{"05", 20231224, 11};
inline const RaceKey kDeadHeatRace{"05", 20240106, 1};
inline const RaceKey kGradedRace{"05", 20240106, 5};
inline const RaceKey kOpenRace{"08", 20240106, 10};
inline const RaceKey kOtherMainRace{"08", 20240106, 11};
inline const RaceKey kJumpRace{"00", 20240107, 3};
inline const RaceKey kMoneyClassRace{"00", 20240107, 4};
inline const RaceKey kCardOnlyRace{"05", 20240113, 11};

// Horse i of the extra horses, i from 1: "2021001" ...
inline std::string ExtraHorse(int i) {
  std::string digits = std::to_string(i);
  return "2021" + std::string(3 - digits.size(), '0') + digits;
}

// A race of the given horses on `key`, numbered in order; with `run`, the
// horses finish in number order.
inline Race PlainRace(const RaceKey& key, int kai, int kai_day, const std::vector<std::string>& horses,
                      bool run) {
  Race race;
  race.key = key;
  race.kai = kai;
  race.kai_day = kai_day;
  race.race_kind = "4";
  race.class_code = "00003";
  race.track_code = "1";
  race.distance = 1600;
  const int n = static_cast<int>(horses.size());
  for (int i = 1; i <= n; ++i) {
    Runner r = MakeRunner(i, n, horses[static_cast<std::size_t>(i - 1)], i);
    if (!run) r.result.reset();
    race.runners.push_back(r);
  }
  if (run) race.result = RaceResult();
  return race;
}

// Eighteen runners: horses 1 and 2 dead-heat for first, horse 5 is
// scratched, horse 4 starts from stall 6. Final odds of every pool, with
// values also for the scratched horse's pairs: win n 20 + 10n, bracket
// (a, b) 1000 + 10a + b, quinella (a, b) 100a + b.
inline Race DeadHeatRace() {
  std::vector<std::string> horses;
  for (int i = 1; i <= 18; ++i) horses.push_back(ExtraHorse(i));
  Race race = PlainRace(kDeadHeatRace, 1, 2, horses, true);
  race.name = "";
  race.class_code = "00003";
  for (Runner& r : race.runners) {
    RunnerResult& x = *r.result;
    x.finish_pos = r.horse_no <= 2 ? 1 : r.horse_no;
    x.arrival_order = x.finish_pos;
    x.popularity = r.horse_no;
    x.margin_lengths = 0;
    x.margin_code = r.horse_no == 2 ? "8" : "";
    x.margin_time.reset();
    if (r.horse_no == 5) {
      x = RunnerResult();
      x.accident_code = "34";
    }
  }
  race.runners[3].post_no = 6;
  RaceResult& result = *race.result;
  result.payouts = {{Pool::kWin, 1, 0, 240, 4},   {Pool::kWin, 2, 0, 310, 3},
                    {Pool::kPlace, 1, 0, 110, 1}, {Pool::kPlace, 2, 0, 120, 2},
                    {Pool::kPlace, 3, 0, 150, 4}, {Pool::kBracketQuinella, 1, 1, 500, 1},
                    {Pool::kQuinella, 1, 2, 720, 1}, {Pool::kWide, 1, 2, 250, 1},
                    {Pool::kWide, 1, 3, 300, 2},  {Pool::kWide, 2, 3, 350, 3}};
  OddsSet odds;
  odds.announced = 1542;
  for (int a = 1; a <= 18; ++a) {
    odds.entries.push_back({Pool::kWin, a, 0, a == 5 ? 0 : 20 + 10 * a, 0, a == 5 ? "/" : ""});
    for (int b = a + 1; b <= 18; ++b) {
      odds.entries.push_back({Pool::kQuinella, a, b, 100 * a + b, 0, ""});
    }
  }
  for (int a = 1; a <= 8; ++a) {
    for (int b = a; b <= 8; ++b) {
      odds.entries.push_back({Pool::kBracketQuinella, a, b, 1000 + 10 * a + b, 0, ""});
    }
  }
  result.final_odds = odds;
  return race;
}

inline Race GradedRace() {
  Race race = PlainRace(kGradedRace, 1, 2, {ExtraHorse(21), ExtraHorse(22), ExtraHorse(23)}, true);
  race.name = "新春杯";
  race.grade = "2";
  race.class_code = "00004";
  ReferenceTime standard;
  standard.kind = "0";
  standard.date = 20230108;
  standard.time = 958;
  standard.horse_name = "キジュンタイム";
  standard.weight_carried = 575;
  standard.jockey_name = "田中";
  ReferenceTime second;
  second.date = 20230107;
  second.time = 1095;
  second.horse_name = "ニバンメ";
  second.weight_carried = 560;
  second.jockey_name = "伊藤";
  second.place = "05";
  ReferenceTime third = second;
  third.date = 20220109;
  third.time = 653;
  third.horse_name = "サンバンメ";
  third.weight_carried = 545;
  third.place = "06";
  race.reference_times = {standard, second, third};
  race.forecast_time = 958;
  race.forecast_last_600 = 345;
  return race;
}

// Fifteen laps of 13.0 s, nine corners, the sectional times and the last
// mile of a jump race.
inline Race JumpRace() {
  Race race = PlainRace(kJumpRace, 1, 1, {ExtraHorse(1), ExtraHorse(2)}, true);
  race.race_kind = "0";
  race.class_code = "-0005";
  race.distance = 3000;
  RaceResult& result = *race.result;
  result.laps.assign(15, 130);
  result.time_first_600 = 380;
  result.time_first_800 = 510;
  result.time_first_1000 = 640;
  result.time_last_800 = 520;
  result.time_last_600 = 382;
  result.time_last_mile = 1053;
  for (int j = 0; j < 9; ++j) {
    result.corners.push_back({j == 8 ? "2" : "", j, "1-2 (" + std::to_string(j + 1) + ")"});
  }
  result.payouts = {{Pool::kWin, 1, 0, 180, 1}};
  return race;
}

// A card of eight, one horse to a frame: horse 3 is scratched before the
// race (its forecast win odds carry the mark).
inline Race CardOnlyRace() {
  std::vector<std::string> horses;
  for (int i = 1; i <= 8; ++i) horses.push_back(ExtraHorse(i));
  Race race = PlainRace(kCardOnlyRace, 1, 3, horses, false);
  race.name = "初富士ステークス";
  Runner& first = race.runners[0];
  first.blinkers = true;
  first.training_marks = "1 3";
  first.prediction_mark = "0";
  first.apprentice_code = "2";
  OddsSet odds;
  odds.kind = "0";
  odds.entries = {{Pool::kWin, 1, 0, 24, 0, ""},
                  {Pool::kWin, 3, 0, 0, 0, "/"},
                  {Pool::kWin, 4, 0, 0, 0, "*"},
                  {Pool::kBracketQuinella, 1, 2, 55, 0, ""},
                  {Pool::kBracketQuinella, 3, 5, 77, 0, ""},
                  {Pool::kQuinella, 3, 4, 99, 0, ""},
                  {Pool::kQuinella, 4, 8, 1234567, 0, ""}};
  race.forecast_odds = odds;
  return race;
}

// The small world, the extra horses, and the races listed at the top.
inline Batch MakeRenderWorld() {
  Batch b = MakeWorld();
  for (int i = 1; i <= 40; ++i) {
    Horse h = MakeHorse(ExtraHorse(i), "ホカノウマ" + std::to_string(i), "1");
    h.trainer_code = "02001";
    b.horses.push_back(h);
  }
  Race earlier = PlainRace(kEarlierRace, 5, 8, {"2020011", "2020012"}, true);
  earlier.runners[0].jockey_code = "01002";  // as in the small world's race
  earlier.runners[1].jockey_code = "01002";  // another rider than there
  b.races.push_back(earlier);
  b.races.push_back(DeadHeatRace());
  b.races.push_back(GradedRace());
  Race open = PlainRace(kOpenRace, 1, 1, {ExtraHorse(31)}, true);
  open.class_code = "00004";
  open.name = "オープン特別";
  b.races.push_back(open);
  Race other = PlainRace(kOtherMainRace, 1, 1, {ExtraHorse(32)}, true);
  other.class_code = "05000";
  other.name = "最終日特別";
  b.races.push_back(other);
  b.races.push_back(JumpRace());
  Race money = PlainRace(kMoneyClassRace, 1, 1, {ExtraHorse(3), ExtraHorse(4)}, true);
  money.class_code = "05000";
  b.races.push_back(money);
  b.races.push_back(CardOnlyRace());
  return b;
}

// The render world in a store of its own, written once per test program;
// null (with the reason in *error) when it cannot be written.
inline Database* RenderStore(std::string* error) {
  static TempDir dir;
  static std::unique_ptr<Database> db;
  static std::string failure;
  if (db == nullptr && failure.empty()) {
    std::unique_ptr<Database> opened;
    Status s = Database::Open(dir.str() + "/render.db", Database::Mode::kOpenOrCreate, &opened);
    if (s.ok()) s = Writer(*opened).write(MakeRenderWorld());
    if (s.ok()) {
      db = std::move(opened);
    } else {
      failure = s.message();
    }
  }
  *error = failure;
  return db.get();
}

// Each test reads the render world's store; Rendered stops a helper when a
// render fails.
class RenderStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    db_ = RenderStore(&error);
    ASSERT_NE(db_, nullptr) << error;
  }

  static void Rendered(const Status& s) { ASSERT_TRUE(s.ok()) << s.message(); }

  Database* db_ = nullptr;
};

// A record buffer held by a test, released when it goes.
class Records {
 public:
  Records() = default;
  // Holds a buffer a fetch answered (null for a failed fetch).
  explicit Records(void* buffer) : buffer_(buffer) {}
  ~Records() { release_data(buffer_); }
  Records(const Records&) = delete;
  Records& operator=(const Records&) = delete;

  // Where a render puts its buffer; a buffer held before is released.
  void** out() {
    release_data(buffer_);
    buffer_ = nullptr;
    return &buffer_;
  }
  void* buffer() const { return buffer_; }
  bool null() const { return buffer_ == nullptr; }
  int count() const { return get_rec_size(buffer_); }
  // Where record i starts, as the client passes a record on.
  const char* record(int i) const {
    return static_cast<const char*>(buffer_) + i * get_rec_width(buffer_);
  }
  // The bytes of record i.
  std::string operator[](int i) const {
    return std::string(record(i), static_cast<std::size_t>(get_rec_width(buffer_)));
  }

 private:
  void* buffer_ = nullptr;
};

// `width` bytes of a record from `offset`.
inline std::string At(const std::string& record, std::size_t offset, std::size_t width) {
  return record.substr(offset, width);
}

// A UTF-8 text in Shift_JIS, padded with blanks to `width` when given.
inline std::string Blanks(std::size_t width) { return std::string(width, ' '); }

}  // namespace ytest

#endif  // YDB_RENDER_RENDERWORLD_TEST_H_
