// Tests of the stored theories through YTheories and the database library:
// codes, reopening and a killed process, deletion, export and import, and
// files and failures that must leave the held theories and the store as
// they were.
#include "ydbcln/theory/YTheories.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "db/api/TheoryFile.h"
#include "db/api/ydbtest.h"
#include "testing/Sjis.h"
#include "testing/TempDir.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

namespace {

using ytest::Sjis;

// A new theory titled `title` with `items` items of factors 1, 2, ...
YTheory MakeTheory(const char* title, int items, int reserved = 0) {
  YTheory theory(nullptr);
  theory.settitle(Sjis(title).c_str());
  theory.record()->reserved = reserved;
  for (int i = 0; i < items; ++i) theory.additem(1 + i * 5, 10 + i, 0, 3);
  return theory;
}

bool SameRecord(const _tagTHEORYREC& a, const _tagTHEORYREC& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes a new file each time: truncating one that holds data costs a flush.
void WriteBytes(const std::string& path, const std::string& bytes) {
  std::filesystem::remove(path);
  std::ofstream(path, std::ios::binary) << bytes;
}

class YTheoriesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(db_.init(dir_.str())); }
  void TearDown() override { ydb_test_fail(nullptr); }

  // Stores the three theories of the tests; their codes are 1, 2, 3.
  void StoreThree() {
    for (YTheory& theory : three_) {
      const int code = theories_.store(&theory);
      ASSERT_GT(code, 0);
      theory.setcode(code);
    }
  }

  // The codes of the theories held, in order.
  std::vector<int> Codes() {
    std::vector<int> codes;
    for (int i = 0; i < theories_.gettheorycount(); ++i)
      codes.push_back(theories_.gettheory(i)->getcode());
    return codes;
  }

  std::string File(const char* name) const { return (dir_.path() / name).string(); }

  ytest::TempDir dir_;
  YHorseDB db_;
  YTheories theories_{&db_};
  std::vector<YTheory> three_ = {
      MakeTheory("堅実重視", 3, 7), MakeTheory("穴狙い", 8),
      MakeTheory("sixty bytes, no padding: 34567890123456789012345678901234567", 1)};
};

TEST_F(YTheoriesTest, StoredTheoriesComeBackByteForByteAfterReopening) {
  EXPECT_EQ(theories_.search(), 0);
  StoreThree();
  EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 3}));

  db_.term();
  YHorseDB reopened;
  ASSERT_TRUE(reopened.init(dir_.str()));
  YTheories again(&reopened);
  ASSERT_EQ(again.search(), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(SameRecord(*again.gettheory(i)->record(), *three_[i].record()));
  }
  EXPECT_EQ(again.gettheorybycode(4), nullptr);

  // The list summarises each theory: code, title and item count (the
  // library reads only the code; the rest is the record's published layout).
  void* list = get_theory_all();
  ASSERT_EQ(get_rec_size(list), 3);
  ASSERT_EQ(get_rec_width(list), 68);
  const char* second = static_cast<const char*>(list) + 68;
  std::int32_t code = 0, count = 0;
  std::memcpy(&code, second, 4);
  std::memcpy(&count, second + 64, 4);
  EXPECT_EQ(code, 2);
  EXPECT_EQ(count, 8);
  EXPECT_EQ(std::string(second + 4, 60), std::string(three_[1].record()->title, 60));
  release_data(list);
}

TEST_F(YTheoriesTest, ReplacingDeletingAndCodesNeverGivenTwice) {
  StoreThree();
  YTheory changed = MakeTheory("改良版", 2);
  changed.setcode(2);
  EXPECT_EQ(theories_.store(&changed), 2);
  EXPECT_TRUE(SameRecord(*theories_.gettheorybycode(2)->record(), *changed.record()));

  EXPECT_EQ(theories_.deletetheory(3), 0);
  YTheory fresh = MakeTheory("新規", 1);
  EXPECT_EQ(theories_.store(&fresh), 4) << "3 is not given again";
  EXPECT_EQ(fresh.getcode(), -1) << "the caller's theory is not changed";

  // A code that names no stored theory is refused, and nothing changes.
  YTheory stray = MakeTheory("迷子", 1);
  stray.setcode(3);
  EXPECT_EQ(theories_.store(&stray), -1);
  EXPECT_EQ(set_theory(nullptr, 0), -1);
  EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(theories_.search(), 3);
}

// (An exported theory imported again is the command line's round trip.)
TEST_F(YTheoriesTest, AnExportThatCannotBeWrittenLeavesNoFile) {
  StoreThree();
  const std::string path = File("favourite.thr");
  ASSERT_EQ(theories_.savetheory(path.c_str(), 1), 0);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  EXPECT_EQ(theories_.savetheory(File("none.thr").c_str(), 9), -1) << "unknown code";
  EXPECT_FALSE(std::filesystem::exists(File("none.thr")));
  const std::string nowhere = File("no/such/dir/x.thr");
  EXPECT_EQ(theories_.savetheory(nowhere.c_str(), 1), -1);
  EXPECT_EQ(write_theory(path.c_str(), nullptr), -1);
}

TEST_F(YTheoriesTest, DamagedForeignNewerOrInvalidFilesAreRefusedAndNothingIsStored) {
  StoreThree();
  const std::string good = File("good.thr");
  ASSERT_EQ(theories_.savetheory(good.c_str(), 2), 0);
  const std::string image = ReadBytes(good);
  ASSERT_EQ(image.size(), 248u);
  const std::string bad = File("bad.thr");
  auto refused = [&](const std::string& bytes) {
    WriteBytes(bad, bytes);
    return theories_.loadtheory(bad.c_str()) == -1 && theories_.gettheorycount() == 3;
  };
  for (std::size_t length = 0; length < image.size(); ++length) {
    EXPECT_TRUE(refused(image.substr(0, length))) << "cut at " << length;
  }
  for (std::size_t at = 0; at < image.size(); ++at) {
    std::string flipped = image;
    flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
    EXPECT_TRUE(refused(flipped)) << "byte " << at << " changed";
  }
  EXPECT_TRUE(refused(image + "x")) << "longer";
  EXPECT_TRUE(refused(std::string(248, 'Y'))) << "foreign";

  // A file of a newer version is refused even when it is sound.
  std::string newer = image;
  newer[8] = 2;
  const std::uint32_t crc = ydb::Crc32(std::string_view(newer).substr(0, 244));
  for (int i = 0; i < 4; ++i)
    newer[244 + static_cast<std::size_t>(i)] = static_cast<char>(crc >> (8 * i));
  EXPECT_TRUE(refused(newer));
  EXPECT_NE(std::string(get_db_error()).find("newer"), std::string::npos) << get_db_error();

  // Sound files holding a theory that check() refuses, or whose title the
  // store cannot keep as text.
  auto file_of = [](YTheory theory) { return ydb::EncodeTheoryFile(theory.record()); };
  YTheory item79 = MakeTheory("範囲外", 2);
  item79.record()->item[1].no = 79;
  EXPECT_TRUE(refused(file_of(item79)));
  EXPECT_TRUE(refused(file_of(MakeTheory("空", 0)))) << "no items";
  YTheory binary_title = MakeTheory("", 1);
  binary_title.record()->title[0] = static_cast<char>(0x81);  // a lead byte alone
  EXPECT_TRUE(refused(file_of(binary_title)));

  EXPECT_EQ(theories_.loadtheory(File("missing.thr").c_str()), -1);
  EXPECT_EQ(theories_.search(), 3);
  EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 3}));
}

TEST_F(YTheoriesTest, AFailingLibraryLeavesTheHeldTheoriesAndTheStoreAsTheyWere) {
  StoreThree();
  YTheory theory = MakeTheory("失敗", 1);
  ydb_test_fail("set_theory");
  EXPECT_EQ(theories_.store(&theory), -1);
  const std::string path = File("t.thr");
  ASSERT_EQ(theories_.savetheory(path.c_str(), 1), 0);
  EXPECT_EQ(theories_.loadtheory(path.c_str()), -1);
  ydb_test_fail("del_theory");
  EXPECT_EQ(theories_.deletetheory(1), -1);
  EXPECT_EQ(Codes(), (std::vector<int>{1, 2, 3}));

  ydb_test_fail("write_theory");
  EXPECT_EQ(theories_.savetheory(File("u.thr").c_str(), 1), -1);
  EXPECT_FALSE(std::filesystem::exists(File("u.thr")));

  ydb_test_fail("get_theory_all");
  EXPECT_EQ(theories_.search(), -1);
  EXPECT_EQ(theories_.gettheorycount(), 0);
  ydb_test_fail(nullptr);
  EXPECT_EQ(theories_.search(), 3);
  EXPECT_EQ(theories_.store(&theory), 4) << "the failed stores used no code";
}

TEST(YTheoriesKilledTest, AStoredTheorySurvivesAKilledProcess) {
  ytest::TempDir dir;
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    YHorseDB db;
    YTheories theories(&db);
    YTheory theory = MakeTheory("生存", 2);
    if (db.init(dir.str()) && theories.store(&theory) == 1) kill(getpid(), SIGKILL);
    _exit(1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child did not store its theory";
  YHorseDB db;
  ASSERT_TRUE(db.init(dir.str()));
  YTheories theories(&db);
  ASSERT_EQ(theories.search(), 1);
  EXPECT_EQ(theories.gettheory(0)->getname(), Sjis("生存"));
  EXPECT_EQ(theories.gettheory(0)->getitemcount(), 2);
}

}  // namespace
