// The pieces every condition text of the horse and people searches is
// written with: a compared term in command or text form, and the bits of a
// choice mask.
#ifndef YDBCLN_SEARCH_CONDITIONTERMS_H_
#define YDBCLN_SEARCH_CONDITIONTERMS_H_

#include <string>

namespace ysearch {

// Operator codes: 0 no condition, 1 "!", 2 ">", 3 "+", 4 "<", 5 "-".
constexpr int kMaxOperator = 5;

inline bool valid_operator(int op) { return op >= 0 && op <= kMaxOperator; }

// "&KEY=VALUE>" in command form, "&KEY>=VALUE" in text form; empty for
// operator 0. The operator must be valid.
inline std::string compared_term(const std::string& key, int value, int op, bool command_form) {
  static const char* const kSuffixes[] = {"", "!", ">", "+", "<", "-"};
  static const char* const kOperators[] = {"=", "<>=", ">=", ">>=", "<=", "<<="};
  if (op == 0) return std::string();
  const std::string v = std::to_string(value);
  return "&" + key + (command_form ? "=" + v + kSuffixes[op] : kOperators[op] + v);
}

// Whether `mask` (-1: no condition) has `bit`.
inline bool has_bit(int mask, int bit) { return mask != -1 && ((mask >> bit) & 1) != 0; }

// Whether `mask` (-1: no condition) has a bit from `bit` up.
inline bool has_bit_from(int mask, int bit) {
  return mask != -1 && (static_cast<unsigned>(mask) >> bit) != 0;
}

}  // namespace ysearch

#endif  // YDBCLN_SEARCH_CONDITIONTERMS_H_
