// The search of every horse's name reads the names and their kept search
// keys from horse_by_name, in name order, and finds a name by its key in
// any of the forms the search normalisation joins.
#include "db/query/NameSearch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/store/Database.h"
#include "testing/QueryPlan.h"
#include "testing/TempDir.h"
#include "text/sjis.h"

namespace ydb {
namespace {

TEST(NameSearch, HorseNamesAreFoundByTheirKeptKeysFromTheNameIndexAlone) {
  ytest::TempDir dir;
  std::unique_ptr<Database> db;
  ASSERT_TRUE(Database::Open(dir.str() + "/s.db", Database::Mode::kOpenOrCreate, &db).ok());
  ASSERT_TRUE(db->exec("INSERT INTO horse (code, name, sex, name_key) VALUES "
                       "('1000003', 'はやて', '0', 'ハヤテ'), ('1000002', 'ハヤテ', '1', 'ハヤテ'), "
                       "('1000001', 'ソラ', '1', 'ソラ');").ok());
  for (const char* word : {"はや", "ﾊﾔﾃ", "*ヤ?"}) {
    std::vector<std::string> found;
    const Status s = EachName(*db, NameKind::kHorse, ytext::to_sjis_lossy(word),
                              [&](const Statement& row) {
                                found.push_back(std::string(row.column_text(0)) + "|" +
                                                std::string(row.column_text(1)));
                                return Status::Ok();
                              });
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(found, (std::vector<std::string>{"1000003|はやて", "1000002|ハヤテ"})) << word;
  }

  // The name search's statement (NameSearch.cpp) scans the names' index,
  // which holds the keys, so that a horse's row is read only for a name
  // that matches.
  const std::string steps = ytest::PlanOf(
      *db, "SELECT h.code, h.name FROM horse h WHERE instr(h.name_key, 'x') > 0 ORDER BY 2, 1");
  EXPECT_NE(steps.find("SCAN h USING INDEX horse_by_name;"), std::string::npos) << steps;
  Statement& columns =
      db->statement("SELECT group_concat(name, ',') FROM pragma_index_info('horse_by_name')");
  ASSERT_TRUE(columns.step());
  EXPECT_EQ(columns.column_text(0), "name,name_key");
  columns.reset();
}

}  // namespace
}  // namespace ydb
