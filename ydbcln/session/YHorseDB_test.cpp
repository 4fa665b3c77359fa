// The session: its start and stop, the error convention and the fixed
// messages, and the object bases' effect on the error state.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "testing/Sjis.h"
#include "testing/TempDir.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YList.h"
#include "ydbcln/session/YMainObject.h"
#include "ydbcln/session/YSubObject.h"
#include "ydbcln/session/ydblib.h"

namespace {

using ytest::Sjis;

TEST(YHorseDBErrors, MessagesRunFrom1001To1005) {
  YHorseDB db;
  db.seterror(1001, "YRaceList.cpp", 42);
  EXPECT_EQ(db.geterrmessage(), Sjis("初期化されていません"));
  EXPECT_EQ(db.geterrdetail(), "YRaceList.cpp");
  EXPECT_EQ(db.geterrdetailnumber(), 42);
  db.seterror(999, "", 0);
  EXPECT_EQ(db.geterrmessage(), "");
  db.seterror(1006, "", 0);
  EXPECT_EQ(db.geterrmessage(), "");
  db.clearerror();
  EXPECT_EQ(db.geterrstatus(), 0);
  EXPECT_EQ(db.geterrdetail(), "");
}

TEST(YHorseDBErrors, RecordObjectsClearTheErrorAndListRowsDoNot) {
  YHorseDB db;
  db.seterror(1002, "", 0);
  YMainObject main(&db);
  EXPECT_EQ(db.geterrstatus(), 0);
  db.seterror(1003, "", 0);
  YSubObject sub(&db);
  EXPECT_EQ(db.geterrstatus(), 0);
  db.seterror(1004, "", 0);
  YList row(&db);
  EXPECT_EQ(db.geterrstatus(), 1004);
  YMainObject without_session(nullptr);  // records nothing, no crash
}

class YHorseDBInit : public ::testing::Test {
 protected:
  ytest::TempDir dir_;
};

TEST_F(YHorseDBInit, OpensRefusesASecondStartAndTerminates) {
  YHorseDB db;
  db.seterror(1004, "", 0);
  ASSERT_TRUE(db.init(dir_.str()));
  EXPECT_EQ(db.geterrstatus(), 1004) << "success does not clear an earlier status";
  EXPECT_EQ(std::string(get_mdb_path()), (dir_.path() / "ydbcln.db").string());
  EXPECT_FALSE(db.init(dir_.str()));
  EXPECT_EQ(db.geterrstatus(), 1005);
  EXPECT_TRUE(db.isinit());
  db.term();
  EXPECT_FALSE(db.isinit());
  db.term();  // harmless twice
  ASSERT_TRUE(db.init(dir_.with_backslash())) << "a terminated session can start again";
}

TEST_F(YHorseDBInit, FailuresGive1002AndCanBeRetried) {
  YHorseDB db;
  EXPECT_FALSE(db.init(dir_.str() + "/missing"));
  EXPECT_EQ(db.geterrstatus(), 1002);
  EXPECT_FALSE(db.isinit());

  const auto store = dir_.path() / "ydbcln.db";
  std::ofstream(store, std::ios::binary) << "this is not a data set";
  EXPECT_FALSE(db.init(dir_.str()));
  EXPECT_EQ(db.geterrstatus(), 1002);
  EXPECT_FALSE(db.isinit());
  EXPECT_EQ(std::filesystem::file_size(store), 22u);

  std::filesystem::remove(store);
  EXPECT_TRUE(db.init(dir_.str()));
}

TEST_F(YHorseDBInit, YearsUntouchedWhenNotInitialised) {
  YHorseDB db;
  int first = 1999, last = 2001;
  db.getyear(first, last);
  db.getyear_denma(first, last);
  EXPECT_EQ(first, 1999);
  EXPECT_EQ(last, 2001);
  ASSERT_TRUE(db.init(dir_.str()));
  db.getyear(first, last);
  EXPECT_EQ(first, 0) << "an empty data set holds no years";
  EXPECT_EQ(last, 0);
}

TEST_F(YHorseDBInit, CopiesShareTheDataSetUntilTheLastTerminates) {
  YHorseDB db;
  ASSERT_TRUE(db.init(dir_.str()));
  {
    YHorseDB copy(db);
    EXPECT_TRUE(copy.isinit());
  }
  EXPECT_NE(get_db_error(), nullptr);
  EXPECT_TRUE(db.is1stinstance()) << "the data set is still open after the copy went";
  YHorseDB assigned;
  assigned = db;
  db.term();
  EXPECT_TRUE(assigned.is1stinstance()) << "the assigned copy still holds it";
  assigned.term();
  EXPECT_FALSE(assigned.is1stinstance());
}

}  // namespace
