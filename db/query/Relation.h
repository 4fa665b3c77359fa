// How the records of the six kinds the drill-down walks are related, as SQL
// over the store. Two records of different kinds are related through the
// runners of run races (scratched runners included): a race and its
// runners, a horse and its runs, a jockey and the runs ridden, a trainer
// and the runs of the horses trained, a sire and the runs of its offspring;
// the records of one run relate to each other. A horse and a sire are
// related by the horse's pedigree instead: every stored horse by its sire.
//
// A record's key: a horse's, sire's, jockey's or trainer's code, a race's
// 12-digit code, or a run's race code followed by its horse's code. The
// relation starts from keys given as a FROM item named `k` with a column
// `value` (json_each of a bound array, or a search's subquery), and reaches
// the store through its indexes only, so that its cost follows the number
// of records related, not the size of the store.
#ifndef YDB_QUERY_RELATION_H_
#define YDB_QUERY_RELATION_H_

#include <string>

namespace ydb {

// Numbered as code lists number the kinds (0 horse ... 4 race), runs after.
enum class RecordKind { kHorse = 0, kSire = 1, kJockey = 2, kStable = 3, kRace = 4, kRun = 5 };
constexpr int kRecordKinds = 6;

// The fragments of one kind: SQL naming the runner row `ru`, the key being
// joined `k` (k.value), and a horse row `h`.
struct KindRelation {
  // The key of the runner row ru.
  const char* key_of_run;
  // Joins the runner rows ru of the key k.value (after "FROM <keys> k").
  const char* runs_of_key;
  // The kind's own row x of the key k.value, and its key.
  const char* own_of_key;
  const char* key_of_own;
  // A horse and a sire meet in the horse row h (a horse's pedigree): the
  // key of h and the condition keying h by k.value; null for other kinds.
  const char* key_of_horse;
  const char* horse_of_key;
};

const KindRelation& RelationOf(RecordKind kind);

// The keys of a's records related to the records of b (another kind) whose
// keys the FROM item `keys` ("json_each(?1) k", "(SELECT ...) k") gives:
// a code, a run's key, or for races their date, place and number; each
// once, in no order. The statement ends inside its WHERE clause, so that
// "AND ..." narrows it, and the column it answers is KeyOfRelated(a, b).
std::string RelatedSql(RecordKind a, RecordKind b, const std::string& keys);
std::string KeyOfRelated(RecordKind a, RecordKind b);

}  // namespace ydb

#endif  // YDB_QUERY_RELATION_H_
