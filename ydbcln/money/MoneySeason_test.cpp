// Settling a season's tickets: 10,000 random tickets of every bet type on
// the races of a generated season, added in one call of the writer. The
// test finds each race's winning combinations itself from the finishing
// places and frames (dead heats; place paid on two horses with seven
// starters or fewer), takes their amounts from the stored payouts, and
// every settled ticket, race, day, month and the year's balance of YMoney
// agree with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "db/api/SessionState.h"
#include "db/write/Validation.h"
#include "db/write/Writer.h"
#include "testing/TempDir.h"
#include "world/GeneratedSeason_test.h"
#include "ydbcln/money/YMoney.h"
#include "ydbcln/session/YHorseDB.h"

namespace {

// One starter or non-starter of a run race.
struct Runner {
  int number;
  int frame;
  int place;  // official finishing place; 0 when not placed
  bool started;
};

struct Race {
  ydb::RaceKey key;
  std::vector<Runner> runners;
  // Stored payouts: pool, first, second -> yen per 100 yen.
  std::map<std::tuple<int, int, int>, long long> paid;
};

// A combination of a pool: type 1 to 5, first, second (0 for win, place).
using Combination = std::tuple<int, int, int>;

// The combinations that win, from the places: a horse or pair is paid
// when it holds positions among the first k (1 win, 2 quinella and bracket,
// 3 wide, 2 or 3 place), a dead heat sharing its position. Brackets are
// sold only on fields of nine or more, where a frame can hold two.
std::set<Combination> Winning(const Race& race) {
  std::set<Combination> won;
  int starters = 0;
  for (const Runner& r : race.runners) starters += r.started ? 1 : 0;
  const int place_positions = starters <= 7 ? 2 : 3;
  auto ahead = [&](const Runner& of, const Runner* besides) {
    int n = 0;
    for (const Runner& r : race.runners) {
      if (&r != besides && &r != &of && r.place > 0 && r.place < of.place) ++n;
    }
    return n;
  };
  for (const Runner& x : race.runners) {
    if (x.place == 0) continue;
    if (x.place == 1) won.insert({1, x.number, 0});
    if (ahead(x, nullptr) < place_positions) won.insert({2, x.number, 0});
    for (const Runner& y : race.runners) {
      if (y.place == 0 || y.number <= x.number) continue;
      const Runner& later = x.place >= y.place ? x : y;
      const Runner& other = &later == &x ? y : x;
      const int positions = ahead(later, &other) + 2;  // the pair's worse position
      if (positions <= 2) {
        won.insert({4, x.number, y.number});
        if (race.runners.size() >= 9) {
          won.insert({3, std::min(x.frame, y.frame), std::max(x.frame, y.frame)});
        }
      }
      if (positions <= 3) won.insert({5, x.number, y.number});
    }
  }
  return won;
}

class MoneySeason : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A copy of the season the other suites read: this suite buys tickets.
    dir_ = new ytest::TempDir();
    const std::string shared = world::season_test::SharedSeason(world::season_test::kSeason, 1);
    ASSERT_FALSE(shared.empty());
    for (const char* file : {"/ydbcln.db", "/ydbcln.db-wal"}) {
      if (std::filesystem::exists(shared + file)) {
        std::filesystem::copy_file(shared + file, dir_->str() + file);
      }
    }
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(db_.init(dir_->str())); }

  ydb::Database& store() { return *ydb::SessionState::Get().ready_database(); }

  // Every run race of the season with its runners and payouts.
  std::vector<Race> RunRaces() {
    std::map<std::string, Race> races;
    ydb::Statement& runners = store().statement(
        "SELECT r.race_date, r.place, r.race_no, r.horse_no, r.frame_no, r.finish_pos, "
        "coalesce(r.accident_code, '') FROM runner r JOIN race USING (race_date, place, race_no) "
        "WHERE race.has_result = 1 ORDER BY 1, 2, 3, 4");
    while (runners.step()) {
      ydb::RaceKey key{std::string(runners.column_text(1)),
                       static_cast<int>(runners.column_int(0)),
                       static_cast<int>(runners.column_int(2))};
      Race& race = races[key.code()];
      race.key = key;
      const std::string accident(runners.column_text(6));
      race.runners.push_back({static_cast<int>(runners.column_int(3)),
                              static_cast<int>(runners.column_int(4)),
                              static_cast<int>(runners.column_int(5)),
                              accident != "34" && accident != "35"});
    }
    EXPECT_TRUE(runners.status().ok());
    runners.reset();
    ydb::Statement& payouts = store().statement(
        "SELECT race_date, place, race_no, pool, first, second, amount FROM payout");
    while (payouts.step()) {
      const ydb::RaceKey key{std::string(payouts.column_text(1)),
                             static_cast<int>(payouts.column_int(0)),
                             static_cast<int>(payouts.column_int(2))};
      races[key.code()].paid[{static_cast<int>(payouts.column_int(3)),
                              static_cast<int>(payouts.column_int(4)),
                              static_cast<int>(payouts.column_int(5))}] = payouts.column_int(6);
    }
    payouts.reset();
    std::vector<Race> out;
    for (auto& entry : races) out.push_back(entry.second);
    return out;
  }

  inline static ytest::TempDir* dir_ = nullptr;
  YHorseDB db_;
};

// A random ticket the race's field allows.
ydb::Ticket RandomTicket(const Race& race, std::mt19937& random) {
  const int n = static_cast<int>(race.runners.size());
  auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); };
  ydb::Ticket t;
  t.race = race.key;
  t.type = static_cast<ydb::Pool>(pick(1, 5));
  t.count = pick(1, 5);
  switch (t.type) {
    case ydb::Pool::kWin:
    case ydb::Pool::kPlace:
      t.first = pick(1, n);
      break;
    case ydb::Pool::kBracketQuinella: {
      const int frames = std::min(n, 8);
      do {
        t.first = pick(1, frames);
        t.second = pick(t.first, frames);
      } while (t.first == t.second && ydb::FrameSize(t.first, n) < 2);
      break;
    }
    default:
      t.first = pick(1, n - 1);
      t.second = pick(t.first + 1, n);
      break;
  }
  return t;
}

TEST_F(MoneySeason, EverySettledTicketDayMonthAndTheYearAgreeWithThePayoutsFound) {
  const std::vector<Race> races = RunRaces();
  ASSERT_GT(races.size(), 3000u);
  std::map<std::string, const Race*> by_code;
  std::vector<std::string> unpaid;
  std::map<std::string, std::set<Combination>> winning;
  for (const Race& race : races) {
    by_code[race.key.code()] = &race;
    winning[race.key.code()] = Winning(race);
    for (const Combination& c : winning[race.key.code()]) {
      if (race.paid.count(c) == 0) {
        unpaid.push_back(race.key.code() + " " + std::to_string(std::get<0>(c)) + ":" +
                         std::to_string(std::get<1>(c)) + "-" + std::to_string(std::get<2>(c)));
      }
    }
  }
  EXPECT_EQ(unpaid, std::vector<std::string>()) << "races with a winning combination unpaid";

  std::mt19937 random(18);
  std::vector<ydb::Ticket> tickets;
  for (int i = 0; i < 10000; ++i) {
    const Race& race = races[std::uniform_int_distribution<std::size_t>(0, races.size() - 1)(random)];
    tickets.push_back(RandomTicket(race, random));
  }
  ydb::Writer writer(store());
  ASSERT_TRUE(writer.addTickets(tickets).ok());
  ASSERT_TRUE(writer.commitTickets().ok());

  // What each ticket should settle as, in tens of yen, and the sums.
  // Race code, type, numbers, staked and returned, in tens of yen; the
  // returned ×10 to stay whole.
  using Settled = std::tuple<std::string, int, int, int, int, long long>;
  std::vector<Settled> expected;
  std::map<std::string, long long> race_return;  // tens of yen × 10
  std::map<int, long long> day_balance, month_balance;
  long long staked = 0, returned = 0;
  for (const ydb::Ticket& t : tickets) {
    const std::string code = t.race.code();
    const Combination c{static_cast<int>(t.type), t.first, t.second};
    const auto paid = by_code[code]->paid.find(c);
    const long long pays = winning[code].count(c) != 0 && paid != by_code[code]->paid.end()
                               ? paid->second : 0;
    const long long back = pays * t.count;  // yen, that is tens of yen × 10
    expected.emplace_back(code, static_cast<int>(t.type), t.first, t.second, t.count * 10, back);
    race_return[code] += back;
    day_balance[t.race.date] += back - t.count * 100;
    month_balance[t.race.date / 100 % 100] += back - t.count * 100;
    staked += t.count * 10;
    returned += back;
  }

  YMoney money(&db_);
  ASSERT_EQ(money.exec(world::season_test::kSeason), 0);
  ASSERT_EQ(money.getrecordcount(0, 0), 10000);
  std::vector<Settled> settled;
  for (int i = 0; i < money.getrecordcount(0, 0); ++i) {
    const YMoneyRecord& r = *money.getrecord(0, 0, i);
    settled.emplace_back(r.racecode, r.type, r.first, r.second, r.staked, std::llround(r.returned * 10));
  }
  std::sort(expected.begin(), expected.end());
  std::sort(settled.begin(), settled.end());
  EXPECT_TRUE(settled == expected) << "the tickets settle otherwise";

  for (int i = 0; i < money.getrecordcount(0, 1); ++i) {
    const YMoneyRecord& r = *money.getrecord(0, 1, i);
    EXPECT_EQ(std::llround(r.returned * 10), race_return[r.racecode]) << r.racecode;
  }
  ASSERT_EQ(money.getgraphcount(0, 0), static_cast<int>(day_balance.size()));
  auto day = day_balance.begin();
  long long running = 0;
  for (int i = 0; i < money.getgraphcount(0, 0); ++i, ++day) {
    const YMoneyGraph& point = *money.getgraphdata(0, 0, i);
    running += day->second;
    ASSERT_EQ(point.key, day->first);
    EXPECT_EQ(std::llround(point.value * 10), day->second) << point.key;
    EXPECT_EQ(std::llround(point.total * 10), running) << point.key;
  }
  for (int m = 0; m < money.getgraphcount(1, 0); ++m) {
    const YMoneyGraph& point = *money.getgraphdata(1, 0, m);
    EXPECT_EQ(std::llround(point.value * 10), month_balance[point.key / 100]) << point.key;
  }
  ASSERT_EQ(money.getrecordcount(0, 5), 1);
  const YMoneyRecord& year = *money.getrecord(0, 5, 0);
  EXPECT_EQ(year.staked, staked);
  EXPECT_EQ(std::llround(year.returned * 10), returned);
  EXPECT_EQ(std::llround(year.balance * 10), returned - staked * 10);
}

}  // namespace
