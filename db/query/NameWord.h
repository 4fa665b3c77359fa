// A search word for names, as every search of the store reads one: the
// Shift_JIS word normalised (ytext::normalise_search), in UTF-8, and
// whether it is a pattern. A word without wildcards matches a stored name
// that contains it; with "*" or "?" it must match the whole name. It meets
// a stored name in the name's search form: the search key the store keeps
// beside the name (name_key), or the name normalised in SQL by
// kSearchKeyFunction (KeyTable.h).
//
//   NameWord w;
//   Status s = ReadNameWord(sjis, &w);        // "ばくしん" -> "バクシン", contained
//   sql += NameTestSql("h.name_key", "?1", w.pattern);  // a test of one stored name
#ifndef YDB_QUERY_NAMEWORD_H_
#define YDB_QUERY_NAMEWORD_H_

#include <string>
#include <string_view>

#include "db/base/Status.h"

namespace ydb {

struct NameWord {
  std::string key;       // the normalised word, UTF-8
  bool pattern = false;  // holds "*" or "?": matched whole
};

// Reads the Shift_JIS word `sjis` into *out. Invalid argument, with the
// reason, for a word of more than kMaxTextBytes bytes (Parser.h) or one
// that normalises to nothing (empty, or blanks only).
Status ReadNameWord(std::string_view sjis, NameWord* out);

// The SQL test of the stored name in its search form `key` against the
// word bound as the parameter `parameter` ("?3"): contained, or matched
// whole with GLOB.
std::string NameTestSql(std::string_view key, std::string_view parameter, bool pattern);

}  // namespace ydb

#endif  // YDB_QUERY_NAMEWORD_H_
