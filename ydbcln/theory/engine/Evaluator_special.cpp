// The factors that read no past runs of their own: the course draw (the
// results of every race over today's course), the prediction and training
// marks of the card, and the forecast win odds.
#include "ydbcln/theory/engine/Evaluator.h"

#include <algorithm>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/YOdds.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/YTheoryResult.h"

namespace ytheory {

bool Evaluator::CourseRuns(int months, std::vector<CourseRun>* fetched, Rows<CourseRun>* runs) {
  const int from = race_.PeriodStart(months);
  if (range_ != nullptr && range_->Covers(race_.date)) {
    range_->CoverCourse(months);
    return range_->Course(race_.racecourse, race_.surface, race_.distance, from, race_.date, runs);
  }
  yrace::OwnedBuffer buffer(get_raceh_racey2code(from, YUtil::before1day(race_.date),
                                                 race_.racecourse, race_.surface, race_.distance));
  fetched->clear();
  const int count = yrace::record_count(buffer.get(), pastrunrec::kSize);
  for (int k = 0; k < count; ++k) {
    unsigned char* r = yrace::record_at(buffer.get(), pastrunrec::kSize, k);
    fetched->push_back({YUtil::getnum(r + pastrunrec::kDate, 8),
                        YUtil::getnum(r + pastrunrec::kHorseNumber, 2),
                        YUtil::getnum(r + pastrunrec::kFinishingOrder, 2)});
  }
  *runs = RowsOf(*fetched);
  return buffer != nullptr;
}

void Evaluator::RankCourseDraw(const Factor&, int, int p2, int* rank, const Display* display) {
  const int n = std::min(race_.runnercount, kMaxRunners);
  // 1st, 2nd and 3rd places by horse number over the course in the period.
  int places[kMaxRunners][3] = {};
  std::vector<CourseRun> fetched;
  Rows<CourseRun> runs;
  if (!CourseRuns(p2, &fetched, &runs) && db_ != nullptr) {
    db_->seterror(YHorseDB::kDatabaseError, "", 0);
  }
  for (const CourseRun& run : runs) {
    if (run.number < 1 || run.number > n || run.position < 1 || run.position > 3) continue;
    ++places[run.number - 1][run.position - 1];
  }
  bool valid[kMaxRunners];
  double value[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    valid[i] = true;
    value[i] = 3 * places[i][0] + 2 * places[i][1] + places[i][2];
  }
  RankRule(n, true, valid, value, rank);
  if (display == nullptr) return;
  static thread_local Texts texts[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    texts[i] = Texts{};
    for (int c = 0; c < 3; ++c) texts[i].column[c] = format("%3d", places[i][c], 0);
  }
  WriteDisplay(*display, 3, count_headings(), texts);
}

void Evaluator::RankPredictionMark(const Factor&, int, int, int* rank, const Display* display) {
  static const std::string kMarks[11] = {
      "", sjis("◎"), sjis("○"), sjis("▲"), sjis("△"),
      sjis("×"), "", "", "", "", sjis("消")};
  static const std::string kHeading[1] = {sjis("予想印")};
  const int n = std::min(race_.runnercount, kMaxRunners);
  bool valid[kMaxRunners];
  double value[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    valid[i] = true;
    value[i] = race_.runner[i].mark == 0 ? 9 : race_.runner[i].mark;
  }
  RankRule(n, false, valid, value, rank);
  if (display == nullptr) return;
  static thread_local Texts texts[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    texts[i] = Texts{};
    if (race_.runner[i].mark <= 10) texts[i].column[0] = kMarks[race_.runner[i].mark];
  }
  WriteDisplay(*display, 1, kHeading, texts);
}

void Evaluator::RankTrainingMark(const Factor&, int, int, int* rank, const Display* display) {
  // Mark 1 is the best, then 4, 2, 5 and 3.
  static constexpr int kOrder[6] = {0, 1, 3, 5, 2, 4};
  static const std::string kHeading[1] = {sjis("調教印")};
  const int n = std::min(race_.runnercount, kMaxRunners);
  bool valid[kMaxRunners];
  double value[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    const int mark = race_.runner[i].training;
    valid[i] = mark >= 1 && mark <= 5;
    value[i] = valid[i] ? kOrder[mark] : 0;
  }
  RankRule(n, false, valid, value, rank);
  if (display == nullptr) return;
  static thread_local Texts texts[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    texts[i] = Texts{};
    if (valid[i]) texts[i].column[0] = format("$%d", race_.runner[i].training, 0);
  }
  WriteDisplay(*display, 1, kHeading, texts);
}

// The range's forecast odds mark a horse without odds as YOdds does.
static_assert(YTheoryResult::kNoOdds == YOdds::kNoValue, "one value for no odds");

void Evaluator::RankForecastOdds(const Factor&, int, int, int* rank, const Display* display) {
  static const std::string kHeading[1] = {sjis("予想オッズ")};
  const int n = std::min(race_.runnercount, kMaxRunners);
  bool valid[kMaxRunners] = {};
  double value[kMaxRunners] = {};
  int odds[kMaxRunners] = {};
  // Horses nominated have no number yet, so no odds of their own. A race
  // of a range has its forecast odds among the range's records.
  if (race_.nomination == 0) {
    if (race_.ranged != nullptr) {
      race_.ranged->forecastodds(n, odds);
    } else {
      YOdds forecast(db_, race_.key, n, false);
      for (int i = 0; i < n; ++i) forecast.tansho(i + 1, odds[i]);
    }
    for (int i = 0; i < n; ++i) {
      valid[i] = odds[i] > 0 && odds[i] != YOdds::kNoValue;
      value[i] = odds[i];
    }
  }
  RankRule(n, false, valid, value, rank);
  if (display == nullptr) return;
  static thread_local Texts texts[kMaxRunners];
  for (int i = 0; i < n; ++i) {
    texts[i] = Texts{};
    if (valid[i]) texts[i].column[0] = format("%d.%1d", odds[i] / 10, odds[i] % 10);
  }
  WriteDisplay(*display, 1, kHeading, texts);
}

}  // namespace ytheory
