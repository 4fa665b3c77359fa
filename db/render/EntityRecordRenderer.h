// The records of one horse (YDBUMAREC), jockey (JOCKEYREC), trainer
// (STABLEREC), sire (SIREREC) and dam-sire (UMADIMSIRE). Each is one record,
// or none when the store has no such entity; bytes no field names stay
// blank. Finishing counts and prize money are counted from the entity's
// runs (EntityRuns.h) when the record is made; a count too big for its
// digits reads 9...9. The people's current-year groups are those of the
// year of Today() (db/base/Today.h).
#ifndef YDB_RENDER_ENTITYRECORDRENDERER_H_
#define YDB_RENDER_ENTITYRECORDRENDERER_H_

#include <string>
#include <string_view>
#include <vector>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

Status RenderHorse(Database& db, std::string_view horse_code, void** buffer);

// The records of the horses of `codes` in the order given, as RenderHorse
// renders each (a code given twice gives its record twice; a code of no
// horse gives none), read with two statements whatever their number.
Status RenderHorses(Database& db, const std::vector<std::string>& codes, void** buffer);
Status RenderJockey(Database& db, std::string_view jockey_code, void** buffer);
Status RenderStable(Database& db, std::string_view trainer_code, void** buffer);
Status RenderSire(Database& db, std::string_view sire_code, void** buffer);

// A dam-sire is a horse that is the dam's sire (pedigree position 5) of
// some stored horse.
Status RenderDamSire(Database& db, std::string_view horse_code, void** buffer);

// The marked entities of check-mark kind `kind` (1 horse, 2 jockey, 3 sire,
// 4 stable) in code order, each as a UMADIMSIRE record: the code (a 5-digit
// code blank-padded) and the entity's name.
Status RenderCheckMarks(Database& db, int kind, void** buffer);

// Whether `code` carries the check mark of `kind`, into *marked.
Status IsCheckMarked(Database& db, int kind, std::string_view code, bool* marked);

}  // namespace ydb

#endif  // YDB_RENDER_ENTITYRECORDRENDERER_H_
