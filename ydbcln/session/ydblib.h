// The database library as the client library sees it: the engine start and
// stop, the record buffers, and the database operations. The client library
// reaches stored data only through these declarations.
#ifndef YDBCLN_SESSION_YDBLIB_H_
#define YDBCLN_SESSION_YDBLIB_H_

#include "db/api/ybl.h"
#include "db/api/ydbbsn.h"
#include "db/api/yddb.h"

#endif  // YDBCLN_SESSION_YDBLIB_H_
