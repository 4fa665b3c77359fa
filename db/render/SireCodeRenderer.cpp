// Rendering a horse's sire: the horse's copy of its pedigree's sire code,
// with the name from the pedigree row or the sire's horse row.
#include "db/render/SireCodeRenderer.h"

#include <string>

#include "db/layout/Layouts.h"
#include "db/render/AncestorName.h"
#include "db/render/ColumnFields.h"
#include "db/render/RaceRangeRenderer.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

// The horse's code, its sire's code and name, of the horses the `where`
// clause picks.
std::string SireQuery(const std::string& where) {
  return "SELECT h.code, h.sire_code, coalesce(nullif(" YDB_ANCESTOR_NAME("p") ", ''), s.name) "
         "FROM horse h "
         "LEFT JOIN pedigree p ON p.horse_code = h.code AND p.position = 1 "
         "LEFT JOIN horse s ON s.code = h.sire_code "
         "WHERE h.sire_code IS NOT NULL AND " + where;
}

// Renders the sire of each row of `st` into `layout`, the horse's code too
// when the layout has a place for it.
Status RenderSires(Statement& st, const RecordLayout& layout, void** buffer) {
  const Field* horse_code = layout.find("horse_code");
  const Field& sire_code = FieldOf(layout, "sire_code");
  const Field& sire_name = FieldOf(layout, "sire_name");
  return RenderEachRow(st, layout, buffer, [&](RecordBuilder& b, const Statement& row) {
    if (horse_code != nullptr) CodeFrom(b, *horse_code, row, 0);
    CodeFrom(b, sire_code, row, 1);
    TextFrom(b, sire_name, row, 2);
  });
}

}  // namespace

Status RenderSireCode(Database& db, std::string_view horse_code, void** buffer) {
  static const std::string sql = SireQuery("h.code = ?1");
  Statement& st = db.statement(sql);
  st.bind(1, horse_code);
  return RenderSires(st, SireCodeLayout(), buffer);
}

Status RenderSireCodesBetween(Database& db, int first, int last, void** buffer) {
  static const std::string sql =
      SireQuery("h.code IN (" + EnteredHorsesQuery() + ") ORDER BY h.code");
  Statement& st = db.statement(sql);
  st.bind(1, first).bind(2, last);
  return RenderSires(st, HorseSireLayout(), buffer);
}

}  // namespace ydb
