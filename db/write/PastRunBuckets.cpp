// Filing and withdrawing runs in the buckets of past_run_bucket: changes
// gathered by bucket and run, merged into each stored bucket at a flush.
#include "db/write/PastRunBuckets.h"

#include <string>

#include "db/write/Bind.h"

namespace ydb {
namespace {

constexpr unsigned Bit(PastRunKind kind) { return 1u << static_cast<int>(kind); }

constexpr unsigned kEveryKind = Bit(PastRunKind::kHorse) | Bit(PastRunKind::kJockey) |
                                Bit(PastRunKind::kTrainer) | Bit(PastRunKind::kSire) |
                                Bit(PastRunKind::kCourse);

// The changes held before a flush is forced, some 30 MB: filing a whole
// store, or importing one, stays within bounds.
constexpr std::size_t kFlushAt = 200000;

// The race number within a run's order (RunToFile::order).
char RaceNumberOf(std::int64_t order) { return static_cast<char>(order / 100 % 100); }

}  // namespace

void PastRunBuckets::change(PastRunKind kind, const std::string& code, int month,
                            const RunToFile& run, bool file) {
  if (code.empty()) return;
  std::optional<PastRunRecord>& slot = pending_[{kind, code, month}][run.order()];
  if (file) {
    slot = FiledRecord(kind, run.record);
  } else {
    slot.reset();
  }
  ++pending_runs_;
}

void PastRunBuckets::change(const RunToFile& run, unsigned kinds, bool file) {
  const int month = run.date / 100;
  if (kinds & Bit(PastRunKind::kHorse)) change(PastRunKind::kHorse, run.horse, 0, run, file);
  if (kinds & Bit(PastRunKind::kJockey)) change(PastRunKind::kJockey, run.jockey, month, run, file);
  if (kinds & Bit(PastRunKind::kTrainer)) {
    change(PastRunKind::kTrainer, run.trainer, month, run, file);
  }
  if (kinds & Bit(PastRunKind::kSire)) change(PastRunKind::kSire, run.sire, month, run, file);
  if (kinds & Bit(PastRunKind::kCourse)) change(PastRunKind::kCourse, run.course, month, run, file);
}

Status PastRunBuckets::withdrawRace(const RaceKey& race) {
  return Context("past runs", RenderRunsOfRace(db_, race, [&](const RunToFile& run) {
                   change(run, kEveryKind, false);
                   return Status::Ok();
                 }));
}

Status PastRunBuckets::fileRace(const RaceKey& race) {
  Status s = RenderRunsOfRace(db_, race, [&](const RunToFile& run) {
    change(run, kEveryKind, true);
    return Status::Ok();
  });
  if (s.ok()) s = flushWhenLarge();
  return Context("past runs", s);
}

Status PastRunBuckets::changeSire(const std::string& horse, const std::string& sire) {
  Status s = RenderRunsOfHorseNotBySire(db_, horse, sire, [&](const RunToFile& run) {
    change(run, Bit(PastRunKind::kSire), false);
    RunToFile moved = run;
    moved.sire = sire;
    change(moved, Bit(PastRunKind::kSire), true);
    return Status::Ok();
  });
  if (s.ok()) s = flushWhenLarge();
  return Context("past runs", s);
}

Status PastRunBuckets::fileEveryRun() {
  // The flushes write past_run_bucket while the runner rows are read.
  return Context("past runs", RenderEveryRun(db_, [&](const RunToFile& run) {
                   change(run, kEveryKind, true);
                   return flushWhenLarge();
                 }));
}

Status PastRunBuckets::flushWhenLarge() { return pending_runs_ >= kFlushAt ? flush() : Status::Ok(); }

Status PastRunBuckets::flush() {
  Status s;
  for (const auto& [bucket, changes] : pending_) {
    s = writeBucket(bucket, changes);
    if (!s.ok()) break;
  }
  discard();
  return Context("past runs", s);
}

void PastRunBuckets::discard() {
  pending_.clear();
  pending_runs_ = 0;
}

Status PastRunBuckets::writeBucket(const Bucket& bucket, const Changes& changes) {
  Statement& read = db_.statement(
      "SELECT race_nos, records FROM past_run_bucket WHERE kind = ?1 AND code = ?2 AND month = ?3");
  read.bind(1, static_cast<int>(bucket.kind)).bind(2, bucket.code).bind(3, bucket.month);
  std::string race_nos, records;
  if (read.step()) {
    race_nos = read.column_blob(0);
    records = read.column_blob(1);
  }
  Status s = read.status();
  read.reset();
  if (!s.ok()) return s;
  if (records.size() != race_nos.size() * kPastRunBytes) {
    return Status::Error("bucket " + std::to_string(static_cast<int>(bucket.kind)) + " " +
                         bucket.code + " " + std::to_string(bucket.month) + " is damaged");
  }

  // Both the stored records and the changes are in race order: merge them,
  // a change taking the place of the stored record of its run.
  std::string merged_nos, merged;
  merged_nos.reserve(race_nos.size() + changes.size());
  merged.reserve(records.size() + changes.size() * kPastRunBytes);
  auto next = changes.begin();
  auto take_change = [&] {
    if (next->second) {
      merged_nos += RaceNumberOf(next->first);
      merged.append(next->second->data(), kPastRunBytes);
    }
    ++next;
  };
  for (std::size_t i = 0; i < race_nos.size(); ++i) {
    const char* record = records.data() + i * kPastRunBytes;
    const std::int64_t order = FiledOrder(record, static_cast<unsigned char>(race_nos[i]));
    while (next != changes.end() && next->first < order) take_change();
    if (next != changes.end() && next->first == order) {
      take_change();
    } else {
      merged_nos += race_nos[i];
      merged.append(record, kPastRunBytes);
    }
  }
  while (next != changes.end()) take_change();
  if (merged == records && merged_nos == race_nos) return Status::Ok();  // the same runs again

  Statement& write = db_.statement(
      merged.empty()
          ? "DELETE FROM past_run_bucket WHERE kind = ?1 AND code = ?2 AND month = ?3"
          : "INSERT OR REPLACE INTO past_run_bucket (kind, code, month, race_nos, records) "
            "VALUES (?1, ?2, ?3, ?4, ?5)");
  write.bind(1, static_cast<int>(bucket.kind)).bind(2, bucket.code).bind(3, bucket.month);
  if (!merged.empty()) write.bind_blob(4, merged_nos).bind_blob(5, merged);
  return write.run();
}

}  // namespace ydb
