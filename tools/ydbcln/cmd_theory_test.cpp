// Tests of `ydbcln factors` and `ydbcln theory ...` on a data set holding
// the small world: a theory added, listed, shown, exported, deleted and
// imported again, and the refusals, each one line on standard error.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <string>

#include "RunTool_test.h"

namespace tooltest {
namespace {

using nlohmann::json;

TEST_F(ToolTest, TheoryAddListShowExportDeleteImportRoundTrip) {
  json added = Json(Tool({"--json", "theory", "add", "--title", "堅実重視", "--item", "1:60",
                          "--item", "24:40", "--item", "5:10:400"}));
  EXPECT_EQ(added["code"], 1);
  EXPECT_EQ(Json(Tool({"--json", "theory", "add", "--title", "穴狙い", "--item", "37:1"}))["code"],
            2);

  json list = Json(Tool({"--json", "theory", "list"}));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]["title"], "堅実重視");
  EXPECT_EQ(list[0]["items"], 3);
  EXPECT_EQ(list[1]["code"], 2);

  // Missing parameters took the catalogue's defaults; weights 60, 40, 10
  // are split 55, 36, 9 out of 100.
  json shown = Json(Tool({"--json", "theory", "show", "1"}));
  ASSERT_EQ(shown["items"].size(), 3u);
  EXPECT_EQ(shown["items"][0]["name"], "平均タイム");
  EXPECT_EQ(shown["items"][0]["parameters"][1]["text"], "last 3 runs");
  EXPECT_EQ(shown["items"][1]["parameters"][1]["text"], "12 months");
  EXPECT_EQ(shown["items"][2]["parameters"][0]["text"], "±400 m");
  EXPECT_EQ(shown["items"][2]["parameters"][1]["value"], 3);
  std::string shares;
  for (const json& item : shown["items"]) shares += std::to_string(item["share"].get<int>()) + " ";
  EXPECT_EQ(shares, "55 36 9 ");
  const ToolRun text = Tool({"theory", "show", "1"});
  EXPECT_NE(text.out.find("騎手勝率"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("±400 m, last 3 runs"), std::string::npos) << text.out;

  const std::string file = File("kenjitsu.thr");
  EXPECT_EQ(Json(Tool({"--json", "theory", "export", "1", file}))["file"], file);
  EXPECT_EQ(Json(Tool({"--json", "theory", "delete", "1"}))["deleted"], 1);
  ExpectRefused(Tool({"theory", "delete", "1"}), "no theory 1");

  const ToolRun imported = Tool({"theory", "import", file});
  EXPECT_EQ(imported.exit_code, 0) << imported.err;
  EXPECT_NE(imported.out.find("as theory 3"), std::string::npos) << imported.out;
  json again = Json(Tool({"--json", "theory", "show", "3"}));
  shown["code"] = 3;
  EXPECT_EQ(again, shown);
  EXPECT_EQ(Json(Tool({"--json", "theory", "list"})).size(), 2u);
}

TEST_F(ToolTest, TheoryAddAndImportRefusalsNameTheItemAndTheRuleAndStoreNothing) {
  ExpectRefused(Tool({"theory", "add", "--title", "t", "--item", "1:50", "--item", "79:50"}),
                "item 2 (factor 79)");
  ExpectRefused(Tool({"theory", "add", "--title", "t", "--item", "1:0"}), "weight 0 is not 1-100");
  ExpectRefused(Tool({"theory", "add", "--title", "t", "--item", "19:50:200:5"}),
                "item 1 (種牡馬距離実績): second parameter 5 is not a valid months back");
  ExpectRefused(Tool({"theory", "add", "--title", "t", "--item", "5:50:100"}),
                "first parameter 100");
  ExpectRefused(Tool({"theory", "add", "--title", "t", "--item", "5:x"}), "CODE:WEIGHT");
  // 28 double-byte characters and 5 more bytes: 61 bytes of Shift_JIS.
  const std::string title =
      "穴馬期待度重視"
      "穴馬期待度重視"
      "穴馬期待度重視"
      "穴馬期待度重視"
      "xxxxx";
  ExpectRefused(Tool({"theory", "add", "--title", title, "--item", "1:50"}), "61 bytes");
  std::vector<std::string> nine = {"theory", "add", "--title", "t"};
  for (int i = 1; i <= 9; ++i) nine.insert(nine.end(), {"--item", std::to_string(i) + ":10"});
  ExpectRefused(Tool(nine), "at most 8 items");

  ExpectRefused(Tool({"theory", "import", File("missing.thr")}), "not a theory file");
  std::ofstream(File("foreign.thr")) << "not a theory";
  ExpectRefused(Tool({"theory", "import", File("foreign.thr")}), "not a theory file");
  ExpectRefused(Tool({"theory", "export", "7", File("x.thr")}), "no theory 7");
  EXPECT_EQ(Json(Tool({"--json", "theory", "list"})).size(), 0u);
}

TEST_F(ToolTest, FactorsListsTheCatalogueWithParameterKindsDefaultsAndValidValues) {
  json factors = Json(Tool({"--json", "factors"}));
  ASSERT_EQ(factors.size(), 78u);
  const json& f5 = factors[4];
  EXPECT_EQ(f5["code"], 5);
  EXPECT_EQ(f5["name"], "着差タイム");
  EXPECT_EQ(f5["category"]["name"], "horse");
  EXPECT_EQ(f5["group"]["name"], "times");
  EXPECT_EQ(f5["parameters"][0]["kind"], "distance range");
  EXPECT_EQ(f5["parameters"][0]["default"], 200);
  EXPECT_EQ(f5["parameters"][0]["valid"], json({0, 200, 400, 600}));
  EXPECT_EQ(f5["parameters"][1]["valid"].back(), 999);
  EXPECT_EQ(factors[77]["description"], "競走馬の穴馬期待度。");
  const ToolRun text = Tool({"factors"});
  EXPECT_EQ(text.exit_code, 0);
  EXPECT_NE(text.out.find("78  穴馬期待度"), std::string::npos);
}

}  // namespace
}  // namespace tooltest
