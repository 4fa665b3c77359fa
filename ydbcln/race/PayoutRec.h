// The payout record of a run race, with every dead-heat entry. Each entry is
// a horse number, frame pair or horse pair followed by its payout in yen per
// 100 yen; an unused entry reads 0.
#ifndef YDBCLN_RACE_PAYOUTREC_H_
#define YDBCLN_RACE_PAYOUTREC_H_

namespace payoutrec {

constexpr int kSize = 254;

constexpr int kWin = 20;       // 3 entries of horse 2 + payout 6
constexpr int kPlace = 44;     // 5 entries of horse 2 + payout 6
constexpr int kSingleStride = 8;
constexpr int kBracket = 84;   // 3 entries of frame pair 2 + payout 6
constexpr int kBracketStride = 10;
constexpr int kQuinella = 114; // 3 entries of horse pair 4 + payout 7
constexpr int kWide = 156;     // 7 entries of horse pair 4 + payout 7
constexpr int kPairStride = 14;

constexpr int kNumberWidth = 2;        // a horse number or a frame pair
constexpr int kShortPayoutWidth = 6;   // after a 2-digit number
constexpr int kPairWidth = 4;
constexpr int kLongPayoutWidth = 7;    // after a 4-digit pair

}  // namespace payoutrec

#endif  // YDBCLN_RACE_PAYOUTREC_H_
