// The sire-code record (SIRECODEREC) of a horse: its sire's code and name,
// as the theory engine asks for them before it gathers the sire's
// offspring runs.
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

}  // namespace ydb

#endif  // YDB_RENDER_SIRECODERENDERER_H_
