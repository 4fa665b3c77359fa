// The detailed race search's options, shared by the commands that choose
// races by them (search races, totals): the options themselves, their
// checks, and the search they set up.
#ifndef YDBCLN_TOOL_RACESEARCHARGS_H_
#define YDBCLN_TOOL_RACESEARCHARGS_H_

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include <ydbcln/search/YSearchDetailRace.h>
#include <ydbcln/session/YHorseDB.h>

#include "SearchOptions.h"

namespace tool {

// The options as given.
struct RaceSearchArgs {
  std::string from, to;     // YYYYMMDD
  std::string name;         // race name (UTF-8)
  std::string grade;        // G1, G2, G3
  std::string places;       // 東京,中山
  std::string race;         // N, main, last
  std::string distance;     // 1600-2000 or 1600
  std::string surfaces;     // turf,dirt,jump
  std::string goings;       // 良,稍重,重,不良
  std::string classes;      // 新馬 ... G1
  std::string ages;         // 2,3,3+,4+
  int runners = 0;          // exactly this many (the ts key)
  std::string year;         // with --meeting: YYYY
  std::string meeting;      // 5, 5:3 or 1:1-2:8 (meeting:day)
  std::string courses;      // A,B,C,D,A1,A2
  std::string circuits;     // inner,outer
  std::string directions;   // right,left,straight
  std::vector<std::string> payouts;  // quinella=10000-50000, win=-300
  std::string paces;        // H,M,S
  std::string weathers;     // 晴,曇,雨,小雨,雪,風
  std::string incidents;    // 落馬,失格,中止,取消,除外,降着
};

// The search's parameter records made from the options. The name record
// points into `sjis_name`: keep the object where it is once made.
struct RaceSearchParams {
  int mode = 0;
  _tagYDetailRaceInfo info{};
  _tagYDetailRaceDistEtc dist{0, 0, 7, 63, -1, -1};
  _tagYDetailRaceAgeEtc age{15, 511};
  _tagYDetailRaceBetEtc bet{};  // no pair set: no payout condition
  _tagYDetailRacePaceEtc pace{7, 63, 15};
  int runners = 0;
  int incidents = 0;  // the runner conditions (tk)
  std::string sjis_name;
};

// Adds the options to `cmd`, to be read into `args`: the options added, so
// that a command can tell whether any was given.
std::vector<CLI::Option*> AddRaceSearchOptions(CLI::App* cmd, RaceSearchArgs* args);

// Checks the options and makes the records into `*out`: 0, or the exit
// code after a line on standard error naming the option refused.
int MakeRaceSearch(const RaceSearchArgs& args, RaceSearchParams* out);

// Gives the search its conditions: 0, or exit 2 after a line with the
// reason the search refused them. A period left open on a side (no --from
// or --to) starts or ends with the data set's first or last year of results,
// so that the conditions shown name the years searched.
int SetRaceSearch(YHorseDB& db, RaceSearchParams& params, YSearchDetailRace& search);

}  // namespace tool

#endif  // YDBCLN_TOOL_RACESEARCHARGS_H_
