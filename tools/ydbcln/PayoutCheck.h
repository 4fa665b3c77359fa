// What a payout file record must be to be shown as a race's payouts. The
// file carries no mark of its own, so a record read from it is checked
// entry by entry: any other file (random bytes, another format) fails on
// its first records.
#ifndef YDBCLN_TOOL_PAYOUTCHECK_H_
#define YDBCLN_TOOL_PAYOUTCHECK_H_

#include <ydbcln/race/YHaitoInfo.h>

#include <string>

namespace tool {

// Why `payouts` cannot be the payouts of a race, or "" when it can. Every
// entry is empty (combination and payout 0) or a combination of its pool
// (horses 1 to 18, frames 1 to 8; a frame pair a <= b, a horse pair a < b)
// with a payout of 1 to 999,999,999 yen.
std::string PayoutFault(const YHaitoInfo& payouts);

}  // namespace tool

#endif  // YDBCLN_TOOL_PAYOUTCHECK_H_
