// Every race of one generated season read as its card and as its result:
// the two agree on the race and its runners, the laps add up to the
// winner's time and the final time text is the stored last 800 m and 600 m,
// and the day lists of cards and results hold the same races.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/sjis.h"
#include "world/GeneratedSeason_test.h"
#include "ydbcln/race/RaceHeaderTexts.h"
#include "ydbcln/race/RaceListRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/race/YDayDenma.h"
#include "ydbcln/race/YDaySeiseki.h"
#include "ydbcln/race/YDenma.h"
#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/race/YSeiseki.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr int kSeason = 2019;

class GeneratedSeason : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { dir_ = world::season_test::SharedSeason(kSeason, 1); }
  void SetUp() override { ASSERT_TRUE(db_.init(dir_)); }

  // The race days of the season, each as its record.
  std::vector<_tagRACELISTREC> Days() {
    yrace::OwnedBuffer days(get_racelist2date_ex(std::to_string(kSeason).c_str(), 0));
    std::vector<_tagRACELISTREC> out(
        static_cast<std::size_t>(yrace::record_count(days.get(), racelistrec::kSize)));
    for (std::size_t i = 0; i < out.size(); ++i) {
      out[i] = static_cast<const _tagRACELISTREC*>(days.get())[i];
    }
    return out;
  }

  void CardAndResultAgreeOnEveryRace();
  void LastRunsOfEveryCardOfADayAreEarlierRunsLatestFirst();

  inline static std::string dir_;
  YHorseDB db_;
};

// The laps of a lap line in tenths: "12.5-11.0" is 125, 110.
std::vector<int> Laps(const std::string& line) {
  std::vector<int> laps;
  std::size_t at = 0;
  while (at < line.size()) {
    std::size_t end = line.find('-', at);
    if (end == std::string::npos) end = line.size();
    const std::string lap = line.substr(at, end - at);
    const std::size_t dot = lap.find('.');
    laps.push_back(std::stoi(lap.substr(0, dot)) * 10 + std::stoi(lap.substr(dot + 1)));
    at = end + 1;
  }
  return laps;
}

// The stored last 800 m and 600 m of a run race, as the final time text.
std::string StoredFinalTimes(const std::string& code) {
  yrace::OwnedBuffer race(get_race2code_1_ex(code.c_str(), 1));
  if (yrace::record_count(race.get(), racermrec::kSize) != 1) return "no record";
  unsigned char* r = static_cast<unsigned char*>(race.get());
  return yrace::tenths_text(YUtil::getnum(r + racermrec::kLast800, 3)) + "-" +
         yrace::tenths_text(YUtil::getnum(r + racermrec::kLast600, 3));
}

// The season is generated once per test program, and the test programs
// run each test alone: the checks are one test.
TEST_F(GeneratedSeason, CardsResultsAndLastRunsOfEveryRace) {
  CardAndResultAgreeOnEveryRace();
  LastRunsOfEveryCardOfADayAreEarlierRunsLatestFirst();
}

void GeneratedSeason::CardAndResultAgreeOnEveryRace() {
  int races = 0, timed = 0, runners = 0;
  for (_tagRACELISTREC& record : Days()) {
    YMainraceList day(&db_, &record, true);
    YDayDenma cards(&db_, &day);
    YDaySeiseki results(&db_, &day, true);
    ASSERT_EQ(db_.geterrstatus(), 0);
    for (int v = 0; v < day.getplacecount(); ++v) {
      ASSERT_EQ(cards.getracecount(v), results.getracecount(v)) << day.getcode(v);
      for (int j = 0; j < results.getracecount(v); ++j) {
        YRaceList* row = results.list(v, j);
        ASSERT_EQ(cards.list(v, j)->getcode(), row->getcode());
        YDenma card(&db_, *cards.list(v, j));
        YSeiseki result(&db_, *row);
        const std::string code = row->getcode();
        SCOPED_TRACE(code);
        ASSERT_EQ(card.code, code);
        ASSERT_EQ(result.code, code);
        EXPECT_EQ(card.heading, result.heading);
        EXPECT_EQ(card.racename, result.racename);
        EXPECT_EQ(card.kaisai, result.kaisai);
        EXPECT_EQ(card.conditions, result.conditions);
        EXPECT_EQ(card.course, result.course);
        EXPECT_EQ(card.prize[0], result.prize[0]);
        ASSERT_EQ(card.gethorsecount(), result.gethorsecount());
        ASSERT_GT(card.gethorsecount(), 0);
        int winner_time = 0;
        for (int i = 0; i < card.gethorsecount(); ++i) {
          const YRaceHorse* entered = card.horse(i);
          const YRaceHorse* ran = result.horse(i);
          EXPECT_EQ(entered->horsecode, ran->horsecode) << i;
          EXPECT_EQ(entered->horsename, ran->horsename) << i;
          EXPECT_EQ(entered->horseno, ran->horseno) << i;
          EXPECT_EQ(entered->bracketno, ran->bracketno) << i;
          EXPECT_EQ(entered->jockeycode, ran->jockeycode) << i;
          EXPECT_EQ(entered->weightcarried, ran->weightcarried) << i;
          EXPECT_EQ(entered->sexage, ran->sexage) << i;
          if (ran->racetime > 0 && (winner_time == 0 || ran->racetime < winner_time)) {
            winner_time = ran->racetime;
          }
        }
        runners += card.gethorsecount();
        ++races;
        static const std::string kLapHeading = ytext::to_sjis_lossy("ラップ");
        if (result.lapheading == kLapHeading && !result.lapline.empty()) {
          const std::vector<int> laps = Laps(result.lapline);
          int sum = 0;
          for (int lap : laps) sum += lap;
          EXPECT_EQ(sum, winner_time) << result.lapline;
          EXPECT_EQ(result.finaltime, StoredFinalTimes(code));
          ++timed;
        }
      }
    }
  }
  EXPECT_GT(races, 3000);
  EXPECT_GT(timed, races / 2) << "most flat races have laps";
  EXPECT_GT(runners, races * 10);
}

void GeneratedSeason::LastRunsOfEveryCardOfADayAreEarlierRunsLatestFirst() {
  const std::vector<_tagRACELISTREC> days = Days();
  ASSERT_GT(days.size(), 10u);
  _tagRACELISTREC record = days[days.size() / 2];
  YMainraceList day(&db_, &record, true);
  YDayDenma cards(&db_, &day);
  int with_runs = 0;
  for (int v = 0; v < day.getplacecount(); ++v) {
    for (int j = 0; j < cards.getracecount(v); ++j) {
      YDenma card(&db_, *cards.list(v, j));
      for (int i = 0; i < card.gethorsecount(); ++i) {
        _tagRACERHREC* runs = nullptr;
        const int n = card.zen5(i, runs);
        ASSERT_GE(n, 0);
        ASSERT_LE(n, YDenma::kLastRuns);
        int before = card.date;
        for (int k = 0; k < n; ++k) {
          const int date = YUtil::getnum(runs[k].bytes + 3, 8);
          EXPECT_LT(date, before) << card.code << " runner " << i;
          EXPECT_EQ(yrace::raw(runs[k].bytes + racerhrec::kHorseCode, 7), card.horse(i)->horsecode);
          before = date;
        }
        if (n > 0) ++with_runs;
      }
    }
  }
  EXPECT_GT(with_runs, 100) << "mid-season, most runners have run before";
}

}  // namespace
