// The comment record on one horse's run: the run comment (kind 0) or the
// user's memo (kind 1). Only the text is read.
#ifndef YDBCLN_RACE_COMMENTREC_H_
#define YDBCLN_RACE_COMMENTREC_H_

#include "ydbcln/race/RecordConstants.h"

// The fields the library reads (see RecordConstants.h).
#define YDBCLN_COMMENTREC_FIELDS(X) \
  X(kSize, 1007)                   \
  X(kText, 47)                     \
  X(kTextWidth, 960)

namespace commentrec {
YDBCLN_COMMENTREC_FIELDS(YDBCLN_RECORD_CONSTANT)
}  // namespace commentrec

#endif  // YDBCLN_RACE_COMMENTREC_H_
