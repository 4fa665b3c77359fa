// The fetches at the C boundary over an open data set: what a code that
// names nothing fetches, codes taken from records as the client passes
// them, the ranges of dates, and the test hooks that count calls and make
// operations fail. A day's races by race 00 or the venue key, the race
// days, odds, popularity and payouts are read through the boundary by the
// race classes' tests and the generated season's.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "db/api/DataSetSession_test.h"
#include "db/api/ybl.h"
#include "db/api/ydbrange.h"
#include "db/render/RenderWorld_test.h"

namespace {

using ytest::At;
using ytest::Records;

// One call of each operation, on a race, day or odds that exist.
struct Operation {
  const char* name;
  std::function<void*()> call;
};

class FetchTest : public ytest::WrittenDataSetTest<ytest::MakeRenderWorld> {
 protected:
  // Every operation that answers a record buffer.
  static std::vector<Operation> Operations(const void* odds) {
    static const char kRace[] = "052024010611";
    static const char kHorse[] = "2020011";
    return {
        {"get_racelist2date_ex", [] { return get_racelist2date_ex("20240106", 0); }},
        {"get_denmalist2date_ex", [] { return get_denmalist2date_ex("20240106", 0); }},
        {"get_race2code_1_ex", [] { return get_race2code_1_ex(kRace, 1); }},
        {"get_race2code_2", [] { return get_race2code_2(kRace, 1); }},
        {"get_denma2code", [] { return get_denma2code(kRace); }},
        {"get_denmah2code", [] { return get_denmah2code(kRace, nullptr); }},
        {"get_comment2code", [] { return get_comment2code(kRace, kHorse, 0); }},
        {"get_odds2code_ex", [] { return get_odds2code_ex(kRace, 0); }},
        {"make_sorted_odds", [odds] { return make_sorted_odds(odds, 0); }},
        {"get_exprize2code", [] { return get_exprize2code(kRace); }},
        {"get_ped2code", [] { return get_ped2code(kHorse); }},
        {"get_yodds_tan2code", [] { return get_yodds_tan2code(kRace); }},
        {"get_uma_racey2code", [] { return get_uma_racey2code(kHorse); }},
        {"get_jockey_racey2code",
         [] { return get_jockey_racey2code("01001", "20240101", "20241231"); }},
        {"get_stable_racey2code",
         [] { return get_stable_racey2code("02001", "20240101", "20241231"); }},
        {"get_sire_racey2code",
         [] { return get_sire_racey2code("1990001", "20240101", "20241231"); }},
        {"get_raceh_racey2code",
         [] { return get_raceh_racey2code(20240101, 20241231, 5, '0', 1700); }},
        {"get_raceh_racey2codec", [] { return get_raceh_racey2codec(kRace); }},
        {"get_sirecode_uma2code", [] { return get_sirecode_uma2code(kHorse); }},
        {"get_uma2code", [] { return get_uma2code(kHorse); }},
        {"get_jockey2code", [] { return get_jockey2code("01001"); }},
        {"get_stable2code", [] { return get_stable2code("02001"); }},
        {"get_sire2code", [] { return get_sire2code("1990001"); }},
        {"get_umadimsire2code", [] { return get_umadimsire2code("1990002"); }},
        {"get_uma_race2code", [] { return get_uma_race2code(kHorse); }},
        {"get_jockey_race2code",
         [] { return get_jockey_race2code("01001", "20240101", "20241231"); }},
        {"get_stable_race2code",
         [] { return get_stable_race2code("02001", "20240101", "20241231"); }},
        {"get_sire_race2code",
         [] { return get_sire_race2code("1990001", "20240101", "20241231"); }},
        {"get_race2date_range", [] { return get_race2date_range("20240101", "20241231"); }},
        {"get_raceh2date_range", [] { return get_raceh2date_range("20240101", "20241231"); }},
        {"get_exprize2date_range",
         [] { return get_exprize2date_range("20240101", "20241231"); }},
        {"get_yodds_tan2date_range",
         [] { return get_yodds_tan2date_range("20240101", "20241231"); }},
        {"get_uma_racey2date_range",
         [] { return get_uma_racey2date_range("20240101", "20241231"); }},
        {"get_sirecode2date_range",
         [] { return get_sirecode2date_range("20240101", "20241231"); }},
    };
  }
};

TEST_F(FetchTest, EachOperationFailsAloneWhenMadeToAndWorksAgainAfter) {
  Records odds(get_odds2code_ex("052024010611", 0));
  ASSERT_EQ(odds.count(), 1);
  for (const Operation& op : Operations(odds.buffer())) {
    SCOPED_TRACE(op.name);
    ydb_test_fail(op.name);
    {
      Records failed(op.call());
      EXPECT_TRUE(failed.null());
      EXPECT_NE(std::string(get_db_error()).find(op.name), std::string::npos) << get_db_error();
    }
    for (const Operation& other : Operations(odds.buffer())) {
      if (std::string(other.name) == op.name) continue;
      Records works(other.call());
      EXPECT_FALSE(works.null()) << other.name << " fails too";
    }
    ydb_test_fail(nullptr);
    Records again(op.call());
    EXPECT_FALSE(again.null());
    EXPECT_GT(again.count(), 0);
    EXPECT_STREQ(get_db_error(), "");
  }
}

TEST_F(FetchTest, WithoutAReadyDataSetFetchesAreNull) {
  term_db_ex();
  Records race(get_race2code_1_ex("052024010611", 1));
  EXPECT_TRUE(race.null());
  EXPECT_NE(std::string(get_db_error()).find("no data set"), std::string::npos);
  Records days(get_racelist2date_ex("20240106", 0));
  EXPECT_TRUE(days.null());
}

TEST_F(FetchTest, CodesThatNameNothingFetchAnEmptyRecords) {
  // One argument of each kind each function refuses, and one lookup of
  // each kind that finds nothing.
  const std::vector<std::pair<const char*, std::function<void*()>>> calls = {
      {"11 characters", [] { return get_race2code_1_ex("05202401061", 1); }},
      {"null code", [] { return get_race2code_1_ex(nullptr, 1); }},
      {"unknown race", [] { return get_race2code_1_ex("052024010612", 1); }},
      {"runners of race 00", [] { return get_race2code_2("052024010600", 1); }},
      {"comment of kind 2", [] { return get_comment2code("052024010611", "2020011", 2); }},
      {"comment on another horse", [] { return get_comment2code("052024010611", "2020019", 0); }},
      {"odds of race 00", [] { return get_odds2code_ex("052024010600", 1); }},
      {"payouts of a race not run", [] { return get_exprize2code("052024011311"); }},
      {"forecast odds of a race run without them", [] { return get_yodds_tan2code("052024010601"); }},
      {"race days of 7 digits", [] { return get_racelist2date_ex("2024010", 0); }},
      {"race days of a month without racing", [] { return get_racelist2date_ex("20240230", 0); }},
      {"pedigree of 8 digits", [] { return get_ped2code("20200111"); }},
      {"pedigree of an unknown horse", [] { return get_ped2code("2020099"); }},
      {"pedigree of a horse without one", [] { return get_ped2code("1990001"); }},
      {"runs of a letter", [] { return get_uma_racey2code("202001A"); }},
      {"rides of a 4-digit jockey",
       [] { return get_jockey_racey2code("0100", "20240101", "20241231"); }},
      {"course on surface '3'",
       [] { return get_raceh_racey2code(20240101, 20241231, 5, '3', 1700); }},
      {"entries of race 00", [] { return get_raceh_racey2codec("052024010600"); }},
      {"sire of 8 digits", [] { return get_sirecode_uma2code("20200111"); }},
      {"sire of a horse without one", [] { return get_sirecode_uma2code("1990001"); }},
      {"horse of 8 digits", [] { return get_uma2code("20200111"); }},
      {"unknown horse", [] { return get_uma2code("2020099"); }},
      {"unknown jockey", [] { return get_jockey2code("01009"); }},
      {"a horse that is no sire", [] { return get_sire2code("2020011"); }},
      {"a sire that is no dam-sire", [] { return get_umadimsire2code("1990001"); }},
      {"all runs of an unknown horse", [] { return get_uma_race2code("2020099"); }},
      {"rides in a reversed range",
       [] { return get_jockey_race2code("01001", "20241231", "20240101"); }},
      {"races of a reversed range", [] { return get_race2date_range("20241231", "20240101"); }},
      {"runners of a year without racing",
       [] { return get_raceh2date_range("20300101", "20301231"); }},
      {"horses' sires of a year without racing",
       [] { return get_sirecode2date_range("20300101", "20301231"); }},
  };
  for (const auto& [what, call] : calls) {
    Records b(call());
    EXPECT_FALSE(b.null()) << what << ": " << get_db_error();
    EXPECT_EQ(b.count(), 0) << what;
    EXPECT_STREQ(get_db_error(), "") << what;
  }
}

TEST_F(FetchTest, RunnersAndCommentsComeFromCodesInsideRecords) {
  // As the client passes them: the race code at the start of a race
  // record, and the race and horse codes inside a runner result record.
  Records race(get_race2code_1_ex("052024010611", 1));
  ASSERT_EQ(race.count(), 1);
  Records runners(get_race2code_2(race.record(0), 1));
  ASSERT_EQ(runners.count(), 9);
  EXPECT_EQ(get_rec_width(runners.buffer()), 659);
  EXPECT_EQ(std::string(runners.record(0) + 1, 12), "052024010611");
  Records comment(get_comment2code(runners.record(0) + 1, runners.record(0) + 158, 0));
  ASSERT_EQ(comment.count(), 1);
  EXPECT_EQ(get_rec_width(comment.buffer()), 1007);
  EXPECT_EQ(At(comment[0], 47, 16), ytest::Sjis("好位から抜け出す"));

  Records card(get_denma2code("052024010611"));
  ASSERT_EQ(card.count(), 1);
  Records entries(get_denmah2code(card.record(0), card.record(0) + 12));
  ASSERT_EQ(entries.count(), 9);
  EXPECT_EQ(get_rec_width(entries.buffer()), 688);
}

// The records of a range of dates are each race's own fetches, race by
// race: results, payouts and forecast odds byte for byte, the runners'
// entries at the fields they hold.
TEST_F(FetchTest, ARangeOfDatesGivesEachRunRaceAsItsOwnFetches) {
  Records races(get_race2date_range("20231201", "20240131"));
  Records runners(get_raceh2date_range("20231201", "20240131"));
  Records payouts(get_exprize2date_range("20231201", "20240131"));
  ASSERT_GE(races.count(), 2);
  Records forecasts(get_yodds_tan2date_range("20231201", "20240131"));
  EXPECT_EQ(get_rec_width(runners.buffer()), 37);
  EXPECT_EQ(get_rec_width(forecasts.buffer()), 128);
  int runner = 0;
  int payout = 0;
  int forecast = 0;
  for (int r = 0; r < races.count(); ++r) {
    const std::string code = At(races[r], 0, 12);
    Records race(get_race2code_1_ex(code.c_str(), 1));
    ASSERT_EQ(race.count(), 1) << code;
    EXPECT_EQ(races[r], race[0]) << code;
    // In race order: date, racecourse, race number.
    if (r > 0) {
      const std::string before = races[r - 1];
      EXPECT_LT(At(before, 2, 8) + At(before, 0, 2) + At(before, 10, 2),
                At(code, 2, 8) + At(code, 0, 2) + At(code, 10, 2));
    }

    Records own(get_race2code_2(code.c_str(), 1));
    for (int i = 0; i < own.count(); ++i, ++runner) {
      ASSERT_LT(runner, runners.count()) << code;
      const std::string a = runners[runner];
      const std::string b = own[i];
      // Race code; frame, horse number; horse code; weight; jockey;
      // trainer; marks: the entry's fields, where the runner record has them.
      const std::string entry = At(a, 0, 12) + At(a, 12, 3) + At(a, 15, 7) + At(a, 22, 3) +
                                At(a, 25, 5) + At(a, 30, 5) + At(a, 35, 2);
      EXPECT_EQ(entry, At(b, 1, 12) + At(b, 153, 3) + At(b, 158, 7) + At(b, 261, 3) +
                           At(b, 273, 5) + At(b, 328, 5) + At(b, 200, 2))
          << code << " runner " << i + 1;
    }
    Records paid(get_exprize2code(code.c_str()));
    if (paid.count() == 1) {
      ASSERT_LT(payout, payouts.count()) << code;
      EXPECT_EQ(payouts[payout++], paid[0]) << code;
    }
    Records odds(get_yodds_tan2code(code.c_str()));
    if (odds.count() > 0) {
      ASSERT_LT(forecast, forecasts.count()) << code;
      const std::string ranged = forecasts[forecast++];
      std::string own_odds;
      for (int i = 0; i < odds.count(); ++i) own_odds += odds[i];
      EXPECT_EQ(At(ranged, 0, 12), code);
      EXPECT_EQ(std::stoi(At(ranged, 12, 2)), odds.count()) << code;
      EXPECT_EQ(At(ranged, 16, 4 * odds.count()), own_odds) << code;
      EXPECT_EQ(At(ranged, 16 + 4 * odds.count(), 112 - 4 * odds.count()),
                std::string(112 - 4 * odds.count(), '\0')) << code;
    }
  }
  EXPECT_EQ(runner, runners.count());
  EXPECT_EQ(payout, payouts.count());
  EXPECT_EQ(forecast, forecasts.count());
  EXPECT_GT(payout, 0);
  EXPECT_GT(forecast, 0);
}

// The runs and sires of every horse entered in a range's races, one fetch
// each: for each horse, after its code, what its own fetch gives, horses in
// code order, and no horse that was not entered.
TEST_F(FetchTest, ARangeOfDatesGivesItsHorsesRunsAndSiresAsTheirOwnFetches) {
  std::size_t horses_before = 0;
  for (const auto& [from, to] : {std::pair<const char*, const char*>{"20231201", "20240131"},
                                 {"20231224", "20231224"}}) {
    SCOPED_TRACE(std::string(from) + "-" + to);
    Records entries(get_raceh2date_range(from, to));
    std::set<std::string> horses;
    for (int i = 0; i < entries.count(); ++i) horses.insert(At(entries[i], 15, 7));
    ASSERT_GE(horses.size(), 2u);
    EXPECT_NE(horses.size(), horses_before) << "the ranges must differ in their horses";
    horses_before = horses.size();

    std::string runs_expected;
    std::string sires_expected;
    for (const std::string& horse : horses) {
      Records runs(get_uma_racey2code(horse.c_str()));
      for (int k = 0; k < runs.count(); ++k) runs_expected += horse + runs[k];
      Records sire(get_sirecode_uma2code(horse.c_str()));
      for (int k = 0; k < sire.count(); ++k) sires_expected += horse + sire[k];
    }
    Records runs(get_uma_racey2date_range(from, to));
    Records sires(get_sirecode2date_range(from, to));
    ASSERT_FALSE(runs.null());
    ASSERT_FALSE(sires.null());
    EXPECT_EQ(get_rec_width(runs.buffer()), 101);
    EXPECT_EQ(get_rec_width(sires.buffer()), 48);
    EXPECT_GT(runs.count(), static_cast<int>(horses.size())) << "some horse ran twice";
    EXPECT_GE(sires.count(), 2);
    EXPECT_EQ(std::string(runs.record(0), static_cast<std::size_t>(runs.count()) * 101),
              runs_expected);
    EXPECT_EQ(std::string(sires.record(0), static_cast<std::size_t>(sires.count()) * 48),
              sires_expected);
  }
}

TEST_F(FetchTest, CheckMarksAreKeptOnceClearedAndListedInCodeOrder) {
  EXPECT_EQ(set_checkhj("2020012", 1), 0);
  EXPECT_EQ(set_checkhj("2020012", 1), 0);
  EXPECT_EQ(set_checkhj("2020011", 1), 0);
  EXPECT_EQ(set_checkhj("01001", 2), 0);
  // Exactly the kind's bytes are read: here the first ones of a record.
  const char record[] = {'2', '0', '2', '0', '0', '1', '1', 'X'};
  EXPECT_EQ(is_code2checkhj(record, 1), 1);
  EXPECT_EQ(is_code2checkhj("01001", 2), 1);
  EXPECT_EQ(is_code2checkhj("2020013", 1), 0);
  EXPECT_LT(is_code2checkhj("2020011", 5), 0);
  {
    Records horses(get_checkhj_list(1));
    ASSERT_EQ(horses.count(), 2);
    EXPECT_EQ(std::string(horses.record(0), 7), "2020011");
    EXPECT_EQ(std::string(horses.record(1), 7), "2020012");
    Records jockeys(get_checkhj_list(2));
    ASSERT_EQ(jockeys.count(), 1);
    EXPECT_EQ(std::string(jockeys.record(0), 7), "01001  ");
    EXPECT_TRUE(Records(get_checkhj_list(0)).null());
  }
  // Refused, nothing stored: a kind outside 1-4, a code the store lacks
  // for that kind, a failing store.
  EXPECT_EQ(set_checkhj("2020013", 5), -1);
  EXPECT_EQ(set_checkhj("2020011", 3), -1);  // a horse, but no sire
  ydb_test_fail("set_checkhj");
  EXPECT_EQ(set_checkhj("2020013", 1), -1);
  ydb_test_fail(nullptr);
  EXPECT_EQ(Records(get_checkhj_list(1)).count(), 2);
  EXPECT_EQ(Records(get_checkhj_list(3)).count(), 0);

  // Clearing: 0 for a mark, 1 when there is none, -1 for a bad kind.
  EXPECT_EQ(del_checkhj("2020012", 1), 0);
  EXPECT_EQ(del_checkhj("2020012", 1), 1);
  EXPECT_EQ(del_checkhj("2020012", 0), -1);
}

TEST_F(FetchTest, PopularityNeedsOneOddsRecordAndAKnownKind) {
  Records odds(get_odds2code_ex("052024010611", 0));
  Records race(get_race2code_1_ex("052024010611", 1));
  Records none(get_odds2code_ex("052024010612", 0));
  ASSERT_EQ(odds.count(), 1);
  EXPECT_TRUE(Records(make_sorted_odds(nullptr, 0)).null());
  EXPECT_TRUE(Records(make_sorted_odds(race.buffer(), 0)).null());
  EXPECT_TRUE(Records(make_sorted_odds(none.buffer(), 0)).null());
  EXPECT_TRUE(Records(make_sorted_odds(odds.buffer(), 3)).null());
  EXPECT_NE(std::string(get_db_error()).find("kind"), std::string::npos);
  // It needs no store.
  term_db_ex();
  EXPECT_EQ(Records(make_sorted_odds(odds.buffer(), 2)).count(), 9);  // horse 9's eight pairs and 1-2
}

}  // namespace
