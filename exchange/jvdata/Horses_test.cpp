// The horse, breeding horse and foal records, hand-built at the layouts'
// offsets in both forms: what each reads (the older forms' breeder codes
// widened), an ancestor with only a Latin name keeping it, the faults
// refused; an older UM written in the current form. (UM and HN written from a store and read back: JvDataFiles_test.)
#include "exchange/jvdata/Horses.h"

#include <gtest/gtest.h>

#include <string>

#include "exchange/jvdata/HandBuilt_test.h"
#include "testing/Sjis.h"

namespace exchange {
namespace jvdata {
namespace {

using ytest::Sjis;

std::string_view Bytes(const std::string& line) { return std::string_view(line).substr(0, line.size() - 2); }

// A breeder's name of 35 kanji: the older UM's whole field of 70 bytes.
const std::string kLongBreeder = [] {
  std::string name;
  for (int i = 0; i < 5; ++i) name += "北海道日高牧場";
  return name;
}();

// A UM of form `form` (0: 1609 bytes, 1: 1577), its sire's breeding number
// and name at the form's offsets, a Latin-named dam's dam, a trainer, a
// breeder (of 6 digits and a name of 70 bytes in the older form, 8 and 72
// now) with the birthplace after it, and an owner.
std::string Um(int form, const Fields& more = {}) {
  const int width = form == 0 ? 10 : 8;
  const int stride = width + 36;
  const int shift = form == 0 ? 0 : -28;
  Fields f = {{11, "2019105219"}, {21, "1"},   {30, "20240301"}, {38, "20190401"},
              {46, Sjis("シンボリ")}, {118, "Symboli"}, {198, "06"}, {200, "2"},
              {201, "1"},           {202, "03"},
              {204, std::string(width - 4, '0') + "1234"}, {204 + width, Sjis("オールドキング")},
              {204 + 5 * stride + width, "Far Away"},
              {849 + shift, "02001"}, {854 + shift, Sjis("佐藤")}, {862 + shift, Sjis("美浦")}};
  if (form == 0) {
    f.insert(f.end(), {{882, "20000001"}, {890, Sjis("北の牧場")}, {962, Sjis("日高")},
                       {982, "100001"}, {988, Sjis("馬主")}});
  } else {
    f.insert(f.end(), {{854, "200001"}, {860, Sjis(kLongBreeder)}, {930, Sjis("日高")},
                       {950, "100001"}, {956, Sjis("馬主")}});
  }
  f.insert(f.end(), more.begin(), more.end());
  return Line("UM", form == 0 ? 1609 : 1577, f, '2');
}

TEST(HorsesTest, AHorseReadsFromBothFormsWithItsPedigree) {
  for (const int form : {0, 1}) {
    SCOPED_TRACE(form);
    const std::string line = Um(form);
    HorseRecord x;
    const ydb::Status s = ReadHorse(Record(Bytes(line)), form, &x);
    ASSERT_TRUE(s.ok()) << s.message();
    const ydb::Horse& h = x.horse;
    EXPECT_EQ(h.code, "1905219");
    EXPECT_EQ(h.retired_date, 20240301);
    EXPECT_EQ(h.birth_date, 20190401);
    EXPECT_EQ(h.name, "シンボリ");
    EXPECT_EQ(h.name_latin, "Symboli");
    EXPECT_EQ(h.mark_code, "01");  // (外)
    EXPECT_EQ(h.sex, "1");
    EXPECT_EQ(h.breed_code, "01");
    EXPECT_EQ(h.coat_code, "03");
    EXPECT_EQ(x.breeding[ydb::kSire], form == 0 ? "0000001234" : "00001234");
    EXPECT_EQ(h.pedigree[ydb::kSire].name, "オールドキング");
    EXPECT_EQ(h.pedigree[ydb::kDamsDam].name, "");
    EXPECT_EQ(h.pedigree[ydb::kDamsDam].name_latin, "Far Away") << "a Latin name is kept as one";
    EXPECT_EQ(h.trainer_code, "02001");
    EXPECT_EQ(x.trainer_name, "佐藤");
    EXPECT_EQ(h.breeder_code, form == 0 ? "20000001" : "00200001");
    EXPECT_EQ(x.breeder_name, form == 0 ? "北の牧場" : kLongBreeder);
    EXPECT_EQ(h.owner_code, "100001");
    EXPECT_EQ(x.owner_name, "馬主");
    EXPECT_EQ(h.record_date, 20240108) << "the record's creation date";
  }
}

TEST(HorsesTest, BadFieldsAreRefusedByName) {
  const struct {
    Fields fields;
    const char* refusal;
  } kCases[] = {
      {{{11, "2019505219"}}, "UM KettoNum '2019505219' is not a 10-digit horse code of register 1"},
      {{{200, "4"}}, "UM SexCD '4' is not one of 123"},
      {{{198, "99"}}, "UM UmaKigoCD '99' is not a code known here"},
      {{{38, "2019x401"}}, "UM BirthDate '2019x401' is not digits"},
      {{{849, "0200A"}}, "UM ChokyosiCode '0200A' is not a code of digits"},
  };
  for (const auto& c : kCases) {
    HorseRecord x;
    const std::string line = Um(0, c.fields);
    EXPECT_EQ(ReadHorse(Record(Bytes(line)), 0, &x).message(), c.refusal);
  }
}

TEST(HorsesTest, BreedingHorsesAndFoalsReadFromBothForms) {
  for (const int form : {0, 1}) {
    SCOPED_TRACE(form);
    const int shift = form == 0 ? 0 : -2;
    const std::string hn = Line("HN", form == 0 ? 251 : 245,
                                {{11, form == 0 ? "0000001234" : "00001234"},
                                 {29 + shift, "2019190001"},
                                 {40 + shift, Sjis("オールドキング")},
                                 {116 + shift, "Old King"},
                                 {196 + shift, "2005"},
                                 {200 + shift, "1"},
                                 {202 + shift, "01"},
                                 {204 + shift, "3"}},
                                '1');
    BreedingHorse b;
    ydb::Status s = ReadBreedingHorse(Record(Bytes(hn)), form, &b);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(b.number, form == 0 ? "0000001234" : "00001234");
    EXPECT_EQ(b.horse_code, "1990001");
    EXPECT_EQ(b.name, "オールドキング");
    EXPECT_EQ(b.name_latin, "Old King");
    EXPECT_EQ(b.birth_year, 2005);
    EXPECT_EQ(b.sex, "0");
    EXPECT_EQ(b.coat_code, "01");
    EXPECT_FALSE(b.foaled_in_japan) << "輸入";

    const int width = form == 0 ? 10 : 8;
    const int pedigree = form == 0 ? 66 : 64;
    Fields sk = {{11, "2019105219"}, {21, "20190401"}, {29, "2"}, {30, "1"}, {31, "03"},
                 {pedigree, std::string(width - 4, '0') + "1234"},
                 {pedigree + 13 * width, std::string(width - 4, '0') + "9999"}};
    sk.push_back({38, form == 0 ? "20000001" : "200001"});
    sk.push_back({form == 0 ? 46 : 44, Sjis("日高")});  // SanchiName
    const std::string line = Line("SK", form == 0 ? 208 : 178, sk, '1');
    Foal f;
    s = ReadFoal(Record(Bytes(line)), form, &f);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(f.horse_code, "1905219");
    EXPECT_EQ(f.birth_date, 20190401);
    EXPECT_EQ(f.sex, "1");
    EXPECT_EQ(f.breeder_code, form == 0 ? "20000001" : "00200001");
    EXPECT_EQ(f.breeding[ydb::kSire], b.number);
    EXPECT_EQ(f.breeding[ydb::kDDD], std::string(width - 4, '0') + "9999");
    EXPECT_EQ(f.breeding[ydb::kDam], "");
  }
}

// A UM of the older form is written in the current one, its breeding
// numbers widened, and reads back the same.
TEST(HorsesTest, AnOlderHorseIsWrittenInTheCurrentForm) {
  const std::string old = Um(1);
  HorseRecord x;
  ASSERT_TRUE(ReadHorse(Record(Bytes(old)), 1, &x).ok());
  const std::string line = HorseRecordOf(x, 20240108);
  ASSERT_EQ(line.size(), 1609u);
  EXPECT_EQ(line.substr(204, 10), "0000001234");
  HorseRecord back;
  ASSERT_TRUE(ReadHorse(Record(Bytes(line)), 0, &back).ok());
  EXPECT_EQ(HorseRecordOf(back, 20240108), line);
  EXPECT_EQ(back.horse.retired_date, 20240301);
  EXPECT_EQ(back.horse.trainer_code, "02001");
  EXPECT_EQ(back.horse.breeder_code, "00200001");
  EXPECT_EQ(back.breeder_name, kLongBreeder);
  EXPECT_EQ(back.horse.owner_code, "100001");
  EXPECT_EQ(back.horse.pedigree[ydb::kDamsDam].name_latin, "Far Away");
}

}  // namespace
}  // namespace jvdata
}  // namespace exchange
