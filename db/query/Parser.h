// Compiling a condition text into a typed condition.
//
// A text is terms joined by "&"; a term is a key of the kind's key table,
// an operator and a value (GRAMMAR.md). The text is read once from left to
// right, stepping over Shift_JIS double-byte characters, with no recursion
// the input could deepen. A text that breaks a rule is refused with the
// byte offset of the fault and what was expected there:
//
//   Condition c;
//   Status s = ParseCondition(SearchKind::kRace, "TF=2024&TT=20241231", &c);
//   // s: "at byte 3: a date of 8 digits from 19000101 to 29991231 for TF"
#ifndef YDB_QUERY_PARSER_H_
#define YDB_QUERY_PARSER_H_

#include <cstddef>
#include <string_view>

#include "db/base/Status.h"
#include "db/query/Condition.h"

namespace ydb {

// The limits of a condition.
constexpr std::size_t kMaxConditionBytes = 2048;  // of one condition text
constexpr std::size_t kMaxTerms = 64;             // of one group
constexpr std::size_t kMaxTextBytes = 60;         // of one name value
constexpr std::size_t kMaxGroups = 8;             // combined into one command

// Compiles `text` (Shift_JIS) into a condition of one group, in *out.
// Invalid argument, with the reason, when the text breaks a rule; *out is
// then left empty.
Status ParseCondition(SearchKind kind, std::string_view text, Condition* out);

}  // namespace ydb

#endif  // YDB_QUERY_PARSER_H_
