// Payouts: the 126-byte file record of YHaitoInfo, the ordering of YHaito,
// and the payout fill from a store's payout record or race record.
#include "ydbcln/race/YHaitoInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "ydbcln/race/HaitoFill.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/YHaito.h"

namespace {

using racetest::RaceStore;

// A payout set with a distinct value in every member, some of them using
// the high bytes.
YHaitoInfo Distinct() {
  YHaitoInfo info;
  int v = 1;
  for (unsigned short& x : info.wakuren_kumi) x = static_cast<unsigned short>(v++);
  for (int& x : info.wakuren_haito) x = 1000 * v++;
  for (unsigned short& x : info.umaren_kumi) x = static_cast<unsigned short>(100 * v++);
  for (int& x : info.umaren_haito) x = 100000 * v++;
  for (unsigned short& x : info.wide_kumi) x = static_cast<unsigned short>(0x100 * v++);
  for (int& x : info.wide_haito) x = 1000 * v++;
  for (unsigned short& x : info.tansho_uma) x = static_cast<unsigned short>(v++);
  for (int& x : info.tansho_haito) x = 1000 * v++;
  for (unsigned short& x : info.fukusho_uma) x = static_cast<unsigned short>(v++);
  for (int& x : info.fukusho_haito) x = 1000 * v++;
  info.fukusho_uma[4] = 0xFFFF;
  info.fukusho_haito[4] = -2;
  info.umaren_haito[2] = 0x7fffffff;
  return info;
}

// The bytes of `info`'s file record.
std::string Record(YHaitoInfo info) {
  std::FILE* f = std::tmpfile();
  EXPECT_EQ(info.write(f), 126);
  std::string bytes(200, '\0');
  std::rewind(f);
  bytes.resize(std::fread(&bytes[0], 1, bytes.size(), f));
  std::fclose(f);
  return bytes;
}

unsigned Le(const std::string& bytes, std::size_t at, std::size_t width) {
  unsigned v = 0;
  for (std::size_t i = width; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST(YHaitoInfoStream, RoundTrip) {
  const YHaitoInfo written = Distinct();
  EXPECT_NE(written, YHaitoInfo());
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  YHaitoInfo w = written;
  ASSERT_EQ(w.write(f), 126);
  ASSERT_EQ(w.write(f), 126);
  std::rewind(f);
  YHaitoInfo first, second, third = written;
  EXPECT_EQ(first.read(f), 126);
  EXPECT_EQ(second.read(f), 126);
  EXPECT_EQ(third.read(f), 0) << "end of the file";
  std::fclose(f);
  EXPECT_EQ(first, written);
  EXPECT_EQ(second, written);
  EXPECT_EQ(third, written);
}

TEST(YHaitoInfoStream, PacksTheArraysLittleEndianAtTheirOffsets) {
  const YHaitoInfo info = Distinct();
  const std::string r = Record(info);
  ASSERT_EQ(r.size(), 126u);
  EXPECT_EQ(Le(r, 0, 2), info.wakuren_kumi[0]);
  EXPECT_EQ(Le(r, 6, 4), static_cast<unsigned>(info.wakuren_haito[0]));
  EXPECT_EQ(Le(r, 18, 2), info.umaren_kumi[0]);
  EXPECT_EQ(Le(r, 24, 4), static_cast<unsigned>(info.umaren_haito[0]));
  EXPECT_EQ(Le(r, 36, 2), info.wide_kumi[0]);
  EXPECT_EQ(Le(r, 50, 4), static_cast<unsigned>(info.wide_haito[0]));
  EXPECT_EQ(Le(r, 78, 2), info.tansho_uma[0]);
  EXPECT_EQ(Le(r, 84, 4), static_cast<unsigned>(info.tansho_haito[0]));
  EXPECT_EQ(Le(r, 96, 2), info.fukusho_uma[0]);
  EXPECT_EQ(Le(r, 106, 4), static_cast<unsigned>(info.fukusho_haito[0]));
  EXPECT_EQ(Le(r, 122, 4), 0xFFFFFFFEu) << "the last place payout, -2";
}

TEST(YHaitoInfoStream, AFileCutShortReadsNothing) {
  const std::string whole = Record(Distinct());
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fwrite(whole.data(), 1, cut, f);
    std::rewind(f);
    YHaitoInfo info;
    info.tansho_uma[0] = 7;
    const YHaitoInfo before = info;
    EXPECT_EQ(info.read(f), 0) << cut;
    EXPECT_EQ(info, before) << cut;
    std::fclose(f);
  }
}

TEST(YHaitoInfoStream, NullAndUnwritableFiles) {
  YHaitoInfo info = Distinct();
  EXPECT_EQ(info.write(nullptr), 0);
  EXPECT_EQ(info.read(nullptr), 0);
  EXPECT_EQ(info, Distinct());
  std::FILE* f = std::fopen("/dev/null", "r");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(info.write(f), 0) << "a stream open for reading takes nothing";
  std::fclose(f);
}

TEST(YHaito, OrderedByTheKeyBytesAsUnsignedAndComparedByKeyAlone) {
  YHaito digits("052024010611");
  YHaito high(std::string("\x81\x40") + "2024010611");
  std::set<YHaito> cache = {high, YHaito("052024010612"), digits};
  std::vector<std::string> order;
  for (const YHaito& h : cache) order.emplace_back(reinterpret_cast<const char*>(h.key), 12);
  EXPECT_EQ(order, (std::vector<std::string>{"052024010611", "052024010612",
                                             std::string("\x81\x40") + "2024010611"}))
      << "0x81 sorts after the digits";

  YHaito same("052024010611");
  same.date = 20240106;
  same.racename = "x";
  EXPECT_TRUE(same == digits) << "only the key is compared";
  EXPECT_TRUE(YHaito("05") != digits);
}

// --- The payout fill ----------------------------------------------------------------

// The small world's race with horses 1 and 2 dead-heating for first.
ydb::Batch DeadHeat() {
  ydb::Batch world = ytest::MakeWorld();
  ydb::Race& race = world.races[0];
  race.runners[1].result->finish_pos = 1;
  race.runners[1].result->margin_code = "8";
  race.runners[1].result->margin_lengths = 0;
  race.runners[1].result->margin_time = 0;
  race.result->payouts = {{ydb::Pool::kWin, 1, 0, 180, 1},   {ydb::Pool::kWin, 2, 0, 170, 2},
                          {ydb::Pool::kPlace, 1, 0, 110, 1}, {ydb::Pool::kPlace, 2, 0, 120, 2},
                          {ydb::Pool::kPlace, 3, 0, 200, 3}, {ydb::Pool::kBracketQuinella, 1, 2, 310, 1},
                          {ydb::Pool::kQuinella, 1, 2, 440, 1}, {ydb::Pool::kWide, 1, 2, 150, 1},
                          {ydb::Pool::kWide, 1, 3, 260, 4},  {ydb::Pool::kWide, 2, 3, 270, 5}};
  return world;
}

// Without the payout record the race record gives the same win, place,
// bracket-quinella and quinella entries as the payout record, two winners
// of a dead heat too, and no wide ones.
TEST_F(RaceStore, TheRaceRecordGivesEveryPoolButTheWide) {
  Write(DeadHeat());
  YHaitoInfo from_payouts = Distinct();
  ASSERT_TRUE(yrace::fill_haito(&db_, "052024010611", &from_payouts));
  EXPECT_EQ(from_payouts.tansho_uma[1] * 1000 + from_payouts.tansho_haito[1], 2170);
  EXPECT_EQ(from_payouts.wide_kumi[2] * 1000 + from_payouts.wide_haito[2], 203270);
  EXPECT_EQ(from_payouts.wide_kumi[3], 0);
  ydb_test_fail("get_exprize2code");
  YHaitoInfo from_race = Distinct();
  ASSERT_TRUE(yrace::fill_haito(&db_, "052024010611", &from_race));
  EXPECT_EQ(ydb_test_call_count("get_race2code_1_ex"), 1);
  YHaitoInfo expected = from_payouts;
  for (unsigned short& x : expected.wide_kumi) x = 0;
  for (int& x : expected.wide_haito) x = 0;
  EXPECT_EQ(from_race, expected);
}

TEST_F(RaceStore, TheRaceRecordsWinPopularityIsNoSecondWinner) {
  Write();
  ydb_test_fail("get_exprize2code");
  YHaitoInfo info;
  ASSERT_TRUE(yrace::fill_haito(&db_, "052024010611", &info));
  EXPECT_EQ(info.tansho_uma[0], 1);
  EXPECT_EQ(info.tansho_haito[0], 350);
  EXPECT_EQ(info.tansho_uma[1], 0) << "the bytes of a second winner hold the popularity";
  EXPECT_EQ(info.umaren_kumi[0], 102);
}

TEST_F(RaceStore, FillFailuresLeaveThePayoutsAlone) {
  Write();
  const YHaitoInfo before = Distinct();
  YHaitoInfo info = before;
  EXPECT_FALSE(yrace::fill_haito(&db_, "052024010612", &info)) << "an unknown race";
  EXPECT_EQ(db_.geterrstatus(), 0);
  EXPECT_FALSE(yrace::fill_haito(&db_, "052024010600", &info)) << "a whole venue-day";

  ydb_test_fail("get_exprize2code");
  ydb_test_fail("get_race2code_1_ex");
  EXPECT_FALSE(yrace::fill_haito(&db_, "052024010611", &info));
  EXPECT_EQ(db_.geterrstatus(), YHorseDB::kDatabaseError);
  ydb_test_fail(nullptr);

  EXPECT_FALSE(yrace::fill_haito(&db_, "052024010611", nullptr));
  YHorseDB closed;
  EXPECT_FALSE(yrace::fill_haito(&closed, "052024010611", &info));
  EXPECT_EQ(closed.geterrstatus(), YHorseDB::kNotInitialised);
  EXPECT_EQ(info, before);
}

}  // namespace
