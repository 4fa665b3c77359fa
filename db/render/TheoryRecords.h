// The stored theories as records: the theory list (THEORYSUMREC), one
// theory (THEORYREC), and the reading of a THEORYREC handed in by the client
// into the writer's model.
//
// The store keeps a theory as its fields: the title as UTF-8 text, the items
// in their slots. A record rendered from them has the title blank-padded and
// the unused item slots zero; the code, the reserved field, the item count
// and the items come back as they were stored.
#ifndef YDB_RENDER_THEORYRECORDS_H_
#define YDB_RENDER_THEORYRECORDS_H_

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// One summary record per stored theory (code, title, item count), in
// ascending code order, as a new record buffer in *buffer.
Status RenderTheoryList(Database& db, void** buffer);

// The theory record of `code` (one record, or none for a code not stored)
// as a new record buffer in *buffer.
Status RenderTheory(Database& db, int code, void** buffer);

// The theory held in the 232 bytes at `record`. Refused: an item count
// outside 0-8, and a title that is not Shift_JIS text which comes back the
// same from the store (so a stored theory gives back the bytes it was
// stored with). The title ends at its first NUL or its trailing blanks.
Status ReadTheoryRecord(const void* record, Theory* out);

}  // namespace ydb

#endif  // YDB_RENDER_THEORYRECORDS_H_
