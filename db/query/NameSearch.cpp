// The statements of the name searches.
#include "db/query/NameSearch.h"

#include <string>

#include "db/query/NameWord.h"

namespace ydb {
namespace {

// The names of each kind as code and name, before the test of their kept
// search keys.
const char* Source(NameKind kind) {
  switch (kind) {
    case NameKind::kHorse:
      return "SELECT h.code, h.name FROM horse h WHERE ";
    case NameKind::kSire:
      return "SELECT h.code, h.name FROM horse h WHERE h.code IN "
             "(SELECT c.sire_code FROM horse c WHERE c.sire_code IS NOT NULL) AND ";
    case NameKind::kDam:
      return "SELECT h.code, h.name FROM horse h WHERE h.code IN "
             "(SELECT c.dam_code FROM horse c WHERE c.dam_code IS NOT NULL) AND ";
    case NameKind::kOwner:
      return "SELECT h.code, h.name FROM owner h WHERE ";
    case NameKind::kBreeder:
      return "SELECT h.code, h.name FROM breeder h WHERE ";
  }
  return nullptr;
}

}  // namespace

Status PrepareNameSearch(Database& db, NameKind kind, std::string_view word, Statement** out) {
  NameWord name;
  Status s = ReadNameWord(word, &name);
  if (!s.ok()) return s;
  const std::string sql =
      std::string(Source(kind)) + NameTestSql("h.name_key", "?1", name.pattern) + " ORDER BY 2, 1";
  Statement& st = db.assembled_statement(sql);
  if (!st.prepared()) return st.status();
  if (!st.read_only()) return Status::Corruption("a name search that could write: " + sql);
  st.bind(1, name.key);
  *out = &st;
  return Status::Ok();
}

}  // namespace ydb
