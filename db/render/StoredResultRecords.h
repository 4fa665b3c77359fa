// Results records as the writer keeps them in result_record: the record of
// one race, or of every run race of a racecourse's day in race order.
#ifndef YDB_RENDER_STOREDRESULTRECORDS_H_
#define YDB_RENDER_STOREDRESULTRECORDS_H_

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// The stored results records of `race`, or with race number 0 of every run
// race of its racecourse and day, as a new record buffer in *buffer; the
// same records RenderResultRaces renders.
Status ReadResultRecords(Database& db, const RaceKey& race, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_STOREDRESULTRECORDS_H_
