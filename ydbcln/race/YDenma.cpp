// A race card: the race texts, the runners, and each runner's last runs,
// comments and the race's odds fetched on demand.
#include "ydbcln/race/YDenma.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <ostream>

#include "ydbcln/race/CardRunnerRec.h"
#include "ydbcln/race/CommentText.h"
#include "ydbcln/race/RaceHeaderTexts.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/YOdds.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr yrace::HeaderFields kHeader = {
    racedrec::kYear,         racedrec::kKai,         racedrec::kEdition,
    racedrec::kRaceName,     racedrec::kGrade,       racedrec::kSupplementaryConditions,
    racedrec::kWeightRule1,  racedrec::kRaceKind,    racedrec::kConditions,
    racedrec::kTrack,
};

yrace::RefTimeFields RefFields(int k) {
  using namespace racedrec;
  if (k == 0) {
    return {kFirstRefKind,     kFirstRefDate,         kFirstRefTime,       4,  kFirstRefHorseName,
            kFirstRefWeightKg, kFirstRefWeightTenths, kFirstRefJockeyName, -1};
  }
  const int at = (k - 1) * kLaterRefDateStride;
  return {-1,
          kLaterRefDate + at,
          kLaterRefTime + at,
          4,
          kLaterRefHorseName + at,
          kLaterRefWeightKg + at,
          kLaterRefWeightTenths + at,
          kLaterRefJockeyName + at,
          kLaterRefPlaceCode + at};
}

// A time of the card (minutes 1, seconds 2, tenths 1) as 1.59.8; empty when
// the field is blank.
std::string card_time(unsigned char* field) {
  if (field[0] == ' ') return "";
  return yrace::raw(field, 1) + "." + yrace::raw(field + 1, 2) + "." + yrace::raw(field + 3, 1);
}

// The bytes of a runner record that its card line carries: line offset,
// record offset, width. The line keeps the race key, the horse's code and
// name, then the runner's bytes from its training marks on (line bytes
// 50-487) and from the second copy of its prediction mark to the end of the
// record (488-495), unread bytes included.
struct LineRun {
  int line;
  int record;
  int width;
};
constexpr int kLineBody = 50;
constexpr int kLineTail = 488;
constexpr LineRun kLineRuns[] = {
    {0, racedhrec::kRaceKey, racedhrec::kRaceKeyWidth},
    {12, racedhrec::kHorseCode, racedhrec::kHorseCodeWidth},
    {19, racedhrec::kHorseName, racedhrec::kHorseNameWidth},
    {kLineBody, racedhrec::kTrainingMarks, kLineTail - kLineBody},
    {kLineTail, racedhrec::kCardLinePredictionMark, YDenma::kCardLineSize - kLineTail},
};
static_assert(racedhrec::kCardLinePredictionMark + YDenma::kCardLineSize - kLineTail ==
                  racedhrec::kSize,
              "a card line ends with the runner record");
constexpr int kLineFlag = 49;  // the character '1'

void build_line(unsigned char* line, const unsigned char* runner) {
  std::memset(line, ' ', YDenma::kCardLineSize);
  for (const LineRun& run : kLineRuns) {
    std::memcpy(line + run.line, runner + run.record, static_cast<std::size_t>(run.width));
  }
  line[kLineFlag] = '1';
}

}  // namespace

YDenma::YDenma(YHorseDB* db, YRaceList& row) : YMainObject(db) {
  clearlastruns();
  setmember(row.getcode());
}

YDenma::YDenma(YHorseDB* db, const std::string& racecode) : YMainObject(db) {
  clearlastruns();
  setmember(racecode);
}

YDenma::YDenma(YHorseDB* db, _tagSPDENMA* card) : YMainObject(db) {
  clearlastruns();
  setmember2(card);
}

YDenma::YDenma(YHorseDB* db, _tagRACEDREC* record, int mode) : YMainObject(db) {
  clearlastruns();
  if (mode == 1) {
    setmember3(record);
  } else {
    setmember(record);
  }
}

YDenma::YDenma(const YDenma& other) : YMainObject(other) { copyfrom(other); }

YDenma& YDenma::operator=(const YDenma& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  copyfrom(other);
  return *this;
}

YDenma::~YDenma() {
  deletevector();
  delete yodds;
}

void YDenma::copyfrom(const YDenma& o) {
  delete yodds;
  yodds = nullptr;
  oddspossible = o.oddspossible;
  deletevector();
  try {
    code = o.code;
    heading = o.heading;
    racename = o.racename;
    datetext = o.datetext;
    kaisai = o.kaisai;
    conditions = o.conditions;
    course = o.course;
    recordtime = o.recordtime;
    time1 = o.time1;
    time2 = o.time2;
    pace = o.pace;
    std::copy(std::begin(o.prize), std::end(o.prize), std::begin(prize));
    codetext = o.codetext;
    datestr = o.datestr;
    date = o.date;
    cardlinevalid = o.cardlinevalid;
    std::memcpy(cardline, o.cardline, sizeof cardline);
    std::copy(std::begin(o.reftime), std::end(o.reftime), std::begin(reftime));
    horsecount = o.horsecount;
    std::copy(std::begin(o.zen5count), std::end(o.zen5count), std::begin(zen5count));
    std::copy(std::begin(o.commentloaded), std::end(o.commentloaded), std::begin(commentloaded));
    std::copy(std::begin(o.zen5rec), std::end(o.zen5rec), std::begin(zen5rec));
    std::copy(std::begin(o.rcomment), std::end(o.rcomment), std::begin(rcomment));
    horses.reserve(o.horses.size());
    for (YRaceHorse* h : o.horses) horses.push_back(new YRaceHorse(*h));
  } catch (const std::bad_alloc&) {
    deletevector();
    clearlastruns();
    seterror(YHorseDB::kOutOfMemory);
  }
}

void YDenma::clearlastruns() {
  std::fill(std::begin(zen5count), std::end(zen5count), -1);
  for (auto& runs : zen5rec) runs.clear();
  std::fill(std::begin(commentloaded), std::end(commentloaded), false);
  for (std::string& text : rcomment) text.clear();
}

void YDenma::seterror(int status) {
  if (getdb() != nullptr) getdb()->seterror(status, "", 0);
}

void YDenma::setmember(const std::string& racecode) {
  if (getdb() == nullptr || !yrace::is_race_code(racecode)) return;
  if (!ysession::ready(getdb())) return;
  yrace::OwnedBuffer buffer(get_denma2code(racecode.c_str()));
  if (buffer == nullptr) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  if (yrace::record_count(buffer.get(), racedrec::kSize) > 0) {
    setmember(static_cast<_tagRACEDREC*>(buffer.get()));
  }
}

void YDenma::setmember(_tagRACEDREC* record) {
  if (record == nullptr) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  if (!settexts(record->bytes)) return;
  horsecount = YUtil::getnum(record->bytes + racedrec::kRunnerCount, 2);
  deletevector();
  cardlinevalid = false;
  if (!ysession::ready(getdb())) return;
  yrace::OwnedBuffer runners(get_denmah2code(record->bytes, record->bytes + racedrec::kYear));
  if (runners == nullptr) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  setrunners(record, runners.get(), horsecount, true);
}

void YDenma::setmember3(_tagRACEDREC* record) {
  if (record == nullptr) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  if (!settexts(record->bytes)) return;
  horsecount = std::min(
      YUtil::getnum(record->bytes + racedrec::kNominationCount, racedrec::kNominationCountWidth),
      kMaxRunners);
  deletevector();
  cardlinevalid = false;
  if (!ysession::ready(getdb())) return;
  yrace::OwnedBuffer nominated(get_tokh2code(record->bytes));
  if (nominated == nullptr) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  setrunners(record, nominated.get(), horsecount, true);
}

void YDenma::setmember2(_tagSPDENMA* card) {
  if (card == nullptr) {
    seterror(YHorseDB::kBadParameter);
    return;
  }
  _tagRACEDREC race;
  if (conv_tn2rd(race.bytes, card->bytes) != 0) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  if (!settexts(race.bytes)) return;
  horsecount = YUtil::getnum(race.bytes + racedrec::kRunnerCount, 2);
  deletevector();
  cardlinevalid = false;
  try {
    horses.reserve(static_cast<std::size_t>(std::max(horsecount, 0)));
    for (int j = 0; j < horsecount; ++j) {
      _tagRACEDHREC runner;
      if (conv_tn2rdh(runner.bytes, card->bytes, j) != 0) {
        deletevector();
        seterror(YHorseDB::kDatabaseError);
        return;
      }
      horses.push_back(new YRaceHorse(getdb(), &race, &runner));
    }
  } catch (const std::bad_alloc&) {
    deletevector();
    seterror(YHorseDB::kOutOfMemory);
  }
}

bool YDenma::settexts(unsigned char* r) try {
  const yrace::HeaderTexts t = yrace::header_texts(r, kHeader);
  code = yrace::raw(r + racedrec::kRaceCode, racedrec::kRaceCodeWidth);
  heading = t.heading;
  racename = t.racename;
  datetext = t.datetext;
  kaisai = t.kaisai;
  conditions = t.conditions;
  course = t.course;
  for (int k = 0; k < 3; ++k) reftime[k] = yrace::reference_time(r, RefFields(k));
  recordtime = reftime[0].time;
  time1 = card_time(r + racedrec::kTime1);
  time2 = card_time(r + racedrec::kTime2);
  pace = YUtil::getpace(r[racedrec::kPace]);
  for (int k = 0; k < racedrec::kPrizeCount; ++k) {
    prize[k] = YUtil::getyen(r + racedrec::kPrize + racedrec::kPrizeWidth * k,
                             racedrec::kPrizeWidth, 1);
  }
  codetext = yrace::raw(r + racedrec::kCodeText, racedrec::kCodeTextWidth);
  date = t.date;
  datestr = YUtil::getnumstr(date);
  return true;
} catch (const std::bad_alloc&) {
  deletevector();
  seterror(YHorseDB::kOutOfMemory);
  return false;
}

void YDenma::setrunners(_tagRACEDREC* record, void* runners, int count, bool lines) {
  count = std::min(count, kMaxRunners);
  if (yrace::record_count(runners, racedhrec::kSize) < count) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  try {
    horses.reserve(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
      unsigned char* r = yrace::record_at(runners, racedhrec::kSize, j);
      horses.push_back(new YRaceHorse(getdb(), record, reinterpret_cast<_tagRACEDHREC*>(r)));
      if (lines) build_line(cardline[j], r);
    }
  } catch (const std::bad_alloc&) {
    deletevector();
    seterror(YHorseDB::kOutOfMemory);
    return;
  }
  cardlinevalid = lines;
}

void YDenma::deletevector() {
  for (YRaceHorse* h : horses) delete h;
  horses.clear();
}

int YDenma::gethorsecount() { return static_cast<int>(horses.size()); }

YRaceHorse* YDenma::horse(int i) {
  if (i < 0 || i >= gethorsecount()) return nullptr;
  return horses[static_cast<std::size_t>(i)];
}

int YDenma::zen5(int i, _tagRACERHREC*& out) {
  out = nullptr;
  if (i < 0 || i >= gethorsecount()) return -1;
  if (zen5count[i] < 0) {
    if (!ysession::ready(getdb())) return -1;
    yrace::OwnedBuffer runs(get_uma_race5(horses[static_cast<std::size_t>(i)]->horsecode.c_str(),
                                          datestr.c_str(), kLastRuns));
    if (runs == nullptr) {
      seterror(YHorseDB::kDatabaseError);
      return -1;
    }
    const int n = std::min(yrace::record_count(runs.get(), racerhrec::kSize), kLastRuns);
    try {
      const auto* first = static_cast<const _tagRACERHREC*>(runs.get());
      zen5rec[i].assign(first, first + n);
    } catch (const std::bad_alloc&) {
      seterror(YHorseDB::kOutOfMemory);
      return -1;
    }
    zen5count[i] = n;
  }
  if (zen5count[i] > 0) out = zen5rec[i].data();
  return zen5count[i];
}

void YDenma::set_rcomment(int i) {
  if (i < 0 || i >= gethorsecount() || commentloaded[i]) return;
  _tagRACERHREC* runs = nullptr;
  const int n = zen5(i, runs);
  if (n < 0) return;  // tried again when next asked
  for (int kind = 0; kind < 2; ++kind) {
    std::string& text = rcomment[2 * i + kind];
    text.clear();
    if (n == 0) continue;
    unsigned char* last = runs[0].bytes;
    text = yrace::fetch_comment(yrace::raw(last + racerhrec::kRaceCode, racerhrec::kRaceCodeWidth),
                                yrace::raw(last + racerhrec::kHorseCode, racerhrec::kHorseCodeWidth),
                                kind);
  }
  commentloaded[i] = true;
}

std::string YDenma::get_rcomment(int i) {
  if (i < 0 || i >= gethorsecount()) return "";
  set_rcomment(i);
  return rcomment[2 * i];
}

std::string YDenma::get_rmemo(int i) {
  if (i < 0 || i >= gethorsecount()) return "";
  set_rcomment(i);
  return rcomment[2 * i + 1];
}

YOdds* YDenma::odds() {
  if (!oddspossible) return nullptr;
  if (yodds != nullptr) return yodds;
  try {
    yodds = new YOdds(getdb(), code, gethorsecount(), false);
  } catch (const std::bad_alloc&) {
    seterror(YHorseDB::kOutOfMemory);
    return nullptr;
  }
  if (!yodds->isexist()) {
    delete yodds;
    yodds = nullptr;
    oddspossible = false;
  }
  return yodds;
}

void YDenma::reloadrh() {
  deletevector();
  clearlastruns();
  cardlinevalid = false;
  if (getdb() == nullptr || !yrace::is_race_code(code)) return;
  if (!ysession::ready(getdb())) return;
  yrace::OwnedBuffer card(get_denma2code(code.c_str()));
  if (card == nullptr) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  if (yrace::record_count(card.get(), racedrec::kSize) == 0) return;
  auto* record = static_cast<_tagRACEDREC*>(card.get());
  yrace::OwnedBuffer runners(get_denmah2code(record->bytes, record->bytes + racedrec::kYear));
  if (runners == nullptr) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  horsecount = YUtil::getnum(record->bytes + racedrec::kRunnerCount, 2);
  setrunners(record, runners.get(), horsecount, true);
}

void YDenma::print(std::ostream&) {}
