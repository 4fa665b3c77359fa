// The first step of every operation that reads stored data: a session to
// read through, and one that is initialised.
#ifndef YDBCLN_SESSION_SESSIONREADY_H_
#define YDBCLN_SESSION_SESSIONREADY_H_

#include "ydbcln/session/YHorseDB.h"

namespace ysession {

// False with no session, recording nothing; false leaving status 1001 when
// the session is not initialised; true when reading may go on.
inline bool ready(YHorseDB* db) {
  if (db == nullptr) return false;
  if (!db->isinit()) {
    db->seterror(YHorseDB::kNotInitialised, "", 0);
    return false;
  }
  return true;
}

}  // namespace ysession

#endif  // YDBCLN_SESSION_SESSIONREADY_H_
