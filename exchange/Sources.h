// Where the rows of an import came from, so that a fault the store's writer
// finds in a record (its checks name the record and the part of it, as in
// "race 052024010611 runner 3 (horse 2020013): frame_no 2 is not ...") can
// be told to the user with the file and line of the row that caused it.
#ifndef YDB_EXCHANGE_SOURCES_H_
#define YDB_EXCHANGE_SOURCES_H_

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "db/base/model.h"
#include "exchange/Columns.h"

namespace exchange {

// A row of a file; line 0 when no row was found.
struct Location {
  File file = File::kRaces;
  int line = 0;
};

// The lines the rows of one race came from. The vectors run parallel to the
// race's own: runners, nominations, the entries of each odds set, and the
// result's laps, corners and payouts.
struct RaceSources {
  int race = 0;                        // races.csv
  std::array<int, 3> references{};     // by slot
  std::vector<int> runners;
  std::vector<std::pair<std::string, int>> comments;  // horse code, line
  std::vector<int> nominations;
  std::array<int, 2> odds_sets{};      // the odds before the result, the final odds
  std::array<std::vector<int>, 2> odds;
  std::vector<int> laps;
  std::vector<int> corners;
  std::vector<int> payouts;
};

// The row of the race that `fault` is about: `fault` is what the writer
// said after the race's subject ("race 052024010611"), such as
// " runner 3 (horse 2020013): ..." or " result: payout win 4: ...". A fault
// of no particular row is the race's own row in races.csv.
Location LocateInRace(const std::string& fault, const ydb::Race& race,
                      const RaceSources& sources);

// The row of a horse that `fault` is about: its pedigree row when the fault
// names a pedigree position ("pedigree[4].name ..."), else the horse's row.
Location LocateInHorse(const std::string& fault, int horse_line,
                       const std::array<int, ydb::kPedigreeSize>& pedigree_lines);

}  // namespace exchange

#endif  // YDB_EXCHANGE_SOURCES_H_
