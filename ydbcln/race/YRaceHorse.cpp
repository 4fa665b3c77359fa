// A horse in a race: a race-card entry or a runner's result, with the
// opponent and the comments fetched on demand.
#include "ydbcln/race/YRaceHorse.h"

#include <cstdio>
#include <cstring>
#include <ostream>

#include "text/sjis.h"
#include "ydbcln/race/CommentText.h"
#include "ydbcln/race/RaceTexts.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr int kCodeWidth = 12;
constexpr int kConditionsWidth = 5;
constexpr int kNameWidth = 30;

// A race's class rank: 0 for maiden and newcomer races, 1 to 3 for the
// classes by prize limit in thousands of yen (up to 5000, 9000, 16000), 4
// for open races, 5 to 7 for the grades. A win class (a negative class
// field) ranks with the prize limit it replaced, which it carries in
// millions of yen. A class field outside these gives 0.
unsigned char class_rank(unsigned char* conditions, unsigned char grade) {
  switch (grade) {
    case '0': case '3': return 7;
    case '1': case '4': return 6;
    case '2': case '5': return 5;
    default: break;
  }
  int n = YUtil::getnumpm(conditions, kConditionsWidth);
  if (n < 0) n = -n * 1000;
  if (n < 1000) {
    if (n >= 1 && n <= 3) return 0;
    return n == 4 ? 4 : 0;
  }
  if (n <= 5000) return 1;
  if (n <= 9000) return 2;
  if (n <= 16000) return 3;
  return 0;
}

}  // namespace

YRaceHorse::YRaceHorse(YHorseDB* db) : YSubObject(db) {
  std::memset(resultblock, ' ', sizeof resultblock);
}

YRaceHorse::YRaceHorse(YHorseDB* db, _tagRACEDREC* race, _tagRACEDHREC* runner)
    : YRaceHorse(db) {
  if (race != nullptr && runner != nullptr) setcardmember(race->bytes, runner->bytes);
}

YRaceHorse::YRaceHorse(YHorseDB* db, _tagRACERMREC* race, _tagRACERHREC* runners, int index)
    : YRaceHorse(db) {
  setseisekimember(race, runners, index);
}

YRaceHorse::YRaceHorse(YHorseDB* db, _tagRACERHREC* runner) : YRaceHorse(db) {
  setseisekimember(nullptr, runner, -1);
}

YRaceHorse::YRaceHorse(YHorseDB* db, _tagRACERHREC* runner, OpponentWhenAsked) : YRaceHorse(db) {
  setseisekimember(nullptr, runner, -1, false);
}

YRaceHorse::YRaceHorse(const YRaceHorse& other) = default;

YRaceHorse& YRaceHorse::operator=(const YRaceHorse& other) = default;

YRaceHorse::~YRaceHorse() = default;

void YRaceHorse::print(std::ostream&) {}

void YRaceHorse::setcardmember(unsigned char* rd, unsigned char* r) {
  using namespace racedhrec;
  horsecode = yrace::raw(r + kHorseCode, kHorseCodeWidth);
  horsename = YUtil::delendspc(r + kHorseName, kHorseNameWidth);
  racecode = yrace::raw(r + kRaceKey, kRaceKeyWidth);
  horsecount = YUtil::getnum(rd + racedrec::kRunnerCount, 2);
  kaisai = YUtil::getkaisai(r + kRaceKey, false);
  raceno = static_cast<unsigned char>(YUtil::getnum(r + kRaceNumber, 2));
  yrace::long_race_texts(rd + racedrec::kRaceCode + racecode::kDate, rd[racedrec::kRaceKind],
                         rd + racedrec::kRaceName, rd[racedrec::kGrade],
                         rd + racedrec::kConditions, &racename, &raceclass);
  classrank = class_rank(rd + racedrec::kConditions, rd[racedrec::kGrade]);
  runnercount = static_cast<unsigned char>(horsecount);
  bracketno = static_cast<unsigned char>(yrace::digit_value(r[kBracketNumber], 0));
  horseno = static_cast<unsigned char>(YUtil::getnum(r + kHorseNumber, 2));
  digit = static_cast<unsigned char>(yrace::digit_value(r[kDigit], 0));
  jockeycode = yrace::raw(r + kJockeyCode, kJockeyCodeWidth);
  jockeyname = YUtil::delendspc(r + kJockeyName, kJockeyNameWidth);
  jockeytext = YUtil::delendspc(r + kJockeyText, kJockeyTextWidth);
  jockeycodebyte = r[kJockeyCodeByte];
  code2 = yrace::raw(r + kTwoCharCode, 2);
  code5 = yrace::raw(r + kFiveCharCode, 5);
  codebytes[0] = r[kCodeByte];
  codebytes[1] = static_cast<unsigned char>(yrace::digit_value(r[kPredictionMark], 0));
  codebytes[2] = r[kEntryCode];
  sexage = YUtil::getseibetu(r[kSex]) + YUtil::getage(r + kAge);
  weightcarried = static_cast<unsigned short>(YUtil::getnum(r + kWeightCarried, 3));
  track = YUtil::getsibada(rd[racedrec::kTrack], rd[racedrec::kRaceKind]);
  direction = YUtil::getlr(rd[racedrec::kDirection]);
  innerouter = YUtil::getuchi(rd[racedrec::kInnerOuter]);
  distance = static_cast<unsigned short>(YUtil::getnum(rd + racedrec::kDistance, 4));
  pace = YUtil::getpace(rd[racedrec::kPace]);
  trainercode = yrace::raw(r + kTrainerCode, kTrainerCodeWidth);
  trainername = YUtil::delendspc(r + kTrainerName, kTrainerNameWidth);
  stable = YUtil::getstableplace(r[kStableAffiliation], r + kStableLocation, false);
  const int tenths = YUtil::getnum(r + kValueTenths, 3);
  if (tenths != 0) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", tenths * 0.1);
    value = text;
  }
}

void YRaceHorse::setseisekimember(_tagRACERMREC* race, _tagRACERHREC* runners, int index,
                                  bool opponent_now) {
  using namespace racerhrec;
  // Order texts and remarks of accident codes 31 to 35.
  static const auto kAccidentOrders = yutil::sjis_table({"落", "失", "止", "消", "外"});
  static const auto kAccidentRemarks =
      yutil::sjis_table({"落馬 ", "失格 ", "中止 ", "取消 ", "除外 "});
  static const auto kWords = yutil::sjis_table({"着降着 ", "枠発走 "});
  if (runners == nullptr || index < -1) return;
  unsigned char* r = (index == -1 ? runners : runners + index)->bytes;

  horsecode = yrace::raw(r + kHorseCode, kHorseCodeWidth);
  horsename = YUtil::delendspc(r + kHorseName, kHorseNameWidth);
  racecode = yrace::raw(r + kRaceCode, kRaceCodeWidth);
  // The old-form key: place and year, kai and day, race number.
  unsigned char oldkey[kCodeWidth];
  std::memcpy(oldkey, r + kRaceCode, 6);
  std::memcpy(oldkey + 6, r + kKai, 4);
  std::memcpy(oldkey + 10, r + kRaceNumber, 2);
  kaisai = YUtil::getkaisai(oldkey, false);
  raceno = static_cast<unsigned char>(YUtil::getnum(r + kRaceNumber, 2));
  // The runner record carries no race name: without the race record the
  // race is named by its age condition and class.
  unsigned char blanks[kNameWidth];
  std::memset(blanks, ' ', sizeof blanks);
  unsigned char* name = race != nullptr ? race->bytes + racermrec::kRaceName : blanks;
  yrace::long_race_texts(r + kDate, r[kRaceKind], name, r[kGrade], r + kConditions, &racename,
                         &raceclass);
  going = YUtil::getbaba(r[kGoing]);
  goingcode = static_cast<signed char>(yrace::digit_value(r[kGoing], -1));
  runnercount = static_cast<unsigned char>(
      race != nullptr ? YUtil::getnum(race->bytes + racermrec::kRunnerCount, 2)
                      : YUtil::getnum(r + kRunnerCount, 2));
  bracketno = static_cast<unsigned char>(yrace::digit_value(r[kBracketNumber], 0));
  horseno = static_cast<unsigned char>(YUtil::getnum(r + kHorseNumber, 2));
  popularity = static_cast<unsigned char>(YUtil::getnum(r + kPopularity, 2));
  winodds = YUtil::getnum(r + kWinOdds, 5);
  order = static_cast<unsigned char>(YUtil::getnum(r + kFinishingOrder, 2));
  digit = static_cast<unsigned char>(yrace::digit_value(r[kDigit], 0));
  jockeycode = yrace::raw(r + kJockeyCode, kJockeyCodeWidth);
  jockeyname = YUtil::delendspc(r + kJockeyName, kJockeyNameWidth);
  sexage = YUtil::getseibetu(r[kSex]) + YUtil::getage(r + kAge);
  weightcarried = static_cast<unsigned short>(YUtil::getnum(r + kWeightCarried, 3));
  track = YUtil::getsibada(r[kTrack], r[kRaceKind]);
  direction = YUtil::getlr(r[kDirection]);
  innerouter = YUtil::getuchi(r[kInnerOuter]);
  distance = static_cast<unsigned short>(YUtil::getnum(r + kDistance, 4));
  racetime = static_cast<unsigned short>(YUtil::getnum(r + kResultNumber3, 4));
  margintext = YUtil::getchakusa(r + kMarginLengths, r[kMarginCode]);
  const int arrival = YUtil::getnum(r + kArrivalOrder, 2);
  int behind = YUtil::getnum(r + kMargin, 3);
  if (behind == 998) behind = 0;
  // The horse that crossed the line first leads by its margin.
  margin = static_cast<short>(arrival == 1 ? -behind : behind);
  last600 = static_cast<unsigned short>(YUtil::getnum(r + kResultNumber4, 3));
  for (int i = 0; i < 4; ++i) {
    // A position above the field below 40 is no position; 40 and above
    // carry a mark the running style reads.
    const int at = YUtil::getnum(r + kCornerPosition + kCornerPositionStride * i, 2);
    corners[i] = static_cast<unsigned char>(at > runnercount && at < 40 ? 0 : at);
  }
  position = YUtil::getp4(r[kPositionCode]);
  positioncode = static_cast<short>(r[kPositionCode] == ' ' ? 999 : r[kPositionCode] - '0');
  pace = YUtil::getpace(r[kPace]);
  resultnumbers[0] = static_cast<unsigned short>(YUtil::getnum(r + kResultNumberA, 3));
  resultnumbers[1] = static_cast<unsigned short>(YUtil::getnum(r + kResultNumberB, 3));
  bodyweight = static_cast<unsigned short>(YUtil::getnum(r + kBodyWeight, 3));
  weightchange = static_cast<short>(
      r[kBodyWeightChange] == ' ' ? 999 : YUtil::getnumpm(r + kBodyWeightChange, 3));
  trainercode = yrace::raw(r + kTrainerCode, kTrainerCodeWidth);
  trainername = YUtil::delendspc(r + kTrainerName, kTrainerNameWidth);
  stable = YUtil::getstableplace(r[kStableAffiliation], r + kStableLocation, false) +
           YUtil::delendspc(r + kStableText, kStableTextWidth);
  std::memcpy(resultblock, r + kResultBlock, sizeof resultblock);

  // Order text and remarks: a horse that started from another stall first,
  // then what befell it.
  const int post = YUtil::getnum(r + kPostNumber, 2);
  remarks.clear();
  if (post != horseno && horseno != 0 && post != 0) remarks = YUtil::getzennum(post) + kWords[1];
  const int accident = YUtil::getnum(r + kAccident, 2);
  if (accident >= 31 && accident <= 35) {
    const std::size_t at = static_cast<std::size_t>(accident - 31);
    ordertext = kAccidentOrders[at];
    remarks += kAccidentRemarks[at];
  } else if (accident == 36) {
    ordertext = YUtil::getmarunum(order);
    remarks += YUtil::getzennum(arrival) + kWords[0];
  } else {
    ordertext = YUtil::getzennum(order);
  }

  classrank = class_rank(r + kConditions, r[kGrade]);
  // With the race record the caller holds every runner record of the race:
  // the opponent is among them. A runner record alone has its race's
  // runners fetched.
  if (race != nullptr && index >= 0 && index < runnercount) {
    setopponent(runners->bytes, runnercount, order);
  } else if (opponent_now) {
    set1_sub(racecode, order);
  }
}

void YRaceHorse::set1() { set1_sub(racecode, order); }

void YRaceHorse::set1_sub(const std::string& race, int finish) {
  clearopponent();
  YHorseDB* db = getdb();
  if (db == nullptr || !db->isinit() || race.size() != kCodeWidth) return;
  yrace::OwnedBuffer buffer(get_race2code_2(race.data(), 1));
  const int count = yrace::record_count(buffer.get(), racerhrec::kSize);
  if (count == 0) return;
  setopponent(static_cast<unsigned char*>(buffer.get()), count, finish);
}

void YRaceHorse::clearopponent() {
  h1code.clear();
  h1name.clear();
  j1code.clear();
  j1name.clear();
  s1code.clear();
  s1name.clear();
}

void YRaceHorse::setopponent(unsigned char* records, int count, int finish) {
  using namespace racerhrec;
  clearopponent();
  const int wanted = finish == 1 ? 2 : 1;
  for (int i = 0; i < count; ++i) {
    unsigned char* r = records + static_cast<long>(kSize) * i;
    if (YUtil::getnum(r + kFinishingOrder, 2) != wanted) continue;
    if (std::memcmp(r + kRaceCode, racecode.data(), kRaceCodeWidth) != 0) continue;
    h1code = yrace::raw(r + kHorseCode, kHorseCodeWidth);
    h1name = YUtil::delendspc(r + kHorseName, kHorseNameWidth);
    j1code = yrace::raw(r + kJockeyCode, kJockeyCodeWidth);
    j1name = YUtil::delendspc(r + kJockeyName, kJockeyNameWidth);
    s1code = yrace::raw(r + kTrainerCode, kTrainerCodeWidth);
    s1name = YUtil::getstableplace(r[kStableAffiliation], r + kStableLocation, false) +
             YUtil::delendspc(r + kTrainerName, kTrainerNameWidth);
    break;
  }
  opponentloaded = true;
}

void YRaceHorse::set_comment() {
  YHorseDB* db = getdb();
  if (db == nullptr || !db->isinit()) return;
  comment = yrace::fetch_comment(racecode, horsecode, 0);
  memo = yrace::fetch_comment(racecode, horsecode, 1);
  commentsloaded = true;
}

std::string YRaceHorse::geth1code() {
  if (!opponentloaded) set1();
  return h1code;
}

std::string YRaceHorse::geth1name() {
  if (!opponentloaded) set1();
  return h1name;
}

std::string YRaceHorse::getj1code() {
  if (!opponentloaded) set1();
  return j1code;
}

std::string YRaceHorse::getj1name() {
  if (!opponentloaded) set1();
  return j1name;
}

std::string YRaceHorse::gets1code() {
  if (!opponentloaded) set1();
  return s1code;
}

std::string YRaceHorse::gets1name() {
  if (!opponentloaded) set1();
  return s1name;
}

std::string YRaceHorse::get_rcomment() {
  if (!commentsloaded) set_comment();
  return comment;
}

std::string YRaceHorse::get_rmemo() {
  if (!commentsloaded) set_comment();
  return memo;
}
