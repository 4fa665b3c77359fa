// The world's facts as the store's writer takes them: a run race with its
// card, result, odds and payouts; horses with their pedigrees; sires; and
// the people. Codes follow the code tables (db/codes/CODES.md): classes
// below open are written as money classes (05000 500万下, 10000 1000万下,
// 16000 1600万下) for races before June 2019 and as win classes (-0005
// 1勝クラス ...) from then on.
#ifndef YDB_WORLD_ROWS_H_
#define YDB_WORLD_ROWS_H_

#include <string>
#include <vector>

#include "db/base/model.h"
#include "world/Pools.h"
#include "world/RaceDetail.h"
#include "world/RaceSimulation.h"
#include "world/World.h"

namespace world {

// The class code of a race of `race_class` run on `date`.
std::string ClassCode(HorseClass race_class, int date);

// A run race as the writer takes it.
ydb::Race RaceRow(const World& world, const RaceRun& run, const RaceDetail& detail,
                  const PoolBook& final_pools, const PoolBook& forecast_pools,
                  std::vector<ydb::Payout> payouts);

// A racehorse of the world, as it stands now.
ydb::Horse HorseRow(const World& world, int horse);

// A sire or dam that never raced in the world: its name and pedigree.
ydb::Horse AncestorRow(const World& world, int ancestor, const std::string& sex);

ydb::Sire SireRow(const Stallion& stallion);

// Affiliation codes: 1 栗東 (west), 2 美浦 (east).
ydb::Jockey JockeyRow(const World& world, const Jockey& jockey, int date);
ydb::Trainer TrainerRow(const Trainer& trainer);
ydb::Owner OwnerRow(const Owner& owner);
ydb::Breeder BreederRow(const Breeder& breeder);

// The rows a race adds to the store, for throughput figures.
std::int64_t RowCount(const ydb::Race& race);

}  // namespace world

#endif  // YDB_WORLD_ROWS_H_
