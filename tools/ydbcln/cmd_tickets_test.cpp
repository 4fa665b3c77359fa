// Tests of `ydbcln tickets` on the small world: the hits of its run race in
// every pool with the stake, return and rate, and the refusals.
#include <string>
#include <utility>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

using nlohmann::json;

// The small world's race: horses finish in number order, horse 3 third;
// 単勝 1 pays 350, 複勝 1 130, 2 160, 3 210, 枠連 1-2 620, 馬連 1-2 880,
// ワイド 1-2 300, 1-3 410, 2-3 520.
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
  EXPECT_TRUE(wide["paid"].get<bool>());

  // The other pools: each hit is that pool's payout, none taken from another.
  const std::vector<std::pair<std::string, std::string>> pools = {
      {"place", R"([{"combination": "1", "payout": 130}, {"combination": "2", "payout": 160},
                    {"combination": "3", "payout": 210}])"},
      {"bracket", R"([{"combination": "1-2", "payout": 620}])"},
      {"quinella", R"([{"combination": "1-2", "payout": 880}])"},
  };
  for (const auto& [bet, hits] : pools) {
    SCOPED_TRACE(bet);
    const json answer = Json(Tool({"--json", "tickets", kRace, "--rank", "1,2,3", "--bet", bet,
                                   "--box", "1:3"}));
    EXPECT_EQ(answer["hits"], json::parse(hits));
  }
}

// A race not stored and a bet type not sold are the global options' table;
// how to buy, the predictions'.
TEST_F(ToolTest, TicketsRefuseWhatCannotBeBoughtInOneLine) {
  ExpectRefused(Tool({"tickets", kRace, "--rank", "1,1", "--bet", "win", "--box", "1:1"}),
                "named twice");
  ExpectRefused(Tool({"tickets", kRace, "--rank", "10", "--bet", "win", "--box", "1:1"}),
                "no horse number 10");
  ExpectRefused(Tool({"tickets", kRace, "--rank", "1", "--bet", "win", "--box", "2:3"}),
                "from rank 1");
  ExpectRefused(Tool({"tickets", kRace, "--rank", "1", "--bet", "quinella", "--box", "1:x"}),
                "takes numbers");
}

}  // namespace
}  // namespace tooltest
