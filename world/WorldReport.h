// How close a data set comes to JRA racing as an analyst knows it: the
// figures he checks first (the largest payouts, what backing every
// favourite returns, how often favourites win, where the fastest finisher
// ends up, dead heats and margins, the leading jockeys, the programme),
// each measured over the data set and set beside the band JRA's published
// figures give it.
//
//   world::Report report;
//   ydb::Status s = world::MeasureWorld(*data_set, &report);
//   for (const world::Figure& f : report.figures) {
//     if (!f.inside()) std::cout << f.label << ": " << f.value << "\n";
//   }
//
// Rates are per cent; counts "a season" are the data set's total divided
// by its seasons (the years holding results). A figure with nothing to
// measure (no jump race, no Niigata meeting) has `measured` false and
// counts as inside. Reading a data set of ten seasons takes a few seconds.
#ifndef YDB_WORLD_WORLDREPORT_H_
#define YDB_WORLD_WORLDREPORT_H_

#include <string>
#include <vector>

#include "db/api/DataSet.h"
#include "db/base/Status.h"

namespace world {

struct Figure {
  std::string name;    // a stable key: "favourite_win_rate"
  std::string label;   // what it is, in words
  std::string unit;    // "%", "yen", "a season", "place", "s", "runners"
  double value = 0.0;
  bool measured = false;
  double low = 0.0;    // the band, both ends included
  double high = 0.0;
  std::string source;  // where the band comes from

  bool inside() const { return !measured || (value >= low && value <= high); }
};

struct Report {
  int seasons = 0;  // years with results
  int races = 0;    // races with results
  std::vector<Figure> figures;

  // Whether every figure lies in its band.
  bool inside() const;
};

// Measures the run races of `data_set` into *out. Fails, saying why, when
// the store cannot be read.
ydb::Status MeasureWorld(ydb::DataSet& data_set, Report* out);

}  // namespace world

#endif  // YDB_WORLD_WORLDREPORT_H_
