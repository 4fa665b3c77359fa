// Rendering a horse's sire: the horse's copy of its pedigree's sire code,
// with the name from the pedigree row or the sire's horse row.
#include "db/render/SireCodeRenderer.h"

#include "db/layout/Layouts.h"
#include "db/render/AncestorName.h"
#include "db/render/ColumnFields.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

constexpr const char* kSql =
    "SELECT h.sire_code, coalesce(nullif(" YDB_ANCESTOR_NAME("p") ", ''), s.name) "
    "FROM horse h "
    "LEFT JOIN pedigree p ON p.horse_code = h.code AND p.position = 1 "
    "LEFT JOIN horse s ON s.code = h.sire_code "
    "WHERE h.code = ?1 AND h.sire_code IS NOT NULL";

}  // namespace

Status RenderSireCode(Database& db, std::string_view horse_code, void** buffer) {
  static const Field& sire_code = FieldOf(SireCodeLayout(), "sire_code");
  static const Field& sire_name = FieldOf(SireCodeLayout(), "sire_name");
  Statement& st = db.statement(kSql);
  st.bind(1, horse_code);
  return RenderEachRow(st, SireCodeLayout(), buffer, [&](RecordBuilder& b, const Statement& row) {
    CodeFrom(b, sire_code, row, 0);
    TextFrom(b, sire_name, row, 1);
  });
}

}  // namespace ydb
