// The theory engine's race loading: the race from its results, its card or
// its nominations, and what the engine keeps of each runner.
#include <algorithm>
#include <cstring>

#include "ydbcln/race/CardRunnerRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/YCalcTheory.h"

namespace {

// A person's code, zeroed when the record leaves it blank.
void copycode(char* to, const unsigned char* from, int width) {
  if (from[0] == ' ' || from[0] == 0) {
    std::memset(to, 0, static_cast<std::size_t>(width));
  } else {
    std::memcpy(to, from, static_cast<std::size_t>(width));
  }
}

// The mark code of a prediction mark character: digit d gives d + 1, a
// blank (or anything else) 0.
unsigned char markcode(unsigned char c) {
  return static_cast<unsigned char>(yrace::digit_value(c, -1) + 1);
}

// The training mark code: the first non-blank of the card's three training
// mark characters, 0 when all are blank.
unsigned char trainingcode(const unsigned char* marks) {
  for (int k = 0; k < 3; ++k) {
    if (marks[k] != ' ') return static_cast<unsigned char>(yrace::digit_value(marks[k], 0));
  }
  return 0;
}

// Where a runner record keeps what the engine reads of a runner; the card
// and the results hold the same fields at different offsets.
struct RunnerFields {
  int horse, weight, jockey, trainer, horsename, trainername, number, frame;
};
constexpr RunnerFields kCardRunner = {racedhrec::kHorseCode,   racedhrec::kWeightCarried,
                                      racedhrec::kJockeyCode,  racedhrec::kTrainerCode,
                                      racedhrec::kHorseName,   racedhrec::kTrainerName,
                                      racedhrec::kHorseNumber, racedhrec::kBracketNumber};
constexpr RunnerFields kResultRunner = {racerhrec::kHorseCode,  racerhrec::kWeightCarried,
                                        racerhrec::kJockeyCode, racerhrec::kTrainerCode,
                                        racerhrec::kHorseName,  racerhrec::kTrainerName,
                                        racerhrec::kHorseNumber, racerhrec::kBracketNumber};

template <class Runner>
void readrunner(unsigned char* r, const RunnerFields& f, Runner* x) {
  *x = Runner{};
  std::memcpy(x->horse, r + f.horse, sizeof x->horse);
  x->weight = static_cast<short>(YUtil::getnum(r + f.weight, 3));
  copycode(x->jockey, r + f.jockey, racedhrec::kJockeyCodeWidth);
  copycode(x->trainer, r + f.trainer, racedhrec::kTrainerCodeWidth);
  x->horsename = YUtil::delendspc(r + f.horsename, racedhrec::kHorseNameWidth);
  x->trainername = YUtil::delendspc(r + f.trainername, racedhrec::kTrainerNameWidth);
  x->number = static_cast<unsigned char>(YUtil::getnum(r + f.number, 2));
  x->frame = static_cast<unsigned char>(yrace::digit_value(r[f.frame], 0));
}

}  // namespace

int YCalcTheory::searchrace(std::string code, bool& cardflag, int nomination, tagYCalcInfo* info) {
  releasebuffers();
  auto failed = [&]() {
    if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  };
  if (!cardflag) {
    void* races = get_race2code_1_ex(code.c_str(), 1);
    if (races == nullptr) return failed();
    const int n = yrace::record_count(races, racermrec::kSize);
    if (n == 1) {
      resultbuffer_ = races;
      if (setrace_seiseki(static_cast<_tagRACERMREC*>(races), info) != 0) {
        releasebuffers();
        return -1;
      }
      cardflag = false;
      return 0;
    }
    release_data(races);
    if (n > 1) return -1;
  }
  void* cards = nomination != 0 ? get_tok2code(code.c_str()) : get_denma2code(code.c_str());
  if (cards == nullptr) return failed();
  if (yrace::record_count(cards, racedrec::kSize) != 1) {
    release_data(cards);
    return -1;
  }
  cardbuffer_ = cards;
  if (setrace_denma(static_cast<_tagRACEDREC*>(cards), info, nomination) != 0) {
    releasebuffers();
    return -1;
  }
  cardflag = true;
  return 0;
}

void YCalcTheory::setslots() {
  const int n = std::min(result_->runnercount, runnercount_);
  for (int i = 0; i < n; ++i) {
    result_->horseno[i] = runner_[i].number;
    result_->frame[i] = runner_[i].frame;
    result_->markcode[i] = runner_[i].mark;
    result_->excluded[i] = runner_[i].mark == YTheoryResult::kExcludedMark;
  }
}

void YCalcTheory::applyinfo(tagYCalcInfo* info) {
  if (info == nullptr) return;
  if (info->surface != -1) surface_ = '0' + info->surface;
  if (info->distance != -1) distance_ = info->distance;
  going_ = info->going;
  extra_ = info->extra;
}

int YCalcTheory::setrace_seiseki(_tagRACERMREC* race, tagYCalcInfo* info) {
  using namespace racermrec;
  unsigned char* r = race->bytes;
  racekey_ = yrace::raw(r + kRaceCode, kRaceCodeWidth);
  racecourse_ = YUtil::getnum(r + kRaceCode, 2);
  going_ = yrace::digit_value(r[kGoing], 0);
  date_ = YUtil::getnum(r + kDate, 8);
  meeting_ = YUtil::getnum(r + kKai, 2);
  surface_ = r[kRaceKind] == '0' ? '2' : r[kTrack];
  distance_ = YUtil::getnum(r + kDistance, kDistanceWidth);
  runnercount_ = YUtil::getnum(r + kRunnerCount, 2);
  if (setrunners_seiseki(race) != 0) return -1;
  applyinfo(info);
  return 0;
}

int YCalcTheory::setrace_denma(_tagRACEDREC* race, tagYCalcInfo* info, int nomination) {
  using namespace racedrec;
  unsigned char* r = race->bytes;
  racekey_ = yrace::raw(r + kRaceCode, kRaceCodeWidth);
  racecourse_ = YUtil::getnum(r + kRaceCode, 2);
  going_ = 0;
  date_ = YUtil::getnum(r + kRaceCode + racecode::kDate, 8);
  meeting_ = YUtil::getnum(r + kKai, 2);
  surface_ = r[kRaceKind] == '0' ? '2' : r[kTrack];
  distance_ = YUtil::getnum(r + kDistance, kDistanceWidth);
  runnercount_ = nomination != 0 ? YUtil::getnum(r + kNominationCount, kNominationCountWidth)
                                 : YUtil::getnum(r + kRunnerCount, 2);
  if (setrunners_denma(race, nomination) != 0) return -1;
  applyinfo(info);
  return 0;
}

int YCalcTheory::setrunners_seiseki(_tagRACERMREC* race) {
  using namespace racerhrec;
  void* runners = get_race2code_2(race->bytes, 0);
  if (runners == nullptr) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  runnerbuffer_ = runners;
  const int n = yrace::record_count(runners, kSize);
  if (n != runnercount_ || n > kMaxRunners) return -1;
  for (int i = 0; i < n; ++i) {
    unsigned char* r = yrace::record_at(runners, kSize, i);
    readrunner(r, kResultRunner, &runner_[i]);
    // The entry's marks as its card had them.
    runner_[i].mark = markcode(r[kPredictionMark]);
    runner_[i].training = static_cast<unsigned char>(yrace::digit_value(r[kTrainingMark], 0));
  }
  return 0;
}

int YCalcTheory::setrunners_denma(_tagRACEDREC* race, int nomination) {
  using namespace racedhrec;
  yrace::OwnedBuffer runners(nomination != 0
                                 ? get_tokh2code(race->bytes)
                                 : get_denmah2code(race->bytes, race->bytes + racedrec::kYear));
  if (runners == nullptr) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  const int n = std::min({yrace::record_count(runners.get(), kSize), runnercount_, kMaxRunners});
  runnercount_ = n;
  for (int i = 0; i < n; ++i) {
    unsigned char* r = yrace::record_at(runners.get(), kSize, i);
    Runner& x = runner_[i];
    readrunner(r, kCardRunner, &x);
    x.mark = markcode(r[kPredictionMark]);
    x.training = trainingcode(r + kTrainingMarks);
  }
  return 0;
}
