// Upgrading a store of schema 10: it gains the names kept as searches
// compare them and the indexes of the pedigrees' dam and dam's sire names
// (version 11), and the horses' record dates (version 12), as a new store
// has them, with the rows it already holds.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/derived/DataSet.h"
#include "db/store/Schema.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

// The definition of the index `name`, blanks dropped; empty when the store
// has none.
std::string IndexSql(Database& db, const char* name) {
  Statement& st = db.statement("SELECT sql FROM sqlite_master WHERE name = ?1");
  st.bind(1, name);
  std::string sql;
  if (st.step()) {
    for (const char c : st.column_text(0)) {
      if (c != ' ' && c != '\n') sql += c;
    }
  }
  st.reset();
  return sql;
}

// The first column of the first row as text ("NULL" for a null).
std::string Get(Database& db, const std::string& sql) {
  Statement& st = db.statement(sql);
  std::string value;
  if (st.step()) value = st.column_is_null(0) ? "NULL" : std::string(st.column_text(0));
  EXPECT_TRUE(st.status().ok()) << sql << ": " << st.status().message();
  st.reset();
  return value;
}

TEST(SchemaUpgrade, AStoreOfSchemaTenGainsTheNamesAsSearchesCompareThemAndTheRecordDates) {
  ytest::TempDir dir;
  const std::string path = dir.str() + "/s.db";
  std::unique_ptr<Database> db;
  ASSERT_TRUE(OpenDataSet(path, Database::Mode::kOpenOrCreate, &db).ok());
  const char* const kIndexes[] = {"horse_by_name", "pedigree_by_dam_name",
                                  "pedigree_by_dams_sire_name"};
  std::vector<std::string> created;
  for (const char* index : kIndexes) created.push_back(IndexSql(*db, index));
  ASSERT_FALSE(created[0].empty());
  const std::string kHorseColumns =
      "SELECT group_concat(name || ' ' || type, ', ') FROM pragma_table_info('horse')";
  const std::string horse_columns = Get(*db, kHorseColumns);
  // A store of schema 10: no name_key columns, the horses' names indexed
  // alone, no indexes of the dams' and dams' sires' names.
  ASSERT_TRUE(db->exec("INSERT INTO owner (code, name, short_name) VALUES ('000001', 'ｱｵﾊﾞ', 'ｱｵﾊﾞ');"
                       "INSERT INTO breeder (code, name, short_name) "
                       "VALUES ('00000001', 'みどり牧場', 'みどり');"
                       "INSERT INTO horse (code, name, sex, owner_code) VALUES "
                       "('1000001', 'はやて', '0', '000001'), ('1000002', 'ＳＫＹ', '1', NULL);"
                       "INSERT INTO pedigree (horse_code, position, name, foaled_in_japan) "
                       "VALUES ('1000001', 2, 'ソラ', 1), ('1000001', 5, 'ユキ', 1);"
                       "DROP INDEX pedigree_by_dam_name; DROP INDEX pedigree_by_dams_sire_name;"
                       "DROP INDEX horse_by_name; CREATE INDEX horse_by_name ON horse (name);"
                       "ALTER TABLE owner DROP COLUMN name_key;"
                       "ALTER TABLE breeder DROP COLUMN name_key;"
                       "ALTER TABLE horse DROP COLUMN name_key;"
                       "ALTER TABLE horse DROP COLUMN record_date; PRAGMA user_version = 10")
                  .ok());
  db.reset();

  ASSERT_TRUE(OpenDataSet(path, Database::Mode::kOpenExisting, &db).ok());
  for (std::size_t i = 0; i < created.size(); ++i) {
    EXPECT_EQ(IndexSql(*db, kIndexes[i]), created[i]);
  }
  EXPECT_EQ(Get(*db, "PRAGMA user_version"), std::to_string(kSchemaVersion));
  EXPECT_EQ(Get(*db, kHorseColumns), horse_columns);
  EXPECT_EQ(Get(*db, "SELECT count(*) FROM horse WHERE record_date IS NULL"), "2");
  EXPECT_EQ(Get(*db, "SELECT group_concat(code || name || owner_code || name_key, ' ') FROM "
                     "(SELECT * FROM horse ORDER BY code)"),
            "1000001はやて000001ハヤテ") << "a NULL owner leaves the second out";
  EXPECT_EQ(Get(*db, "SELECT name_key FROM horse WHERE code = '1000002'"), "ｓｋｙ");
  EXPECT_EQ(Get(*db, "SELECT name || name_key FROM owner"), "ｱｵﾊﾞアオバ");
  EXPECT_EQ(Get(*db, "SELECT name || name_key FROM breeder"), "みどり牧場ミドリ牧場");
  EXPECT_EQ(Get(*db, "SELECT group_concat(name) FROM pedigree INDEXED BY pedigree_by_dam_name "
                     "WHERE position = 2"),
            "ソラ");
}

}  // namespace
}  // namespace ydb
