// A search condition as the compiler understands it: never SQL, only keys of
// a kind's key table and typed values. A condition is a list of groups that
// must all hold (a command combined with another holds both); inside a
// group, different keys must all hold and the terms of one key are
// alternatives.
//
//   Condition c;
//   Status s = ParseCondition(SearchKind::kRace, "TF=20240101&P=04&P=05", &c);
//   // c.groups[0].terms: TF >= 20240101, P in {04}, P in {05}
#ifndef YDB_QUERY_CONDITION_H_
#define YDB_QUERY_CONDITION_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ydb {

// The kinds of search, numbered as get_otherdata numbers them (0 horse,
// 1 sire, 2 jockey, 3 stable, 4 race, 5 race-horse run; the dam-sires,
// which have no code list, after them); the compiler serves the kinds that
// have a key table.
enum class SearchKind {
  kHorse = 0,
  kSire = 1,
  kJockey = 2,
  kStable = 3,
  kRace = 4,
  kDamSire = 6,
};

// How a term compares the key's value on the store with its own.
enum class Comparison {
  kEqual,      // "="
  kNotEqual,   // "!" suffix, "<>=" operator
  kAtLeast,    // ">" suffix, ">=" operator
  kMore,       // "+" suffix, ">>=" operator
  kAtMost,     // "<" suffix, "<=" operator
  kLess,       // "-" suffix, "<<=" operator
  kBetween,    // "a-b", both ends included
};

struct Term {
  int key = 0;                 // index in the kind's key table
  Comparison comparison = Comparison::kEqual;
  std::int64_t low = 0;        // a number, or the low end of a range
  std::int64_t high = 0;       // the high end of a range
  std::vector<std::string> codes;  // a code key: every code the term names
  std::string text;            // a text key: the normalised word (UTF-8)
  bool pattern = false;        // a text with wildcards, matched whole
  std::size_t offset = 0;      // of the term in its condition text
};

// A group of the condition's own kind holds for a record that meets it; a
// group of another kind (a command combined across kinds) holds for a
// record related to one of that kind that meets it (Relation.h).
struct Group {
  SearchKind kind = SearchKind::kRace;  // of the key table its terms index
  std::string text;  // the condition text the group was compiled from
  std::vector<Term> terms;
};

struct Condition {
  SearchKind kind = SearchKind::kRace;  // of the records found
  std::vector<Group> groups;
};

}  // namespace ydb

#endif  // YDB_QUERY_CONDITION_H_
