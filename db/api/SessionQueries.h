// What the session family asks of the open store: the years of results and
// of race cards, and whether bought tickets exist.
#ifndef YDB_API_SESSIONQUERIES_H_
#define YDB_API_SESSIONQUERIES_H_

#include "db/api/SessionState.h"

namespace ydb {

enum class YearEnd { kFirst, kLast };

// The first or last year of races with results; 0 when none or no store
// is ready.
int YearOfResults(SessionState& state, YearEnd end);

// The first or last year of races with a race card (runners drawn); 0
// likewise.
int YearOfCards(SessionState& state, YearEnd end);

// Whether any bought ticket is stored: committed, or added and not yet
// committed (a ticket whose removal is pending no longer counts).
bool HasBoughtTickets(SessionState& state);

}  // namespace ydb

#endif  // YDB_API_SESSIONQUERIES_H_
