// Test fixture of the theory engine: a fresh store, and builders that put
// into it in a few lines today's race and the past runs its factors read.
//
//   TEST_F(EngineWorld, Example) {
//     Sire("1000001", "サンデーキング");
//     Horse("3000001", "1000001");                // by that sire
//     AddRun(PastRun("3000001", 20240301).Place("06").Position(2));
//     AddRun(PastRun().Jockey("01001").On(20240302));  // a ride, on a horse of the fixture's
//     AddRun(PastRun().Sire("1000001").On(20240303));    // an offspring's run
//     Today today;                                 // 05 2024-06-01 R11, turf 1600 m
//     today.entries = {Entry("3000001"), Entry("3000002").Jockey("01001")};
//     SetToday(today);
//     const YTheoryResult& r = Evaluate(12);       // 連対率 alone
//     EXPECT_EQ(Ranks(r), (std::vector<int>{1, 0}));
//   }
//
// Everything added is kept in one batch and written when a factor is
// evaluated (or on Flush). Jockeys, trainers and horses named by a run or an
// entry are made on first use (names "騎手<code>", "調教師<code>", short
// name "T<last 4 digits>"); name them first with Jockey and Trainer when a
// test shows them, and make a horse with Horse(code, sire) before its first
// use when it has a sire. Call Flush before driving the engine directly. A past run is a race of its own: the runner the
// test describes at its horse number, and filler horses (codes starting
// with 8, ridden by jockey 09999 for trainer 09999, without a sire) in the
// other places, finishing in order around it. Test horses therefore use
// codes that start with 1 to 6; the fixture's own horses start with 7.
// The writer's rules still hold: a horse runs once a day, and a date has at
// most three racecourses.
#ifndef YDBCLN_THEORY_ENGINEWORLD_TEST_H_
#define YDBCLN_THEORY_ENGINEWORLD_TEST_H_

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "text/sjis.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/theory/YCalcTheory.h"
#include "ydbcln/theory/YTheory.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace enginetest {

// The surfaces as the engine reads them; a jump race is run on turf.
constexpr char kDirt = '0';
constexpr char kTurf = '1';
constexpr char kJump = '2';

inline const std::string kFiller = "09999";  // jockey and trainer of the filler horses

// The conditions of a race, shared by today's race and a past run.
// Setters return the object, so a run reads as one line.
template <class Self>
struct RaceFacts {
  std::string place = "05";
  int date = 0;
  int kai = 1;             // meeting number; the day within it is the fixture's
  char surface = kTurf;
  int distance = 1600;
  std::string going = "0"; // "0" 良 ... "3" 不良
  std::string grade;       // "0" G1, "1" G2, "2" G3; empty: none
  std::string klass = "00000";  // class field; "00004" open, "-0005" the 1-win class ...

  Self& Place(const std::string& v) { place = v; return self(); }
  Self& On(int v) { date = v; return self(); }
  Self& Kai(int v) { kai = v; return self(); }
  Self& Surface(char v) { surface = v; return self(); }
  Self& Distance(int v) { distance = v; return self(); }
  Self& Going(const std::string& v) { going = v; return self(); }
  Self& Grade(const std::string& v) { grade = v; return self(); }
  Self& Class(const std::string& v) { klass = v; return self(); }

 private:
  Self& self() { return static_cast<Self&>(*this); }
};

// One past run: of a horse, by a jockey, for a trainer, or of an offspring
// of a sire. The fields the test leaves alone are those of a horse that
// finished first of ten from number 1 with no figures known.
struct PastRun : RaceFacts<PastRun> {
  std::string horse;   // empty: a horse of the fixture's own, by `sire`
  std::string sire;    // the fixture's own horse's sire
  std::string jockey;  // empty: the filler jockey
  std::string trainer; // empty: the filler trainer
  int runners = 10;
  int number = 1;      // horse number
  int position = 1;    // 0: did not finish (中止)
  int popularity = 0;  // 0: not known
  int odds = 0;        // tenths
  int time = 0;        // tenths of a second
  std::optional<int> margin;  // tenths behind the winner
  int first3f = 0, last3f = 0;  // tenths
  int weight = 550;    // weight carried, tenths of a kilogram
  int index = 0;       // speed index

  PastRun() = default;
  PastRun(const std::string& h, int d) : horse(h) { date = d; }

  PastRun& Sire(const std::string& v) { sire = v; return *this; }
  PastRun& Jockey(const std::string& v) { jockey = v; return *this; }
  PastRun& Trainer(const std::string& v) { trainer = v; return *this; }
  PastRun& Field(int v) { runners = v; return *this; }
  PastRun& Number(int v) { number = v; return *this; }
  PastRun& Position(int v) { position = v; return *this; }
  PastRun& Popularity(int v) { popularity = v; return *this; }
  PastRun& Odds(int v) { odds = v; return *this; }
  PastRun& Time(int v) { time = v; return *this; }
  PastRun& Margin(int v) { margin = v; return *this; }
  PastRun& ThreeF(int first, int last) { first3f = first; last3f = last; return *this; }
  PastRun& Weight(int v) { weight = v; return *this; }
  PastRun& Index(int v) { index = v; return *this; }
};

// A runner of today's race; entry i is horse number i + 1.
struct Entry {
  std::string horse;
  std::string jockey = "01001";
  std::string trainer = "02001";
  int weight = 550;         // tenths of a kilogram
  std::string mark;         // prediction mark digit: d is mark d + 1, "9" 消; empty: none
  std::string training;     // three characters, digits or blanks; empty: none
  int odds = 0;             // forecast win odds, tenths; 0: none
  // A run race: the runner's figures of today (position, popularity, odds,
  // time, margin, 3F, index; the rest is today's); none: it finishes in
  // horse-number order with no figures.
  std::optional<PastRun> ran;

  explicit Entry(const std::string& h) : horse(h) {}
  Entry& Jockey(const std::string& v) { jockey = v; return *this; }
  Entry& Trainer(const std::string& v) { trainer = v; return *this; }
  Entry& Weight(int v) { weight = v; return *this; }
  Entry& Mark(const std::string& v) { mark = v; return *this; }
  Entry& Training(const std::string& v) { training = v; return *this; }
  Entry& Odds(int v) { odds = v; return *this; }
  Entry& Ran(const PastRun& v) { ran = v; return *this; }
};

// Today's race: 05 (中山) 2024-06-01 race 11, meeting 3, turf 1600 m, good
// going, read from its card unless `run`. Its number is 11 or 12: past runs
// take the numbers 1 to 10 of their day.
struct Today : RaceFacts<Today> {
  int number = 11;
  bool run = false;  // written with results: each runner's run of today is then a past-run row
  std::vector<Entry> entries;

  Today() { date = 20240601; kai = 3; }
  std::string code() const { return ydb::RaceKey{place, date, number}.code(); }
};

class EngineWorld : public racetest::RaceStore {
 protected:
  void SetUp() override {
    RaceStore::SetUp();
    batch_.owners.push_back({"100001", "テスト馬主", ""});
    batch_.breeders.push_back({"20000001", "テスト牧場", ""});
    Jockey(kFiller, "埋め騎手");
    Trainer(kFiller, "埋め厩舎");
  }

  // --- People and horses, made once each -----------------------------------

  void Jockey(const std::string& code, const std::string& name) {
    if (!jockeys_.insert(code).second) return;
    ydb::Jockey j;
    j.code = code;
    j.name = name;
    batch_.jockeys.push_back(j);
  }
  void Trainer(const std::string& code, const std::string& name,
               const std::string& short_name = "") {
    if (!trainers_.insert(code).second) return;
    ydb::Trainer t;
    t.code = code;
    t.name = name;
    t.short_name = short_name.empty() ? "T" + code.substr(1) : short_name;
    t.centre = "2";
    batch_.trainers.push_back(t);
  }
  // A racehorse, by `sire` (a horse made by Sire) when one is given.
  void Horse(const std::string& code, const std::string& sire = "") {
    if (!horses_.insert(code).second) return;
    ydb::Horse h = ytest::MakeHorse(code, "ホース" + code, "0");
    h.owner_code = "100001";
    h.breeder_code = "20000001";
    if (!sire.empty()) h.pedigree[ydb::kSire] = {sire, sirenames_[sire], "", true, "", 0};
    batch_.horses.push_back(h);
  }
  // A sire standing in the store.
  void Sire(const std::string& code, const std::string& name) {
    if (!horses_.insert(code).second) return;
    ydb::Horse h = ytest::MakeHorse(code, name, "0");
    h.birth_date = 0;
    batch_.horses.push_back(h);
    batch_.sires.push_back({code, "2", "", "", 0});
    sirenames_[code] = name;
  }

  // --- Races -------------------------------------------------------------------

  // Adds a past run as a race of its own on its date and racecourse.
  void AddRun(const PastRun& run) {
    const std::string horse = run.horse.empty() ? OwnHorse(run.sire) : run.horse;
    Horse(horse);
    ydb::Race race = MakeRace(run, NextNumber(run.place, run.date));
    for (int n = 1; n <= run.runners; ++n) {
      if (n == run.number) continue;
      // The fillers finish in order in the places the runner leaves free.
      const int place = n < run.number ? n : n - 1;
      const int finish = run.position != 0 && place >= run.position ? place + 1 : place;
      ydb::Runner r = MakeRunner(n, FillerHorse(race.key, n), kFiller, kFiller, 550);
      r.result->finish_pos = finish;
      r.result->arrival_order = finish;
      race.runners.push_back(r);
    }
    ydb::Runner r = MakeRunner(run.number, horse,
                               run.jockey.empty() ? kFiller : run.jockey,
                               run.trainer.empty() ? kFiller : run.trainer, run.weight);
    Result(run, &*r.result);
    race.runners.push_back(r);
    Frame(&race);
    batch_.races.push_back(race);
  }

  // Adds today's race: its card, or with `today.run` its results too.
  void SetToday(const Today& today) {
    today_ = today;
    const int field = static_cast<int>(today.entries.size());
    ydb::Race race = MakeRace(today, today.number);
    numbers_.insert({today.place, today.date, today.number});
    if (!today.run) race.result.reset();
    ydb::OddsSet forecast{"0", 0, {}};
    for (int n = 1; n <= field; ++n) {
      const Entry& e = today.entries[static_cast<std::size_t>(n - 1)];
      Horse(e.horse);
      ydb::Runner r = MakeRunner(n, e.horse, e.jockey, e.trainer, e.weight);
      r.prediction_mark = e.mark;
      r.training_marks = e.training;
      if (today.run) {
        Result(e.ran ? *e.ran : PastRun().Position(n), &*r.result);
      } else {
        r.result.reset();
      }
      if (e.odds != 0) forecast.entries.push_back({ydb::Pool::kWin, n, 0, e.odds, 0, ""});
      race.runners.push_back(r);
    }
    if (!forecast.entries.empty()) race.forecast_odds = forecast;
    Frame(&race);
    batch_.races.push_back(race);
  }

  // Writes what was added since the last write; fails the test when the
  // writer refuses it.
  void Flush() {
    if (batch_.owners.empty() && batch_.breeders.empty() && batch_.trainers.empty() &&
        batch_.jockeys.empty() && batch_.horses.empty() && batch_.sires.empty() &&
        batch_.races.empty()) {
      return;
    }
    Write(batch_);
    batch_ = ydb::Batch{};
  }

  // --- The engine -------------------------------------------------------------

  // Factor `code` alone (weight 100) at P1 and P2 on today's race, after
  // writing what was added. The result is the engine's, kept until the
  // next evaluation.
  const YTheoryResult& Evaluate(int code, int p1 = 0, int p2 = 0) {
    Flush();
    YTheory theory(nullptr);
    theory.additem(code, 100, p1, p2);
    EXPECT_EQ(engine_.exec(&theory, today_.code(), 0, 0, nullptr, false), 0)
        << "factor " << code << " on " << today_.code();
    return *engine_.getresult();
  }

  // The ranks of the runners on the evaluated factor (item 0).
  static std::vector<int> Ranks(const YTheoryResult& r, int item = 0) {
    return std::vector<int>(r.rank[item], r.rank[item] + r.runnercount);
  }
  // The headings of item 0, as many as its column count, in UTF-8.
  static std::vector<std::string> Headings(const YTheoryResult& r, int item = 0) {
    std::vector<std::string> out;
    for (int c = 0; c < r.columncount[item]; ++c) out.push_back(Utf8(r.heading[item][c]));
    return out;
  }
  // Runner `slot`'s texts on item 0, as many as its column count, in UTF-8.
  static std::vector<std::string> Texts(const YTheoryResult& r, int slot, int item = 0) {
    std::vector<std::string> out;
    for (int c = 0; c < r.columncount[item]; ++c) out.push_back(Utf8(r.text[item][slot][c]));
    return out;
  }
  static std::string Utf8(const std::string& sjis) { return ytext::to_utf8_lossy(sjis); }

  YCalcTheory engine_{&db_};
  Today today_;

 private:
  // A race with the facts of `f` as race `number` of its day; runners are
  // added by the caller. Its meeting day is the next free one of its kai.
  template <class Facts>
  ydb::Race MakeRace(const Facts& f, int number) {
    ydb::Race race;
    race.key = {f.place, f.date, number};
    race.kai = f.kai;
    race.kai_day = MeetingDay(f.place, f.date, f.kai);
    race.race_kind = f.surface == kJump ? "0" : "4";
    race.track_code = f.surface == kDirt ? "0" : "1";
    race.grade = f.grade;
    race.class_code = f.klass;
    race.distance = f.distance;
    race.going = f.going;
    race.result = ydb::RaceResult{};
    return race;
  }

  ydb::Runner MakeRunner(int number, const std::string& horse, const std::string& jockey,
                         const std::string& trainer, int weight) {
    Jockey(jockey, "騎手" + jockey);
    Trainer(trainer, "調教師" + trainer);
    ydb::Runner r;
    r.horse_no = number;
    r.horse_code = horse;
    r.age = 4;
    r.jockey_code = jockey;
    r.trainer_code = trainer;
    r.weight_carried = weight;
    r.result = ydb::RunnerResult{};
    return r;
  }

  // The figures of `run` as a runner's result.
  static void Result(const PastRun& run, ydb::RunnerResult* x) {
    x->finish_pos = run.position;
    x->arrival_order = run.position;
    if (run.position == 0) x->accident_code = "33";
    x->popularity = run.popularity;
    x->win_odds = run.odds;
    x->time = run.time;
    x->margin_time = run.margin;
    x->first_600 = run.first3f;
    x->last_600 = run.last3f;
    x->speed_index = run.index;
  }

  // Frames follow the field, so they are set once every runner is in.
  void Frame(ydb::Race* race) {
    const int field = static_cast<int>(race->runners.size());
    for (ydb::Runner& r : race->runners) r.frame_no = ydb::DrawFrame(r.horse_no, field);
  }

  int MeetingDay(const std::string& place, int date, int kai) {
    auto found = meetings_.find({place, date});
    if (found != meetings_.end()) {
      EXPECT_EQ(found->second.first, kai) << place << " " << date << " has one meeting";
      return found->second.second;
    }
    const int day = ++days_[{place, date / 10000, kai}];
    meetings_[{place, date}] = {kai, day};
    return day;
  }

  // Past runs take race numbers 1 to 10 of their day; today's race is 11 or 12.
  int NextNumber(const std::string& place, int date) {
    for (int n = 1; n <= 10; ++n) {
      if (numbers_.insert({place, date, n}).second) return n;
    }
    ADD_FAILURE() << "more than 10 past runs at " << place << " on " << date;
    return 10;
  }

  // Filler horse `number` of a past race: 8, racecourse, race number, horse
  // number; one race a day for each.
  std::string FillerHorse(const ydb::RaceKey& key, int number) {
    const std::string code = "8" + key.place + TwoDigits(key.number) + TwoDigits(number);
    Horse(code);
    return code;
  }

  std::string OwnHorse(const std::string& sire) {
    const std::string count = std::to_string(++own_);
    const std::string code = "7" + std::string(6 - count.size(), '0') + count;
    Horse(code, sire);
    return code;
  }

  static std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

  ydb::Batch batch_;
  std::set<std::string> jockeys_, trainers_, horses_;
  std::map<std::string, std::string> sirenames_;
  std::map<std::pair<std::string, int>, std::pair<int, int>> meetings_;  // (place, date): kai, day
  std::map<std::tuple<std::string, int, int>, int> days_;                // (place, year, kai): days
  std::set<std::tuple<std::string, int, int>> numbers_;                  // races taken
  int own_ = 0;
};

}  // namespace enginetest

#endif  // YDBCLN_THEORY_ENGINEWORLD_TEST_H_
