// Bought tickets as records (BUYTICKETREC, 29 ASCII bytes): the tickets of
// a race, of a year, and the pending changes, rendered from the store; and
// the reading of a ticket record handed in by the client into the writer's
// model.
//
// What readers see of a ticket is what a user holds: the committed tickets
// and the additions not yet committed; a removal not yet committed already
// hides its ticket. A ticket is its combination and count, so two equal
// tickets are two records.
#ifndef YDB_RENDER_TICKETRECORDS_H_
#define YDB_RENDER_TICKETRECORDS_H_

#include "db/base/RaceKey.h"
#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// The tickets held on the race `race`, in the order they were bought.
Status RenderTicketsOfRace(Database& db, const RaceKey& race, void** buffer);

// The tickets held on races of `year`, by race date, race code and then
// the order they were bought.
Status RenderTicketsOfYear(Database& db, int year, void** buffer);

// The changes not yet committed: with `change` 1 the added tickets, with 2
// the tickets removed, in the order above. Any other change is refused.
Status RenderPendingTickets(Database& db, int change, void** buffer);

// The ticket held in the 29 bytes at `record`. Refused as an invalid
// argument, saying which field is wrong: a field that is not digits, a
// bet-type digit outside '0' to '4', a race code that names no race, and a
// race date other than the code's. Whether the race exists and the
// combination suits its field is the writer's to check.
Status ReadTicketRecord(const void* record, Ticket* out);

}  // namespace ydb

#endif  // YDB_RENDER_TICKETRECORDS_H_
