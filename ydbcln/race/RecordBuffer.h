// Ownership of a record buffer returned by the database library, and the
// count of records of the expected size that it holds: the component's
// own helpers (db/api/RecordBuffer.h) under the library's names.
#ifndef YDBCLN_RACE_RECORDBUFFER_H_
#define YDBCLN_RACE_RECORDBUFFER_H_

#include "db/api/RecordBuffer.h"
#include "ydbcln/session/ydblib.h"

namespace yrace {

using ydb::OwnedBuffer;
using ydb::record_at;
using ydb::record_count;
using ydb::ReleaseData;

}  // namespace yrace

#endif  // YDBCLN_RACE_RECORDBUFFER_H_
