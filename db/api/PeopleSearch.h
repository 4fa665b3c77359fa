// The records a code list of jockeys, trainers or sires names, for
// get_otherdata (search_people.cpp).
#ifndef YDB_API_PEOPLESEARCH_H_
#define YDB_API_PEOPLESEARCH_H_

#include "db/base/Status.h"
#include "db/query/Condition.h"
#include "db/store/Database.h"

namespace ydb {

// The records (JOCKEYREC, STABLEREC or SIREREC) of the codes of `codes`, a
// buffer of CODELISTREC records all of `kind` (kJockey, kStable, kSire), in
// the list's order; a code not well formed or naming none is left out.
// Invalid argument for another buffer, kind, or a code of another kind.
Status RenderCodeList(Database& db, const void* codes, SearchKind kind, void** out);

}  // namespace ydb

#endif  // YDB_API_PEOPLESEARCH_H_
