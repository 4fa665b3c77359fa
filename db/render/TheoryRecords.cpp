// Rendering the stored theories, and reading a theory record into the
// writer's model.
#include "db/render/TheoryRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"
#include "text/sjis.h"

namespace ydb {
namespace {

constexpr int kMaxItems = 8;

}  // namespace

Status RenderTheoryList(Database& db, void** buffer) {
  Statement& st = db.statement(
      "SELECT code, title, (SELECT count(*) FROM theory_item WHERE theory_code = theory.code) "
      "FROM theory ORDER BY code");
  static const RecordLayout& layout = TheorySummaryLayout();
  static const Field& code = FieldOf(layout, "code");
  static const Field& title = FieldOf(layout, "title");
  static const Field& count = FieldOf(layout, "item_count");
  RenderedRecords out(layout);
  Status s;
  while (s.ok() && st.step()) {
    RecordBuilder b(out.Add(), layout);
    b.set_int(code, st.column_int(0));
    b.set_text_utf8(title, st.column_text(1));
    b.set_int(count, st.column_int(2));
    s = b.status();
  }
  if (s.ok()) s = st.status();
  st.reset();
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

Status RenderTheory(Database& db, int code, void** buffer) {
  // One row per item in slot order, or one row of NULL items for a theory
  // without any.
  Statement& st = db.statement(
      "SELECT t.title, t.reserved, i.item_no, i.weight, i.param_0, i.param_1, i.param_2 "
      "FROM theory t LEFT JOIN theory_item i ON i.theory_code = t.code "
      "WHERE t.code = ?1 ORDER BY i.slot");
  st.bind(1, code);
  static const RecordLayout& layout = TheoryLayout();
  static const Field& code_field = FieldOf(layout, "code");
  static const Field& title = FieldOf(layout, "title");
  static const Field& reserved = FieldOf(layout, "reserved");
  static const Field& count = FieldOf(layout, "item_count");
  static const Field* const item_fields[5] = {
      &FieldOf(layout, "item_number"),     &FieldOf(layout, "item_value"),
      &FieldOf(layout, "item_parameter0"), &FieldOf(layout, "item_parameter1"),
      &FieldOf(layout, "item_parameter2"),
  };
  RenderedRecords out(layout);
  std::optional<RecordBuilder> b;
  std::size_t items = 0;
  while (st.step()) {
    if (!b) {
      b.emplace(out.Add(), layout);
      b->set_int(code_field, code);
      b->set_text_utf8(title, st.column_text(0));
      b->set_int(reserved, st.column_int(1));
    }
    if (st.column_is_null(2)) continue;
    for (int k = 0; k < 5; ++k) b->set_int(*item_fields[k], st.column_int(2 + k), items);
    ++items;
  }
  Status s = st.status();
  st.reset();
  if (s.ok() && b) {
    b->set_int(count, static_cast<std::int64_t>(items));
    s = b->status();
  }
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

Status ReadTheoryRecord(const void* record, Theory* out) {
  static const RecordLayout& layout = TheoryLayout();
  RecordReader r(record, layout);
  const std::int64_t count = r.integer("item_count").value_or(-1);
  if (count < 0 || count > kMaxItems) {
    return Status::InvalidArgument("item count " + std::to_string(count) + " is outside 0-8");
  }
  // The title is text: it ends at a NUL or at its trailing blanks. Text
  // after a NUL would be lost without a word, so a title holding any is
  // refused.
  std::string_view title = r.bytes("title");
  const std::size_t nul = title.find('\0');
  if (nul != std::string_view::npos &&
      title.find_first_not_of(std::string_view("\0 ", 2), nul) != std::string_view::npos) {
    return Status::InvalidArgument("the title holds a NUL byte with text after it");
  }
  title = title.substr(0, nul);
  const std::size_t end = title.find_last_not_of(' ');
  title = end == std::string_view::npos ? std::string_view() : title.substr(0, end + 1);
  std::string utf8;
  std::string back;
  if (!ytext::to_utf8(title, &utf8) || !ytext::to_sjis(utf8, &back) || back != title) {
    return Status::InvalidArgument("the title is not Shift_JIS text");
  }
  Theory theory;
  theory.code = static_cast<int>(r.integer("code").value_or(-1));
  theory.title = std::move(utf8);
  theory.reserved = static_cast<int>(r.integer("reserved").value_or(0));
  for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
    TheoryItem item;
    item.item_no = static_cast<int>(r.integer("item_number", i).value_or(0));
    item.weight = static_cast<int>(r.integer("item_value", i).value_or(0));
    item.param_0 = static_cast<int>(r.integer("item_parameter0", i).value_or(0));
    item.param_1 = static_cast<int>(r.integer("item_parameter1", i).value_or(0));
    item.param_2 = static_cast<int>(r.integer("item_parameter2", i).value_or(0));
    theory.items.push_back(item);
  }
  *out = std::move(theory);
  return Status::Ok();
}

}  // namespace ydb
