// The theory result's race: its header texts, classification codes,
// runners and payouts, read from the race's card or its results.
#include "ydbcln/theory/YTheoryResult.h"

#include <algorithm>
#include <cstring>

#include "text/sjis.h"
#include "ydbcln/race/CardRunnerRec.h"
#include "ydbcln/race/HaitoFill.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace ytheory {

// Where a race record keeps the fields the result reads; the card and the
// results record hold the same fields at different offsets.
struct RaceFields {
  unsigned char* code;        // 12: place, date, race number
  unsigned char* year;        // 4
  unsigned char* kaiday;      // kai 2, day 2
  unsigned char* edition;     // 3
  unsigned char* name;        // 30
  unsigned char* rule1;       // 2
  unsigned char* rule2;       // 2
  unsigned char* conditions;  // 5
  unsigned char* distance;    // 4
  unsigned char* runners;     // 2
  unsigned char grade;
  unsigned char kind;
  unsigned char track;
  unsigned char direction;
  unsigned char pace;
  const unsigned char* going;  // null on a card
};

}  // namespace ytheory

namespace {

using ytheory::RaceFields;

constexpr int kNameWidth = 30;

RaceFields card_fields(_tagRACEDREC* race) {
  using namespace racedrec;
  unsigned char* r = race->bytes;
  return {r + kRaceCode, r + kYear, r + kKai, r + kEdition, r + kRaceName, r + kWeightRule1,
          r + kWeightRule2, r + kConditions, r + kDistance, r + kRunnerCount, r[kGrade],
          r[kRaceKind], r[kTrack], r[kDirection], r[kPace], nullptr};
}

RaceFields result_fields(_tagRACERMREC* race) {
  using namespace racermrec;
  unsigned char* r = race->bytes;
  return {r + kRaceCode, r + kDate, r + kKai, r + kEdition, r + kRaceName, r + kWeightRule1,
          r + kWeightRule2, r + kConditions, r + kDistance, r + kRunnerCount, r[kGrade],
          r[kRaceKind], r[kTrack], r[kDirection], r[kPace], r + kGoing};
}

// Racecourse codes 00 to 09 (京都 阪神 中京 小倉 東京 中山 福島 新潟 札幌 函館)
// in the order courses are tabulated, north to south.
constexpr int kPlaceIndex[10] = {7, 8, 6, 9, 4, 5, 2, 3, 0, 1};

int place_index(const unsigned char* code) {
  return code[0] == '0' && yrace::is_digit(code[1]) ? kPlaceIndex[code[1] - '0'] : 10;
}

// The age condition by its code: 2歳, 3歳, 3歳上, 4歳上, jump races, other.
int age_kind(unsigned char kind) {
  switch (kind) {
    case '1': case '5': return 0;
    case '2': case '6': return 1;
    case '3': case '7': case '8': return 2;
    case '4': case '9': case 'A': case 'B': case 'C': return 3;
    case '0': return 4;
    default: return 5;
  }
}

// The class by its class field: prize-money limits in thousands of yen, and
// the win classes (negative codes carrying the limit they replaced in
// millions); the open class by the race's age-condition character.
int class_index(unsigned char* conditions, unsigned char age_condition) {
  switch (YUtil::getnumpm(conditions, 5)) {
    case 1: case 2: return 0;
    case 3: return 1;
    case 4000: case 5000: case -5: return 2;
    case 9000: case 10000: case -10: return 3;
    case 15000: case 16000: case -16: return 4;
    case 4:
      switch (age_condition) {
        case '2': case '5': return 6;
        case '1': case '4': return 7;
        case '0': case '3': return 8;
        default: return 5;
      }
    default: return 9;
  }
}

// The mark code of a prediction mark character: digit d gives d + 1 (9
// gives 10, 消); a blank or anything else 0.
int mark_code(unsigned char c) { return yrace::digit_value(c, -1) + 1; }

// Weight carried in tenths of a kilogram as 57.0.
std::string weight_text(int tenths) {
  return YUtil::getnumstr(tenths / 10) + "." + YUtil::getnumstr(tenths % 10);
}

}  // namespace

YTheoryResult::YTheoryResult(YHorseDB* db) : db_(db) {
  std::fill(std::begin(frame), std::end(frame), 0);
  std::fill(std::begin(horseno), std::end(horseno), 0);
  std::fill(std::begin(markcode), std::end(markcode), 0);
  std::fill(std::begin(excluded), std::end(excluded), false);
  std::memset(rank, 0, sizeof rank);
  std::fill(std::begin(columncount), std::end(columncount), 0);
  std::fill(std::begin(score), std::end(score), 0.0);
  std::fill(std::begin(finalrank), std::end(finalrank), 0);
  std::fill(std::begin(reverserank), std::end(reverserank), 0);
  setpayouts(YHaitoInfo());
  std::memset(ticketkey, 0, sizeof ticketkey);
  std::memset(ticketrank, 0, sizeof ticketrank);
  std::fill(std::begin(hitamount), std::end(hitamount), 0);
  std::fill(std::begin(hitkey), std::end(hitkey), static_cast<short>(0));
}

YTheoryResult::YTheoryResult(const YTheoryResult& other) = default;

YTheoryResult& YTheoryResult::operator=(const YTheoryResult& other) = default;

YTheoryResult::~YTheoryResult() = default;

void YTheoryResult::set(_tagRACERMREC* race, tagYCalcInfo* info) { set(race, info, nullptr); }

void YTheoryResult::set(_tagRACERMREC* race, tagYCalcInfo* info, const void* runners) {
  if (race == nullptr) return;
  const RaceFields f = result_fields(race);
  setheader(f, info);
  setclassification(f, info);
  YHaitoInfo payouts;
  yrace::fill_haito(db_, racekey, &payouts);
  setpayouts(payouts);
  setresultrunners(race, runners);
}

void YTheoryResult::set(_tagRACEDREC* race, tagYCalcInfo* info, int nomination) {
  if (race == nullptr) return;
  const RaceFields f = card_fields(race);
  setheader(f, info);
  setclassification(f, info);
  setpayouts(YHaitoInfo());
  setcardrunners(race, nomination != 0);
}

void YTheoryResult::setresult(_tagRACERMREC* race, tagYCalcInfo* info) {
  if (race == nullptr) return;
  YHaitoInfo payouts;
  yrace::fill_haito(db_, yrace::raw(result_fields(race).code, racermrec::kRaceCodeWidth),
                    &payouts);
  setresult(race, info, payouts);
}

void YTheoryResult::setresult(_tagRACERMREC* race, tagYCalcInfo* info, const YHaitoInfo& payouts) {
  if (race == nullptr) return;
  const RaceFields f = result_fields(race);
  racekey = yrace::raw(f.code, racermrec::kRaceCodeWidth);
  setclassification(f, info);
  runnercount = std::min(YUtil::getnum(f.runners, 2), kMaxRunners);
  setpayouts(payouts);
}

void YTheoryResult::setheader(const RaceFields& f, tagYCalcInfo* info) {
  static const std::string kEditionBefore = ytext::to_sjis_lossy("第");
  static const std::string kEditionAfter = ytext::to_sjis_lossy("回 ");
  racekey = yrace::raw(f.code, racermrec::kRaceCodeWidth);
  datetext = YUtil::getdate(f.code + 2);
  placetext = YUtil::getplace(f.code, false);
  // The meeting key in the old form: place, year, kai, day, race number.
  unsigned char key[12];
  std::memcpy(key, f.code, 2);
  std::memcpy(key + 2, f.year, 4);
  std::memcpy(key + 6, f.kaiday, 4);
  std::memcpy(key + 10, f.code + 10, 2);
  kaisaitext = YUtil::getkaisai(key, true) + YUtil::getzennum(f.code + 10) + "R";
  racename = YUtil::delendspc(f.name, kNameWidth);
  const int edition = YUtil::getnum(f.edition, 3);
  if (edition != 0 && !racename.empty()) {
    racename = kEditionBefore + YUtil::getnumstr(edition) + kEditionAfter + racename;
  }
  conditions = YUtil::getjouken(f.kind, YUtil::getnum(f.year, 4)) +
               YUtil::getclass(f.conditions, 5, true, nullptr);
  const std::string grade = YUtil::getgrade(f.grade);
  if (!grade.empty()) conditions += "(" + grade + ")";
  const std::string rules = YUtil::getjkfuka1(f.rule1) + YUtil::getjkfuka2(f.rule2);
  if (!rules.empty()) conditions += " " + rules;
  coursetext = YUtil::getsibada(f.track, f.kind) + YUtil::getlr(f.direction) + " " +
               YUtil::getnumstr(YUtil::getnum(f.distance, 4)) + "m";
  if (info != nullptr) {
    goingtext = YUtil::getbaba(static_cast<unsigned char>('0' + info->going));
  } else {
    goingtext = f.going != nullptr ? YUtil::getbaba(*f.going) : std::string();
  }
  pacetext = YUtil::getpace(f.pace);
}

void YTheoryResult::setclassification(const RaceFields& f, tagYCalcInfo* info) {
  placeindex = place_index(f.code);
  agekind = age_kind(f.kind);
  classindex = class_index(f.conditions, f.kind);
  going = f.going != nullptr ? yrace::digit_value(*f.going, 0) : 0;
  surface = f.kind == '0' ? 2 : yrace::digit_value(f.track, 0);
  distance = YUtil::getnum(f.distance, 4);
  if (info != nullptr) {
    if (info->surface != -1) surface = info->surface;
    if (info->distance != -1) distance = info->distance;
    going = info->going;
  }
}

void YTheoryResult::setpayouts(const YHaitoInfo& p) {
  auto copy = [](const unsigned short* keys, const int* amounts, int n, Payout* table) {
    for (int i = 0; i < n; ++i) table[i] = {static_cast<short>(keys[i]), amounts[i]};
  };
  copy(p.wakuren_kumi, p.wakuren_haito, 3, wakuren);
  copy(p.umaren_kumi, p.umaren_haito, 3, umaren);
  copy(p.wide_kumi, p.wide_haito, 7, wide);
  copy(p.tansho_uma, p.tansho_haito, 3, tansho);
  copy(p.fukusho_uma, p.fukusho_haito, 5, fukusho);
}

void YTheoryResult::setcardrunners(_tagRACEDREC* race, bool nominations) {
  runnercount = 0;
  if (!ysession::ready(db_)) return;
  // Nominated horses come in the card runner layout, their frame and horse
  // number blank until the draw.
  yrace::OwnedBuffer runners(nominations
                                 ? get_tokh2code(race->bytes)
                                 : get_denmah2code(race->bytes, race->bytes + racedrec::kYear));
  if (runners == nullptr) {
    db_->seterror(YHorseDB::kDatabaseError, "", 0);
    return;
  }
  using namespace racedhrec;
  const int n = std::min(yrace::record_count(runners.get(), kSize), kMaxRunners);
  for (int i = 0; i < n; ++i) {
    unsigned char* r = yrace::record_at(runners.get(), kSize, i);
    frame[i] = yrace::digit_value(r[kBracketNumber], 0);
    horseno[i] = YUtil::getnum(r + kHorseNumber, 2);
    markcode[i] = mark_code(r[kPredictionMark]);
    excluded[i] = markcode[i] == kExcludedMark;
    horsename[i] = YUtil::delendspc(r + kHorseName, kHorseNameWidth);
    jockeyname[i] = YUtil::delendspc(r + kJockeyName, kJockeyNameWidth);
    sexage[i] = YUtil::getseibetu(r[kSex]) + YUtil::getage(r + kAge);
    weighttext[i] = weight_text(YUtil::getnum(r + kWeightCarried, 3));
  }
  runnercount = n;
}

void YTheoryResult::setresultrunners(_tagRACERMREC* race, const void* held) {
  runnercount = 0;
  if (!ysession::ready(db_)) return;
  yrace::OwnedBuffer fetched(held == nullptr ? get_race2code_2(race->bytes, 0) : nullptr);
  void* runners = held != nullptr ? const_cast<void*>(held) : fetched.get();
  if (runners == nullptr) {
    db_->seterror(YHorseDB::kDatabaseError, "", 0);
    return;
  }
  using namespace racerhrec;
  const int n = std::min(yrace::record_count(runners, kSize), kMaxRunners);
  for (int i = 0; i < n; ++i) {
    unsigned char* r = yrace::record_at(runners, kSize, i);
    frame[i] = yrace::digit_value(r[kBracketNumber], 0);
    horseno[i] = YUtil::getnum(r + kHorseNumber, 2);
    // The entry's mark as its card had it.
    markcode[i] = mark_code(r[kPredictionMark]);
    excluded[i] = markcode[i] == kExcludedMark;
    horsename[i] = YUtil::delendspc(r + kHorseName, kHorseNameWidth);
    jockeyname[i] = YUtil::delendspc(r + kJockeyName, kJockeyNameWidth);
    sexage[i] = YUtil::getseibetu(r[kSex]) + YUtil::getage(r + kAge);
    weighttext[i] = weight_text(YUtil::getnum(r + kWeightCarried, 3));
  }
  runnercount = n;
}

int YTheoryResult::slotof(int horse) const {
  // Slot i normally holds horse number i + 1.
  if (horse >= 1 && horse <= runnercount && horseno[horse - 1] == horse) return horse - 1;
  for (int i = 0; i < runnercount; ++i) {
    if (horseno[i] == horse) return i;
  }
  return -1;
}

int YTheoryResult::frameof(int horse) const {
  const int slot = slotof(horse);
  return slot < 0 ? 0 : frame[slot];
}
