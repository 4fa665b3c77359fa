// A race result: the race texts with its times, passing orders, comments,
// prize money and payouts, the runners, and the final odds on demand.
#include "ydbcln/race/YSeiseki.h"

#include <algorithm>
#include <new>
#include <ostream>

#include "ydbcln/race/RaceHeaderTexts.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/race/YOdds.h"
#include "ydbcln/race/YRaceHorse.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"
#include "ydbcln/session/ydblib.h"

namespace {

using namespace racermrec;

constexpr yrace::HeaderFields kHeader = {
    kYear,        kKai,     kEdition,    kRaceName, kGrade, kSupplementaryConditions,
    kWeightRule1, kRaceKind, kConditions, kTrack,
};

// The second reference time keeps seconds and tenths only, and neither
// later time keeps the tenths of the weight.
constexpr int kThirdRef = kLaterRefDateStride;
constexpr yrace::RefTimeFields kRefFields[3] = {
    {-1, kFirstRefDate, kFirstRefTime, 4, kFirstRefHorseName, kFirstRefWeightKg,
     kFirstRefWeightTenths, kFirstRefJockeyName, -1},
    {-1, kLaterRefDate, kSecondRefTime, 3, kLaterRefHorseName, kLaterRefWeightKg, -1,
     kLaterRefJockeyName, kLaterRefPlaceCode},
    {-1, kLaterRefDate + kThirdRef, kThirdRefTime, 4, kLaterRefHorseName + kThirdRef,
     kLaterRefWeightKg + kThirdRef, -1, kLaterRefJockeyName + kThirdRef,
     kLaterRefPlaceCode + kThirdRef},
};

int lap(unsigned char* r, int k) { return YUtil::getnum(r + kLap + kLapWidth * k, kLapWidth); }

// An amount rounded up to the next multiple of 1000 yen.
int round_up(int amount) { return (amount + 999) / 1000 * 1000; }

// Reads `n` entries of one pool, each a number of `width` digits and a
// payout of `payout_width` digits, the first at `first`, `stride` apart.
// An entry after the first without a payout is unused.
void read_pool(unsigned char* r, int first, int stride, int width, int payout_width, int n,
               unsigned short* kumi, int* haito) {
  for (int i = 0; i < n; ++i) {
    unsigned char* entry = r + first + stride * i;
    const int payout = YUtil::getnum(entry + width, payout_width);
    const bool used = i == 0 || payout != 0;
    kumi[i] = static_cast<unsigned short>(used ? YUtil::getnum(entry, width) : 0);
    haito[i] = used ? payout : 0;
  }
}

}  // namespace

YSeiseki::YSeiseki(YHorseDB* db, YRaceList& row) : YMainObject(db) { setmember(row.getcode()); }

YSeiseki::YSeiseki(YHorseDB* db, const std::string& racecode) : YMainObject(db) {
  setmember(racecode);
}

YSeiseki::YSeiseki(const YSeiseki& other) : YMainObject(other) { copyfrom(other); }

YSeiseki& YSeiseki::operator=(const YSeiseki& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  copyfrom(other);
  return *this;
}

YSeiseki::~YSeiseki() {
  deletevector();
  delete yodds;
}

void YSeiseki::copyfrom(const YSeiseki& o) {
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
    going = o.going;
    pace = o.pace;
    weather = o.weather;
    std::copy(std::begin(o.earlytime), std::end(o.earlytime), std::begin(earlytime));
    finaltime = o.finaltime;
    lapline = o.lapline;
    lapheading = o.lapheading;
    std::copy(std::begin(o.prize), std::end(o.prize), std::begin(prize));
    std::copy(std::begin(o.sharedprize), std::end(o.sharedprize), std::begin(sharedprize));
    haito = o.haito;
    tanshoninki = o.tanshoninki;
    std::copy(std::begin(o.umarenninki), std::end(o.umarenninki), std::begin(umarenninki));
    std::copy(std::begin(o.wideninki), std::end(o.wideninki), std::begin(wideninki));
    codetext = o.codetext;
    cornercount = o.cornercount;
    std::copy(std::begin(o.cornerheading), std::end(o.cornerheading), std::begin(cornerheading));
    std::copy(std::begin(o.cornerorder), std::end(o.cornerorder), std::begin(cornerorder));
    commentcount = o.commentcount;
    std::copy(std::begin(o.comment), std::end(o.comment), std::begin(comment));
    std::copy(std::begin(o.reftime), std::end(o.reftime), std::begin(reftime));
    horses.reserve(o.horses.size());
    for (YRaceHorse* h : o.horses) horses.push_back(new YRaceHorse(*h));
  } catch (const std::bad_alloc&) {
    deletevector();
    seterror(YHorseDB::kOutOfMemory);
  }
}

void YSeiseki::seterror(int status) {
  if (getdb() != nullptr) getdb()->seterror(status, "", 0);
}

void YSeiseki::setmember(const std::string& racecode) {
  if (getdb() == nullptr || !yrace::is_race_code(racecode)) return;
  if (!ysession::ready(getdb())) return;
  yrace::OwnedBuffer race(get_race2code_1_ex(racecode.c_str(), 0));
  if (race == nullptr) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  if (yrace::record_count(race.get(), kSize) == 0) return;
  yrace::OwnedBuffer runners(get_race2code_2(racecode.c_str(), 1));
  if (runners == nullptr) {
    seterror(YHorseDB::kDatabaseError);
    return;
  }
  const int count = yrace::record_count(runners.get(), racerhrec::kSize);
  if (count == 0) return;
  auto* record = static_cast<_tagRACERMREC*>(race.get());
  deletevector();
  try {
    horses.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      horses.push_back(
          new YRaceHorse(getdb(), record, static_cast<_tagRACERHREC*>(runners.get()), i));
    }
    setrace(record->bytes);
  } catch (const std::bad_alloc&) {
    deletevector();
    seterror(YHorseDB::kOutOfMemory);
  }
}

void YSeiseki::setrace(unsigned char* r) {
  const yrace::HeaderTexts t = yrace::header_texts(r, kHeader);
  code = yrace::raw(r + kRaceCode, kRaceCodeWidth);
  heading = t.heading;
  racename = t.racename;
  datetext = t.datetext;
  kaisai = t.kaisai;
  conditions = t.conditions;
  course = t.course;
  going = YUtil::getbaba(r[kGoing]);
  pace = YUtil::getpace(r[kPace]);
  weather = YUtil::getweather(r[kWeather]);
  settimes(r);
  for (int k = 0; k < kPrizeCount; ++k) {
    prize[k] = YUtil::getyen(r + kPrize + kPrizeWidth * k, kPrizeWidth, 1);
  }
  setshares(r);
  setpayouts(r);
  codetext = yrace::raw(r + kCodeText, kCodeTextWidth);

  cornercount = 0;
  for (int j = 0; j < kCornerKindCount; ++j) {
    const int at = kCornerKindStride * j;
    if (r[kCornerOrder + at] == ' ') break;
    cornerheading[j] = YUtil::gettukamidashi(r[kCornerKind + at], r + kCornerPosition + at);
    cornerorder[j] = YUtil::delendspc(r + kCornerOrder + at, kCornerOrderWidth);
    ++cornercount;
  }
  commentcount = 0;
  for (int j = 0; j < kCommentCount; ++j) {
    unsigned char* line = r + kComment + kCommentWidth * j;
    if (line[0] == ' ') break;
    comment[j] = YUtil::delendspc(line, kCommentWidth);
    ++commentcount;
  }
  for (int k = 0; k < 3; ++k) reftime[k] = yrace::reference_time(r, kRefFields[k]);
}

void YSeiseki::settimes(unsigned char* r) {
  static const auto kHeadings = yutil::sjis_table({"ラップ", "上り１哩"});
  const int d = YUtil::getnum(r + kDistance, kDistanceWidth);
  const bool laps = r[kLap] != ' ';
  int early[3] = {0, 0, 0};
  int last800 = 0, last600 = 0;
  if (laps) {
    early[0] = lap(r, 0) + lap(r, 1) + lap(r, 2);
    early[1] = early[0] + lap(r, 3);
    early[2] = early[1] + lap(r, 4);
    if (d / 100 % 2 == 1) {
      // The first lap is 100 m: half of the lap after each distance.
      for (int k = 0; k < 3; ++k) early[k] += (lap(r, 3 + k) + 1) / 2;
    }
    const int n = (d + 100) / 200;
    if (n >= 4 && n <= kLapCount) {
      last600 = lap(r, n - 1) + lap(r, n - 2) + lap(r, n - 3);
      last800 = last600 + lap(r, n - 4);
    }
  } else if (r[kEarlyTime] != ' ') {
    for (int k = 0; k < 3; ++k) {
      early[k] = YUtil::getnum(r + kEarlyTime + kEarlyTimeWidth * k, kEarlyTimeWidth);
    }
    last800 = YUtil::getnum(r + kLast800, kLapWidth);
    last600 = YUtil::getnum(r + kLast600, kLapWidth);
  }
  for (int k = 0; k < 3; ++k) {
    earlytime[k] = early[k] == 0 ? "" : YUtil::getnumstr(600 + 200 * k) + "m " +
                                            yrace::tenths_text(early[k]);
  }
  finaltime = laps || r[kEarlyTime] != ' '
                  ? yrace::tenths_text(last800) + "-" + yrace::tenths_text(last600)
                  : "";
  lapline.clear();
  for (int k = 0; k < kLapCount && r[kLap + kLapWidth * k] != ' '; ++k) {
    if (k > 0) lapline += "-";
    lapline += yrace::tenths_text(lap(r, k));
  }
  const bool jump = r[kRaceKind] == '0';
  lapheading = kHeadings[jump ? 1 : 0];
  if (jump) lapline = YUtil::delendspc(r + kMileLine, kMileLineWidth);
}

void YSeiseki::setshares(unsigned char* r) {
  int a[4];
  a[0] = YUtil::getnum(r + kSharedAmount, kSharedAmountWidth);
  a[1] = a[0] / 7 * 2;
  a[2] = a[1] / 2;
  a[3] = 0;
  int placed[3] = {0, 0, 0};
  for (const YRaceHorse* h : horses) {
    if (h->order >= 1 && h->order <= 3) ++placed[h->order - 1];
  }
  // A dead heat shares the amounts of the places it takes.
  if (placed[0] > 1) a[0] = a[1] = (a[0] + a[1]) / 2;
  if (placed[1] > 1) a[1] = a[2] = (a[1] + a[2]) / 2;
  if (placed[2] > 1) a[2] = a[3] = a[2] / 2;
  for (int k = 0; k < 4; ++k) {
    const int amount = round_up(a[k]);
    sharedprize[k] = amount == 0 ? "" : YUtil::getyen(static_cast<unsigned int>(amount), 1);
  }
}

void YSeiseki::setpayouts(unsigned char* r) {
  read_pool(r, kWinHorseNumber, kWinHorseNumberStride, kWinHorseNumberWidth, kWinPayoutWidth,
            kWinHorseNumberCount, haito.tansho_uma, haito.tansho_haito);
  read_pool(r, kPlaceHorseNumber, kPlaceHorseNumberStride, kPlaceHorseNumberWidth,
            kPlacePayoutWidth, kPlaceHorseNumberCount, haito.fukusho_uma, haito.fukusho_haito);
  read_pool(r, kBracketPair, kBracketPairStride, kBracketPairWidth, kBracketPayoutWidth,
            kBracketPairCount, haito.wakuren_kumi, haito.wakuren_haito);
  read_pool(r, kQuinellaPair, kQuinellaPairStride, kQuinellaPairWidth, kQuinellaPayoutWidth,
            kQuinellaPairCount, haito.umaren_kumi, haito.umaren_haito);
  read_pool(r, kWidePair, kWidePairStride, kWidePairWidth, kWidePayoutWidth, kWidePairCount,
            haito.wide_kumi, haito.wide_haito);
  // With one winner the second win entry's number is the winner's
  // popularity.
  tanshoninki = haito.tansho_haito[1] == 0 ? YUtil::getnum(r + kWinPopularity, 2) : 0;
  for (int i = 0; i < kQuinellaPairCount; ++i) {
    umarenninki[i] = YUtil::getnum(r + kQuinellaPopularity + kQuinellaPairStride * i,
                                   kQuinellaPopularityWidth);
  }
  for (int i = 0; i < kWidePairCount; ++i) {
    wideninki[i] =
        YUtil::getnum(r + kWidePopularity + kWidePairStride * i, kWidePopularityWidth);
  }
}

void YSeiseki::deletevector() {
  for (YRaceHorse* h : horses) delete h;
  horses.clear();
}

int YSeiseki::gethorsecount() { return static_cast<int>(horses.size()); }

YRaceHorse* YSeiseki::horse(int i) {
  if (i < 0 || i >= gethorsecount()) return nullptr;
  return horses[static_cast<std::size_t>(i)];
}

YOdds* YSeiseki::odds() {
  if (!oddspossible) return nullptr;
  if (yodds != nullptr) return yodds;
  try {
    yodds = new YOdds(getdb(), code, gethorsecount(), true);
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

void YSeiseki::print(std::ostream&) {}
