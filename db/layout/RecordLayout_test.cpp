// Tests of the record layout tables: every registered layout is sound and
// has its record type's size, the unread byte runs of the entity records are
// exactly the gaps, and the checker catches broken tables.
#include "db/layout/RecordLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "db/layout/Layouts.h"

namespace ydb {
namespace {

TEST(RecordLayoutTest, EveryLayoutIsSoundAndHasItsRecordSize) {
  const std::map<std::string, std::size_t> sizes = {
      {"RACELISTREC", 158}, {"RACEDREC", 360},      {"RACERMREC", 2326},
      {"RACENAMEREC", 33},  {"RACEDHREC", 688},     {"RACERHREC", 659},
      {"PASTRUNREC", 94},   {"COMMENTREC", 1007},   {"ODDSREC", 1462},
      {"SORTEDODDSREC", 11}, {"EXPRIZEREC", 254},   {"YODDSTANREC", 4},
      {"PEDREC", 709},      {"YDBUMAREC", 593},     {"JOCKEYREC", 257},
      {"STABLEREC", 208},   {"SIREREC", 196},       {"UMADIMSIRE", 41},
      {"SIRECODEREC", 41},  {"THITEM", 20},         {"THEORYREC", 232},
      {"THEORYSUMREC", 68}, {"THEORYFILE", 248},    {"BUYTICKETREC", 29},
      {"SPDENMA", 686},     {"RACECODEREC", 12},    {"CODELISTREC", 13},
      {"NAMEREC", 40},      {"YODDSTANRACEREC", 128}, {"HORSERUNREC", 101},
      {"HORSESIREREC", 48}, {"RUNNERENTRYREC", 37},
  };
  ASSERT_EQ(AllLayouts().size(), sizes.size());
  for (const RecordLayout* layout : AllLayouts()) {
    const std::string name(layout->name());
    SCOPED_TRACE(name);
    ASSERT_EQ(sizes.count(name), 1u);
    EXPECT_EQ(layout->size(), sizes.at(name));
    const Status check = layout->Check();
    EXPECT_TRUE(check.ok()) << check.message();
    EXPECT_EQ(FindLayout(name), layout);
  }
  EXPECT_EQ(FindLayout("RACEREC"), nullptr);
}

TEST(RecordLayoutTest, OnlyDocumentedSecondReadingsAreAliases) {
  // Where two readers take the same bytes differently, both readings are
  // kept and the second is marked; nothing else may overlap.
  const std::set<std::string> expected = {
      "RACERMREC.year",         "RACERMREC.win_popularity",  "RACERHREC.leading_race_code",
      "RACERHREC.date",         "RACERHREC.race_number",     "RACERHREC.totals_date",
      "RACEDHREC.race_key",     "SORTEDODDSREC.win_horse_number",
  };
  std::set<std::string> found;
  for (const RecordLayout* layout : AllLayouts()) {
    for (const Field& f : layout->fields()) {
      if (f.alias) found.insert(std::string(layout->name()) + "." + std::string(f.name));
    }
  }
  EXPECT_EQ(found, expected);
}

TEST(RecordLayoutTest, UnreadRunsOfTheEntityRecordsAreTheGaps) {
  using Gaps = std::vector<ByteRange>;
  EXPECT_EQ(HorseLayout().gaps(),
            (Gaps{{37, 40}, {179, 7}, {220, 7}, {429, 33}, {517, 20}, {585, 8}}));
  EXPECT_EQ(JockeyLayout().gaps(), (Gaps{{85, 8}, {106, 2}, {158, 1}, {253, 4}}));
  EXPECT_EQ(StableLayout().gaps(), (Gaps{{85, 8}, {105, 1}, {109, 1}, {204, 4}}));
  EXPECT_EQ(SireLayout().gaps(), (Gaps{{50, 8}, {92, 7}, {188, 8}}));
  EXPECT_EQ(OddsLayout().gaps(), (Gaps{{12, 92}, {109, 4}, {1454, 8}}));
  // Pedigree: the bytes between origin flag and name of each parent and
  // ancestor, and the two bytes after each parent.
  Gaps pedigree = {{38, 7}, {119, 2}, {122, 7}, {203, 2}};
  for (std::size_t a = 0; a < 12; ++a) pedigree.push_back({206 + 42 * a, 7});
  EXPECT_EQ(PedigreeLayout().gaps(), pedigree);
  // Bytes the card runner lines carry without reading are gaps too, but
  // for the marks and body weight (235-243) and the prediction mark (680).
  const Gaps card = CardRunnerLayout().gaps();
  EXPECT_NE(std::find(card.begin(), card.end(), ByteRange{244, 433}), card.end());
  EXPECT_NE(std::find(card.begin(), card.end(), ByteRange{681, 7}), card.end());
  EXPECT_TRUE(BuyTicketLayout().gaps().empty());
  EXPECT_TRUE(RaceListLayout().gaps().empty());
}

TEST(RecordLayoutTest, RepeatedFieldsStepByTheirStride) {
  const Field* venue_name = RaceListLayout().find("venue_main_race_name");
  ASSERT_NE(venue_name, nullptr);
  EXPECT_EQ(venue_name->count, 3u);
  EXPECT_EQ(venue_name->offset_at(2), 122u);
  EXPECT_EQ(venue_name->end(), 152u);

  const Field* ancestor = PedigreeLayout().find("ancestor_name");
  ASSERT_NE(ancestor, nullptr);
  EXPECT_EQ(ancestor->offset_at(11), 675u);
  const Field* quinella = OddsLayout().find("quinella_odds");
  ASSERT_NE(quinella, nullptr);
  EXPECT_EQ(quinella->offset_at(152), 1447u);  // horses 17 and 18
  const Field* corner = RaceResultLayout().find("corner_order");
  ASSERT_NE(corner, nullptr);
  EXPECT_EQ(corner->offset_at(8), 1728u);
  EXPECT_EQ(RaceResultLayout().find("no_such_field"), nullptr);
}

TEST(RecordLayoutTest, CheckFindsBrokenTables) {
  using F = Field;
  struct Case {
    const char* what;
    RecordLayout layout;
  };
  const std::vector<Case> cases = {
      {"overlap", RecordLayout("T", 10, {F::Digits("a", 0, 4, "a"), F::Code("b", 3, 2, "b")})},
      {"beyond the end", RecordLayout("T", 10, {F::Text("a", 6, 5, "a")})},
      {"repeat beyond the end",
       RecordLayout("T", 10, {F::Digits("a", 0, 2, "a").Repeat(4, 3)})},
      {"repeat overlapping itself",
       RecordLayout("T", 10, {F::Digits("a", 0, 3, "a").Repeat(2, 2)})},
      {"repeat onto another field",
       RecordLayout("T", 10, {F::Digits("a", 0, 2, "a").Repeat(2, 4), F::Code("b", 4, 1, "b")})},
      {"name used twice",
       RecordLayout("T", 10, {F::Digits("a", 0, 2, "a"), F::Digits("a", 2, 2, "a")})},
      {"name not an identifier", RecordLayout("T", 10, {F::Digits("Race code", 0, 2, "a")})},
      {"no meaning", RecordLayout("T", 10, {F::Digits("a", 0, 2, "")})},
      {"width 0", RecordLayout("T", 10, {F::Digits("a", 0, 0, "a")})},
      {"alias of nothing",
       RecordLayout("T", 10, {F::Digits("a", 0, 2, "a"), F::Digits("b", 4, 2, "b").Alias()})},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.layout.Check().ok()) << c.what;
  }
  const RecordLayout sound("T", 10, {F::Digits("a", 0, 4, "a"), F::Digits("y", 0, 2, "y").Alias(),
                                     F::Code("b", 6, 2, "b").Repeat(2, 2)});
  EXPECT_TRUE(sound.Check().ok()) << sound.Check().message();
  EXPECT_EQ(sound.gaps(), (std::vector<ByteRange>{{4, 2}}));
}

}  // namespace
}  // namespace ydb
