// The generated data set the library benchmarks read: ten seasons of the
// race world (2015-2024, seed 1), generated once into a directory that later
// runs reuse; a session opened on it, and a walk over the race days of a
// season.
//
//   YHorseDB db;
//   const std::string error = bench::Open(db);        // empty when open
//   bench::WalkSeason(db, bench::LastSeason(), 1, 12,
//                     [&](std::unique_ptr<YMainraceList>& venues, YDaySeiseki& results) {...});
//
// The directory is $YDBCLN_BENCH_DATA when set, else one under the build
// tree named after the number of seasons. $YDBCLN_BENCH_SEASONS asks for
// fewer seasons (from 2015) for quick iteration. Generation writes the
// store under another name and renames it when complete, so an interrupted
// run is never reused.
#ifndef YDBCLN_BENCH_BENCHWORLD_H_
#define YDBCLN_BENCH_BENCHWORLD_H_

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "db/api/ydbbsn.h"
#include "db/api/yddb.h"
#include "db/derived/DataSet.h"
#include "db/store/Database.h"
#include "world/Generator.h"
#include "ydbcln/race/YDaySeiseki.h"
#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/YTheories.h"
#include "ydbcln/theory/YTheory.h"

namespace bench {

constexpr int kSeasons = 10;

inline int Seasons() {
  const char* text = std::getenv("YDBCLN_BENCH_SEASONS");
  const int n = text != nullptr ? std::atoi(text) : 0;
  return n > 0 ? n : kSeasons;
}

// The data directory holding the generated seasons, generating them first
// when it holds none; empty, with the reason on stderr, on failure.
inline std::string DataDir() {
  const char* given = std::getenv("YDBCLN_BENCH_DATA");
  const int seasons = Seasons();
  const std::filesystem::path dir =
      given != nullptr && *given != '\0'
          ? std::filesystem::path(given)
          : std::filesystem::path(YDBCLN_BENCH_DEFAULT_DATA) / ("seasons-" + std::to_string(seasons));
  const std::filesystem::path store = dir / "ydbcln.db";
  if (std::filesystem::exists(store)) return dir.string();

  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  const std::filesystem::path partial = dir / "ydbcln.db.partial";
  std::filesystem::remove(partial, ec);
  std::cerr << "Generating " << seasons << " seasons into " << dir.string() << " ...\n";
  {
    std::unique_ptr<ydb::Database> db;
    ydb::Status s = ydb::OpenDataSet(partial.string(), ydb::Database::Mode::kOpenOrCreate, &db);
    if (s.ok()) {
      world::Options options;
      options.first_season = world::kDefaultOrigin;
      options.last_season = world::kDefaultOrigin + seasons - 1;
      s = world::Generate(*db, options);
    }
    if (!s.ok()) {
      std::cerr << "cannot generate the benchmark data: " << s.message() << "\n";
      return "";
    }
  }  // closing the store folds its log into the file
  std::filesystem::rename(partial, store, ec);
  if (ec) {
    std::cerr << "cannot keep the benchmark data: " << ec.message() << "\n";
    return "";
  }
  return dir.string();
}

// The last season of the data set.
inline int LastSeason() { return world::kDefaultOrigin + Seasons() - 1; }

// Opens the data set (generating it first when needed) in `db`: empty, or
// why it could not be opened.
inline std::string Open(YHorseDB& db) {
  const std::string dir = DataDir();
  if (dir.empty()) return "no benchmark data";
  if (!db.init(dir)) return "cannot open the data set in " + dir;
  return "";
}

// Opens the database component itself on the data set, for benchmarks of
// its fetches without the library: empty, or why it could not be opened.
inline std::string OpenComponent() {
  const std::string dir = DataDir() + "/";
  if (dir.size() == 1 || init_db(dir.c_str(), 0) != 0 || YDB_start(get_mdb_path()) == 0 ||
      init_db(dir.c_str(), 1) != 0) {
    return "cannot open the benchmark data set";
  }
  return "";
}

// Calls visit(venues, results) for every day of months `first_month` to
// `last_month` of `season` with races run: the day's venues and its result
// rows. The visitor may keep the venues by moving them out.
template <class Visit>
void WalkSeason(YHorseDB& db, int season, int first_month, int last_month, Visit visit) {
  for (int month = first_month; month <= last_month; ++month) {
    for (int day = 1; day <= 31; ++day) {
      auto venues = std::make_unique<YMainraceList>(&db, season * 10000 + month * 100 + day, 1);
      if (venues->getplacecount() == 0) continue;
      YDaySeiseki results(&db, venues.get(), false);
      visit(venues, results);
    }
  }
}

// The codes of the races run in months `first_month` to `last_month` of
// `season`, in date order.
inline std::vector<std::string> RunRaceCodes(YHorseDB& db, int season, int first_month,
                                             int last_month) {
  std::vector<std::string> codes;
  WalkSeason(db, season, first_month, last_month,
             [&](std::unique_ptr<YMainraceList>&, YDaySeiseki& results) {
               for (int v = 0; v < results.getplacecount(); ++v) {
                 for (int j = 0; j < results.getracecount(v); ++j) {
                   codes.push_back(results.list(v, j)->getcode());
                 }
               }
             });
  return codes;
}

// A theory of the factors `codes` at their catalogue defaults, equal
// weights.
inline YTheory DefaultTheory(const std::vector<int>& codes) {
  YTheory theory(nullptr);
  for (int code : codes) {
    int p1 = 0;
    int p2 = 0;
    YTheories::getdefault(code, p1, p2);
    theory.additem(code, 10, p1, p2);
  }
  return theory;
}

}  // namespace bench

#endif  // YDBCLN_BENCH_BENCHWORLD_H_
