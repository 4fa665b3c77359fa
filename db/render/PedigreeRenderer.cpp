// Rendering a horse's pedigree: the horse row and its pedigree rows in one
// query, each pedigree position into the parent or ancestor slot it names.
#include "db/render/PedigreeRenderer.h"

#include <string_view>

#include "db/base/model.h"
#include "db/layout/Layouts.h"
#include "db/render/AncestorName.h"
#include "db/render/ColumnFields.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

enum Column : int {
  kHorseName, kPosition, kName, kNameLatin, kFoaledInJapan, kCoat, kBirthYear, kShownName,
};

constexpr const char* kSql =
    "SELECT h.name, p.position, p.name, p.name_latin, p.foaled_in_japan, p.coat_code, "
    "p.birth_year, " YDB_ANCESTOR_NAME("p") " "
    "FROM horse h JOIN pedigree p ON p.horse_code = h.code "
    "WHERE h.code = ?1 ORDER BY p.position";

constexpr std::size_t kParents = 2;
constexpr std::size_t kAncestors = static_cast<std::size_t>(kPedigreeSize) - kParents;

// The pedigree record's fields, found once.
struct PedigreeFields {
  const RecordLayout& layout = PedigreeLayout();
  const Field& horse_code = FieldOf(layout, "horse_code");
  const Field& horse_name = FieldOf(layout, "horse_name");
  const Field& parent_origin = FieldOf(layout, "parent_origin");
  const Field& parent_name = FieldOf(layout, "parent_name");
  const Field& parent_latin_name = FieldOf(layout, "parent_latin_name");
  const Field& parent_birth_year = FieldOf(layout, "parent_birth_year");
  const Field& parent_color = FieldOf(layout, "parent_color");
  const Field& ancestor_origin = FieldOf(layout, "ancestor_origin");
  const Field& ancestor_name = FieldOf(layout, "ancestor_name");
};

// Origin flags: '1' foaled in Japan, and for a position not known, so that
// it carries no import mark; '0' imported.
constexpr std::string_view kNoMark = "1";
constexpr std::string_view kImported = "0";

std::string_view OriginFlag(const Statement& row) {
  return row.column_int(kFoaledInJapan) != 0 ? kNoMark : kImported;
}

// One pedigree row into its slot. Positions 1 and 2 are the parents, 3 to
// 14 the ancestors, both in the store's order, which is the record's. A
// parent has a field for each name; an ancestor's one field takes the name
// it is shown by.
void SetPosition(RecordBuilder& b, const PedigreeFields& f, const Statement& row) {
  const std::size_t slot = static_cast<std::size_t>(row.column_int(kPosition) - 1);
  if (slot < kParents) {
    b.set_code(f.parent_origin, OriginFlag(row), slot);
    TextFrom(b, f.parent_name, row, kName, slot);
    TextFrom(b, f.parent_latin_name, row, kNameLatin, slot);
    DigitsFrom(b, f.parent_birth_year, row, kBirthYear, slot);
    CodeFrom(b, f.parent_color, row, kCoat, slot);
  } else {
    b.set_code(f.ancestor_origin, OriginFlag(row), slot - kParents);
    TextFrom(b, f.ancestor_name, row, kShownName, slot - kParents);
  }
}

}  // namespace

Status RenderPedigree(Database& db, std::string_view horse_code, void** buffer) {
  Statement& st = db.statement(kSql);
  st.bind(1, horse_code);
  static const PedigreeFields f;
  RenderedRecords out(f.layout);
  Status s;
  if (st.step()) {
    RecordBuilder b(out.Add(), out.layout());
    b.set_code(f.horse_code, horse_code);
    TextFrom(b, f.horse_name, st, kHorseName);
    for (std::size_t p = 0; p < kParents; ++p) b.set_code(f.parent_origin, kNoMark, p);
    for (std::size_t a = 0; a < kAncestors; ++a) b.set_code(f.ancestor_origin, kNoMark, a);
    do {
      SetPosition(b, f, st);
    } while (b.status().ok() && st.step());
    s = b.status();
  }
  if (s.ok()) s = st.status();
  st.reset();
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace ydb
