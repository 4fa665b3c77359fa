// The payouts record, HR (719 bytes, JV-Data 4.9): the pools the data set
// holds (win, place, bracket quinella, quinella, wide); the exacta, trio
// and trifecta slots stay blank and are not read.
#include <string>

#include "exchange/jvdata/RaceIdFields.h"

namespace exchange {
namespace jvdata {
namespace {

constexpr Field kEntered{27, 2, "TorokuTosu"};
constexpr Field kRunners{29, 2, "SyussoTosu"};
// The flags of each pool (not held, special payout, refund) and the
// refunded horses and frames: written as none.
constexpr Field kFlags{31, 71, "Flags"};

// The slots of one pool: `count` of them from `offset`, each a
// combination (horse or frame numbers, two digits each), the yen paid per
// 100 yen (9 digits) and the popularity.
struct PoolSlots {
  ydb::Pool pool;
  int offset;
  int count;
  int numbers;  // how many numbers a combination has
  int popularity_width;
  const char* name;

  int stride() const { return numbers * 2 + 9 + popularity_width; }
  Field combination(int i) const { return {offset + i * stride(), numbers * 2, name}; }
  Field amount(int i) const { return {offset + i * stride() + numbers * 2, 9, name}; }
  Field popularity(int i) const {
    return {offset + i * stride() + numbers * 2 + 9, popularity_width, name};
  }
};

// The bracket quinella's combination is two frame digits in its two bytes.
constexpr PoolSlots kPools[] = {
    {ydb::Pool::kWin, 102, 3, 1, 2, "PayTansyo"},
    {ydb::Pool::kPlace, 141, 5, 1, 2, "PayFukusyo"},
    {ydb::Pool::kBracketQuinella, 206, 3, 1, 2, "PayWakuren"},
    {ydb::Pool::kQuinella, 245, 3, 2, 3, "PayUmaren"},
    {ydb::Pool::kWide, 293, 7, 2, 3, "PayWide"},
};

constexpr int kLength = 719;

}  // namespace

std::string PayoutRecord(const ydb::Race& race, int created) {
  if (!race.result || race.result->payouts.empty()) return "";
  RecordWriter w("HR", kLength, StageOf(race), created);
  PutRaceId(w, {race.key, race.kai, race.kai_day});
  w.digits(kEntered, static_cast<std::int64_t>(race.runners.size()));
  w.digits(kRunners, static_cast<std::int64_t>(race.runners.size()));
  w.code(kFlags, std::string(static_cast<std::size_t>(kFlags.width), '0'));
  for (const PoolSlots& pool : kPools) {
    int slot = 0;
    for (const ydb::Payout& p : race.result->payouts) {
      if (p.pool != pool.pool || slot == pool.count) continue;
      if (p.pool == ydb::Pool::kBracketQuinella) {
        w.digits(pool.combination(slot), p.first * 10 + p.second);
      } else if (pool.numbers == 2) {
        w.digits(pool.combination(slot), p.first * 100 + p.second);
      } else {
        w.digits(pool.combination(slot), p.first);
      }
      w.digits(pool.amount(slot), p.amount);
      w.digits(pool.popularity(slot), p.popularity);
      ++slot;
    }
  }
  return w.record();
}

ydb::Status ReadPayouts(const Record& record, int, RaceId* race, std::vector<ydb::Payout>* out) {
  FieldReader r(record, "HR");
  const RaceId id = ReadRaceId(r);
  std::vector<ydb::Payout> payouts;
  for (const PoolSlots& pool : kPools) {
    for (int i = 0; i < pool.count; ++i) {
      const std::int64_t combination = r.number(pool.combination(i));
      if (combination == 0) continue;  // an empty slot
      ydb::Payout p;
      p.pool = pool.pool;
      if (p.pool == ydb::Pool::kBracketQuinella) {
        p.first = static_cast<int>(combination / 10);
        p.second = static_cast<int>(combination % 10);
      } else if (pool.numbers == 2) {
        p.first = static_cast<int>(combination / 100);
        p.second = static_cast<int>(combination % 100);
      } else {
        p.first = static_cast<int>(combination);
      }
      p.amount = r.number(pool.amount(i));
      p.popularity = static_cast<int>(r.number(pool.popularity(i)));
      payouts.push_back(p);
    }
  }
  if (!r.status().ok()) return r.status();
  *race = id;
  *out = std::move(payouts);
  return ydb::Status::Ok();
}

}  // namespace jvdata
}  // namespace exchange
