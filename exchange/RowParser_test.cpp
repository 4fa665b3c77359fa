// Reading single fields through the columns: the code tables' codes (money
// classes, weight rules with their designation), empty fields for "none",
// required fields, and the columns that must stay empty.
#include "exchange/RowParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace exchange {
namespace {

// The fault of reading `field` as the column that `read` visits; empty when
// the field is taken.
template <typename Read>
std::string FaultOf(const std::string& field, Read read) {
  const std::vector<std::string> fields = {field};
  RowParser parser(fields);
  read(parser);
  return parser.fault();
}

TEST(RowParserTest, CodesOfTheCodeTables) {
  std::string value;
  const auto race_class = [&](RowParser& p) {
    p.tableCode("class_code", value, ydb::kRaceClassCode, kRequired);
  };
  for (const char* good : {"00004", "-0005", "-0016", "05000", "16000"}) {
    EXPECT_EQ(FaultOf(good, race_class), "") << good;
  }
  EXPECT_EQ(FaultOf("00005", race_class),
            "class_code '00005' is not in the race class code table");
  EXPECT_EQ(FaultOf("0004", race_class),
            "class_code must be a race class code of 5 characters, not '0004'");
  EXPECT_EQ(FaultOf("-0006", race_class),
            "class_code '-0006' is not in the race class code table");

  const auto rule = [&](RowParser& p) {
    p.tableCode("weight_rule2", value, ydb::kWeightRuleCode, kOptional);
  };
  EXPECT_EQ(FaultOf("12", rule), "") << "the units are the jockey designation";
  EXPECT_EQ(FaultOf("15", rule), "weight_rule2 '15' is not in the weight rule code table");
  EXPECT_EQ(FaultOf("", rule), "");
  EXPECT_EQ(value, "");

  const auto place = [&](RowParser& p) {
    p.tableCode("place", value, ydb::kPlaceCode, kRequired);
  };
  EXPECT_EQ(FaultOf("05", place), "");
  EXPECT_EQ(FaultOf("38", place), "place '38' is not in the place code table");
  EXPECT_EQ(FaultOf("", place), "place is empty");
}

TEST(RowParserTest, EmptyFieldsAndRanges) {
  int number = 7;
  std::optional<int> change = 3;
  const auto weight = [&](RowParser& p) { p.integer("body_weight", number, 1, 999, kOptional); };
  EXPECT_EQ(FaultOf("", weight), "");
  EXPECT_EQ(number, 0) << "empty is the model's 0, not known";
  EXPECT_EQ(FaultOf("0", weight), "body_weight 0 is outside 1 to 999");
  EXPECT_EQ(FaultOf("48O", weight), "body_weight must be a whole number, not '48O'");

  const auto weight_change = [&](RowParser& p) {
    p.optionalInteger("weight_change", change, -99, 99);
  };
  EXPECT_EQ(FaultOf("0", weight_change), "");
  EXPECT_EQ(change, 0) << "0 is a change here";
  EXPECT_EQ(FaultOf("", weight_change), "");
  EXPECT_FALSE(change.has_value());

  const auto carried = [&](RowParser& p) { p.tenths("weight_carried", number, 1, 999, kRequired); };
  EXPECT_EQ(FaultOf("55.5", carried), "");
  EXPECT_EQ(number, 555);
  EXPECT_EQ(FaultOf("", carried), "weight_carried is empty");

  const auto post = [&](RowParser& p) { p.clock("post_time", number); };
  EXPECT_EQ(FaultOf("00:00", post),
            "post_time 00:00 cannot be told from no time: leave the field empty");
}

TEST(RowParserTest, ColumnsThatMustStayEmpty) {
  const std::vector<std::string> fields = {"3", "", "1"};
  RowParser parser(fields);
  int horse_no = 0, finish = 0, arrival = 0;
  parser.integer("horse_no", horse_no, 1, 28, kRequired);
  parser.requireEmpty("the race has no result");
  parser.integer("finish_pos", finish, 0, 28, kRequired);
  parser.integer("arrival_order", arrival, 0, 28, kRequired);
  EXPECT_EQ(horse_no, 3);
  EXPECT_EQ(parser.fault(), "arrival_order must be empty: the race has no result");
}

}  // namespace
}  // namespace exchange
