// Keeping entity_total in step with the runner rows: the finishing counts
// and prize money of each horse's runs, jockey's rides, trainer's runners,
// sire's offspring's runs and dam's sire's grandoffspring's runs, by year
// and surface. The people's searches compare these figures and the horses'
// and people's records show them, so none walks the runs of its entity.
//
// Each call adds or takes away the figures of the runs it names as the
// runner rows say now; the changes gather in memory, by entity, year and
// surface, and flush() merges each into its stored row once, before the
// commit:
//
//   EntityTotals totals(db);
//   Status s = totals.withdrawRace(key);  // before the race is replaced
//   ... write the race ...
//   if (s.ok()) s = totals.countRace(key);
//   if (s.ok()) s = totals.flush();
//
// A run is a runner with a result that started (accidents 34 and 35 are
// not runs), as the past-run buckets file them.
#ifndef YDB_DERIVED_ENTITYTOTALS_H_
#define YDB_DERIVED_ENTITYTOTALS_H_

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "db/base/RaceKey.h"
#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

// The kinds of entity_total: those of the past-run buckets, and the dam's
// sire (pedigree position 5 of the horse that ran).
enum class TotalKind : int { kHorse = 1, kJockey = 2, kTrainer = 3, kSire = 4, kDamsSire = 6 };

class EntityTotals {
 public:
  explicit EntityTotals(Database& db) : db_(db) {}
  EntityTotals(const EntityTotals&) = delete;
  EntityTotals& operator=(const EntityTotals&) = delete;

  // The runs of `race` as stored now leave their entities' figures; called
  // before anything of the race (its row or runners) changes.
  Status withdrawRace(const RaceKey& race);

  // The runs of `race` as stored now join their entities' figures.
  Status countRace(const RaceKey& race);

  // The runs of `horse` move from the sire and dam's sire its runner rows
  // name to `sire` and `dams_sire` (empty: none); called before the rows
  // take them.
  Status changeAncestors(const std::string& horse, const std::string& sire,
                         const std::string& dams_sire);

  // Merges the changes gathered since the last flush into entity_total.
  Status flush();

  // Forgets the changes not yet merged (their transaction rolls back).
  void discard() { pending_.clear(); }

  // Counts every run of the store into an empty entity_total.
  Status countEveryRun();

  // Counts every run of the store again for its horse alone (the upgrade
  // of a store whose entity_total kept no horses' figures).
  Status countEveryHorsesRuns();

 private:
  struct Entity {
    int kind;
    std::string code;
    int year;
    int surface;
    bool operator<(const Entity& o) const {
      return std::tie(kind, code, year, surface) < std::tie(o.kind, o.code, o.year, o.surface);
    }
  };
  // Firsts, seconds, thirds, unplaced, prize money, added money.
  using Figures = std::array<std::int64_t, 6>;

  // Adds the figures `selection`'s rows give, times `sign`, to pending_.
  Status add(Statement& selection, int sign);
  Status changeRace(const RaceKey& race, int sign);

  Database& db_;
  // Every entity, year and surface changed since the last flush, with the
  // change; one taken away and added back stays, changed by nothing, so
  // that the rows written are those the changes one by one would write.
  std::map<Entity, Figures> pending_;
};

}  // namespace ydb

#endif  // YDB_DERIVED_ENTITYTOTALS_H_
