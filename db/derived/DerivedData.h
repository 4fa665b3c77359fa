// The data the store derives from its rows, kept in step by the writer: the
// past-run records filed by horse, jockey, trainer, sire and course
// (past_run_bucket), every run race's results record (result_record) and
// its runners' runner result records (runner_result_record), and
// the figures of the people, sires and dam's sires (entity_total).
//
// One transaction's changes are marked as the writer makes them, written by
// flush() before the transaction commits, and forgotten by discard() when it
// rolls back:
//
//   DerivedData derived(db);
//   Transaction t(db);
//   derived.raceWillChange(key);  // before the race's rows change
//   ... write the race's rows ...
//   derived.raceWritten(key);
//   Status s = derived.flush();
//   if (s.ok()) s = t.commit(); else derived.discard();
#ifndef YDB_DERIVED_DERIVEDDATA_H_
#define YDB_DERIVED_DERIVEDDATA_H_

#include <string>

#include "db/base/RaceKey.h"
#include "db/base/Status.h"
#include "db/derived/EntityTotals.h"
#include "db/derived/PastRunBuckets.h"
#include "db/derived/ResultRecords.h"
#include "db/store/Database.h"

namespace ydb {

class DerivedData {
 public:
  explicit DerivedData(Database& db) : past_runs_(db), results_(db), totals_(db) {}
  DerivedData(const DerivedData&) = delete;
  DerivedData& operator=(const DerivedData&) = delete;

  // `race` is about to be written: its runs as stored now leave their
  // buckets (while its rows still say where they were filed), and its
  // racecourse day is to be rendered again.
  Status raceWillChange(const RaceKey& race);

  // `race`, not stored, is about to be written: its racecourse day is to be
  // rendered again (it has no runs to withdraw).
  Status raceWillBeAdded(const RaceKey& race) {
    results_.touch(race);
    return Status::Ok();
  }

  // `race` is written: its runs are filed.
  Status raceWritten(const RaceKey& race);

  // The runs of `horse` move to its sire `sire` and dam's sire `dams_sire`
  // (empty: none); called before its runner rows take them.
  Status sireWillChange(const std::string& horse, const std::string& sire,
                        const std::string& dams_sire);

  // The rows of `whose` `code` are about to be written: the kept runner
  // result records of its runs follow what they show of it.
  Status entityWillChange(Shown whose, const std::string& code) {
    return results_.willChange(whose, code);
  }

  // Writes everything marked since the last flush or discard.
  Status flush();

  // Forgets everything marked (the transaction rolls back).
  void discard();

 private:
  PastRunBuckets past_runs_;
  ResultRecords results_;
  EntityTotals totals_;
};

}  // namespace ydb

#endif  // YDB_DERIVED_DERIVEDDATA_H_
