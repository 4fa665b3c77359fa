// `ydbcln tickets` on a generated world: the hits it shows for run races
// are the payouts the store holds for the tickets it bought, in every
// pool, and its refusals.
#include <gtest/gtest.h>

#include <db/store/Database.h>
#include <nlohmann/json.hpp>
#include <testing/TempDir.h>
#include <world/Generator.h>

#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Command.h"

namespace {

// One run race of the world: its code, its horses in finishing order and
// its payouts by pool name, "combination" → amount.
struct RunRace {
  std::string code;
  std::string order;  // "3,7,1,..."
  int runners = 0;
  std::map<std::string, std::map<std::string, long long>> paid;
};

class TicketsOnAGeneratedWorld : public ::testing::Test {
 protected:
  // January of a generated season, and the run races of its first days.
  static void SetUpTestSuite() {
    dir_ = new ytest::TempDir();
    std::unique_ptr<ydb::Database> db;
    ydb::Status s = ydb::Database::Open(dir_->str() + "/ydbcln.db",
                                        ydb::Database::Mode::kOpenOrCreate, &db);
    ASSERT_TRUE(s.ok()) << s.message();
    world::Options options;
    options.origin = options.first_season = options.last_season = 2019;
    options.seed = 11;
    // Stopping at the first day of February leaves January written.
    world::Generate(*db, options, [](int, int, const std::string& day) {
      return day.compare(0, 7, "2019-02") != 0;
    });
    races_ = new std::vector<RunRace>(Read(*db));
  }
  static void TearDownTestSuite() {
    delete races_;
    delete dir_;
  }

  static std::vector<RunRace> Read(ydb::Database& db) {
    static const char* const kPools[] = {"", "win", "place", "bracket", "quinella", "wide"};
    std::vector<RunRace> races;
    ydb::Statement& st = db.statement(
        "SELECT place, race_date, race_no, group_concat(horse_no, ','), count(*) FROM "
        "(SELECT * FROM runner WHERE finish_pos > 0 ORDER BY finish_pos, horse_no) "
        "GROUP BY race_date, place, race_no ORDER BY race_date, place, race_no LIMIT 24");
    while (st.step()) {
      RunRace r;
      r.code = std::string(st.column_text(0)) + std::to_string(st.column_int(1)) +
               (st.column_int(2) < 10 ? "0" : "") + std::to_string(st.column_int(2));
      r.order = std::string(st.column_text(3));
      r.runners = static_cast<int>(st.column_int(4));
      races.push_back(r);
    }
    st.reset();
    for (RunRace& r : races) {
      ydb::Statement& p = db.statement(
          "SELECT pool, first, second, amount FROM payout WHERE place = ?1 AND race_date = ?2 "
          "AND race_no = ?3");
      p.bind(1, r.code.substr(0, 2)).bind(2, std::stoi(r.code.substr(2, 8)));
      p.bind(3, std::stoi(r.code.substr(10, 2)));
      while (p.step()) {
        const int pool = static_cast<int>(p.column_int(0));
        std::string combination = std::to_string(p.column_int(1));
        if (pool >= 3) combination += "-" + std::to_string(p.column_int(2));
        r.paid[kPools[pool]][combination] = p.column_int(3);
      }
      p.reset();
    }
    return races;
  }

  // The JSON answer of the command, or null when it fails.
  static nlohmann::json Tickets(tool::TicketsRequest request) {
    tool::Options options;
    options.data_dir = dir_->str();
    options.json = true;
    std::ostringstream out;
    if (tool::RunTickets(options, request, out) != 0) return nullptr;
    return nlohmann::json::parse(out.str());
  }

  inline static ytest::TempDir* dir_ = nullptr;
  inline static std::vector<RunRace>* races_ = nullptr;
};

TEST_F(TicketsOnAGeneratedWorld, HitsAreThePayoutsOfTheTicketsBought) {
  ASSERT_GE(races_->size(), 10u);
  int hits = 0;
  for (const RunRace& race : *races_) {
    for (const std::string bet : {"win", "place", "bracket", "quinella", "wide"}) {
      // Small fields buy horse pairs as frame pairs; those are checked as 枠連.
      if ((bet == "quinella" || bet == "wide") && race.runners < 9) continue;
      SCOPED_TRACE(race.code + " " + bet);
      tool::TicketsRequest q;
      q.race = race.code;
      q.ranks = race.order;
      q.bet = bet;
      q.box = "1:" + std::string(bet == "win" || bet == "place" ? "5" : "4");
      const nlohmann::json answer = Tickets(q);
      ASSERT_FALSE(answer.is_null());
      ASSERT_TRUE(answer["run"].get<bool>());
      const auto& paid = race.paid.count(bet) != 0 ? race.paid.at(bet)
                                                   : std::map<std::string, long long>();
      if (bet == "wide" && paid.empty()) {
        EXPECT_FALSE(answer["paid"].get<bool>());
        continue;
      }
      std::map<std::string, long long> expected;
      for (const auto& t : answer["tickets"]) {
        const std::string c = t["combination"];
        if (paid.count(c) != 0) expected[c] = paid.at(c);
      }
      std::map<std::string, long long> shown;
      long long returned = 0;
      for (const auto& h : answer["hits"]) {
        shown[h["combination"]] = h["payout"];
        returned += h["payout"].get<long long>();
      }
      EXPECT_EQ(shown, expected);
      EXPECT_EQ(answer["stake"].get<long long>(), 100 * static_cast<long long>(answer["tickets"].size()));
      EXPECT_EQ(answer["return"].get<long long>(), returned);
      hits += static_cast<int>(shown.size());
    }
  }
  EXPECT_GT(hits, 20);  // the winners were ranked first, so most pools hit
}

TEST_F(TicketsOnAGeneratedWorld, TheTextShowsEachHitAndTheReturn) {
  const RunRace& race = races_->front();
  tool::TicketsRequest q;
  q.race = race.code;
  q.ranks = race.order;
  q.bet = "win";
  q.box = "1:1";
  tool::Options options;
  options.data_dir = dir_->str();
  std::ostringstream out;
  ASSERT_EQ(tool::RunTickets(options, q, out), 0);
  const std::string text = out.str();
  const std::string winner = race.order.substr(0, race.order.find(','));
  const long long amount = race.paid.at("win").at(winner);
  EXPECT_NE(text.find("Hits: 1"), std::string::npos) << text;
  EXPECT_NE(text.find("Return rate " + std::to_string(amount) + ".0%"), std::string::npos) << text;
}

TEST_F(TicketsOnAGeneratedWorld, RefusesWhatItCannotBuy) {
  const RunRace& race = races_->front();
  tool::TicketsRequest good;
  good.race = race.code;
  good.ranks = race.order;
  good.bet = "quinella";
  good.box = "1:3";
  ASSERT_FALSE(Tickets(good).is_null());
  std::vector<tool::TicketsRequest> bad(6, good);
  bad[0].race = race.code.substr(0, 10) + "13";
  bad[1].ranks = "1,1";
  bad[2].ranks = "99";
  bad[3].bet = "exacta";
  bad[4].box.clear();
  bad[5].bet = "win";
  bad[5].box = "2:3";
  for (const auto& q : bad) EXPECT_TRUE(Tickets(q).is_null()) << q.race << " " << q.ranks << " " << q.bet;
}

}  // namespace
