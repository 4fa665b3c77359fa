// The sire-code record (SIRECODEREC) of a horse: its sire's code and name,
// as the theory engine asks for them before it gathers the sire's
// offspring runs; or those of every horse of a range of races.
#ifndef YDB_RENDER_SIRECODERENDERER_H_
#define YDB_RENDER_SIRECODERENDERER_H_

#include <string_view>

#include "db/base/Status.h"
#include "db/store/Database.h"

namespace ydb {

// One record when the horse `horse_code` has a sire with a code in the
// store; none otherwise. The name is the pedigree's, or the sire's own
// horse name when the pedigree gives none.
Status RenderSireCode(Database& db, std::string_view horse_code, void** buffer);

// The records RenderSireCode renders of each horse entered in the run
// races dated `first` to `last`, each after its horse's code
// (HORSESIREREC), in horse-code order.
Status RenderSireCodesBetween(Database& db, int first, int last, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_SIRECODERENDERER_H_
