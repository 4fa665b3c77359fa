// What a result shows beyond the placings: each runner's time and margin
// (ハナ, アタマ, クビ, 1/2 ... 大差, 同着), its positions at the corners and
// its last 600 m, the lap times of the leader that add up to the winning
// time, the passing orders at the corners, the pace, the speed figures,
// the run comments, the race comment, and the training marks on the card.
//
// Times come from the lengths between the horses at the line (a length is
// 0.2 s), so times, margins and placings agree; the corner positions move
// from each horse's early speed towards its finishing place.
#ifndef YDB_WORLD_RACEDETAIL_H_
#define YDB_WORLD_RACEDETAIL_H_

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "db/base/model.h"
#include "world/RaceSimulation.h"
#include "world/Random.h"
#include "world/World.h"

namespace world {

struct RunnerDetail {
  int time = 0;                   // tenths; 0 when it did not finish
  int margin_lengths = 0;
  std::string margin_code;
  std::optional<int> margin_time;
  std::array<int, 4> corners{};
  std::string straight_path;
  int first_600 = 0;
  int last_600 = 0;
  int speed_index = 0;
  std::string comment;
  std::string training_marks;
};

struct RaceDetail {
  std::vector<RunnerDetail> runners;  // by starter index
  std::vector<int> laps;
  int first_600 = 0, first_800 = 0, first_1000 = 0;
  int last_800 = 0, last_600 = 0, last_mile = 0;
  std::vector<ydb::Corner> corners;
  std::string pace;                   // "0" H, "1" M, "2" S
  std::string comment;
  int forecast_time = 0;
  int forecast_last_600 = 0;
};

RaceDetail DescribeRace(const World& world, const RaceRun& run, Random& show);

// The margin of a horse `lengths` behind the one before it: whole lengths
// and the code of the fraction or word.
void MarginOf(double lengths, int* whole, std::string* code);

// Laps of 200 m (the first 100 m when distance / 100 is odd) adding up to
// `time` tenths exactly, shaped by the pace (+ fast early, - slow early).
std::vector<int> Laps(int distance, int time, double pace, Random& show);

}  // namespace world

#endif  // YDB_WORLD_RACEDETAIL_H_
