// What a data set holds, in the figures a user is shown first: the reader
// counts them, the data-set administration hands them out.
#ifndef YDB_BASE_DATASETCOUNTS_H_
#define YDB_BASE_DATASETCOUNTS_H_

#include <cstdint>

namespace ydb {

struct DataSetCounts {
  int first_year = 0;          // first and last year of races with a result; 0 when none
  int last_year = 0;
  std::int64_t race_days = 0;  // dates with at least one race (cards included)
  std::int64_t races = 0;      // races, cards included
  std::int64_t runs = 0;       // runners with a result that started (取消 and 除外 left out)
  std::int64_t horses = 0;     // horses with at least one such run
  std::int64_t jockeys = 0;    // jockeys of the store
  std::int64_t trainers = 0;   // trainers of the store
  std::int64_t sires = 0;      // sires of the store
};

}  // namespace ydb

#endif  // YDB_BASE_DATASETCOUNTS_H_
