// Every race object that reads stored data, given a session that is not
// initialised, leaves status 1001 and reads nothing, even while another
// session has the store open.
#include <gtest/gtest.h>

#include <string>

#include "db/api/ydbtest.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/YDayDenma.h"
#include "ydbcln/race/YDaySeiseki.h"
#include "ydbcln/race/YDenma.h"
#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/race/YSeiseki.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr const char* kCode = "052024010611";

class NotInitialised : public racetest::RaceStore {
 protected:
  // Reads nothing: no fetch of any kind was made since the counts were reset.
  static int Fetches() {
    int total = 0;
    for (const char* operation : {"get_denma2code", "get_denmah2code", "get_tokh2code",
                                  "get_race2code_1_ex", "get_race2code_2", "get_uma_race5"}) {
      total += ydb_test_call_count(operation);
    }
    return total;
  }
  YHorseDB closed_;
};

TEST_F(NotInitialised, CardsResultsAndRaceDaysLeave1001AndReadNothing) {
  Write();
  YMainraceList day(&db_, 20240106, 1);
  YDenma open_card(&db_, kCode);
  yrace::OwnedBuffer record(get_denma2code(kCode));
  ASSERT_EQ(yrace::record_count(record.get(), racedrec::kSize), 1);
  ydb_test_reset_counts();

  YDenma card(&closed_, kCode);
  EXPECT_EQ(closed_.geterrstatus(), YHorseDB::kNotInitialised);
  EXPECT_EQ(card.gethorsecount(), 0);
  closed_.clearerror();
  YSeiseki result(&closed_, kCode);
  EXPECT_EQ(closed_.geterrstatus(), YHorseDB::kNotInitialised);
  EXPECT_EQ(result.gethorsecount(), 0);

  // A card built from a record in hand still needs the session for its runners.
  for (int mode : {0, 1}) {
    closed_.clearerror();
    YDenma from_record(&closed_, static_cast<_tagRACEDREC*>(record.get()), mode);
    EXPECT_EQ(closed_.geterrstatus(), YHorseDB::kNotInitialised) << mode;
    EXPECT_EQ(from_record.gethorsecount(), 0) << mode;
    EXPECT_NE(from_record.code, "") << "the record's own texts are kept, mode " << mode;
  }

  closed_.clearerror();
  YDayDenma cards(&closed_, &day);
  EXPECT_EQ(closed_.geterrstatus(), YHorseDB::kNotInitialised);
  closed_.clearerror();
  YDaySeiseki results(&closed_, &day, false);
  EXPECT_EQ(closed_.geterrstatus(), YHorseDB::kNotInitialised);
  EXPECT_EQ(Fetches(), 0);

  // A card whose session has since been closed reads nothing when reloaded.
  db_.term();
  open_card.reloadrh();
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kNotInitialised);
  EXPECT_EQ(open_card.gethorsecount(), 0);
}

}  // namespace
