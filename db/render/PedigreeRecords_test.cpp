// The pedigree record against a written store: every field of a full
// pedigree at the offset the client reads, and the store's positions in
// the record's order. Unknown ancestors and horses without a pedigree are
// tested through the fetch and YBlood.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/layout/Layouts.h"
#include "db/render/EntityRecordRenderer.h"
#include "db/render/PedigreeRenderer.h"
#include "db/render/RenderWorld_test.h"

namespace ydb {
namespace {

using ytest::At;
using ytest::Blanks;
using ytest::Records;
using ytest::Sjis;

// Each position its own names, an imported horse at every third position.
Horse FullPedigree() {
  Horse h = ytest::MakeHorse("2019001", "ミライノホシ", "1");
  for (int i = 0; i < kPedigreeSize; ++i) {
    Ancestor& a = h.pedigree[static_cast<std::size_t>(i)];
    a.name = "ソセン" + std::to_string(i + 1);
    a.name_latin = "Ancestor " + std::to_string(i + 1);
    a.foaled_in_japan = i % 3 != 0;
  }
  h.pedigree[kSire].code = "1990001";
  h.pedigree[kSire].coat_code = "07";
  h.pedigree[kSire].birth_year = 2008;
  h.pedigree[kDam].coat_code = "11";
  h.pedigree[kDam].birth_year = 2012;
  return h;
}

// Names longer than the records' fields (the horse's, a parent's and an
// ancestor's, each cut where a character would not fit whole), and
// ancestors known only by their Latin names.
constexpr char kLongHorseName[] = "1ミライノホシハトオクマデカガヤイテ";  // 35 bytes
constexpr char kLongAncestorName[] = "エイコウノキセキヲカサネタオウジャズ";  // 36 bytes

Horse LongAndLatinNames() {
  Horse h = ytest::MakeHorse("2019002", kLongHorseName, "1");
  h.pedigree[kSire].name = kLongAncestorName;
  h.pedigree[kDam].name = "ハハ";
  h.pedigree[kDamsSire].name_latin = "Northern Prince";
  h.pedigree[kDDS].name = kLongAncestorName;
  h.pedigree[kDDS].name_latin = "Glorious King";
  h.pedigree[kDDD].name_latin = "Far Away Lady";
  return h;
}

class PedigreeRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Status s = Database::Open(dir_.str() + "/pedigree.db", Database::Mode::kOpenOrCreate, &db_);
    ASSERT_TRUE(s.ok()) << s.message();
    Batch batch;
    batch.horses = {ytest::MakeHorse("1990001", "オールドキング", "0"),
                    FullPedigree(), LongAndLatinNames()};
    s = Writer(*db_).write(batch);
    ASSERT_TRUE(s.ok()) << s.message();
  }

  void Pedigree(const std::string& code, Records* out) {
    const Status s = RenderPedigree(*db_, code, out->out());
    ASSERT_TRUE(s.ok()) << s.message();
  }

  ytest::TempDir dir_;
  std::unique_ptr<Database> db_;
};

TEST_F(PedigreeRecordsTest, EveryFieldOfAFullPedigreeAtItsOffset) {
  Records records;
  Pedigree("2019001", &records);
  ASSERT_EQ(records.count(), 1);
  const std::string r = records[0];
  ASSERT_EQ(r.size(), 709u);
  EXPECT_EQ(At(r, 0, 7), "2019001");
  EXPECT_EQ(At(r, 7, 30), Sjis("ミライノホシ", 30));
  // Sire at 37, dam 84 bytes on: flag, katakana and Latin names, year, coat.
  EXPECT_EQ(r[37], '0');
  EXPECT_EQ(At(r, 45, 34), Sjis("ソセン1", 34));
  EXPECT_EQ(At(r, 79, 34), Sjis("Ancestor 1", 34));
  EXPECT_EQ(At(r, 113, 6), "200807");
  EXPECT_EQ(r[121], '1');
  EXPECT_EQ(At(r, 129, 34), Sjis("ソセン2", 34));
  EXPECT_EQ(At(r, 163, 34), Sjis("Ancestor 2", 34));
  EXPECT_EQ(At(r, 197, 6), "201211");
  // Ancestor a is store position a + 3: SS SD DS DD, then SSS ... DDD.
  for (int a = 0; a < 12; ++a) {
    SCOPED_TRACE(a);
    const std::size_t at = 205 + 42 * static_cast<std::size_t>(a);
    EXPECT_EQ(r[at], (a + 2) % 3 != 0 ? '1' : '0');
    EXPECT_EQ(At(r, at + 8, 34), Sjis("ソセン" + std::to_string(a + 3), 34));
  }
  // Nothing but blanks between the fields.
  for (const ByteRange& gap : PedigreeLayout().gaps()) {
    EXPECT_EQ(At(r, gap.offset, gap.width), Blanks(gap.width)) << "gap at " << gap.offset;
  }
}

TEST_F(PedigreeRecordsTest, LongNamesAreCutAtACharacterAndLatinOnlyAncestorsShownByIt) {
  Records records;
  Pedigree("2019002", &records);
  ASSERT_EQ(records.count(), 1);
  const std::string r = records[0];
  EXPECT_EQ(At(r, 7, 30), Sjis("1ミライノホシハトオクマデカガ", 30)) << "29 bytes and a blank";
  EXPECT_EQ(At(r, 45, 34), Sjis("エイコウノキセキヲカサネタオウジャ", 34));
  EXPECT_EQ(At(r, 205 + 42 * 2 + 8, 34), Sjis("Northern Prince", 34)) << "dam's sire";
  EXPECT_EQ(At(r, 205 + 42 * 10 + 8, 34), Sjis("エイコウノキセキヲカサネタオウジャ", 34))
      << "a Japanese name comes before a Latin one";
  EXPECT_EQ(At(r, 205 + 42 * 11 + 8, 34), Sjis("Far Away Lady", 34));
  EXPECT_EQ(At(r, 205 + 42 * 0 + 8, 34), Blanks(34)) << "an ancestor not known";

  Records horse;
  ASSERT_TRUE(RenderHorse(*db_, "2019002", horse.out()).ok());
  ASSERT_EQ(horse.count(), 1);
  const RecordLayout& layout = HorseLayout();
  const auto field = [&](const char* name) {
    const Field* f = layout.find(name);
    return f == nullptr ? std::string() : At(horse[0], f->offset, f->width);
  };
  EXPECT_EQ(field("name"), Sjis("1ミライノホシハトオクマデカガ", 30));
  EXPECT_EQ(field("dams_sire_name"), Sjis("Northern Prince", 34));
  EXPECT_EQ(field("sire_name"), Sjis("エイコウノキセキヲカサネタオウジャ", 34));
}

}  // namespace
}  // namespace ydb
