// YResultTotalRaceHorse: reading one run from its runner result record.
#include "ydbcln/money/YResultTotalRaceHorse.h"

#include <cstring>

#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/session/YUtil.h"

namespace {

using namespace racerhrec;

// The class of a run from its class field and grade code. A win class (a
// negative field) counts with the prize limit it replaced, in millions.
unsigned char ClassOf(unsigned char* conditions, unsigned char grade) {
  switch (grade) {
    case '0': case '3': return 0;
    case '1': case '4': return 1;
    case '2': case '5': return 2;
    default: break;
  }
  int n = YUtil::getnumpm(conditions, kConditionsWidth);
  if (n < 0) n = -n * 1000;
  if (n == 1 || n == 2) return 8;
  if (n == 3) return 7;
  if (n == 4) return 3;
  if (n < 1000) return YResultTotalRaceHorse::kUnknownClass;
  if (n <= 5000) return 6;
  if (n <= 9000) return 5;
  if (n <= 16000) return 4;
  return YResultTotalRaceHorse::kUnknownClass;
}

}  // namespace

YResultTotalRaceHorse::~YResultTotalRaceHorse() = default;

void YResultTotalRaceHorse::set(_tagRACERHREC* record) {
  if (record == nullptr) return;
  unsigned char* r = record->bytes;
  std::memcpy(racecode, r + kRaceCode, kRaceCodeWidth);
  racecode[kRaceCodeWidth] = '\0';
  date = YUtil::getnum(r + kDate, 8);
  horsekey = yrace::raw(r + kHorseCode, kHorseCodeWidth);
  horsename = YUtil::delendspc(r + kHorseName, kHorseNameWidth);
  jockeycode = yrace::raw(r + kJockeyCode, kJockeyCodeWidth);
  jockeyname = YUtil::delendspc(r + kJockeyName, kJockeyNameWidth);
  stablecode = yrace::raw(r + kTrainerCode, kTrainerCodeWidth);
  stablename = YUtil::delendspc(r + kTrainerName, kTrainerNameWidth);
  sirekey = yrace::raw(r + kSireCode, kSireCodeWidth);
  sirename = YUtil::delendspc(r + kSireName, kSireNameWidth);
  bmsirekey = yrace::raw(r + kDamsSireCode, kDamsSireCodeWidth);
  bmsirename = YUtil::delendspc(r + kDamsSireName, kDamsSireNameWidth);
  odds = YUtil::getnum(r + kWinOdds, 5);
  popularity = static_cast<unsigned char>(YUtil::getnum(r + kPopularity, 2));
  finish = static_cast<unsigned char>(YUtil::getnum(r + kFinishingOrder, 2));
  resultcode = static_cast<unsigned char>(YUtil::getnum(r + kAccident, 2));
  track = r[kRaceKind] == '0' ? kJump : r[kTrack] == '0' ? kDirt : kTurf;
  distance = static_cast<std::uint16_t>(YUtil::getnum(r + kDistance, 4));
  runners = static_cast<unsigned char>(YUtil::getnum(r + kRunnerCount, 2));
  unsigned char corners[4][2];
  std::memcpy(corners, r + kCornerPosition, sizeof corners);
  style = static_cast<unsigned char>(YUtil::getkyakushitsu(runners, corners));
  frame = static_cast<unsigned char>(yrace::digit_value(r[kBracketNumber], 0));
  number = static_cast<unsigned char>(YUtil::getnum(r + kHorseNumber, 2));
  sex = static_cast<unsigned char>(yrace::digit_value(r[kSex], 0));
  age = static_cast<unsigned char>(YUtil::getnum(r + kAge, 2) + (date / 10000 > 2000 ? 1 : 0));
  bodyweight = static_cast<std::uint16_t>(YUtil::getnum(r + kBodyWeight, 3));
  weightchange = r[kBodyWeightChange] == ' '
                     ? kUnknownChange
                     : static_cast<std::int16_t>(YUtil::getnumpm(r + kBodyWeightChange, 3));
  weightcarried = static_cast<std::uint16_t>(YUtil::getnum(r + kWeightCarried, 3));
  pace = static_cast<unsigned char>(yrace::digit_value(r[kPace], 0));
  going = static_cast<unsigned char>(yrace::digit_value(r[kGoing], kUnknownGoing));
  raceclass = ClassOf(r + kConditions, r[kGrade]);
}
