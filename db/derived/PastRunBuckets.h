// Keeping the filed past-run records of past_run_bucket in step with the
// rows they are rendered from. The writer tells it which runs leave their
// buckets and which join them while it writes; the changes gather in memory
// and flush() writes each changed bucket once, so that a month of races
// written in one transaction rewrites a jockey's month bucket once, not
// once per ride.
//
//   PastRunBuckets buckets(db);
//   Status s = buckets.withdrawRace(key);   // before the race is replaced
//   ... write the race ...
//   if (s.ok()) s = buckets.fileRace(key);  // after
//   if (s.ok()) s = buckets.flush();        // before the commit
#ifndef YDB_DERIVED_PASTRUNBUCKETS_H_
#define YDB_DERIVED_PASTRUNBUCKETS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/render/PastRunRenderer.h"
#include "db/store/Database.h"

namespace ydb {

class PastRunBuckets {
 public:
  explicit PastRunBuckets(Database& db) : db_(db) {}
  PastRunBuckets(const PastRunBuckets&) = delete;
  PastRunBuckets& operator=(const PastRunBuckets&) = delete;

  // The runs of `race` as stored now leave every bucket they are in; called
  // before anything of the race (its row, meeting or runners) changes.
  Status withdrawRace(const RaceKey& race);

  // The runs of `race` as stored now are filed; called once it is written.
  Status fileRace(const RaceKey& race);

  // The runs of `horse` move to the buckets of its sire `sire` (empty:
  // none); called before its runner rows take the new sire.
  Status changeSire(const std::string& horse, const std::string& sire);

  // Files every run of the store, into an empty past_run_bucket.
  Status fileEveryRun();

  // Writes every bucket changed since the last flush.
  Status flush();

  // Forgets the changes not yet written (their transaction rolls back).
  void discard();

 private:
  // One run filed in (or, with `file` false, withdrawn from) one bucket.
  struct Change {
    PastRunKind kind;
    std::string code;
    int month;
    std::int64_t order;  // RunToFile::order
    bool file;
    PastRunRecord record;
  };

  // Files `run` in (or withdraws it from) the buckets of the kinds whose
  // bit is set in `kinds` (1 << kind).
  void change(const RunToFile& run, unsigned kinds, bool file);
  void change(PastRunKind kind, const std::string& code, int month, const RunToFile& run,
              bool file);
  Status flushWhenLarge();
  // Writes one bucket with `changes`, in race order, the last change of a
  // run standing for it.
  Status writeBucket(const Change* const* changes, std::size_t count);

  Database& db_;
  std::vector<Change> pending_;  // in the order made
};

}  // namespace ydb

#endif  // YDB_DERIVED_PASTRUNBUCKETS_H_
