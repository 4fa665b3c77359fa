// Tests of `ydbcln predict` and `ydbcln rank` on a small world of the
// nine horses: a run race the week before the small world's race (the
// horses finish in number order both times), a card a week after with a ◎
// and a 消, and a card of nineteen runners.
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

using nlohmann::json;

const char kBefore[] = "052023122811";  // run, no past runs
const char kRace[] = "052024010611";    // run, one past run each
const char kCard[] = "052024011311";    // not run: horse 2 ◎, horse 5 消
const char kBig[] = "052024011312";     // not run: 19 runners

ydb::Race CardOnly(ydb::Race race) {
  race.result.reset();
  for (ydb::Runner& r : race.runners) r.result.reset();
  return race;
}

ydb::Batch PredictWorld() {
  ydb::Batch b = ytest::MakeWorld();
  ydb::Race before = ytest::MakeRace({"05", 20231228, 11});
  before.kai = 5;
  before.kai_day = 8;
  ydb::Race card = CardOnly(ytest::MakeRace({"05", 20240113, 11}));
  card.kai_day = 4;
  card.runners[1].prediction_mark = "0";
  card.runners[4].prediction_mark = "9";
  ydb::Race big = card;
  big.key.number = 12;
  big.runners.clear();
  big.forecast_odds.reset();
  for (int n = 1; n <= 19; ++n) {
    ydb::Horse h =
        ytest::MakeHorse("20210" + std::to_string(10 + n), "ビッグ" + std::to_string(n), "0");
    h.owner_code = "100001";
    h.breeder_code = "20000001";
    h.trainer_code = "02001";
    b.horses.push_back(h);
    big.runners.push_back(ytest::MakeRunner(n, 19, h.code, 1));
    big.runners.back().result.reset();
  }
  b.races = {before, b.races.front(), card, big};
  return b;
}

class PredictTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::unique_ptr<ydb::Database> db;
    ydb::Status s = ydb::Database::Open((dir_.path() / "ydbcln.db").string(),
                                        ydb::Database::Mode::kOpenOrCreate, &db);
    if (s.ok()) s = ydb::Writer(*db).write(PredictWorld());
    ASSERT_TRUE(s.ok()) << s.message();
    // The theory of the past positions alone.
    ASSERT_EQ(
        Json(Tool({"--json", "theory", "add", "--title", "着順重視", "--item", "8:100"}))["code"],
        1);
  }

  ToolRun Tool(const std::vector<std::string>& args) { return RunTool(dir_.str(), args); }

  // The ranks of factor item `item` by horse number order.
  static std::vector<int> Ranks(const json& prediction, int item) {
    std::vector<int> ranks;
    for (const json& r : prediction["factors"][item]["runners"]) ranks.push_back(r["rank"]);
    return ranks;
  }

  ytest::TempDir dir_;
};

TEST_F(PredictTest, RunRaceShowsFactorRanksOrderPicksTicketsAndHits) {
  const json p = Json(Tool({"--json", "predict", "着順重視", kRace}));
  EXPECT_EQ(p["race"]["code"], kRace);
  ASSERT_EQ(p["factors"].size(), 1u);
  EXPECT_EQ(p["factors"][0]["factor"], 8);
  EXPECT_EQ(p["factors"][0]["headings"].size(), 5u);
  // One past run each, in number order; horse 9 was scratched: no run.
  EXPECT_EQ(Ranks(p, 0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 0}));
  std::string picks;
  for (const json& o : p["order"]) picks += o["pick"].get<std::string>() + ",";
  EXPECT_EQ(picks, "◎,○,▲,△,×,,,,,");
  EXPECT_EQ(p["order"][0]["horse"], 1);
  // Without --bet: the first of the order to win. Horse 1 won, paying 350.
  EXPECT_EQ(p["bet"], "win");
  EXPECT_TRUE(p["run"].get<bool>());
  EXPECT_EQ(p["hits"], json::parse(R"([{"combination": "1", "payout": 350}])"));
  EXPECT_EQ(p["stake"], 100);
  EXPECT_DOUBLE_EQ(p["return_rate"].get<double>(), 350.0);

  // The tickets of `tickets`' options.
  const json q = Json(Tool({"--json", "predict", "1", kRace, "--bet", "quinella", "--box", "1:3"}));
  EXPECT_EQ(q["tickets"].size(), 3u);
  EXPECT_EQ(q["hits"], json::parse(R"([{"combination": "1-2", "payout": 880}])"));

  const ToolRun text = Tool({"predict", "着順重視", kRace});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("Factor 1: 8 着順評価"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("Hits: 1\n  1     350円"), std::string::npos) << text.out;
}

TEST_F(PredictTest, CardShowsTheRaceMarksAndNoHitsAndTheConditionsReplaceTheRaces) {
  const json p = Json(Tool({"--json", "predict", "1", kCard}));
  EXPECT_FALSE(p["run"].get<bool>());
  EXPECT_FALSE(p.contains("hits"));
  // Two past runs each; 消 takes no rank and the others close up.
  EXPECT_EQ(Ranks(p, 0), (std::vector<int>{1, 2, 3, 4, 0, 5, 6, 7, 0}));
  for (const json& o : p["order"]) {
    const int horse = o["horse"];
    EXPECT_EQ(o["mark"], horse == 2 ? "◎" : horse == 5 ? "消" : "") << horse;
    EXPECT_EQ(o["excluded"], horse == 5) << horse;
    if (horse == 5) {
      EXPECT_EQ(o["pick"], "");
    }
  }
  EXPECT_EQ(p["tickets"], json::parse(R"([{"combination": "1", "ranks": "1"}])"));

  // A run race read from its card is not checked.
  EXPECT_FALSE(Json(Tool({"--json", "predict", "1", kRace, "--card"}))["run"].get<bool>());
  // The going is the race's (稍; none on a card) unless given.
  EXPECT_EQ(Json(Tool({"--json", "predict", "1", kRace, "--distance", "1800"}))["race"]["going"],
            "稍");
  EXPECT_EQ(Json(Tool({"--json", "predict", "1", kRace, "--going", "重", "--surface",
                       "turf"}))["race"]["going"],
            "重");
  EXPECT_EQ(Json(Tool({"--json", "predict", "1", kCard, "--distance", "1800"}))["race"]["going"],
            "");
}

TEST_F(PredictTest, ARaceNoFactorHasDataForSaysSo) {
  // The first race of the data set: no runner has a past run to rank by.
  const char* const first_race = "052023122811";
  const json p = Json(Tool({"--json", "predict", "1", first_race}));
  EXPECT_TRUE(p["no_data"].get<bool>());
  EXPECT_EQ(Ranks(p, 0), std::vector<int>(9, 0));
  const std::string line = "No factor had data for any runner: the theory ranked none of them.";
  EXPECT_NE(Tool({"predict", "1", first_race}).out.find(line), std::string::npos);

  EXPECT_FALSE(Json(Tool({"--json", "predict", "1", kRace}))["no_data"].get<bool>());
  EXPECT_EQ(Tool({"predict", "1", kRace}).out.find(line), std::string::npos);
}

TEST_F(PredictTest, RangeCountsTheRunRacesOnlyWithTheirTotals) {
  const json run = Json(Tool({"--json", "predict", "1", "--from", "20231201", "--to", "20240131"}));
  std::set<std::string> keys;
  for (const auto& item : run["total"].items()) keys.insert(item.key());
  EXPECT_EQ(keys, (std::set<std::string>{"races", "rank1_wins", "hit_races", "stake", "return",
                                         "return_rate"}));
  // The two run races; the cards of 13 January are not counted. Horse 1
  // was first by the forecast odds the week before, by its run after.
  ASSERT_EQ(run["races"].size(), 2u);
  EXPECT_EQ(run["races"][0]["code"], kBefore);
  EXPECT_EQ(run["total"]["races"], 2);
  EXPECT_EQ(run["total"]["rank1_wins"], 2);
  EXPECT_EQ(run["total"]["hit_races"], 2);
  EXPECT_EQ(run["total"]["stake"], 200);
  EXPECT_EQ(run["total"]["return"], 700);
  EXPECT_DOUBLE_EQ(run["total"]["return_rate"].get<double>(), 350.0);

  EXPECT_EQ(Json(Tool({"--json", "predict", "1", "--from", "20240107", "--to",
                       "20240131"}))["total"]["races"],
            0);
  const ToolRun text = Tool(
      {"predict", "1", "--from", "20240101", "--to", "20240131", "--bet", "wide", "--box", "1:3"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find(std::string(kRace) + "   9 runners  first  1 won   tickets 3  hits 3"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("Stake 300円  Return 1,230円  Return rate 410.0%"), std::string::npos)
      << text.out;
}

TEST_F(PredictTest, RankGivesEachRunnerItsRankOnEachFactorAlone) {
  const json named = Json(Tool({"--json", "rank", kRace, "--factor", "8", "--factor", "5:400"}));
  ASSERT_EQ(named["factors"].size(), 2u);
  EXPECT_EQ(named["factors"][0]["ranks"], json({1, 2, 3, 4, 5, 6, 7, 8, 0}));
  EXPECT_EQ(named["factors"][1]["parameters"], json({400, 3}));
  EXPECT_EQ(named["runners"].size(), 9u);

  const json all = Json(Tool({"--json", "rank", kCard}));
  ASSERT_EQ(all["factors"].size(), 78u);
  for (const json& f : all["factors"]) EXPECT_EQ(f["ranks"].size(), 9u) << f["factor"];
  // The same ranks as the theory's on the card.
  EXPECT_EQ(all["factors"][7]["ranks"], json({1, 2, 3, 4, 0, 5, 6, 7, 0}));

  const ToolRun text = Tool({"rank", kRace, "--factor", "8"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find(" 8 着順評価"), std::string::npos) << text.out;
}

TEST_F(PredictTest, BadInputIsOneLineExitTwoAndWhatIsNotThereExitOne) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string words;
  };
  const std::vector<Case> cases = {
      {{"predict", "堅実重視", kRace}, 1, "no theory 堅実重視"},
      {{"predict", "7", kRace}, 1, "no theory 7"},
      {{"predict", "1", "05202401061"}, 2, "a race code is 12 digits"},
      {{"predict", "1", "052024010612"}, 1, "no race 052024010612"},
      {{"predict", "1", kRace, "--nomination"}, 1, "no nominations for"},
      {{"predict", "1", kRace, "--bet", "exacta"}, 2, "--bet is one of"},
      {{"predict", "1", kRace, "--bet", "quinella"}, 2, "say how to buy"},
      {{"predict", "1", kRace, "--going", "泥"}, 2, "--going is one of"},
      {{"predict", "1", kRace, "--distance", "50"}, 2, "--distance"},
      {{"predict", "1", "--from", "20240230", "--to", "20240301"}, 2, "dates YYYYMMDD"},
      {{"predict", "1", "--from", "20240101"}, 2, "both --from and --to"},
      {{"predict", "1", kRace, "--from", "20240101", "--to", "20240102"}, 2, "not both"},
      {{"predict", "1", "--from", "20240101", "--to", "20240102", "--card"}, 2, "for one race"},
      {{"rank", kRace, "--factor", "79"}, 2, "factor code is not 1-78"},
      {{"rank", kRace, "--factor", "5:100"}, 2, "first parameter 100"},
      {{"rank", kRace, "--factor", "8:x"}, 2, "takes numbers"},
      {{"rank", kRace, "--factor", "8:0:3:1"}, 2, "CODE[:P1[:P2]]"},
      {{"rank", "0520240106xx"}, 2, "a race code is 12 digits"},
      {{"rank", "052024010612"}, 1, "no race 052024010612"},
      {{"rank", kBig}, 1, "19 runners"},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.args) line += a + " ";
    SCOPED_TRACE(line);
    const ToolRun run = Tool(c.args);
    ExpectRefused(run, c.words);
    EXPECT_EQ(run.exit_code, c.exit_code);
  }
}

TEST_F(PredictTest, OptimiseStoresTheBestTheoryAndRepeatsWithItsSeedAndItsTable) {
  const std::vector<std::string> search = {"--json", "optimise", "--bet", "win", "--box", "1:1",
                                           "--generations", "2", "--seed", "5"};
  std::vector<std::string> ranged = search;
  ranged.insert(ranged.end(), {"--from", "20231201", "--to", "20240131", "--save-table",
                               dir_.str() + "/table.ytm"});
  const json first = Json(Tool(ranged));
  EXPECT_EQ(first["races"], 2);
  EXPECT_EQ(first["items"], 790);
  EXPECT_EQ(first["seed"], 5);
  EXPECT_EQ(first["stopped"], "generations");
  ASSERT_EQ(first["history"].size(), 2u);
  EXPECT_EQ(first["theory_code"], 2) << "stored after the fixture's theory 1";
  EXPECT_EQ(first["theory"]["items"].size(), 8u);
  EXPECT_EQ(Json(Tool({"--json", "theory", "show", "2"}))["items"], first["theory"]["items"]);

  // The saved ranking and the same seed give the same search.
  std::vector<std::string> loaded = search;
  loaded.insert(loaded.end(), {"--load-table", dir_.str() + "/table.ytm"});
  const json again = Json(Tool(loaded));
  EXPECT_EQ(again["theory"]["items"], first["theory"]["items"]);
  EXPECT_EQ(again["history"], first["history"]);
  EXPECT_EQ(again["theory_code"], 3);

  std::ofstream(dir_.str() + "/junk.ytm") << "not a table";
  const std::vector<std::vector<std::string>> refusals = {
      {"optimise", "--bet", "exacta", "--from", "20231201", "--to", "20240131"},
      {"optimise", "--bet", "win", "--box", "1:1", "--from", "20240131", "--to", "20231201"},
      {"optimise", "--bet", "win", "--box", "1:1", "--from", "20231201", "--to", "20240131",
       "--exclude", "8,79"},
      {"optimise", "--bet", "win", "--box", "1:1", "--from", "20231201", "--to", "20240131",
       "--generations", "0"},
      {"optimise", "--bet", "win", "--box", "1:1"},
      {"optimise", "--bet", "win", "--box", "1:1", "--from", "20231201", "--to", "20240131",
       "--load-table", dir_.str() + "/junk.ytm"},
  };
  for (const auto& args : refusals) {
    const ToolRun run = Tool(args);
    SCOPED_TRACE(args.back());
    ExpectRefused(run, "");
    EXPECT_EQ(run.exit_code, 2);
  }
  const ToolRun junk =
      Tool({"optimise", "--bet", "win", "--box", "1:1", "--load-table", dir_.str() + "/junk.ytm"});
  ExpectRefused(junk, "not a ranking table");
  EXPECT_EQ(junk.exit_code, 1);
}

}  // namespace
}  // namespace tooltest
