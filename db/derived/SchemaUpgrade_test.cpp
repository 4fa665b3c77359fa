// Upgrading a store of schema 8: it gains the index of the pedigrees' sire
// names as a new store has it, with the rows it already holds.
#include <gtest/gtest.h>

#include <memory>
#include <string>

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

TEST(SchemaUpgrade, AStoreOfSchemaEightGainsTheIndexOfTheSiresNames) {
  ytest::TempDir dir;
  const std::string path = dir.str() + "/s.db";
  std::unique_ptr<Database> db;
  ASSERT_TRUE(OpenDataSet(path, Database::Mode::kOpenOrCreate, &db).ok());
  const std::string created = IndexSql(*db, "pedigree_by_sire_name");
  ASSERT_FALSE(created.empty());
  ASSERT_TRUE(db->exec("INSERT INTO horse (code, name, sex) VALUES ('1000002', 'ハヤテ', '0');"
                       "INSERT INTO pedigree (horse_code, position, name, foaled_in_japan) "
                       "VALUES ('1000002', 1, 'キングアオバ', 1);"
                       "DROP INDEX pedigree_by_sire_name; PRAGMA user_version = 8")
                  .ok());
  db.reset();

  ASSERT_TRUE(OpenDataSet(path, Database::Mode::kOpenExisting, &db).ok());
  EXPECT_EQ(IndexSql(*db, "pedigree_by_sire_name"), created);
  Statement& version = db->statement("PRAGMA user_version");
  ASSERT_TRUE(version.step());
  EXPECT_EQ(version.column_int(0), kSchemaVersion);
  version.reset();
  Statement& by_name = db->statement(
      "SELECT horse_code FROM pedigree INDEXED BY pedigree_by_sire_name "
      "WHERE position = 1 AND name = 'キングアオバ'");
  ASSERT_TRUE(by_name.step());
  EXPECT_EQ(by_name.column_text(0), "1000002");
  by_name.reset();
}

}  // namespace
}  // namespace ydb
