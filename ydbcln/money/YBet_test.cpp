// YBet against a real store: the rules a ticket must meet and the bad input
// that never reaches the database, adding, deleting, committing and
// discarding tickets with the 29 bytes written, the value of a ticket at
// the odds, and the race days of a year.
#include "ydbcln/money/YBet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testing/Sjis.h"
#include "ydbcln/race/RaceCardRec.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YDayDenma.h"
#include "ydbcln/race/YDaySeiseki.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

using racetest::RaceStore;
using ytest::Sjis;

const std::string kCode = "052024010611";  // the small world's race: 9 runners, frame 8 holds two

// A race-card row of `runners` runners, made from its record alone.
YRaceList CardRow(int runners) {
  _tagRACEDREC record;
  std::memset(record.bytes, ' ', sizeof record.bytes);
  std::memcpy(record.bytes + racedrec::kRaceCode, "052024010611", 12);
  const std::string count = std::to_string(100 + runners).substr(1);
  std::memcpy(record.bytes + racedrec::kRunnerCount, count.data(), 2);
  return YRaceList(nullptr, &record);
}

// YBet with the record it writes for a ticket in view.
class RecordedBet : public YBet {
 public:
  using YBet::YBet;
  std::string record(YRaceList* race, YBetRec rec) {
    _tagBUYTICKETREC r;
    setstruct(&r, race, &rec);
    return std::string(reinterpret_cast<char*>(r.bytes), sizeof r.bytes);
  }
};

std::vector<YBetRec> Held(YBet& bet) {
  std::vector<YBetRec> out;
  for (int i = 0; i < bet.getrecordcount(); ++i) out.push_back(*bet.getrecord(i));
  return out;
}

TEST_F(RaceStore, ATicketMustSuitTheFieldAndBadInputNeverReachesTheStore) {
  Write();
  YRaceList nine(&db_, kCode, false);
  YRaceList eight = CardRow(8);
  YBet bet(&db_);
  auto check = [&](YRaceList& race, int type, int first, int second, int count = 1) {
    YBetRec rec(type, first, second, count);
    return bet.check_record(&race, &rec);
  };
  // (The command line's refusals reach a frame of one runner, a pair of one
  // horse and a number past the field.)
  EXPECT_EQ(check(nine, 3, 8, 8), 0) << "frame 8 holds two of nine";
  EXPECT_EQ(check(eight, 3, 8, 8), -1);
  EXPECT_EQ(check(nine, 3, 5, 3), -1) << "not reordered";
  EXPECT_EQ(check(nine, 3, 1, 9), -1) << "no frame 9";
  EXPECT_EQ(check(nine, 5, 3, 10), -1);
  EXPECT_EQ(check(nine, 1, 1, 0, 0), -1);
  EXPECT_EQ(check(nine, 1, 1, 0, 10000), -1);
  EXPECT_EQ(check(nine, 1, 1, 0, 9999), 0);
  EXPECT_EQ(check(nine, 6, 1, 2), -1);

  ydb_test_reset_counts();
  YBetRec valid(1, 1, 0, 1);
  for (YBetRec bad : {YBetRec(6, 1, 2, 1), YBetRec(3, 7, 7, 1)}) {
    EXPECT_EQ(bet.add_record(&nine, &bad), 1);
    EXPECT_EQ(bet.calc_yosou(&nine, &bad), -1);
  }
  YBetRec no_type(6, 1, 2, 1);
  EXPECT_EQ(bet.delete_record(&nine, &no_type), 1) << "never held";
  EXPECT_EQ(bet.add_record(nullptr, &valid), -1);
  EXPECT_EQ(bet.delete_record(&nine, nullptr), -1);
  EXPECT_EQ(bet.check_record(nullptr, &valid), -1);
  EXPECT_EQ(bet.calc_yosou(&nine, nullptr), -1);
  EXPECT_EQ(bet.search_record(nullptr), -1);
  YRaceList no_race;
  EXPECT_EQ(bet.search_record(&no_race), 0) << "a code that is not 12 characters";
  for (const char* operation : {"add_buy_ticket", "del_buy_ticket", "get_buy_ticket2code",
                                "get_odds2code_ex"}) {
    EXPECT_EQ(ydb_test_call_count(operation), 0) << operation;
  }
  EXPECT_EQ(db_.geterrstatus(), 0);
}

TEST_F(RaceStore, TicketsAreAddedDeletedCommittedAndDiscarded) {
  Write();
  YRaceList race(&db_, kCode, false);
  RecordedBet bet(&db_);
  EXPECT_EQ(bet.record(&race, YBetRec(4, 3, 7, 2)), "20240106052024010611" "3" "0307" "0002");
  EXPECT_EQ(bet.record(&race, YBetRec(1, 9, 4, 9999)), "20240106052024010611" "0" "0900" "9999")
      << "the second number of a win ticket is written 00";

  YBetRec wide(5, 2, 9, 1), win(1, 3, 0, 5), bracket(3, 8, 8, 1);
  ASSERT_EQ(bet.add_record(&race, &wide), 0);
  ASSERT_EQ(bet.add_record(&race, &win), 0);
  ASSERT_EQ(bet.add_record(&race, &bracket), 0);
  EXPECT_EQ(Held(bet), (std::vector<YBetRec>{win, bracket, wide})) << "sorted by type";
  EXPECT_EQ(bet.getrecord(3), nullptr);
  ASSERT_EQ(bet.commit(), 0);
  ASSERT_EQ(bet.add_record(&race, &win), 0);
  ASSERT_EQ(bet.delete_record(&race, &wide), 0);
  EXPECT_EQ(Held(bet), (std::vector<YBetRec>{win, win, bracket}));
  YBetRec not_held(1, 4, 0, 5);
  EXPECT_EQ(bet.delete_record(&race, &not_held), 1);
  EXPECT_EQ(db_.geterrstatus(), 0) << "not holding a ticket is no error";
  ASSERT_EQ(bet.rollback(), 0);
  EXPECT_EQ(bet.search_record(&race), 3);
  EXPECT_EQ(Held(bet), (std::vector<YBetRec>{win, bracket, wide}));

  // A failing database: status 1002, the pending changes as they were.
  ASSERT_EQ(bet.add_record(&race, &win), 0);
  for (const char* operation : {"add_buy_ticket", "wf_buy_ticket", "reinit_buy_ticket"}) {
    db_.clearerror();
    ydb_test_fail(operation);
    const int answer = std::string(operation) == "add_buy_ticket" ? bet.add_record(&race, &bracket)
                       : std::string(operation) == "wf_buy_ticket" ? bet.commit()
                                                                   : bet.rollback();
    EXPECT_EQ(answer, -1) << operation;
    EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError) << operation;
    ydb_test_fail(nullptr);
    void* pending = get_buy_ticket_pending(1);
    EXPECT_EQ(get_rec_size(pending), 1) << operation;
    release_data(pending);
  }
  ydb_test_fail("get_buy_ticket2code");
  EXPECT_EQ(bet.search_record(&race), -1);
  ydb_test_fail(nullptr);
  EXPECT_EQ(bet.getrecordcount(), 4) << "the tickets held stay";
}

TEST_F(RaceStore, ATicketIsValuedAtTheOddsOfItsRaceFetchedOnce) {
  Write();
  YRaceList race(&db_, kCode, false);
  YBet bet(&db_);
  YBetRec win(1, 1, 0, 3), bracket(3, 8, 8, 1), place(2, 1, 0, 1),
      wide(5, 1, 2, 1), no_odds(4, 3, 4, 1);
  ydb_test_reset_counts();
  EXPECT_EQ(bet.calc_yosou(&race, &place), YBet::kNoValue);
  EXPECT_EQ(bet.calc_yosou(&race, &wide), YBet::kNoValue);
  EXPECT_EQ(ydb_test_call_count("get_odds2code_ex"), 0) << "no odds are kept for place and wide";
  EXPECT_EQ(bet.calc_yosou(&race, &win), 105) << "3 tickets at 3.5";
  EXPECT_EQ(bet.calc_yosou(&race, &bracket), 1234);
  EXPECT_EQ(bet.calc_yosou(&race, &no_odds), YBet::kNoValue);
  EXPECT_EQ(ydb_test_call_count("get_odds2code_ex"), 1);

  ydb::Batch other;
  ydb::Race& second = racetest::AddRace(&other, {"05", 20240106, 12}, "20211");
  second.forecast_odds.reset();
  Write(other);
  YRaceList without(&db_, "052024010612", false);
  EXPECT_EQ(bet.calc_yosou(&without, &win), YBet::kNoValue);
  EXPECT_EQ(bet.calc_yosou(&without, &win), YBet::kNoValue);
  EXPECT_EQ(ydb_test_call_count("get_odds2code_ex"), 2) << "a race without odds is asked once";
  EXPECT_EQ(bet.calc_yosou(&race, &win), 105);
  EXPECT_EQ(ydb_test_call_count("get_odds2code_ex"), 3);
}

TEST_F(RaceStore, TheDaysOfAYearComeNewestFirstAResultsDayBeforeItsCards) {
  ydb::Batch batch = ytest::MakeWorld();
  for (const ydb::RaceKey& key : {ydb::RaceKey{"06", 20240106, 11}, ydb::RaceKey{"05", 20240113, 11}}) {
    ydb::Race& card = racetest::AddRace(&batch, key, key.place == "06" ? "20212" : "20213");
    card.kai_day = key.date == 20240113 ? 3 : 2;
    card.result.reset();
    for (ydb::Runner& runner : card.runners) runner.result.reset();
  }
  Write(batch);
  YBet bet(&db_);
  ASSERT_EQ(bet.searchrace_year(2024), 0);
  ASSERT_EQ(bet.getdatecount(), 2);
  EXPECT_EQ(bet.getdate(0), YUtil::getdate(20240113));
  EXPECT_EQ(bet.getdate(2), "");
  EXPECT_EQ(bet.getplacecnt(1), 1) << "the results entry, though the cards list a second venue";
  EXPECT_EQ(bet.getplace(0, 0), Sjis("中山"));
  EXPECT_NE(dynamic_cast<YDayDenma*>(bet.getdayrace(0)), nullptr) << "a day of race cards";
  EXPECT_NE(dynamic_cast<YDaySeiseki*>(bet.getdayrace(1)), nullptr) << "a day with results";
  EXPECT_NE(dynamic_cast<YDaySeiseki*>(bet.getdayrace_min(1)), nullptr);
  EXPECT_EQ(bet.getdayrace(2), nullptr);

  YBet copy(bet);
  EXPECT_EQ(copy.getdaten(0), 20240113);
  EXPECT_EQ(copy.getdaykind(1), YBetDate::kResults);

  EXPECT_EQ(bet.searchrace_year(2023), 0) << "a year without racing is no error";
  EXPECT_EQ(bet.getdatecount(), 0);
  EXPECT_EQ(db_.geterrstatus(), 0);
  ydb_test_fail("get_denmalist2date_ex");
  EXPECT_EQ(bet.searchrace_year(2024), -1);
  EXPECT_EQ(bet.getdatecount(), 0);
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
}

}  // namespace
