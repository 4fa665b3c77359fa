// Keeping result_record, the rendered results record of every run race, and
// runner_result_record, the rendered runner result record of each of its
// runners, in step with the rows they are rendered from. The writer names
// each racecourse day a transaction writes a race of, and the days of the
// runs of a horse, jockey or trainer whose rendered fields (a name, a sire)
// it changes; flush() renders those days again (their meeting row is shared
// by their races) and replaces their stored records, before the commit.
//
//   ResultRecords results(db);
//   results.touch(race.key);      // as each race is written
//   results.willChange(Shown::kJockey, code);   // before a jockey is written
//   Status s = results.flush();   // before the commit
#ifndef YDB_DERIVED_RESULTRECORDS_H_
#define YDB_DERIVED_RESULTRECORDS_H_

#include <map>
#include <set>
#include <string>
#include <utility>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/render/ResultRunnerRenderer.h"
#include "db/store/Database.h"

namespace ydb {

class ResultRecords {
 public:
  explicit ResultRecords(Database& db) : db_(db) {}
  ResultRecords(const ResultRecords&) = delete;
  ResultRecords& operator=(const ResultRecords&) = delete;

  // The racecourse and day of `race` are to be rendered again.
  void touch(const RaceKey& race) { days_.insert({race.date, race.place}); }

  // The rows of `whose` `code` are about to be written: when what its runs'
  // records show of them (ShownFieldsQuery) differs at the flush, every
  // racecourse day where it has a runner is rendered again.
  Status willChange(Shown whose, const std::string& code);

  // Renders every racecourse day touched since the last flush into
  // result_record and runner_result_record.
  Status flush();

  // Renders every racecourse day of the store (an empty result_record).
  Status fileEveryDay();

  // Forgets the days touched (their transaction rolls back).
  void discard() {
    days_.clear();
    shown_.clear();
  }

 private:
  using Entity = std::pair<Shown, std::string>;

  // What the runs' records of `entity` show of it now ("" when not stored).
  Status shown(const Entity& entity, std::string* text);
  Status touchRunsOf(const Entity& entity);
  Status renderDay(int date, const std::string& place);

  Database& db_;
  std::set<std::pair<int, std::string>> days_;
  std::map<Entity, std::string> shown_;  // as before the transaction's first change
};

}  // namespace ydb

#endif  // YDB_DERIVED_RESULTRECORDS_H_
