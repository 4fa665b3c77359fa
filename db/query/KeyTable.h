// The keys of each kind of search: what a value may be, how repeats of a
// key combine, and the fixed SQL fragment that tests it on the store. The
// SQL of a search is assembled from these fragments only (SqlAssembly.h);
// no byte of a condition text ever reaches it. GRAMMAR.md describes every
// key in the domain's words.
#ifndef YDB_QUERY_KEYTABLE_H_
#define YDB_QUERY_KEYTABLE_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "db/query/Condition.h"

namespace ydb {

enum class ValueType {
  kNumber,   // a decimal number, or a range "a-b"
  kCodes,    // codes from `min` to `max`: one, a range "a-b", or "n+" (n and over)
  kText,     // a name: contained, or matched whole when it holds * or ?
  kMeeting,  // ten digits: place 2, year 4, meeting number (kai) 2, day 2
};

enum class Repeats {
  kAlternatives,  // the terms of the key are alternatives
  kOnce,          // the key may appear once in a group
};

struct KeyDef {
  std::string_view name;
  ValueType type;
  Repeats repeats;
  std::int64_t min;
  std::int64_t max;
  // kCodes: the digits of a code (codes are compared as zero-padded text);
  // 0 for codes compared as numbers.
  int width;
  // kNumber: whether the comparisons (suffixes, text-form operators) are
  // taken; when not, "=" means `plain`.
  bool compared;
  Comparison plain;
  // kNumber: the operand on the store. kText: the name on the store as
  // searches compare it, a kept search key (name_key) or a name through
  // YDB_SEARCH_KEY. kCodes and kMeeting: a
  // predicate in which "#" stands for the bound value (for kCodes a JSON
  // array of the codes, read with json_each). In any fragment, and in the
  // kind's statement, "$" stands for today (YYYYMMDD, bound).
  const char* sql;
  // Keys with the same scope meet in one row of it: "@" stands for their
  // conditions joined with AND. Null: the searched row itself.
  const char* scope;
};

struct KindTable {
  SearchKind kind;
  std::string_view name;  // "race"
  std::vector<KeyDef> keys;
  // The statement around the conditions: `select` up to and including
  // "WHERE" (or a condition of its own and "AND"), then the conditions, then
  // `order`. The columns of `select` end at its first " FROM ", so that the
  // rows it searches can answer their keys instead.
  const char* select;
  const char* order;
  // The record's key (Relation.h) in the rows of `select`, and what a
  // subquery of related keys is matched against (for races their date,
  // place and number); null for a kind the drill-down does not walk.
  const char* key = nullptr;
  const char* match = nullptr;
};

// The key table of `kind`; null for a kind the compiler does not serve.
const KindTable* KeyTableOf(SearchKind kind);

// The index of the key `name` in `table`, or -1. Keys are case-sensitive
// ("ts" and "TS" differ).
int FindKey(const KindTable& table, std::string_view name);

// The name of the SQL function that normalises a stored name as searches
// compare names (ytext::search_key_utf8), for names the store keeps no
// search key (name_key) of; YDB_SEARCH_KEY("t.name") applies it in a
// fragment.
#define YDB_SEARCH_KEY_FUNCTION "ysearch_key"
#define YDB_SEARCH_KEY(operand) YDB_SEARCH_KEY_FUNCTION "(" operand ")"
constexpr const char* kSearchKeyFunction = YDB_SEARCH_KEY_FUNCTION;

// The name of the SQL function that gives today (db/base/Today.h) as
// YYYYMMDD text, whatever its argument; the horse search's ages count
// from its year.
constexpr const char* kTodayFunction = "ydb_today";

}  // namespace ydb

#endif  // YDB_QUERY_KEYTABLE_H_
