// The payout entries that the results record (RACERMREC) and the payout
// record (EXPRIZEREC) share. Both name their entry fields alike: win and
// place by horse number, bracket quinella by its two frames as one number
// (12), quinella and wide by their two horses as one number (0102); the
// results record also keeps the quinella and wide popularities.
#ifndef YDB_RENDER_PAYOUTFIELDS_H_
#define YDB_RENDER_PAYOUTFIELDS_H_

#include <cstdint>

#include "db/base/Status.h"
#include "db/layout/RecordLayout.h"
#include "db/render/RecordBuilder.h"

namespace ydb {

// One payout of the store's payout table.
struct PayoutEntry {
  int pool = 0;  // 1 win, 2 place, 3 bracket quinella, 4 quinella, 5 wide
  int seq = 0;   // from 1: the entry's place among the pool's entries
  int first = 0;
  int second = 0;
  std::int64_t amount = 0;
  int popularity = 0;  // 0 when not known
};

// The payout fields of one of the two layouts, found once.
class PayoutFields {
 public:
  explicit PayoutFields(const RecordLayout& layout);

  // Writes the entry at index seq - 1 of its pool, with its popularity
  // where the layout keeps one. An unknown pool, or an entry beyond the
  // record's entries of its pool, fails; the answer is then the failure,
  // else the builder's status.
  Status Set(RecordBuilder& b, const PayoutEntry& entry) const;

  // Writes 0 into every entry of every pool: the payout record's form of
  // an unused entry.
  void Zero(RecordBuilder& b) const;

 private:
  struct Pool {
    const Field* combination;
    const Field* payout;
    const Field* popularity;  // null: the layout keeps none
  };
  Pool pools_[5];
};

}  // namespace ydb

#endif  // YDB_RENDER_PAYOUTFIELDS_H_
