// The name searches at the C boundary: registered horse names, sire and dam
// names, owners and breeders that answer to a search word, as records.
#include <string_view>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbbsn.h"
#include "db/layout/Layouts.h"
#include "db/query/NameSearch.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace {

using ydb::Database;
using ydb::NameKind;
using ydb::RecordBuilder;
using ydb::Statement;
using ydb::Status;

// The names of `kind` that answer to `word`: code-and-name records
// (UMADIMSIRE), or, for breeders, name records (NAMEREC).
void* FetchNames(const char* operation, NameKind kind, const char* word) {
  return ydb::Fetch(operation, [&](Database& db, void** out) {
    const bool coded = kind != NameKind::kBreeder;
    ydb::RenderedRecords names(coded ? ydb::DamSireLayout() : ydb::NameLayout());
    const Status s = ydb::EachName(db, kind, ydb::TextArgument(word), [&](const Statement& row) {
      RecordBuilder b(names.Add(), names.layout());
      if (coded) b.set_code("code", row.column_text(0));
      b.set_text_utf8("name", row.column_text(1));
      return b.status();
    });
    if (!s.ok()) return s;
    return names.Finish(out);
  });
}

}  // namespace

extern "C" {

void* get_umahm(const char* word) { return FetchNames("get_umahm", NameKind::kHorse, word); }

void* get_sirefm(const char* word, int dams) {
  return FetchNames("get_sirefm", dams != 0 ? NameKind::kDam : NameKind::kSire, word);
}

void* get_umabase(const char* word, int breeders) {
  return FetchNames("get_umabase", breeders != 0 ? NameKind::kBreeder : NameKind::kOwner, word);
}

}  // extern "C"
