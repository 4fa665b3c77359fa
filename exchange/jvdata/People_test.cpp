// The people's records written from the model and read back: every field
// the records carry comes back (a long name whole to its field's end, cut
// at a character beyond it), the east-west codes map both ways, and bad
// fields and the older owner and breeder forms are refused.
#include "exchange/jvdata/People.h"

#include <gtest/gtest.h>

#include <string>

#include "exchange/jvdata/RecordTypes.h"

namespace exchange {
namespace jvdata {
namespace {

// The record without its CR LF, as the file reader hands it on.
std::string_view Bytes(const std::string& record) {
  EXPECT_EQ(record.substr(record.size() - 2), "\r\n");
  return std::string_view(record).substr(0, record.size() - 2);
}

TEST(PeopleTest, AJockeyAndATrainerComeBackAsWritten) {
  ydb::Jockey j;
  j.code = "01001";
  j.name = "ルメールクリストフジョルジュ";  // 28 bytes
  j.name_kana = "ルメール";
  j.short_name = "ルメール";
  j.birth_date = 19790520;
  j.first_year = 2015;
  j.affiliation = "1";
  j.qualification = "2";
  j.apprentice_code = "";
  j.trainer_code = "02001";
  const std::string record = JockeyRecord(j, 20240108);
  ASSERT_EQ(record.size(), 4173u);
  const Record r(Bytes(record));
  EXPECT_EQ(r.type(), "KS");
  EXPECT_EQ(r.stage(), '1');
  EXPECT_EQ(r.created(), 20240108);
  EXPECT_EQ(r.field(230, 1), "2") << "栗東 is JRA's 2";
  ydb::Jockey back;
  ASSERT_TRUE(ReadJockey(r, 0, &back).ok());
  EXPECT_EQ(JockeyRecord(back, 20240108), record);
  EXPECT_EQ(back.name, j.name);
  EXPECT_EQ(back.first_year, 2015);
  EXPECT_EQ(back.birth_date, 19790520);
  EXPECT_EQ(back.affiliation, "1");
  EXPECT_EQ(back.apprentice_code, "");
  EXPECT_EQ(back.trainer_code, "02001");
  EXPECT_EQ(back.retired_date, 0);

  j.apprentice_code = "3";
  j.affiliation = "2";
  j.trainer_code = "";
  j.retired_date = 20231231;
  ASSERT_TRUE(ReadJockey(Record(Bytes(JockeyRecord(j, 20240108))), 0, &back).ok());
  EXPECT_EQ(back.apprentice_code, "3");
  EXPECT_EQ(back.affiliation, "2");
  EXPECT_EQ(back.trainer_code, "");
  EXPECT_EQ(back.retired_date, 20231231);

  ydb::Trainer t;
  t.code = "02001";
  t.name = "国枝栄";
  t.centre = "3";  // 美浦北: JRA's records say 美浦 only
  t.location_place = "04";
  ydb::Trainer read;
  ASSERT_TRUE(ReadTrainer(Record(Bytes(TrainerRecord(t, 20240108))), 0, &read).ok());
  EXPECT_EQ(read.name, "国枝栄");
  EXPECT_EQ(read.centre, "2");
  EXPECT_EQ(read.location_place, "");
  t.centre = "1";
  ASSERT_TRUE(ReadTrainer(Record(Bytes(TrainerRecord(t, 20240108))), 0, &read).ok());
  EXPECT_EQ(read.centre, "1");
}

TEST(PeopleTest, OwnersAndBreedersKeepTheirNamesToTheFieldsEnd) {
  // 67 bytes: the record's 64 end inside a character, which goes whole.
  ydb::Owner o{"100001", "K有限会社ノースヒルズマネジメントホールディングスグループ本社ビル内", ""};
  ydb::Owner back;
  ASSERT_TRUE(ReadOwner(Record(Bytes(OwnerRecord(o, 20240108))), 0, &back).ok());
  EXPECT_EQ(back.code, "100001");
  EXPECT_EQ(back.name, "K有限会社ノースヒルズマネジメントホールディングスグループ本社ビ");
  EXPECT_EQ(back.short_name, "");
  ydb::Breeder b{"20000001", "社台コーポレーション白老ファーム", "白老"};
  ydb::Breeder breeder;
  ASSERT_TRUE(ReadBreeder(Record(Bytes(BreederRecord(b, 20240108))), 0, &breeder).ok());
  EXPECT_EQ(breeder.name, b.name);
  EXPECT_EQ(breeder.code, b.code);
}

TEST(PeopleTest, BadFieldsAndOlderFormsAreRefused) {
  ydb::Jockey j;
  j.code = "01001";
  j.name = "騎手";
  std::string record = JockeyRecord(j, 20240108);
  const auto refusal = [](std::string bytes, int at, const std::string& put) {
    bytes.replace(static_cast<std::size_t>(at), put.size(), put);
    ydb::Jockey out;
    return ReadJockey(Record(Bytes(bytes)), 0, &out).message();
  };
  EXPECT_EQ(refusal(record, 11, "01A01"), "KS KisyuCode '01A01' is not a code of digits");
  EXPECT_EQ(refusal(record, 33, "1979x520"), "KS BirthDate '1979x520' is not digits");
  EXPECT_EQ(refusal(record, 74, "\x82"), "KS KisyuName is not Shift_JIS")
      << "a lead byte at the end of the field, its trail byte beyond";
  EXPECT_EQ(refusal(record, 230, "9"), "KS TozaiCD '9' is not one of 1234");

  ydb::Owner owner;
  const ydb::Status older_owner = ReadOwner(Record(std::string(411, ' ')), 1, &owner);
  EXPECT_TRUE(older_owner.IsNotSupported()) << older_owner.message();
  EXPECT_EQ(FormOf(*FindRecordType("BN"), 413), 1);
  // The breeder's record was 537 bytes from June 2003 until August 2023.
  ydb::Breeder breeder;
  const ydb::Status older_breeder = ReadBreeder(Record(std::string(535, ' ')), 1, &breeder);
  EXPECT_EQ(older_breeder.message(),
            "BR of the form used from June 2003 to August 2023: its layout is not known here");
  EXPECT_EQ(FormOf(*FindRecordType("BR"), 537), 1);
}

}  // namespace
}  // namespace jvdata
}  // namespace exchange
