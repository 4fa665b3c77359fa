// ydbcln: the class library for analysing JRA flat and jump racing.
// Including this header declares every public class of the library.
#ifndef YDBCLN_YDBCLN_H_
#define YDBCLN_YDBCLN_H_

// Session and shared infrastructure
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YList.h"
#include "ydbcln/session/YMainObject.h"
#include "ydbcln/session/YObject.h"
#include "ydbcln/session/YSubObject.h"
#include "ydbcln/session/YUtil.h"

#endif  // YDBCLN_YDBCLN_H_
