// The name searches: the stored names of horses, sires, dams, owners and
// breeders that answer to a search word (NameWord.h: normalised, contained,
// or a pattern matched whole), each with its code, in name and then code
// order. Every statement is read-only and binds the word.
//
//   Status s = EachName(db, NameKind::kSire, sjis_word, [&](const Statement& row) {
//     row.column_text(0);  // the code ("0123456")
//     row.column_text(1);  // the name (UTF-8)
//     return Status::Ok();
//   });
#ifndef YDB_QUERY_NAMESEARCH_H_
#define YDB_QUERY_NAMESEARCH_H_

#include <string_view>

#include "db/base/Status.h"
#include "db/store/Database.h"
#include "db/store/Statement.h"

namespace ydb {

enum class NameKind {
  kHorse,    // every horse the data set holds with a code
  kSire,     // a horse that is the sire of a stored horse
  kDam,      // a horse that is the dam of a stored horse
  kOwner,    // an owner (6-digit code)
  kBreeder,  // a breeder (8-digit code)
};

// The statement finding the names of `kind` that answer to `word`
// (Shift_JIS), bound and ready to step, in *out. Invalid argument for a
// word ReadNameWord refuses.
Status PrepareNameSearch(Database& db, NameKind kind, std::string_view word, Statement** out);

// Calls `each(const Statement& row)` for every name found until it fails.
template <typename Each>
Status EachName(Database& db, NameKind kind, std::string_view word, Each each) {
  Statement* st = nullptr;
  const Status s = PrepareNameSearch(db, kind, word, &st);
  if (!s.ok()) return s;
  return EachRow(*st, each);
}

}  // namespace ydb

#endif  // YDB_QUERY_NAMESEARCH_H_
