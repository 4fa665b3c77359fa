// Rendering the comment or memo on a run.
#include "db/render/CommentRenderer.h"

#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace ydb {

Status RenderComment(Database& db, const RaceKey& race, std::string_view horse_code,
                     CommentKind kind, void** buffer) {
  Statement& st = db.statement(
      "SELECT text FROM run_comment WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 "
      "AND horse_code = ?4 AND kind = ?5");
  const int k = static_cast<int>(kind);
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number).bind(4, horse_code).bind(5, k);
  static const RecordLayout& layout = CommentLayout();
  static const Field& race_code = FieldOf(layout, "race_code");
  static const Field& horse = FieldOf(layout, "horse_code");
  static const Field& kind_field = FieldOf(layout, "kind");
  static const Field& text = FieldOf(layout, "text");
  return RenderEachRow(st, layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    b.set_code(race_code, race.code());
    b.set_code(horse, horse_code);
    b.set_digits(kind_field, k);
    b.set_text_utf8(text, row.column_text(0));
  });
}

}  // namespace ydb
