// Counts and rates of the entity list rows.
#include "ydbcln/entity/RowFigures.h"

#include <cstdio>

#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

namespace yentity {

void FinishCounts::add_groups(unsigned char* field, int groups, int width) {
  for (int i = 0; i < groups * 4; ++i) n[i % 4] += YUtil::getnum(field + i * width, width);
}

std::string FinishCounts::text(const char* format) const {
  char out[64];
  std::snprintf(out, sizeof out, format, n[0], n[1], n[2], n[3], starts());
  return out;
}

RowRate row_rate(int part, int starts) {
  static const std::string kPercent = yutil::sjis_table({"％"})[0];
  RowRate rate;
  // In whole numbers: (part / starts * 100 + 0.05) * 10, truncated, without
  // the binary fraction that would turn 63.0 into 62.99.
  if (starts > 0) {
    rate.tenths = static_cast<int>((2000LL * part + starts) / (2LL * starts));
  }
  char out[16];
  std::snprintf(out, sizeof out, "%5.1f", rate.tenths * 0.1);
  rate.text = out + kPercent;
  return rate;
}

RowRates row_rates(const FinishCounts& c) {
  const int starts = c.starts();
  return {row_rate(c.n[0], starts), row_rate(c.n[0] + c.n[1], starts),
          row_rate(c.n[0] + c.n[1] + c.n[2], starts)};
}

}  // namespace yentity
