// The career figures the entity list rows compute on first use: finishing
// counts summed position by position, and rates kept in tenths of a
// percent, rounded half up.
#ifndef YDBCLN_ENTITY_ROWFIGURES_H_
#define YDBCLN_ENTITY_ROWFIGURES_H_

#include <string>

namespace yentity {

// Wins, seconds, thirds and unplaced.
struct FinishCounts {
  int n[4] = {0, 0, 0, 0};
  int starts() const { return n[0] + n[1] + n[2] + n[3]; }
  // Adds the `groups` groups of four `width`-digit counts at `field`.
  void add_groups(unsigned char* field, int groups, int width);
  // "%Nd-%Nd-%Nd-%Nd/%Md" of the four counts and the starts.
  std::string text(const char* format) const;
};

// A rate as a row shows it: tenths of a percent and the "%5.1f％" text.
struct RowRate {
  int tenths = 0;
  std::string text;
};

// `part` of `starts` as a rate; 0 ("  0.0％") when starts is 0. An exact
// half rounds up (1 of 16 is 63 tenths).
RowRate row_rate(int part, int starts);

// The win, top-two and top-three rates of `counts`.
struct RowRates {
  RowRate win1, win2, win3;
};
RowRates row_rates(const FinishCounts& counts);

}  // namespace yentity

#endif  // YDBCLN_ENTITY_ROWFIGURES_H_
