// YRaceTotalEx: totalling a race search's payouts and runners.
#include "ydbcln/money/YRaceTotalEx.h"

#include <cstring>

#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/search/YSearchDetailRace.h"
#include "ydbcln/session/OutOfMemory.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

// The unit named in the error's detail.
constexpr const char* kUnit = "ydbcln/YRaceTotalEx";
constexpr int kScratched = 34;
constexpr int kExcluded = 35;

// Where a pool's payout entries lie in the race result record.
struct PoolEntries {
  int combination, combinationwidth, payout, payoutwidth, stride, count;
};

constexpr PoolEntries kPoolEntries[YRaceTotalEx::kPools] = {
    {racermrec::kWinHorseNumber, racermrec::kWinHorseNumberWidth, racermrec::kWinPayout,
     racermrec::kWinPayoutWidth, racermrec::kWinHorseNumberStride,
     racermrec::kWinHorseNumberCount},
    {racermrec::kPlaceHorseNumber, racermrec::kPlaceHorseNumberWidth, racermrec::kPlacePayout,
     racermrec::kPlacePayoutWidth, racermrec::kPlaceHorseNumberStride,
     racermrec::kPlaceHorseNumberCount},
    {racermrec::kBracketPair, racermrec::kBracketPairWidth, racermrec::kBracketPayout,
     racermrec::kBracketPayoutWidth, racermrec::kBracketPairStride, racermrec::kBracketPairCount},
    {racermrec::kQuinellaPair, racermrec::kQuinellaPairWidth, racermrec::kQuinellaPayout,
     racermrec::kQuinellaPayoutWidth, racermrec::kQuinellaPairStride,
     racermrec::kQuinellaPairCount},
    {racermrec::kWidePair, racermrec::kWidePairWidth, racermrec::kWidePayout,
     racermrec::kWidePayoutWidth, racermrec::kWidePairStride, racermrec::kWidePairCount},
};

// Counts a run finishing `finish` in row `index` of `rows` (`size` rows).
void CountIn(int (*rows)[YRaceTotalEx::kRowSize], int size, int index, int finish) {
  if (index < 1 || index > size) return;
  ++rows[index - 1][finish >= 1 && finish <= 3 ? finish - 1 : 3];
}

// The rates of each row, as YRaceTotal gives them.
void SetRates(int (*rows)[YRaceTotalEx::kRowSize], int size) {
  for (int i = 0; i < size; ++i) {
    int* row = rows[i];
    // The top two as one count of firsts give the top-two rate.
    int toptwo[4] = {row[0] + row[1], 0, 0, row[2] + row[3]};
    row[4] = YRaceTotal::calc_win(row);
    row[5] = YRaceTotal::calc_win(toptwo);
    row[6] = YRaceTotal::calc_3chak(row);
  }
}

}  // namespace

YRaceTotalEx::YRaceTotalEx(YHorseDB* db) : db_(db) { clear(); }

YRaceTotalEx::YRaceTotalEx(const YRaceTotalEx& other)
    : condition(other.condition), db_(other.db_), codes_(other.codes_),
      races_(other.races_ == nullptr ? nullptr : dup_data(other.races_)) {
  std::memcpy(pay, other.pay, sizeof pay);
  std::memcpy(waku, other.waku, sizeof waku);
  std::memcpy(umaban, other.umaban, sizeof umaban);
  std::memcpy(ninki, other.ninki, sizeof ninki);
}

YRaceTotalEx& YRaceTotalEx::operator=(const YRaceTotalEx& other) {
  if (this != &other) {
    YRaceTotalEx copy(other);
    std::swap(condition, copy.condition);
    std::swap(db_, copy.db_);
    std::swap(codes_, copy.codes_);
    std::swap(races_, copy.races_);
    std::memcpy(pay, copy.pay, sizeof pay);
    std::memcpy(waku, copy.waku, sizeof waku);
    std::memcpy(umaban, copy.umaban, sizeof umaban);
    std::memcpy(ninki, copy.ninki, sizeof ninki);
  }
  return *this;
}

YRaceTotalEx::~YRaceTotalEx() { release(); }

void YRaceTotalEx::release() {
  if (races_ != nullptr) release_data(races_);
  races_ = nullptr;
}

void YRaceTotalEx::clear() {
  std::memset(pay, 0, sizeof pay);
  std::memset(waku, 0, sizeof waku);
  std::memset(umaban, 0, sizeof umaban);
  std::memset(ninki, 0, sizeof ninki);
  codes_.clear();
}

int YRaceTotalEx::failed(int line) {
  if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, kUnit, line);
  return -1;
}

int YRaceTotalEx::exec(int count, char* codes) {
  clear();
  return ysession::guarded(
      db_, -1,
      [&] {
        for (int i = 0; i < count && codes != nullptr; ++i) {
          const std::string code(codes + 12 * i, 12);
          yrace::OwnedBuffer race(get_race2code_1_ex(code.c_str(), 1));
          if (race == nullptr) return failed(__LINE__);
          if (yrace::record_count(race.get(), racermrec::kSize) < 1) continue;
          yrace::OwnedBuffer runs(get_race2code_2(race.get(), 1));
          if (runs == nullptr) return failed(__LINE__);
          const int runners = yrace::record_count(runs.get(), racerhrec::kSize);
          if (runners > 0 && infoset(static_cast<unsigned char*>(race.get())) == 0) {
            resultset(runners, static_cast<unsigned char*>(runs.get()));
            codes_.push_back(code);
          }
        }
        infoend();
        resultend();
        return 0;
      },
      [&] { clear(); });
}

int YRaceTotalEx::exec(_tagRACERMREC* races, _tagSCMD* command) {
  const int count = races == nullptr ? 0 : yrace::record_count(races, racermrec::kSize);
  if (count < 1) return -1;
  clear();
  release();
  return ysession::guarded(
      db_, -1,
      [&] {
        auto* records = reinterpret_cast<unsigned char*>(races);
        for (int i = 0; i < count; ++i) {
          unsigned char* race = records + static_cast<long>(racermrec::kSize) * i;
          infoset(race);
          codes_.emplace_back(reinterpret_cast<char*>(race + racermrec::kRaceCode), 12);
        }
        yrace::OwnedBuffer runs(get_race2cmd_sp2(command, 1));
        if (runs == nullptr) return failed(__LINE__);
        resultset(yrace::record_count(runs.get(), racerhrec::kSize),
                  static_cast<unsigned char*>(runs.get()));
        infoend();
        resultend();
        races_ = dup_data(races);
        return 0;
      },
      [&] { clear(); });
}

int YRaceTotalEx::infoset(unsigned char* race) {
  for (int pool = 0; pool < kPools; ++pool) {
    const PoolEntries& e = kPoolEntries[pool];
    for (int i = 0; i < e.count; ++i) {
      const int combination = YUtil::getnum(race + e.combination + e.stride * i,
                                            e.combinationwidth);
      const int payout = YUtil::getnum(race + e.payout + e.stride * i, e.payoutwidth);
      if (combination != 0 && payout != 0) infosetsub(pool, payout);
    }
  }
  return 0;
}

void YRaceTotalEx::infosetsub(int pool, int payout) {
  int* p = pay[pool];
  if (p[kCount] == 0 || payout < p[kSmallest]) p[kSmallest] = payout;
  if (p[kCount] == 0 || payout > p[kLargest]) p[kLargest] = payout;
  p[kAverage] += payout;
  ++p[kCount];
}

void YRaceTotalEx::infoend() {
  for (int* p : pay) {
    if (p[kCount] > 0) p[kAverage] = static_cast<int>(static_cast<double>(p[kAverage]) / p[kCount] + 0.5);
  }
}

void YRaceTotalEx::resultset(int count, unsigned char* runs) {
  for (int i = 0; i < count; ++i) {
    unsigned char* run = runs + static_cast<long>(racerhrec::kSize) * i;
    const int code = YUtil::getnum(run + racerhrec::kAccident, 2);
    if (code == kScratched || code == kExcluded) continue;
    const int finish = YUtil::getnum(run + racerhrec::kFinishingOrder, 2);
    const unsigned char frame = run[racerhrec::kBracketNumber];
    CountIn(waku, 8, frame >= '1' && frame <= '8' ? frame - '0' : 0, finish);
    CountIn(umaban, 18, YUtil::getnum(run + racerhrec::kHorseNumber, 2), finish);
    CountIn(ninki, 18, YUtil::getnum(run + racerhrec::kPopularity, 2), finish);
  }
}

void YRaceTotalEx::resultend() {
  SetRates(waku, 8);
  SetRates(umaban, 18);
  SetRates(ninki, 18);
}

void YRaceTotalEx::setcondstring(YSearchDetailRace* search) {
  condition.clear();
  if (search == nullptr) return;
  std::string texts[13];
  search->getsearchstring(texts);
  for (const std::string& text : texts) {
    if (text.empty()) continue;
    if (!condition.empty()) condition += ' ';
    condition += text;
  }
}

int YRaceTotalEx::getracecnt() { return static_cast<int>(codes_.size()); }

std::string YRaceTotalEx::getracecode(int i) {
  return i >= 0 && i < getracecnt() ? codes_[i] : std::string();
}
