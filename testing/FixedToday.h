// Fixes today's date for the life of a test (set_today), and returns to
// the clock afterwards, so that no test depends on the day it runs.
#ifndef YDBCLN_TESTING_FIXEDTODAY_H_
#define YDBCLN_TESTING_FIXEDTODAY_H_

#include <gtest/gtest.h>

#include "db/api/ydbbsn.h"

namespace ytest {

class FixedToday {
 public:
  explicit FixedToday(int date) { EXPECT_EQ(set_today(date), 0) << date; }
  ~FixedToday() { set_today(0); }
  FixedToday(const FixedToday&) = delete;
  FixedToday& operator=(const FixedToday&) = delete;
};

}  // namespace ytest

#endif  // YDBCLN_TESTING_FIXEDTODAY_H_
