// The SQL of a search: assembled from the key table alone, so that no byte
// of a value reaches it and one shape is one text; and run on a store, it
// is read-only and prepared once per shape.
#include "db/query/SqlAssembly.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/query/Parser.h"
#include "db/query/Search.h"
#include "db/store/Database.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

AssembledQuery Assembled(const std::string& text) {
  Condition c;
  const Status s = ParseCondition(SearchKind::kRace, text, &c);
  EXPECT_TRUE(s.ok()) << text << ": " << s.message();
  return AssembleQuery(c);
}

// Conditions of one shape with different marker values, touching every key.
const char* const kMarked[][2] = {
    {"TF=19770707&TT=29770707", "TF=20010101&TT=20011231"},
    {"KF=0719770707&KT=0719770708", "KF=0520010101&KT=0520010102"},
    {"P=07&P=08", "P=04&P=05"},
    {"N=QZXJ'--;%_", "N=abc"},
    {"N=QZ*XJ", "N=a*c"},
    {"G=1&R=07&DF=7777&DT=7778", "G=0&R=11&DF=1600&DT=2000"},
    {"B=1&C=4&US=1&MW=2&A=3&L=7", "B=0&C=0&US=0&MW=0&A=1&L=1"},
    {"WF=777777&WT=7777777&PF=77&PT=7777", "WF=100&WT=200&PF=100&PT=300"},
    {"BF=777&BT=7777&QF=777&QT=7777&IF=777&IT=7777", "BF=1&BT=2&QF=1&QT=2&IF=1&IT=2"},
    {"H=2&Z=5&J=3&ts=77>&TK=7", "H=0&Z=0&J=0&ts=10>&TK=1"},
};

TEST(SearchSql, HoldsNoValueAndOneShapeIsOneText) {
  for (const auto& pair : kMarked) {
    const AssembledQuery marked = Assembled(pair[0]);
    const AssembledQuery other = Assembled(pair[1]);
    EXPECT_EQ(marked.sql, other.sql) << pair[0];
    for (const char* marker : {"7777", "QZ", "XJ", "1977", "2977", "--;", "%_"}) {
      EXPECT_EQ(marked.sql.find(marker), std::string::npos) << pair[0] << " " << marker;
    }
    EXPECT_FALSE(marked.bindings.empty());
  }
  // A list of codes is one bound value however long it is.
  EXPECT_EQ(Assembled("P=01&P=02&P=03-09").bindings.size(), 1u);
  EXPECT_EQ(Assembled("P=01").sql, Assembled("P=01&P=02&P=03-09").sql);
  // Shapes differ in keys, comparisons and patterns, not in values.
  EXPECT_NE(Assembled("ts=10").sql, Assembled("ts=10>").sql);
  EXPECT_NE(Assembled("N=a").sql, Assembled("N=a*").sql);
}

TEST(SearchSql, PayoutBoundsOfOnePoolMeetInOnePayout) {
  const AssembledQuery q = Assembled("WF=100&WT=200&QF=1000");
  std::size_t pools = 0;
  for (std::size_t at = 0; (at = q.sql.find("FROM payout", at)) != std::string::npos; ++at) ++pools;
  EXPECT_EQ(pools, 2u);  // the win bounds in one, the quinella bound in another
}

class SearchStatements : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Database::Open(dir_.str() + "/s.db", Database::Mode::kOpenOrCreate, &db_).ok());
  }
  Condition Parsed(const std::string& text) {
    Condition c;
    EXPECT_TRUE(ParseCondition(SearchKind::kRace, text, &c).ok());
    return c;
  }
  ytest::TempDir dir_;
  std::unique_ptr<Database> db_;
};

TEST_F(SearchStatements, ArePreparedOncePerShapeAndReadOnly) {
  Statement* first = nullptr;
  Statement* again = nullptr;
  ASSERT_TRUE(PrepareSearch(*db_, Parsed("TF=20240101&N=abc"), &first).ok());
  first->reset();
  ASSERT_TRUE(PrepareSearch(*db_, Parsed("TF=20250101&N=xyz"), &again).ok());
  EXPECT_EQ(first, again);
  EXPECT_TRUE(again->read_only());
  int rows = 0;
  EXPECT_TRUE(EachRow(*again, [&](const Statement&) { ++rows; return Status::Ok(); }).ok());
  EXPECT_EQ(rows, 0);
  EXPECT_FALSE(db_->statement("DELETE FROM race").read_only());
}

TEST_F(SearchStatements, KeepABoundedCache) {
  Statement& kept = db_->assembled_statement("SELECT 0");
  for (std::size_t i = 1; i < Database::kAssembledStatements; ++i) {
    db_->assembled_statement("SELECT " + std::to_string(i));
  }
  EXPECT_EQ(&db_->assembled_statement("SELECT 0"), &kept);  // used last: kept
  for (std::size_t i = 0; i < Database::kAssembledStatements; ++i) {
    db_->assembled_statement("SELECT 1000 + " + std::to_string(i));
  }
  // 0 was pushed out; asking again prepares it anew and it still works.
  Statement& again = db_->assembled_statement("SELECT 0");
  ASSERT_TRUE(again.step());
  EXPECT_EQ(again.column_int(0), 0);
  again.reset();
}

}  // namespace
}  // namespace ydb
