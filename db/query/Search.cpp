// Preparing and binding a search's statement.
#include "db/query/Search.h"

#include <string>
#include <string_view>

#include "db/base/Today.h"
#include "db/query/KeyTable.h"
#include "db/query/SqlAssembly.h"
#include "text/sjis.h"

namespace ydb {
namespace {

std::string TodayText(std::string_view) { return std::to_string(Today()); }

Status Prepare(Database& db, const AssembledQuery& query, Statement** out) {
  Status s = db.defineTextFunction(kSearchKeyFunction, ytext::search_key_utf8);
  if (s.ok()) s = db.defineTextFunction(kTodayFunction, TodayText);
  if (!s.ok()) return s;
  Statement& st = db.assembled_statement(query.sql);
  if (!st.prepared()) return st.status();
  if (!st.read_only()) return Status::Corruption("a search statement that could write: " + query.sql);
  for (std::size_t i = 0; i < query.bindings.size(); ++i) {
    const Binding& b = query.bindings[i];
    const int index = static_cast<int>(i) + 1;
    if (b.is_text) {
      st.bind(index, b.text);
    } else {
      st.bind(index, b.number);
    }
  }
  *out = &st;
  return Status::Ok();
}

}  // namespace

Status PrepareSearch(Database& db, const Condition& condition, Statement** out) {
  if (KeyTableOf(condition.kind) == nullptr || condition.groups.empty()) {
    return Status::InvalidArgument("no search of this kind");
  }
  return Prepare(db, AssembleQuery(condition), out);
}

Status PrepareRelated(Database& db, RecordKind found, const Group& group, Statement** out) {
  return Prepare(db, AssembleRelated(found, group), out);
}

}  // namespace ydb
