// The realism report's counting: races are added one at a time (as the
// store's reader hands them out, or straight from a generation) and the
// figures of WorldReport.h come out at the end, each beside its band.
#ifndef YDB_WORLD_WORLDTALLY_H_
#define YDB_WORLD_WORLDTALLY_H_

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"
#include "world/WorldReport.h"

namespace world {

class WorldTally {
 public:
  // Counts a race; races without a result are left out.
  void Add(const ydb::Race& race);

  // The figures of the races added so far.
  Report Figures() const;

 private:
  struct Rider {
    int rides = 0;
    int wins = 0;
  };
  struct Sum {
    double total = 0.0;
    std::int64_t count = 0;
    double mean() const { return count == 0 ? 0.0 : total / static_cast<double>(count); }
    void Add(double x) { total += x; ++count; }
  };

  std::set<int> years_;
  std::set<std::pair<int, std::string>> venue_days_;
  int races_ = 0;
  std::array<std::int64_t, 5> largest_{};   // by pool
  int wide_over_100k_ = 0;
  Sum favourite_win_, favourite_top3_, favourite_win_return_, favourite_place_return_;
  Sum outsider_win_return_;                 // popularities 9-12
  Sum fastest_finish_;                      // finishing place of the fastest last 600 m
  int dead_heats_for_first_ = 0;
  std::int64_t margins_ = 0, margins_outside_ = 0;
  std::map<std::pair<int, std::string>, Rider> riders_;  // (year, jockey)
  int flat_ = 0, turf_ = 0, turf_sprints_ = 0, turf_maidens_ = 0;
  int newcomer_races_ = 0, turf_newcomer_races_ = 0, maiden_races_ = 0;
  Sum jump_field_;
  int scratched_ = 0;
  int niigata_straight_ = 0, turf_2600_ = 0;
  int nakayama_turf_2000_ = 0, nakayama_dirt_1200_ = 0;
  Sum early_pace_;                          // first 600 m, Nakayama dirt 1200 m maidens
  Sum early_pace_squares_;
  Sum winning_time_;                        // Nakayama dirt 1800 m maidens, good going
  std::array<int, 3> paces_{};              // flat races marked H, M, S
  int kyoto_while_closed_ = 0;              // races at Kyoto 2020-11 to 2023-04
};

// Reads every race of `db` into a tally and gives its figures in *out.
ydb::Status MeasureWorld(ydb::Database& db, Report* out);

}  // namespace world

#endif  // YDB_WORLD_WORLDTALLY_H_
