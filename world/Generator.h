// The race-world generator: fills a store with seasons of synthetic JRA
// racing, written through the store's Writer.
//
//   world::Options options;
//   options.first_season = 2019;
//   options.last_season = 2021;
//   options.seed = 7;
//   ydb::Status s = world::Generate(*db, options);
//
// Determinism: the same seed, origin and seasons give the same store
// contents, on any platform with the same floating-point results; another
// seed gives another world.
//
// Continuing a world: a world begins at its origin season (Options::origin;
// seasons before it are refused). Its horses, people and bloodlines are
// laid down three seasons before the origin, and every season from then on
// is simulated whether it is written or not: seasons before
// `first_season` are run silently (results only, no odds, laps or passing
// orders, nothing written), and `first_season` to `last_season` are run in
// full and written. Since nothing that decides a result depends on what is
// written, generating seasons A to B and later B+1 to C with the same seed
// and origin gives the same store as generating A to C at once: the same
// horses with the same codes, the same people, the same races. The data set
// records its world's seed and origin before the first season is written
// (Writer::claimWorld), and a generation of another seed or origin into it
// is refused before anything is written.
//
// A world that runs up to a day (Options::until) is written with results
// up to that day and holds its next weekend as race cards: nominations,
// runners, weights, riders and forecast odds, no results. Generated again
// later with `resume_after` the last results day stored, it runs the same
// world on: the cards are written over with their results and nothing
// stored before is written again, so the store is the one a generation up
// to the later day at once gives.
//
// Within a written season each half is one Writer batch, one
// transaction: the people (in the first half of the season), every horse
// that runs, is nominated or retires in those months with its sire and dam,
// the sires, and the races. A horse is written again when its record has
// changed since it was last written in the same call. Generation stopped by
// its progress callback still stores the whole months it finished. A
// generation into a data set without races is a bulk load
// (db/write/BulkLoad.h): its search indexes are built at its end.
#ifndef YDB_WORLD_GENERATOR_H_
#define YDB_WORLD_GENERATOR_H_

#include <cstdint>
#include <functional>
#include <string>

#include "db/base/Status.h"
#include "db/store/Database.h"
#include "world/GenerateSeasons.h"
#include "world/Pools.h"

namespace world {

// Figures of a generation: what was written and the betting over it.
struct Summary {
  int seasons = 0;           // seasons written
  int races = 0;
  int runners = 0;           // runners on the cards written, scratched ones included
  int horses = 0;            // horse rows written (sires and dams included)
  std::int64_t rows = 0;     // rows handed to the writer, about as many as it inserts
  Ledger pools;              // staked and paid per pool over the written races
};

// Generates and writes the seasons of `options`. Fails, saying why, for
// seasons out of order or before the origin, a data set of another world
// or a seed above ydb::kLargestSeed, when the writer refuses a
// batch, or when `progress` stops it; months written before a failure stay
// written.
ydb::Status Generate(ydb::Database& db, const Options& options, const Progress& progress = {},
                     Summary* summary = nullptr);

}  // namespace world

#endif  // YDB_WORLD_GENERATOR_H_
