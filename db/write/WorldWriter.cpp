// The generated world a data set holds: recorded once, then only matched.
#include <string>

#include "db/write/Writer.h"

namespace ydb {

Status Writer::claimWorld(const GeneratedWorld& world) {
  if (world.seed > kLargestSeed) {
    return Status::InvalidArgument("seed " + std::to_string(world.seed) + " is above the largest, " +
                                   std::to_string(kLargestSeed));
  }
  const std::string seed = std::to_string(world.seed);
  return transact([&] {
    Statement& other = db_.statement(
        "SELECT seed, origin FROM generated_world WHERE id = 1 AND (seed <> ?1 OR origin <> ?2)");
    other.bind(1, seed).bind(2, world.origin);
    if (other.step()) {
      const std::string held = "seed " + std::string(other.column_text(0)) + ", origin " +
                               std::to_string(other.column_int(1));
      other.reset();
      return Status::InvalidArgument(
          "the data set holds the generated world of " + held +
          " and continues only with that seed and origin: " + world.describe() +
          " would put other horses under the codes of those stored; nothing was written");
    }
    if (!other.status().ok()) return other.status();
    Statement& put = db_.statement(
        "INSERT INTO generated_world (id, seed, origin) VALUES (1, ?1, ?2) ON CONFLICT DO NOTHING");
    return put.bind(1, seed).bind(2, world.origin).run();
  });
}

}  // namespace ydb
