// Keeping result_record, the rendered results record of every run race, in
// step with the rows it is rendered from. The writer names each racecourse
// day a transaction writes a race of; flush() renders those days again
// (their meeting row is shared by their races) and replaces their stored
// records, before the commit.
//
//   ResultRecords results(db);
//   results.touch(race.key);      // as each race is written
//   Status s = results.flush();   // before the commit
#ifndef YDB_DERIVED_RESULTRECORDS_H_
#define YDB_DERIVED_RESULTRECORDS_H_

#include <set>
#include <string>
#include <utility>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

class ResultRecords {
 public:
  explicit ResultRecords(Database& db) : db_(db) {}
  ResultRecords(const ResultRecords&) = delete;
  ResultRecords& operator=(const ResultRecords&) = delete;

  // The racecourse and day of `race` are to be rendered again.
  void touch(const RaceKey& race) { days_.insert({race.date, race.place}); }

  // Renders every racecourse day touched since the last flush into
  // result_record.
  Status flush();

  // Renders every racecourse day of the store (an empty result_record).
  Status fileEveryDay();

  // Forgets the days touched (their transaction rolls back).
  void discard() { days_.clear(); }

 private:
  Status renderDay(int date, const std::string& place);

  Database& db_;
  std::set<std::pair<int, std::string>> days_;
};

}  // namespace ydb

#endif  // YDB_DERIVED_RESULTRECORDS_H_
