// The library's record constants against the layout registry: every entry of
// every record's field list names a field of that record's layout (or its
// size) and has the layout's offset, width, stride or count. The lists come
// from the record headers themselves, so a constant added there is checked
// without an edit here.
#include "ydbcln/race/RecordConstants.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "db/layout/Layouts.h"
#include "ydbcln/entity/HorseRec.h"
#include "ydbcln/entity/PersonRec.h"
#include "ydbcln/entity/SireRec.h"
#include "ydbcln/money/_tagBUYTICKETREC.h"
#include "ydbcln/race/CardRunnerRec.h"
#include "ydbcln/race/CommentRec.h"
#include "ydbcln/race/OddsRec.h"
#include "ydbcln/race/PayoutRec.h"
#include "ydbcln/race/PedigreeRec.h"
#include "ydbcln/race/RaceCardRec.h"
#include "ydbcln/race/RaceListRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/race/SortedOddsRec.h"
#include "ydbcln/race/SpecialCardRec.h"
#include "ydbcln/theory/engine/RangeRecs.h"
#include "ydbcln/theory/PastRunRec.h"

namespace {

struct Constant {
  std::string_view name;  // "kHorseNameWidth"
  int value;
};

struct Record {
  std::string_view layout;  // the registry's name of the record type
  std::vector<Constant> constants;
};

#define YDBCLN_CONSTANT_ENTRY(name, value) {#name, value},
#define YDBCLN_RECORD(layout) {#layout, {YDBCLN_##layout##_FIELDS(YDBCLN_CONSTANT_ENTRY)}}

const std::vector<Record>& LibraryRecords() {
  static const std::vector<Record> records = {
      YDBCLN_RECORD(RACELISTREC), YDBCLN_RECORD(RACEDREC),    YDBCLN_RECORD(RACERMREC),
      YDBCLN_RECORD(SPDENMA),     YDBCLN_RECORD(RACEDHREC),   YDBCLN_RECORD(RACERHREC),
      YDBCLN_RECORD(PASTRUNREC),  YDBCLN_RECORD(COMMENTREC),  YDBCLN_RECORD(ODDSREC),
      YDBCLN_RECORD(SORTEDODDSREC), YDBCLN_RECORD(EXPRIZEREC), YDBCLN_RECORD(PEDREC),
      YDBCLN_RECORD(YDBUMAREC),   YDBCLN_RECORD(JOCKEYREC),   YDBCLN_RECORD(STABLEREC),
      YDBCLN_RECORD(SIREREC),     YDBCLN_RECORD(UMADIMSIRE),  YDBCLN_RECORD(BUYTICKETREC),
      YDBCLN_RECORD(HORSERUNREC), YDBCLN_RECORD(HORSESIREREC), YDBCLN_RECORD(RUNNERENTRYREC),
  };
  return records;
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() > tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// "HorseName" -> "horse_name", "WeightRule1" -> "weight_rule_1",
// "Last3f" -> "last_3f": an upper-case letter or a run of digits starts a
// word.
std::string FieldName(std::string_view camel) {
  std::string out;
  for (std::size_t i = 0; i < camel.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(camel[i]);
    const bool digit = std::isdigit(c) != 0;
    const bool after_digit = i > 0 && std::isdigit(static_cast<unsigned char>(camel[i - 1])) != 0;
    if (i > 0 && (std::isupper(c) != 0 || (digit && !after_digit))) out += '_';
    out += static_cast<char>(std::tolower(c));
  }
  return out;
}

// One line per constant of `constants` that does not agree with the layout
// called `layout_name`; empty when all agree.
std::vector<std::string> Mismatches(std::string_view layout_name,
                                    const std::vector<Constant>& constants) {
  std::vector<std::string> faults;
  const ydb::RecordLayout* layout = ydb::FindLayout(layout_name);
  if (layout == nullptr) return {std::string(layout_name) + ": no such layout"};
  for (const Constant& c : constants) {
    const std::string where = std::string(layout_name) + " " + std::string(c.name) + " = " +
                              std::to_string(c.value) + ": ";
    if (c.name.size() < 2 || c.name[0] != 'k') {
      faults.push_back(where + "not a k-name");
      continue;
    }
    std::string_view rest = c.name.substr(1);
    if (rest == "Size") {
      if (static_cast<std::size_t>(c.value) != layout->size()) {
        faults.push_back(where + "the record is " + std::to_string(layout->size()) + " bytes");
      }
      continue;
    }
    // A field's own name comes first: kRunnerCount is field runner_count.
    const char* property = "offset";
    for (const char* suffix : {"Width", "Stride", "Count"}) {
      if (EndsWith(rest, suffix) && layout->find(FieldName(rest)) == nullptr) {
        property = suffix;
        rest.remove_suffix(std::string_view(suffix).size());
        break;
      }
    }
    const std::string field_name = FieldName(rest);
    const ydb::Field* field = layout->find(field_name);
    if (field == nullptr) {
      faults.push_back(where + "the layout has no field " + field_name);
      continue;
    }
    const std::string_view p = property;
    const std::size_t expected = p == "Width"  ? field->width
                                 : p == "Stride" ? field->stride
                                 : p == "Count"  ? field->count
                                                 : field->offset;
    if (c.value < 0 || static_cast<std::size_t>(c.value) != expected) {
      faults.push_back(where + field_name + " has " + std::string(p) + " " +
                       std::to_string(expected));
    }
  }
  return faults;
}

TEST(RecordConstantsTest, EveryConstantAgreesWithTheLayoutRegistry) {
  for (const Record& record : LibraryRecords()) {
    EXPECT_GT(record.constants.size(), 1u) << record.layout;
    for (const std::string& fault : Mismatches(record.layout, record.constants)) {
      ADD_FAILURE() << fault;
    }
  }
}

// The check itself: each kind of disagreement is one fault. RACEDHREC's
// horse_name is 30 bytes at 32, the record 688; RACEDREC's prize repeats 5
// times, 9 bytes apart.
TEST(RecordConstantsTest, EachKindOfDisagreementIsReported) {
  EXPECT_TRUE(Mismatches("RACEDHREC", {{"kSize", 688}, {"kHorseName", 32}, {"kHorseNameWidth", 30}})
                  .empty());
  const std::vector<std::string> faults =
      Mismatches("RACEDHREC", {{"kSize", 687},
                               {"kHorseName", 33},
                               {"kHorseNameWidth", 31},
                               {"kSmallNumber", 234},
                               {"HorseCode", 25}});
  ASSERT_EQ(faults.size(), 5u);
  EXPECT_NE(faults[1].find("horse_name has offset 32"), std::string::npos) << faults[1];
  EXPECT_EQ(Mismatches("RACEDREC", {{"kPrizeStride", 10}, {"kPrizeCount", 6}}).size(), 2u);
  // A field whose name ends like a property is read as that field.
  EXPECT_TRUE(Mismatches("RACEDREC", {{"kRunnerCount", 336}, {"kNominationCountWidth", 3}})
                  .empty());
  EXPECT_EQ(Mismatches("NOSUCHREC", {{"kSize", 1}}).size(), 1u);
}

}  // namespace
