// Formatting the counted fields of the people's records.
#include "ydbcln/entity/PersonFigures.h"

#include <cstdio>

#include "ydbcln/entity/PersonRec.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

namespace {

struct Counts {
  int n[4] = {0, 0, 0, 0};
  int starts() const { return n[0] + n[1] + n[2] + n[3]; }
};

Counts read_counts(unsigned char* group, int width) {
  Counts c;
  for (int k = 0; k < 4; ++k) c.n[k] = YUtil::getnum(group + k * width, width);
  return c;
}

Counts sum(const Counts& a, const Counts& b) {
  Counts c;
  for (int k = 0; k < 4; ++k) c.n[k] = a.n[k] + b.n[k];
  return c;
}

std::string counts_text(const Counts& c, const char* format) {
  char text[64];
  std::snprintf(text, sizeof text, format, c.n[0], c.n[1], c.n[2], c.n[3], c.starts());
  return text;
}

std::string rate_text(int part, int starts) {
  static const std::string kPercent = yutil::sjis_table({"％"})[0];
  char text[16];
  std::snprintf(text, sizeof text, "%5.1f", starts == 0 ? 0.0 : part * 100.0 / starts);
  return text + kPercent;
}

void rates(const Counts& c, std::string* win1, std::string* win2, std::string* win3) {
  *win1 = rate_text(c.n[0], c.starts());
  *win2 = rate_text(c.n[0] + c.n[1], c.starts());
  *win3 = rate_text(c.n[0] + c.n[1] + c.n[2], c.starts());
}

}  // namespace

const PersonOffsets kJockeyOffsets = {
    jockeyrec::kRhCounts, jockeyrec::kRsCounts, jockeyrec::kHhCounts, jockeyrec::kHsCounts,
    jockeyrec::kHhrplize, jockeyrec::kHhrplize + jockeyrec::kHhrplizeWidth,
    jockeyrec::kHsrplize, jockeyrec::kHsrplize + jockeyrec::kHhrplizeWidth, jockeyrec::kYear};

const PersonOffsets kStableOffsets = {
    stablerec::kRhCounts, stablerec::kRsCounts, stablerec::kHhCounts, stablerec::kHsCounts,
    stablerec::kHhrplize, stablerec::kHhrplize + jockeyrec::kHhrplizeWidth,
    stablerec::kHsrplize, stablerec::kHsrplize + jockeyrec::kHhrplizeWidth, stablerec::kYear};

PersonFigures person_figures(unsigned char* rec, const PersonOffsets& at) {
  static const std::string kNoYen = yutil::sjis_table({"0円"})[0];
  PersonFigures f;
  const bool this_year = YUtil::getnum(rec + at.year, 4) == YUtil::getcurrentyear();
  f.hhrplize = this_year ? YUtil::getyen(rec + at.hhrplize, 7, 1000) : kNoYen;
  f.hhrplize2 = this_year ? YUtil::getyen(rec + at.hhrplize2, 6, 1000) : kNoYen;
  f.hsrplize = this_year ? YUtil::getyen(rec + at.hsrplize, 7, 1000) : kNoYen;
  f.hsrplize2 = this_year ? YUtil::getyen(rec + at.hsrplize2, 6, 1000) : kNoYen;
  const Counts none;
  const Counts hh = this_year ? read_counts(rec + at.hh, 3) : none;
  const Counts hs = this_year ? read_counts(rec + at.hs, 3) : none;
  const Counts rh = read_counts(rec + at.rh, 5);
  const Counts rs = read_counts(rec + at.rs, 5);
  static const char kNoCounts[] = "   0-   0-   0-   0";
  f.hnh = this_year ? counts_text(hh, "%3d-%3d-%3d-%3d/%4d") : kNoCounts;
  f.hns = this_year ? counts_text(hs, "%3d-%3d-%3d-%3d/%4d") : kNoCounts;
  f.rnh = counts_text(rh, "%5d-%5d-%5d-%5d/%6d");
  f.rns = counts_text(rs, "%5d-%5d-%5d-%5d/%6d");
  rates(sum(hh, hs), &f.win1ph, &f.win2ph, &f.win3ph);
  rates(sum(rh, rs), &f.win1pr, &f.win2pr, &f.win3pr);
  return f;
}

void* fetch_period_runs(void* (*fetch)(const char*, const char*, const char*),
                        const std::string& code, int mode, int n) {
  std::string from, to;
  if (mode == 2) {
    from = YUtil::getnumstr(n * 10000 + 101);
    to = YUtil::getnumstr(n * 10000 + 1231);
  } else {
    const int today = YUtil::gettoday();
    from = YUtil::getnumstr(YUtil::beforemonth(today, n));
    to = YUtil::getnumstr(today);
  }
  return fetch(code.c_str(), from.c_str(), to.c_str());
}
