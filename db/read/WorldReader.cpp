// Reading the generated world a data set holds.
#include "db/read/Reader.h"

namespace ydb {

Status Reader::generatedWorld(GeneratedWorld* out, bool* found) {
  *found = false;
  Statement& held = db_.statement("SELECT seed, origin FROM generated_world WHERE id = 1");
  return EachRow(held, [&](const Statement& row) {
    if (!ParseSeed(row.column_text(0), &out->seed)) {
      return Status::Corruption("the data set's generated world has no readable seed");
    }
    out->origin = static_cast<int>(row.column_int(1));
    *found = true;
    return Status::Ok();
  });
}

}  // namespace ydb
