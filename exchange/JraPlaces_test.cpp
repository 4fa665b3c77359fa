// The table between JRA's place codes and the code table: JRA's ten
// racecourses and the local courses each map to the course of the same
// name, and back; a country abroad names no one course and is refused; a
// code JRA does not use is refused.
#include "exchange/JraPlaces.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "db/base/CodeKind.h"
#include "db/codes/CodeTables.h"

namespace exchange {
namespace {

using ydb::CodeEntry;
using ydb::CodeTable;
using ydb::GetCodeTable;
using ydb::kPlaceCode;

std::string PlaceOf(const std::string& jra) {
  std::string place;
  const ydb::Status s = PlaceOfJraCode(jra, &place);
  return s.ok() ? place : "refused: " + s.message();
}

std::string JraOf(const std::string& place) {
  std::string jra;
  const ydb::Status s = JraCodeOfPlace(place, &jra);
  return s.ok() ? jra : "refused: " + s.message();
}

TEST(JraPlacesTest, JrasTenRacecoursesMapToTheirCoursesAndBack) {
  const char* const jra_order[] = {"札幌", "函館", "福島", "新潟", "東京",
                                   "中山", "中京", "京都", "阪神", "小倉"};
  const CodeTable* places = GetCodeTable(kPlaceCode);
  ASSERT_NE(places, nullptr);
  for (int n = 1; n <= 10; ++n) {
    const std::string jra = (n < 10 ? "0" : "") + std::to_string(n);
    SCOPED_TRACE(jra);
    const std::string place = PlaceOf(jra);
    const CodeEntry* entry = places->Find(std::stoi(place));
    ASSERT_NE(entry, nullptr) << place;
    EXPECT_EQ(entry->utf8, jra_order[n - 1]);
    EXPECT_EQ(JraOf(place), jra);
  }
}

TEST(JraPlacesTest, EveryRowNamesItsCourseAsTheCodeTableDoes) {
  const CodeTable* places = GetCodeTable(kPlaceCode);
  ASSERT_NE(places, nullptr);
  std::set<std::string> local_places;
  for (const JraPlace& row : JraPlaces()) {
    SCOPED_TRACE(row.jra);
    const CodeEntry* entry = places->Find(std::stoi(row.place));
    ASSERT_NE(entry, nullptr) << row.place;
    EXPECT_EQ(entry->utf8, row.name);
    const std::string jra = row.jra;
    if (jra >= "30" && jra <= "57") {
      EXPECT_EQ(PlaceOf(jra), row.place);
      EXPECT_EQ(JraOf(row.place), jra);
      EXPECT_TRUE(local_places.insert(row.place).second) << "two codes for " << row.place;
    }
  }
  EXPECT_EQ(local_places.size(), 28u) << "every local course of the code table, 10-37";
  // A local meeting at a JRA racecourse is that racecourse, which keeps its
  // JRA number.
  EXPECT_EQ(PlaceOf("58"), "08");
  EXPECT_EQ(PlaceOf("61"), "02");
  EXPECT_EQ(JraOf("08"), "01");
}

TEST(JraPlacesTest, CountriesAndUnknownCodesAreRefused) {
  EXPECT_EQ(JraOf("40"), "A8") << "ロンシャン, in France";
  EXPECT_EQ(JraOf("55"), "C7") << "メイダン";
  EXPECT_EQ(PlaceOf("A8"), "refused: JRA place code 'A8' names a country with several courses");
  for (const char* code : {"00", "11", "29", "62", "ZZ", "5", "055", ""}) {
    EXPECT_EQ(PlaceOf(code), "refused: JRA place code '" + std::string(code) + "' is not known");
  }
  EXPECT_EQ(JraOf("60"), "refused: place 60 has no JRA place code") << "クランジ";
}

}  // namespace
}  // namespace exchange
