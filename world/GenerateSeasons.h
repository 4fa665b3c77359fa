// Generating seasons of the synthetic race world into a data set: what the
// generator publishes. Generator.h describes the world (determinism,
// continuing a world, what a stopped generation keeps) and gives the same
// call on a store with the figures of the generation.
//
//   world::Options options;
//   options.first_season = 2019;
//   options.last_season = 2021;
//   options.seed = 7;
//   ydb::Status s = world::Generate(*data_set, options);
#ifndef YDB_WORLD_GENERATESEASONS_H_
#define YDB_WORLD_GENERATESEASONS_H_

#include <cstdint>
#include <functional>
#include <string>

#include "db/api/DataSet.h"
#include "db/base/Status.h"

namespace world {

constexpr int kDefaultOrigin = 2015;

struct Options {
  int first_season = 0;
  int last_season = 0;
  std::uint64_t seed = 1;
  int origin = kDefaultOrigin;  // the world's first season; first_season >= origin

  // A world that runs up to a day (YYYYMMDD) instead of to the end of
  // last_season, which is then not read: every race day up to and
  // including `until` is written with its results, and the race days of
  // the next weekend after it (NextRaceWeekend) as race cards with their
  // nominations and forecast odds, without results, odds or payouts.
  int until = 0;
  // The data set holds this world up to and including this day (YYYYMMDD)
  // already, and maybe the next weekend's cards: race days up to it are
  // run and not written again, and the cards are written over with their
  // results. Generating with `until` not after it writes nothing.
  int resume_after = 0;
};

// Told of progress: `done` of `total` race days simulated, and what is
// being done ("2019-04-14", or "simulating 2016" for a silent season).
// Returning false stops the generation.
using Progress = std::function<bool(int done, int total, const std::string& what)>;

// Generates and writes the seasons of `options` into `data_set`. Fails,
// saying why, for seasons out of order or before the origin, a data set
// that holds another world (DataSet::world: another seed or origin; nothing
// is written then) or a seed above ydb::kLargestSeed, when the writer
// refuses a batch, or when `progress` stops it; months written before a
// failure stay written.
ydb::Status Generate(ydb::DataSet& data_set, const Options& options,
                     const Progress& progress = {});

}  // namespace world

#endif  // YDB_WORLD_GENERATESEASONS_H_
