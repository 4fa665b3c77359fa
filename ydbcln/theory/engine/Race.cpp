// The theory engine's race loading: the race from its results, its card or
// its nominations, and what the engine keeps of each runner.
#include "ydbcln/theory/engine/Race.h"

#include <algorithm>
#include <cstring>

#include "ydbcln/race/CardRunnerRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/engine/RangeRecs.h"

namespace ytheory {
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

// Where a runner record keeps what the engine reads of a runner; the card,
// the results and a range's entries hold the same fields at different
// offsets (an entry has no names: -1).
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
constexpr RunnerFields kRangeEntry = {runnerentryrec::kHorseCode,   runnerentryrec::kWeightCarried,
                                      runnerentryrec::kJockeyCode,  runnerentryrec::kTrainerCode,
                                      -1,                           -1,
                                      runnerentryrec::kHorseNumber, runnerentryrec::kBracketNumber};

}  // namespace

struct Race::MarkedRecord {
  int size;
  RunnerFields fields;
  int mark, training;  // offsets of the prediction and the first training mark
};

namespace {

constexpr Race::MarkedRecord kResultRecord = {racerhrec::kSize, kResultRunner,
                                              racerhrec::kPredictionMark, racerhrec::kTrainingMark};
constexpr Race::MarkedRecord kEntryRecord = {runnerentryrec::kSize, kRangeEntry,
                                             runnerentryrec::kPredictionMark,
                                             runnerentryrec::kTrainingMark};

template <class Runner>
void readrunner(unsigned char* r, const RunnerFields& f, Runner* x) {
  *x = Runner{};
  std::memcpy(x->horse, r + f.horse, sizeof x->horse);
  x->weight = static_cast<short>(YUtil::getnum(r + f.weight, 3));
  copycode(x->jockey, r + f.jockey, racedhrec::kJockeyCodeWidth);
  copycode(x->trainer, r + f.trainer, racedhrec::kTrainerCodeWidth);
  if (f.horsename >= 0) x->horsename = YUtil::delendspc(r + f.horsename, racedhrec::kHorseNameWidth);
  if (f.trainername >= 0) {
    x->trainername = YUtil::delendspc(r + f.trainername, racedhrec::kTrainerNameWidth);
  }
  x->number = static_cast<unsigned char>(YUtil::getnum(r + f.number, 2));
  x->frame = static_cast<unsigned char>(yrace::digit_value(r[f.frame], 0));
}

void* duplicate(const void* buffer) { return buffer == nullptr ? nullptr : dup_data(buffer); }

void failed(YHorseDB* db) {
  if (db != nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
}

}  // namespace

Race::Race() {
  for (Runner& r : runner) r = Runner{};
}

Race::Race(const Race& other) { CopyFrom(other); }

Race& Race::operator=(const Race& other) {
  if (this == &other) return *this;
  Release();
  CopyFrom(other);
  return *this;
}

Race::~Race() { Release(); }

void Race::CopyFrom(const Race& other) {
  key = other.key;
  racecourse = other.racecourse;
  going = other.going;
  date = other.date;
  meeting = other.meeting;
  surface = other.surface;
  distance = other.distance;
  runnercount = other.runnercount;
  extra = other.extra;
  nomination = other.nomination;
  std::copy(std::begin(other.runner), std::end(other.runner), std::begin(runner));
  card = duplicate(other.card);
  results = duplicate(other.results);
  runners = duplicate(other.runners);
  ranged = other.ranged;
}

void Race::Release() {
  for (void** buffer : {&card, &results, &runners}) {
    if (*buffer != nullptr) release_data(*buffer);
    *buffer = nullptr;
  }
  ranged = nullptr;
}

int Race::PeriodStart(int months) const { return YUtil::beforemonth(date, months); }

int Race::Load(YHorseDB* db, const std::string& code, bool& cardflag, int nomination_mode,
               tagYCalcInfo* info) {
  Release();
  nomination = nomination_mode;
  if (!cardflag) {
    void* races = get_race2code_1_ex(code.c_str(), 1);
    if (races == nullptr) {
      failed(db);
      return -1;
    }
    const int n = yrace::record_count(races, racermrec::kSize);
    if (n == 1) {
      results = races;
      if (FromResults(db, static_cast<_tagRACERMREC*>(races), info) != 0) {
        Release();
        return -1;
      }
      cardflag = false;
      return 0;
    }
    release_data(races);
    if (n > 1) return -1;
  }
  void* cards = nomination_mode != 0 ? get_tok2code(code.c_str()) : get_denma2code(code.c_str());
  if (cards == nullptr) {
    failed(db);
    return -1;
  }
  if (yrace::record_count(cards, racedrec::kSize) != 1) {
    release_data(cards);
    return -1;
  }
  card = cards;
  if (FromCard(db, static_cast<_tagRACEDREC*>(cards), info, nomination_mode) != 0) {
    Release();
    return -1;
  }
  cardflag = true;
  return 0;
}

void Race::Apply(tagYCalcInfo* info) {
  if (info == nullptr) return;
  if (info->surface != -1) surface = '0' + info->surface;
  if (info->distance != -1) distance = info->distance;
  going = info->going;
  extra = info->extra;
}

void Race::ResultHeader(_tagRACERMREC* race) {
  using namespace racermrec;
  unsigned char* r = race->bytes;
  key = yrace::raw(r + kRaceCode, kRaceCodeWidth);
  racecourse = YUtil::getnum(r + kRaceCode, 2);
  going = yrace::digit_value(r[kGoing], 0);
  date = YUtil::getnum(r + kDate, 8);
  meeting = YUtil::getnum(r + kKai, 2);
  surface = r[kRaceKind] == '0' ? '2' : r[kTrack];
  distance = YUtil::getnum(r + kDistance, kDistanceWidth);
  runnercount = YUtil::getnum(r + kRunnerCount, 2);
}

int Race::FromResults(YHorseDB* db, _tagRACERMREC* race, tagYCalcInfo* info) {
  ResultHeader(race);
  if (ResultRunners(db, race) != 0) return -1;
  Apply(info);
  return 0;
}

int Race::FromRange(const RangeRaces::Records* records, tagYCalcInfo* info) {
  Release();
  ResultHeader(records->race);
  if (ReadMarkedRunners(records->runners, records->runnercount, kEntryRecord) != 0) return -1;
  ranged = records;
  Apply(info);
  return 0;
}

int Race::FromCard(YHorseDB* db, _tagRACEDREC* race, tagYCalcInfo* info, int nomination_mode) {
  using namespace racedrec;
  unsigned char* r = race->bytes;
  key = yrace::raw(r + kRaceCode, kRaceCodeWidth);
  racecourse = YUtil::getnum(r + kRaceCode, 2);
  going = 0;
  date = YUtil::getnum(r + kRaceCode + racecode::kDate, 8);
  meeting = YUtil::getnum(r + kKai, 2);
  surface = r[kRaceKind] == '0' ? '2' : r[kTrack];
  distance = YUtil::getnum(r + kDistance, kDistanceWidth);
  runnercount = nomination_mode != 0 ? YUtil::getnum(r + kNominationCount, kNominationCountWidth)
                                     : YUtil::getnum(r + kRunnerCount, 2);
  if (CardRunners(db, race, nomination_mode) != 0) return -1;
  Apply(info);
  return 0;
}

int Race::ResultRunners(YHorseDB* db, _tagRACERMREC* race) {
  void* fetched = get_race2code_2(race->bytes, 0);
  if (fetched == nullptr) {
    failed(db);
    return -1;
  }
  runners = fetched;
  return ReadMarkedRunners(yrace::record_at(fetched, racerhrec::kSize, 0),
                           yrace::record_count(fetched, racerhrec::kSize), kResultRecord);
}

int Race::ReadMarkedRunners(unsigned char* records, int n, const MarkedRecord& form) {
  if (n != runnercount || n > kMaxRunners) return -1;
  for (int i = 0; i < n; ++i) {
    unsigned char* r = records + static_cast<long>(form.size) * i;
    readrunner(r, form.fields, &runner[i]);
    // The entry's marks as its card had them.
    runner[i].mark = markcode(r[form.mark]);
    runner[i].training = static_cast<unsigned char>(yrace::digit_value(r[form.training], 0));
  }
  return 0;
}

int Race::CardRunners(YHorseDB* db, _tagRACEDREC* race, int nomination_mode) {
  using namespace racedhrec;
  yrace::OwnedBuffer fetched(nomination_mode != 0
                                 ? get_tokh2code(race->bytes)
                                 : get_denmah2code(race->bytes, race->bytes + racedrec::kYear));
  if (fetched == nullptr) {
    failed(db);
    return -1;
  }
  const int n = std::min({yrace::record_count(fetched.get(), kSize), runnercount, kMaxRunners});
  runnercount = n;
  for (int i = 0; i < n; ++i) {
    unsigned char* r = yrace::record_at(fetched.get(), kSize, i);
    Runner& x = runner[i];
    readrunner(r, kCardRunner, &x);
    x.mark = markcode(r[kPredictionMark]);
    x.training = trainingcode(r + kTrainingMarks);
  }
  return 0;
}

}  // namespace ytheory
