// The factors that read no past runs of their own: the course draw (the
// results of every race over today's course), the prediction and training
// marks of the card, and the forecast win odds.
#include <algorithm>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/YOdds.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/FactorDefinition.h"
#include "ydbcln/theory/YCalcTheory.h"

using ytheory::Texts;

int YCalcTheory::calc_deme(YTheory*, int item, int p2, int* rank, bool ro) {
  const int n = std::min(runnercount_, kMaxRunners);
  // 1st, 2nd and 3rd places by horse number over the course in the period.
  int places[kMaxRunners][3] = {};
  yrace::OwnedBuffer runs(get_raceh_racey2code(periodstart(p2), YUtil::before1day(date_),
                                               racecourse_, surface_, distance_));
  if (runs == nullptr && db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
  const int count = yrace::record_count(runs.get(), pastrunrec::kSize);
  for (int k = 0; k < count; ++k) {
    unsigned char* r = yrace::record_at(runs.get(), pastrunrec::kSize, k);
    const int number = YUtil::getnum(r + pastrunrec::kHorseNumber, 2);
    const int position = YUtil::getnum(r + pastrunrec::kFinishingOrder, 2);
    if (number < 1 || number > n || position < 1 || position > 3) continue;
    ++places[number - 1][position - 1];
  }
  bool valid[kMaxRunners];
  double value[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    valid[i] = true;
    value[i] = 3 * places[i][0] + 2 * places[i][1] + places[i][2];
  }
  setrank(n, true, valid, value, rank);
  if (ro) return 0;
  static thread_local Texts texts[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    texts[i] = Texts{};
    for (int c = 0; c < 3; ++c) texts[i].column[c] = ytheory::format("%3d", places[i][c], 0);
  }
  setdisplay(item, 3, ytheory::count_headings(), texts);
  return 0;
}

int YCalcTheory::calc_yosoumark(YTheory*, int item, int* rank, bool ro) {
  static const std::string kMarks[11] = {
      "", ytheory::sjis("◎"), ytheory::sjis("○"), ytheory::sjis("▲"), ytheory::sjis("△"),
      ytheory::sjis("×"), "", "", "", "", ytheory::sjis("消")};
  static const std::string kHeading[1] = {ytheory::sjis("予想印")};
  const int n = std::min(runnercount_, kMaxRunners);
  bool valid[kMaxRunners];
  double value[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    valid[i] = true;
    value[i] = runner_[i].mark == 0 ? 9 : runner_[i].mark;
  }
  setrank(n, false, valid, value, rank);
  if (ro) return 0;
  static thread_local Texts texts[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    texts[i] = Texts{};
    if (runner_[i].mark <= 10) texts[i].column[0] = kMarks[runner_[i].mark];
  }
  setdisplay(item, 1, kHeading, texts);
  return 0;
}

int YCalcTheory::calc_choukyou(YTheory*, int item, int* rank, bool ro) {
  // Mark 1 is the best, then 4, 2, 5 and 3.
  static constexpr int kOrder[6] = {0, 1, 3, 5, 2, 4};
  static const std::string kHeading[1] = {ytheory::sjis("調教印")};
  const int n = std::min(runnercount_, kMaxRunners);
  bool valid[kMaxRunners];
  double value[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    const int mark = runner_[i].training;
    valid[i] = mark >= 1 && mark <= 5;
    value[i] = valid[i] ? kOrder[mark] : 0;
  }
  setrank(n, false, valid, value, rank);
  if (ro) return 0;
  static thread_local Texts texts[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    texts[i] = Texts{};
    if (valid[i]) texts[i].column[0] = ytheory::format("$%d", runner_[i].training, 0);
  }
  setdisplay(item, 1, kHeading, texts);
  return 0;
}

int YCalcTheory::calc_raceyosouodds(YTheory*, int item, int* rank, bool ro) {
  static const std::string kHeading[1] = {ytheory::sjis("予想オッズ")};
  const int n = std::min(runnercount_, kMaxRunners);
  bool valid[kMaxRunners] = {};
  double value[kMaxRunners] = {};
  int odds[kMaxRunners] = {};
  // Horses nominated have no number yet, so no odds of their own.
  if (nomination_ == 0) {
    YOdds forecast(db_, racekey_, n, false);
    for (int i = 0; i < n; ++i) {
      forecast.tansho(i + 1, odds[i]);
      valid[i] = odds[i] > 0 && odds[i] != YOdds::kNoValue;
      value[i] = odds[i];
    }
  }
  setrank(n, false, valid, value, rank);
  if (ro) return 0;
  static thread_local Texts texts[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    texts[i] = Texts{};
    if (valid[i]) texts[i].column[0] = ytheory::format("%d.%1d", odds[i] / 10, odds[i] % 10);
  }
  setdisplay(item, 1, kHeading, texts);
  return 0;
}
