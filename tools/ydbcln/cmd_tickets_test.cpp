// Tests of `ydbcln tickets`: on the small world, the hits of its run race
// with the stake, return and rate, and the refusals; on a generated month,
// that the hits shown in every pool are the payouts the store holds for the
// tickets bought.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "RunTool_test.h"
#include "world/Generator.h"

namespace tooltest {
namespace {

using nlohmann::json;

// The small world's race: horses finish in number order, horse 3 third;
// 単勝 1 pays 350, 馬連 1-2 880, ワイド 1-2 300, 1-3 410, 2-3 520.
const char kRace[] = "052024010611";

TEST_F(ToolTest, TicketsOnARunRaceShowTheHitsStakeReturnAndRate) {
  const ToolRun win = Tool({"tickets", kRace, "--rank", "1,2,3", "--bet", "win", "--box", "1:1"});
  ASSERT_EQ(win.exit_code, 0) << win.err;
  EXPECT_NE(win.out.find("Hits: 1\n  1     350円"), std::string::npos) << win.out;
  EXPECT_NE(win.out.find("Stake 100円  Return 350円  Return rate 350.0%"), std::string::npos)
      << win.out;

  const json wide = Json(Tool({"--json", "tickets", kRace, "--rank", "2,3,1", "--bet", "wide",
                               "--box", "1:3"}));
  EXPECT_EQ(wide["tickets"].size(), 3u);
  EXPECT_EQ(wide["hits"], json::parse(R"([{"combination": "2-3", "payout": 520},
                                          {"combination": "1-2", "payout": 300},
                                          {"combination": "1-3", "payout": 410}])"));
  EXPECT_EQ((std::vector<long long>{wide["stake"], wide["return"]}),
            (std::vector<long long>{300, 1230}));
  EXPECT_DOUBLE_EQ(wide["return_rate"].get<double>(), 410.0);
  EXPECT_EQ(wide["order"][0]["horse"], 2);
  EXPECT_EQ(wide["order"][0]["score"], 100.0);
}

TEST_F(ToolTest, TicketsRefuseWhatCannotBeBoughtInOneLine) {
  ExpectRefused(Tool({"tickets", "052024010612", "--rank", "1", "--bet", "win", "--box", "1:1"}),
                "no race 052024010612");
  ExpectRefused(Tool({"tickets", kRace, "--rank", "1,1", "--bet", "win", "--box", "1:1"}),
                "named twice");
  ExpectRefused(Tool({"tickets", kRace, "--rank", "10", "--bet", "win", "--box", "1:1"}),
                "no horse number 10");
  ExpectRefused(Tool({"tickets", kRace, "--rank", "1", "--bet", "exacta", "--box", "1:1"}),
                "--bet is one of");
  ExpectRefused(Tool({"tickets", kRace, "--rank", "1", "--bet", "quinella"}), "say how to buy");
  ExpectRefused(Tool({"tickets", kRace, "--rank", "1", "--bet", "win", "--box", "2:3"}),
                "from rank 1");
  ExpectRefused(Tool({"tickets", kRace, "--rank", "1", "--bet", "quinella", "--box", "1:x"}),
                "takes numbers");
}

// One run race of the generated world: its code, its horses in finishing
// order, its number of finishers and its payouts by pool, combination →
// amount.
struct RunRace {
  std::string code;
  std::string order;  // "3,7,1,..."
  int finishers = 0;
  std::map<std::string, std::map<std::string, long long>> paid;
};

class TicketsOnAGeneratedMonth : public ::testing::Test {
 protected:
  // January of a generated season (stopping at the first day of February
  // leaves January written), and the first run races of it.
  static void SetUpTestSuite() {
    dir_ = new ytest::TempDir();
    std::unique_ptr<ydb::Database> db;
    ydb::Status s = ydb::Database::Open(dir_->str() + "/ydbcln.db",
                                        ydb::Database::Mode::kOpenOrCreate, &db);
    ASSERT_TRUE(s.ok()) << s.message();
    world::Options options;
    options.origin = options.first_season = options.last_season = 2019;
    options.seed = 11;
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
        "GROUP BY race_date, place, race_no ORDER BY race_date, place, race_no LIMIT 12");
    while (st.step()) {
      RunRace r;
      const int number = static_cast<int>(st.column_int(2));
      r.code = std::string(st.column_text(0)) + std::to_string(st.column_int(1)) +
               (number < 10 ? "0" : "") + std::to_string(number);
      r.order = std::string(st.column_text(3));
      r.finishers = static_cast<int>(st.column_int(4));
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

  inline static ytest::TempDir* dir_ = nullptr;
  inline static std::vector<RunRace>* races_ = nullptr;
};

TEST_F(TicketsOnAGeneratedMonth, HitsAreThePayoutsOfTheTicketsBoughtInEveryPool) {
  ASSERT_GE(races_->size(), 10u);
  int hits = 0;
  for (const RunRace& race : *races_) {
    for (const std::string bet : {"win", "place", "bracket", "quinella", "wide"}) {
      // A field under nine buys horse pairs as frame pairs, which are checked
      // against 枠連.
      if ((bet == "quinella" || bet == "wide") && race.finishers < 9) continue;
      SCOPED_TRACE(race.code + " " + bet);
      const bool single = bet == "win" || bet == "place";
      const json answer = Json(RunTool(dir_->str(), {"--json", "tickets", race.code, "--rank",
                                                     race.order, "--bet", bet, "--box",
                                                     single ? "1:5" : "1:4"}));
      ASSERT_TRUE(answer["run"].get<bool>());
      const std::map<std::string, long long> none;
      const auto& paid = race.paid.count(bet) != 0 ? race.paid.at(bet) : none;
      if (bet == "wide" && paid.empty()) {
        EXPECT_FALSE(answer["paid"].get<bool>());
        continue;
      }
      std::map<std::string, long long> expected;
      for (const json& t : answer["tickets"]) {
        const std::string c = t["combination"];
        if (paid.count(c) != 0) expected[c] = paid.at(c);
      }
      std::map<std::string, long long> shown;
      long long returned = 0;
      for (const json& h : answer["hits"]) {
        shown[h["combination"]] = h["payout"];
        returned += h["payout"].get<long long>();
      }
      EXPECT_EQ(shown, expected);
      EXPECT_EQ(answer["stake"].get<long long>(),
                100 * static_cast<long long>(answer["tickets"].size()));
      EXPECT_EQ(answer["return"].get<long long>(), returned);
      hits += static_cast<int>(shown.size());
    }
  }
  EXPECT_GT(hits, 20);  // the finishers were ranked in order, so most pools hit
}

}  // namespace
}  // namespace tooltest
