// Comment records (COMMENTREC): the comment or the user's memo on one
// horse's run.
#ifndef YDB_RENDER_COMMENTRENDERER_H_
#define YDB_RENDER_COMMENTRENDERER_H_

#include <string_view>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// Kinds of comment on a run.
enum class CommentKind { kRunComment = 0, kMemo = 1 };

// The comment record of `kind` on the run of horse `horse_code` in `race`
// (one record, or none when there is no such text), as a new record
// buffer in *buffer.
Status RenderComment(Database& db, const RaceKey& race, std::string_view horse_code,
                     CommentKind kind, void** buffer);

}  // namespace ydb

#endif  // YDB_RENDER_COMMENTRENDERER_H_
