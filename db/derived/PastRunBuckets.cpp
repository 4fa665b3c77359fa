// Filing and withdrawing runs in the buckets of past_run_bucket: changes
// gathered as they come, sorted by bucket and run at a flush and merged
// into each stored bucket.
#include "db/derived/PastRunBuckets.h"

#include <algorithm>
#include <string>
#include <tuple>

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
  pending_.push_back({kind, code, month, run.order(), file,
                      file ? FiledRecord(kind, run.record) : PastRunRecord{}});
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
  const Status s = RenderRunsOfRace(db_, race, [&](const RunToFile& run) {
    change(run, kEveryKind, false);
    return Status::Ok();
  });
  return s.Within("past runs");
}

Status PastRunBuckets::fileRace(const RaceKey& race) {
  Status s = RenderRunsOfRace(db_, race, [&](const RunToFile& run) {
    change(run, kEveryKind, true);
    return Status::Ok();
  });
  if (s.ok()) s = flushWhenLarge();
  return s.Within("past runs");
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
  return s.Within("past runs");
}

Status PastRunBuckets::fileEveryRun() {
  // The flushes write past_run_bucket while the runner rows are read.
  const Status s = RenderEveryRun(db_, [&](const RunToFile& run) {
    change(run, kEveryKind, true);
    return flushWhenLarge();
  });
  return s.Within("past runs");
}

Status PastRunBuckets::flushWhenLarge() {
  return pending_.size() >= kFlushAt ? flush() : Status::Ok();
}

Status PastRunBuckets::flush() {
  // By bucket, then run; a run's changes stay in the order made.
  std::vector<const Change*> sorted;
  sorted.reserve(pending_.size());
  for (const Change& c : pending_) sorted.push_back(&c);
  std::stable_sort(sorted.begin(), sorted.end(), [](const Change* a, const Change* b) {
    return std::tie(a->kind, a->code, a->month, a->order) <
           std::tie(b->kind, b->code, b->month, b->order);
  });
  Status s;
  for (std::size_t first = 0; first < sorted.size() && s.ok();) {
    const Change& bucket = *sorted[first];
    std::size_t end = first + 1;
    while (end < sorted.size() && sorted[end]->kind == bucket.kind &&
           sorted[end]->month == bucket.month && sorted[end]->code == bucket.code) {
      ++end;
    }
    s = writeBucket(sorted.data() + first, end - first);
    first = end;
  }
  discard();
  return s.Within("past runs");
}

void PastRunBuckets::discard() { pending_.clear(); }

Status PastRunBuckets::writeBucket(const Change* const* changes, std::size_t count) {
  const Change& bucket = *changes[0];
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
    return Status::Corruption("bucket " + std::to_string(static_cast<int>(bucket.kind)) + " " +
                         bucket.code + " " + std::to_string(bucket.month) + " is damaged");
  }

  // Both the stored records and the changes are in race order: merge them,
  // the last change of a run taking the place of its stored record.
  std::string merged_nos, merged;
  merged_nos.reserve(race_nos.size() + count);
  merged.reserve(records.size() + count * kPastRunBytes);
  std::size_t next = 0;
  auto take_change = [&] {
    while (next + 1 < count && changes[next + 1]->order == changes[next]->order) ++next;
    const Change& c = *changes[next++];
    if (c.file) {
      merged_nos += RaceNumberOf(c.order);
      merged.append(c.record.data(), kPastRunBytes);
    }
  };
  for (std::size_t i = 0; i < race_nos.size(); ++i) {
    const char* record = records.data() + i * kPastRunBytes;
    const std::int64_t order = FiledOrder(record, static_cast<unsigned char>(race_nos[i]));
    while (next < count && changes[next]->order < order) take_change();
    if (next < count && changes[next]->order == order) {
      take_change();
    } else {
      merged_nos += race_nos[i];
      merged.append(record, kPastRunBytes);
    }
  }
  while (next < count) take_change();
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
