// The pedigree record (PEDREC) of a horse: its sire and dam with both names,
// year of birth and coat colour, and the twelve ancestors of the two
// generations behind them.
#ifndef YDB_RENDER_PEDIGREERENDERER_H_
#define YDB_RENDER_PEDIGREERENDERER_H_

#include <string_view>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

// The pedigree record of the horse `horse_code` (one record, or none when
// the store holds no pedigree for it, or no such horse), as a new record
// buffer in *buffer. Pedigree positions the store does not know are blank,
// with the origin flag '1' (no import mark).
Status RenderPedigree(Database& db, std::string_view horse_code, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_PEDIGREERENDERER_H_
