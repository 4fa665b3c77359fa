// Test support: a data set holding the render world (db/render/
// RenderWorld_test.h), opened as a data set is opened (its upgrades run), for
// the tests of what the writer keeps in step.
#ifndef YDB_DERIVED_RENDERWORLDSTORE_TEST_H_
#define YDB_DERIVED_RENDERWORLDSTORE_TEST_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/derived/DataSet.h"
#include "db/render/RenderWorld_test.h"
#include "db/store/Schema.h"
#include "db/write/Writer.h"
#include "testing/TempDir.h"

namespace ytest {

class RenderWorldStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ydb::Status s = Open();
    if (s.ok()) s = ydb::Writer(*db_).write(MakeRenderWorld());
    ASSERT_TRUE(s.ok()) << s.message();
  }

  // Opens the data set again (after db_.reset()).
  ydb::Status Open() {
    return ydb::OpenDataSet(dir_.str() + "/store.db", ydb::Database::Mode::kOpenOrCreate, &db_);
  }

  // Turns the store back into one of an older schema with `sql`, opens it
  // again and expects it upgraded to the current schema.
  void ReopenOlderSchema(const char* sql) {
    ASSERT_TRUE(db_->exec(sql).ok()) << sql;
    db_.reset();
    ASSERT_TRUE(Open().ok());
    ydb::Statement& version = db_->statement("PRAGMA user_version");
    ASSERT_TRUE(version.step());
    EXPECT_EQ(version.column_int(0), ydb::kSchemaVersion);
    version.reset();
  }

  // The race of the render world with this key, as written.
  static ydb::Race WorldRace(const ydb::RaceKey& key) {
    for (const ydb::Race& r : MakeRenderWorld().races) {
      if (r.key.code() == key.code()) return r;
    }
    ADD_FAILURE() << "no race " << key.code();
    return ydb::Race();
  }

  // The horse of the render world with this code, as written.
  static ydb::Horse WorldHorse(const std::string& code) {
    for (const ydb::Horse& h : MakeRenderWorld().horses) {
      if (h.code == code) return h;
    }
    ADD_FAILURE() << "no horse " << code;
    return ydb::Horse();
  }

  TempDir dir_;
  std::unique_ptr<ydb::Database> db_;
};

}  // namespace ytest

#endif  // YDB_DERIVED_RENDERWORLDSTORE_TEST_H_
