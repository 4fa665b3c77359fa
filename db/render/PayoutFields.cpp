// Writing payout entries into the results and payout records.
#include "db/render/PayoutFields.h"

#include <optional>
#include <string>

#include "db/base/Codes.h"

namespace ydb {
namespace {

// The field names of each pool, win to wide.
struct PoolNames {
  const char* combination;
  const char* payout;
  const char* popularity;  // null: no record keeps one
};

constexpr PoolNames kPoolNames[5] = {
    {"win_horse_number", "win_payout", nullptr},
    {"place_horse_number", "place_payout", nullptr},
    {"bracket_pair", "bracket_payout", nullptr},
    {"quinella_pair", "quinella_payout", "quinella_popularity"},
    {"wide_pair", "wide_payout", "wide_popularity"},
};

// The combination as one number: a horse, two frames (12) or two horses
// (0102).
int Combination(const PayoutEntry& e) {
  const std::optional<Pool> pool = PoolOfNumber(e.pool);
  if (!pool || SingleHorse(*pool)) return e.first;
  return *pool == Pool::kBracketQuinella ? e.first * 10 + e.second : e.first * 100 + e.second;
}

}  // namespace

PayoutFields::PayoutFields(const RecordLayout& layout) {
  for (int p = 0; p < 5; ++p) {
    pools_[p] = {&FieldOf(layout, kPoolNames[p].combination), &FieldOf(layout, kPoolNames[p].payout),
                 kPoolNames[p].popularity != nullptr ? layout.find(kPoolNames[p].popularity)
                                                     : nullptr};
  }
}

Status PayoutFields::Set(RecordBuilder& b, const PayoutEntry& entry) const {
  if (!PoolOfNumber(entry.pool) || entry.seq < 1) {
    return Status::Corruption("payout of pool " + std::to_string(entry.pool) + " entry " +
                         std::to_string(entry.seq) + " has no place in the record");
  }
  const Pool& p = pools_[entry.pool - 1];
  const auto index = static_cast<std::size_t>(entry.seq - 1);
  b.set_digits(*p.combination, Combination(entry), index);
  b.set_digits(*p.payout, entry.amount, index);
  if (p.popularity != nullptr && entry.popularity > 0) {
    b.set_digits(*p.popularity, entry.popularity, index);
  }
  return b.status();
}

void PayoutFields::Zero(RecordBuilder& b) const {
  for (const Pool& p : pools_) {
    for (std::size_t i = 0; i < p.combination->count; ++i) {
      b.set_digits(*p.combination, 0, i);
      b.set_digits(*p.payout, 0, i);
    }
  }
}

}  // namespace ydb
