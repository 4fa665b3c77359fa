// The odds records: O1 (win, place, bracket quinella, 962 bytes), O2
// (quinella, 2042) and O3 (wide, 2654), JV-Data 4.9. Each pool is a run of
// slots at fixed places: a horse's slot by its number, a pair's by its
// place among the pairs in lexical order.
#include <algorithm>
#include <string>

#include "exchange/jvdata/RaceIdFields.h"

namespace exchange {
namespace jvdata {
namespace {

constexpr Field kAnnounced{27, 8, "HappyoTime"};  // MMDDHHMM
constexpr Field kEntered{35, 2, "TorokuTosu"};
constexpr Field kRunners{37, 2, "SyussoTosu"};

// 発売フラグ: 0 no sale, 7 on sale (1 and 3, sale called off, read as
// no sale). Written blank for a pool the set does not hold.
constexpr char kOnSale = '7';
constexpr char kNoSale = '0';

// The slots of one pool: `count` from `offset`, each a combination of
// `numbers` numbers (two digits each, but a frame one digit), the odds in
// tenths (`odds_width` digits, twice for a range) and the popularity.
struct PoolSlots {
  ydb::Pool pool;
  int flag;
  int offset;
  int count;
  int combination_width;
  int odds_width;
  bool range;
  int popularity_width;
  const char* name;

  int stride() const { return combination_width + odds_width * (range ? 2 : 1) + popularity_width; }
  Field combination(int i) const { return {offset + i * stride(), combination_width, name}; }
  Field low(int i) const { return {combination(i).offset + combination_width, odds_width, name}; }
  Field high(int i) const { return {low(i).offset + odds_width, odds_width, name}; }
};

struct OddsLayout {
  const char* type;
  int length;
  std::vector<PoolSlots> pools;
};

const OddsLayout kLayouts[] = {
    {"O1", 962,
     {{ydb::Pool::kWin, 39, 43, 28, 2, 4, false, 2, "OddsTansyoInfo"},
      {ydb::Pool::kPlace, 40, 267, 28, 2, 4, true, 2, "OddsFukusyoInfo"},
      {ydb::Pool::kBracketQuinella, 41, 603, 36, 2, 5, false, 2, "OddsWakurenInfo"}}},
    {"O2", 2042, {{ydb::Pool::kQuinella, 39, 40, 153, 4, 6, false, 3, "OddsUmarenInfo"}}},
    {"O3", 2654, {{ydb::Pool::kWide, 39, 40, 153, 4, 5, true, 3, "OddsWideInfo"}}},
};

constexpr int kMostHorses = 18;
constexpr int kFrames = 8;

const OddsLayout* LayoutOf(std::string_view type) {
  for (const OddsLayout& layout : kLayouts) {
    if (type == layout.type) return &layout;
  }
  return nullptr;
}

// The slot of a combination: a horse's by its number, a frame pair's and a
// horse pair's by its place in lexical order; -1 when the pool has none.
int SlotOf(const PoolSlots& slots, int first, int second) {
  int slot = -1;
  if (SingleHorse(slots.pool)) {
    slot = first - 1;
  } else if (slots.pool == ydb::Pool::kBracketQuinella) {
    if (first >= 1 && first <= second && second <= kFrames) {
      slot = (first - 1) * (2 * kFrames - first + 2) / 2 + (second - first);
    }
  } else if (first >= 1 && first < second && second <= kMostHorses) {
    slot = (first - 1) * (2 * kMostHorses - first) / 2 + (second - first - 1);
  }
  return slot >= 0 && slot < slots.count ? slot : -1;
}

// Odds marks: "----" a horse scratched (our "/"), "0000" no votes (our
// "*"); blanks and "****" (scratched after the sale began) as written by
// JRA read as "/" too.
constexpr const char* kScratchedOdds = "----";
constexpr const char* kNoVotesOdds = "0000";

std::string Padded(const char* mark, int width) {
  return std::string(static_cast<std::size_t>(width), mark[0]);
}

std::int64_t MostOf(int width) {
  std::int64_t most = 1;
  for (int i = 0; i < width; ++i) most *= 10;
  return most - 1;
}

void PutEntry(RecordWriter& w, const PoolSlots& slots, int slot, const ydb::OddsEntry& e) {
  const Field combination = slots.combination(slot);
  if (e.pool == ydb::Pool::kBracketQuinella) {
    w.digits(combination, e.first * 10 + e.second);
  } else if (SingleHorse(e.pool)) {
    w.digits(combination, e.first);
  } else {
    w.digits(combination, e.first * 100 + e.second);
  }
  const Field low = slots.low(slot);
  if (e.mark == "/") {
    w.code(low, Padded(kScratchedOdds, low.width));
  } else if (e.mark == "*") {
    w.code(low, Padded(kNoVotesOdds, low.width));
  } else {
    // Odds past the field's width are written as its largest, as JRA does.
    w.digits(low, std::min<std::int64_t>(e.odds, MostOf(low.width)));
    if (slots.range && e.odds_max != 0) {
      w.digits(slots.high(slot), std::min<std::int64_t>(e.odds_max, MostOf(low.width)));
    }
  }
}

// The entry of slot `slot`; false for an empty slot or one of no odds.
bool ReadEntry(FieldReader& r, const PoolSlots& slots, int slot, ydb::OddsEntry* e) {
  const std::int64_t combination = r.number(slots.combination(slot));
  if (combination == 0) return false;
  e->pool = slots.pool;
  if (slots.pool == ydb::Pool::kBracketQuinella) {
    e->first = static_cast<int>(combination / 10);
    e->second = static_cast<int>(combination % 10);
  } else if (SingleHorse(slots.pool)) {
    e->first = static_cast<int>(combination);
  } else {
    e->first = static_cast<int>(combination / 100);
    e->second = static_cast<int>(combination % 100);
  }
  const Field low = slots.low(slot);
  if (r.raw(low).find_first_not_of("-*") == std::string::npos) {
    e->mark = "/";
  } else if (!r.present(low)) {
    return false;
  } else {
    e->odds = static_cast<int>(r.number(low));
    if (e->odds == 0) e->mark = "*";
    if (slots.range && e->odds != 0) e->odds_max = static_cast<int>(r.number(slots.high(slot)));
  }
  return true;
}

bool Holds(const ydb::OddsSet& set, ydb::Pool pool) {
  return std::any_of(set.entries.begin(), set.entries.end(),
                     [pool](const ydb::OddsEntry& e) { return e.pool == pool; });
}

}  // namespace

bool FinalOdds(char stage) { return stage >= '3' && stage <= '5'; }

std::string OddsRecord(std::string_view type, const RaceId& race, int runners,
                       const ydb::OddsSet& set, bool final, int created) {
  const OddsLayout* layout = LayoutOf(type);
  if (layout == nullptr) return "";
  const auto held = [&set](const PoolSlots& slots) { return Holds(set, slots.pool); };
  if (std::none_of(layout->pools.begin(), layout->pools.end(), held)) return "";
  RecordWriter w(layout->type, layout->length, final ? kFinalOddsStage : kSaleOddsStage, created);
  PutRaceId(w, race);
  if (set.announced != 0) w.digits(kAnnounced, race.key.date % 10000 * 10000LL + set.announced);
  w.digits(kEntered, runners);
  w.digits(kRunners, runners);
  for (const PoolSlots& slots : layout->pools) {
    if (!held(slots)) continue;
    bool sold = false;
    for (const ydb::OddsEntry& e : set.entries) {
      const int slot = e.pool == slots.pool ? SlotOf(slots, e.first, e.second) : -1;
      if (slot < 0 || (e.odds == 0 && e.mark == "-")) continue;
      PutEntry(w, slots, slot, e);
      sold = true;
    }
    const char flag = sold ? kOnSale : kNoSale;
    w.code(Field{slots.flag, 1, "Flag"}, std::string_view(&flag, 1));
  }
  return w.record();
}

ydb::Status ReadOdds(const Record& record, int, RaceOdds* out) {
  const OddsLayout* layout = LayoutOf(record.type());
  if (layout == nullptr) return ydb::Status::InvalidArgument("not an odds record");
  FieldReader r(record, layout->type);
  RaceOdds odds;
  odds.race = ReadRaceId(r);
  odds.final = FinalOdds(record.stage());
  odds.announced = static_cast<int>(r.number(kAnnounced) % 10000);
  for (const PoolSlots& slots : layout->pools) {
    const char flag = r.choice(Field{slots.flag, 1, "Flag"}, "01357");
    if (flag != kOnSale) continue;
    for (int i = 0; i < slots.count; ++i) {
      ydb::OddsEntry e;
      if (ReadEntry(r, slots, i, &e)) odds.entries.push_back(e);
    }
  }
  if (!r.status().ok()) return r.status();
  *out = std::move(odds);
  return ydb::Status::Ok();
}

}  // namespace jvdata
}  // namespace exchange
