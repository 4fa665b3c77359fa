// Payout records (EXPRIZEREC): every payout of a run race, dead heats
// included.
#ifndef YDB_RENDER_PAYOUTRENDERER_H_
#define YDB_RENDER_PAYOUTRENDERER_H_

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// The payout record of `race` (one record, or none when the race has no
// payouts), as a new record buffer in *buffer. Entries of each pool in
// their stored order; unused entries read 0.
Status RenderPayouts(Database& db, const RaceKey& race, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_PAYOUTRENDERER_H_
