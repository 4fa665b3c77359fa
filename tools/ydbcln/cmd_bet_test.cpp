// Tests of `ydbcln bet` and `ydbcln money` on the small world: tickets
// added in one process are pending in the next until committed or rolled
// back, and info counts them; a list shows each ticket's return on a run
// race; refusals name the rule and the ticket in one line; the year's money
// by bet type, month and day.
#include <string>
#include <vector>

#include "RunTool_test.h"

namespace tooltest {
namespace {

using nlohmann::json;

// The small world's race of nine runners (frame 8 holds horses 8 and 9):
// horses finish in number order; 単勝 1 pays 350, 馬連 1-2 880.
const char kRace[] = "052024010611";

TEST_F(ToolTest, BetChangesStayPendingAcrossCommandsUntilCommittedOrRolledBack) {
  const ToolRun added = Tool({"bet", "add", kRace, "--type", "win", "--combo", "1", "--stake",
                              "300"});
  ASSERT_EQ(added.exit_code, 0) << added.err;
  EXPECT_EQ(added.out, "added (pending): 052024010611  単勝 1 ¥300\n");
  ASSERT_EQ(Tool({"bet", "add", kRace, "--type", "quinella", "--combo", "1-2", "--stake", "100"})
                .exit_code, 0);
  json info = Json(Tool({"--json", "info"}));
  EXPECT_EQ(info["pending_tickets"], json::parse(R"({"added": 2, "deleted": 0})"));
  EXPECT_EQ(info["bought_tickets"], true);

  const json pending = Json(Tool({"--json", "bet", "pending"}));
  ASSERT_EQ(pending["added"].size(), 2u);
  EXPECT_EQ(pending["added"][1]["combo"], "1-2");
  EXPECT_EQ(Json(Tool({"--json", "bet", "commit"}))["committed"],
            json::parse(R"({"added": 2, "deleted": 0})"));

  ASSERT_EQ(Tool({"bet", "delete", kRace, "--type", "win", "--combo", "1", "--stake", "300"})
                .exit_code, 0);
  ASSERT_EQ(Tool({"bet", "add", kRace, "--type", "bracket", "--combo", "8-8", "--stake", "100"})
                .exit_code, 0);
  EXPECT_EQ(Tool({"bet", "rollback"}).out, "rolled back: 1 added, 1 deleted\n");

  const json list = Json(Tool({"--json", "bet", "list", kRace}));
  ASSERT_EQ(list["tickets"].size(), 2u);
  EXPECT_EQ(list["tickets"][0]["type"], "win");
  EXPECT_EQ(list["tickets"][0]["return"], 1050) << "three tickets paying 350";
  EXPECT_EQ(list["tickets"][1]["return"], 880);
  EXPECT_EQ(list["staked"], 400);
  EXPECT_EQ(list["returned"], 1930);
  EXPECT_EQ(Json(Tool({"--json", "bet", "list", "--year", "2024"}))["tickets"], list["tickets"]);

  const ToolRun committed_at_once = Tool({"bet", "delete", kRace, "--type", "quinella", "--combo",
                                          "1-2", "--stake", "100", "--commit"});
  EXPECT_EQ(committed_at_once.out, "deleted and committed: 052024010611  馬連 1-2 ¥100\n");
  EXPECT_EQ(Json(Tool({"--json", "info"}))["pending_tickets"],
            json::parse(R"({"added": 0, "deleted": 0})"));

  const json days = Json(Tool({"--json", "bet", "days", "--year", "2024"}));
  EXPECT_EQ(days, json::parse(R"([{"date": 20240106, "kind": "results", "venues": ["中山"]}])"));
  EXPECT_EQ(Json(Tool({"--json", "bet", "days", "--year", "2023"})), json::array());
}

TEST_F(ToolTest, BetRefusesATicketNamingTheRuleAndTheTicket) {
  ExpectRefused(Tool({"bet", "add", kRace, "--type", "bracket", "--combo", "7-7", "--stake",
                      "100"}),
                "052024010611  枠連 7-7 ¥100: 7-7: frame 7 holds one runner of 9");
  ExpectRefused(Tool({"bet", "add", kRace, "--type", "quinella", "--combo", "3-3", "--stake",
                      "100"}),
                "3-3: two different horses");
  ExpectRefused(Tool({"bet", "add", kRace, "--type", "win", "--combo", "10", "--stake", "100"}),
                "10: no horse 10 among the 9 runners");
  ExpectRefused(Tool({"bet", "add", kRace, "--type", "win", "--combo", "1", "--stake", "150"}),
                "--stake is a multiple of 100");
  ExpectRefused(Tool({"bet", "add", kRace, "--type", "exacta", "--combo", "1", "--stake", "100"}),
                "--type is one of");
  ExpectRefused(Tool({"bet", "add", kRace, "--type", "wide", "--combo", "1", "--stake", "100"}),
                "--combo takes 2 numbers");
  ExpectRefused(Tool({"bet", "add", "052024010612", "--type", "win", "--combo", "1", "--stake",
                      "100"}),
                "no race 052024010612");
  ExpectRefused(Tool({"bet", "delete", kRace, "--type", "win", "--combo", "2", "--stake", "100"}),
                "no such ticket held: 052024010611  単勝 2 ¥100");
  ExpectRefused(Tool({"bet", "list"}), "a RACECODE or --year");
  EXPECT_EQ(Tool({"bet", "add", kRace, "--type", "bracket", "--combo", "7-7", "--stake", "100"})
                .exit_code, 2);
  EXPECT_EQ(Json(Tool({"--json", "info"}))["bought_tickets"], false) << "nothing was stored";
}

TEST_F(ToolTest, MoneyShowsTheYearByBetTypeAndMonthAndTheDaysOfAMonth) {
  for (const std::vector<std::string>& ticket : {std::vector<std::string>{"win", "1", "300"},
                                               {"quinella", "1-2", "100"}, {"place", "9", "200"}}) {
    ASSERT_EQ(Tool({"bet", "add", kRace, "--type", ticket[0], "--combo", ticket[1], "--stake",
                    ticket[2], "--commit"}).exit_code, 0);
  }
  const json money = Json(Tool({"--json", "money", "--year", "2024", "--month", "1"}));
  EXPECT_EQ(money["staked"], 600);
  EXPECT_EQ(money["returned"], 1930);
  EXPECT_EQ(money["balance"], 1330);
  EXPECT_EQ(money["hit_rate"], "66.7%");
  EXPECT_EQ(money["return_rate"], "321.7%");
  ASSERT_EQ(money["by_type"].size(), 3u);
  EXPECT_EQ(money["by_type"][0]["type"], "win");
  EXPECT_EQ(money["by_type"][0]["return_rate"], "350.0%");
  EXPECT_EQ(money["by_type"][1]["type"], "place");
  EXPECT_EQ(money["by_type"][1]["balance"], -200);
  ASSERT_EQ(money["months"].size(), 12u);
  EXPECT_EQ(money["months"][0], json::parse(R"({"month": 1, "balance": 1330, "running": 1330})"));
  EXPECT_EQ(money["months"][11]["running"], 1330);
  ASSERT_EQ(money["days"].size(), 1u);
  EXPECT_EQ(money["days"][0]["date"], 20240106);
  EXPECT_EQ(money["days"][0]["tickets"].size(), 3u);
  EXPECT_EQ(money["days"][0]["tickets"][2]["combo"], "1-2");

  const ToolRun text = Tool({"money", "--year", "2024"});
  ASSERT_EQ(text.exit_code, 0) << text.err;
  EXPECT_NE(text.out.find("balance +¥1330"), std::string::npos) << text.out;
  EXPECT_EQ(Json(Tool({"--json", "money", "--year", "2023"}))["months"], json::array());
  ExpectRefused(Tool({"money", "--year", "2024", "--month", "13"}), "--month is 1 to 12");
}

}  // namespace
}  // namespace tooltest
