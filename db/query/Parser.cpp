// The condition compiler's reader: terms, operators and values, checked
// against the kind's key table.
#include "db/query/Parser.h"

#include <algorithm>
#include <string>

#include "db/query/KeyTable.h"
#include "db/query/NameWord.h"
#include "text/sjis.h"

namespace ydb {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsKeyChar(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), IsDigit);
}

// A number of at most 10 digits.
bool ReadNumber(std::string_view s, std::int64_t* out) {
  if (!IsDigits(s) || s.size() > 10) return false;
  std::int64_t v = 0;
  for (const char c : s) v = v * 10 + (c - '0');
  *out = v;
  return true;
}

// The operators of the text form, longest first so that "<<=" is not read
// as "<" followed by "<=".
struct Operator {
  std::string_view text;
  Comparison comparison;
};
constexpr Operator kOperators[] = {
    {"<>=", Comparison::kNotEqual}, {">>=", Comparison::kMore}, {"<<=", Comparison::kLess},
    {">=", Comparison::kAtLeast},   {"<=", Comparison::kAtMost}, {"=", Comparison::kEqual},
};

// The comparison a command-form suffix stands for.
bool SuffixComparison(char c, Comparison* out) {
  switch (c) {
    case '!': *out = Comparison::kNotEqual; return true;
    case '>': *out = Comparison::kAtLeast; return true;
    case '+': *out = Comparison::kMore; return true;
    case '<': *out = Comparison::kAtMost; return true;
    case '-': *out = Comparison::kLess; return true;
    default: return false;
  }
}

class Reader {
 public:
  Reader(const KindTable& table, std::string_view text, Group* group)
      : table_(table), text_(text), group_(group) {}

  Status Read() {
    if (text_.empty()) return Fault(0, "a term (KEY=VALUE); the condition is empty");
    if (text_.size() > kMaxConditionBytes) {
      return Fault(kMaxConditionBytes, "the end: a condition holds at most " +
                                           std::to_string(kMaxConditionBytes) + " bytes");
    }
    std::size_t at = 0;
    while (true) {
      Status s = ReadTerm(&at);
      if (!s.ok()) return s;
      if (at == text_.size()) return Status::Ok();
      ++at;  // the "&"
    }
  }

 private:
  Status Fault(std::size_t offset, const std::string& expected) const {
    return Status::InvalidArgument("at byte " + std::to_string(offset) + ": expected " + expected);
  }

  // One term from *at up to the next "&" or the end; *at is left there.
  Status ReadTerm(std::size_t* at) {
    const std::size_t start = *at;
    if (group_->terms.size() == kMaxTerms) {
      return Fault(start, "the end: a condition holds at most " + std::to_string(kMaxTerms) +
                              " terms");
    }
    std::size_t i = start;
    while (i < text_.size() && IsKeyChar(text_[i])) ++i;
    const std::string_view key = text_.substr(start, i - start);
    if (key.empty()) return Fault(start, "a key (letters and digits)");
    const int index = FindKey(table_, key);
    if (index < 0) return Fault(start, "a key of the " + std::string(table_.name) +
                                           " search; " + std::string(key) + " is none");
    const KeyDef& def = table_.keys[static_cast<std::size_t>(index)];

    const std::size_t op_at = i;
    const Operator* op = nullptr;
    for (const Operator& o : kOperators) {
      if (text_.substr(i, o.text.size()) == o.text) {
        op = &o;
        break;
      }
    }
    if (op == nullptr) return Fault(op_at, "an operator (= <>= >= >>= <= <<=) after " +
                                               std::string(key));
    i += op->text.size();

    // The value: up to the next "&", stepping over double-byte characters.
    const std::size_t value_at = i;
    while (i < text_.size() && text_[i] != '&') {
      const auto c = static_cast<unsigned char>(text_[i]);
      if (c == 0) return Fault(i, "a character of the value; a NUL byte is none");
      if (ytext::is_lead_byte(c)) {
        if (i + 1 >= text_.size() || !ytext::is_trail_byte(static_cast<unsigned char>(text_[i + 1]))) {
          return Fault(i + 1, "the second byte of a double-byte character");
        }
        i += 2;
      } else {
        ++i;
      }
    }
    *at = i;
    const std::string_view value = text_.substr(value_at, i - value_at);
    if (value.empty()) return Fault(value_at, "a value for " + std::string(key));

    if (def.repeats == Repeats::kOnce) {
      for (const Term& t : group_->terms) {
        if (t.key == index) return Fault(start, "no second " + std::string(key) +
                                                    ": it may appear once");
      }
    }
    Term term;
    term.key = index;
    term.offset = start;
    if (op->comparison != Comparison::kEqual && !(def.type == ValueType::kNumber && def.compared)) {
      return Fault(op_at, "\"=\": " + std::string(key) + " takes no comparison");
    }
    Status s = ReadValue(def, op->comparison, value, value_at, &term);
    if (!s.ok()) return s;
    group_->terms.push_back(std::move(term));
    return Status::Ok();
  }

  Status ReadValue(const KeyDef& def, Comparison op, std::string_view value, std::size_t at,
                   Term* term) {
    switch (def.type) {
      case ValueType::kNumber: return ReadNumberValue(def, op, value, at, term);
      case ValueType::kCodes: return ReadCodes(def, value, at, term);
      case ValueType::kText: return ReadText(def, value, at, term);
      case ValueType::kMeeting:
        if (value.size() != 10 || !IsDigits(value)) {
          return Fault(at, "a meeting of 10 digits (place 2, year 4, meeting 2, day 2) for " +
                               std::string(def.name));
        }
        term->codes.emplace_back(value);
        return Status::Ok();
    }
    return Fault(at, "a value");
  }

  std::string Bounds(const KeyDef& def) const {
    return std::to_string(def.min) + " to " + std::to_string(def.max);
  }

  Status ReadNumberValue(const KeyDef& def, Comparison op, std::string_view value,
                         std::size_t at, Term* term) {
    const std::string expected = "a number from " + Bounds(def) + " for " + std::string(def.name);
    term->comparison = def.compared ? op : def.plain;
    std::string_view digits = value;
    if (def.compared && op == Comparison::kEqual) {
      const std::size_t dash = value.find('-');
      if (dash != std::string_view::npos && dash + 1 < value.size()) {
        // A range a-b.
        if (!ReadNumber(value.substr(0, dash), &term->low) ||
            !ReadNumber(value.substr(dash + 1), &term->high)) {
          return Fault(at, expected + ", or a range a-b");
        }
        if (term->low > term->high) return Fault(at, "a range whose first end is the lower");
        if (term->low < def.min || term->high > def.max) return Fault(at, expected);
        term->comparison = Comparison::kBetween;
        return Status::Ok();
      }
      Comparison suffix;
      if (SuffixComparison(value.back(), &suffix)) {
        term->comparison = suffix;
        digits = value.substr(0, value.size() - 1);
      }
    }
    if (!ReadNumber(digits, &term->low) || term->low < def.min || term->low > def.max) {
      return Fault(at, expected);
    }
    return Status::Ok();
  }

  Status ReadCodes(const KeyDef& def, std::string_view value, std::size_t at, Term* term) {
    const std::string expected =
        (def.width > 0 ? "a code of " + std::to_string(def.width) + " digits" : "a number") +
        " from " + Bounds(def) + " (or a range a-b, or n+) for " + std::string(def.name);
    auto code = [&](std::string_view s, std::int64_t* v) {
      if (def.width > 0 && s.size() != static_cast<std::size_t>(def.width)) return false;
      return ReadNumber(s, v) && *v >= def.min && *v <= def.max;
    };
    std::int64_t low = 0;
    std::int64_t high = 0;
    const std::size_t dash = value.find('-');
    if (value.back() == '+') {
      if (!code(value.substr(0, value.size() - 1), &low)) return Fault(at, expected);
      high = def.max;
    } else if (dash != std::string_view::npos) {
      if (!code(value.substr(0, dash), &low) || !code(value.substr(dash + 1), &high)) {
        return Fault(at, expected);
      }
      if (low > high) return Fault(at, "a range whose first end is the lower");
    } else {
      if (!code(value, &low)) return Fault(at, expected);
      high = low;
    }
    for (std::int64_t v = low; v <= high; ++v) {
      std::string c = std::to_string(v);
      if (def.width > 0) c.insert(0, static_cast<std::size_t>(def.width) - c.size(), '0');
      term->codes.push_back(std::move(c));
    }
    return Status::Ok();
  }

  Status ReadText(const KeyDef& def, std::string_view value, std::size_t at, Term* term) {
    if (value.size() > kMaxTextBytes) {
      return Fault(at + kMaxTextBytes, "the end of the name: a name holds at most " +
                                           std::to_string(kMaxTextBytes) + " bytes");
    }
    NameWord word;
    if (!ReadNameWord(value, &word).ok()) return Fault(at, "a name for " + std::string(def.name));
    term->text = std::move(word.key);
    term->pattern = word.pattern;
    return Status::Ok();
  }

  const KindTable& table_;
  std::string_view text_;
  Group* group_;
};

}  // namespace

Status ParseCondition(SearchKind kind, std::string_view text, Condition* out) {
  *out = Condition();
  const KindTable* table = KeyTableOf(kind);
  if (table == nullptr) return Status::InvalidArgument("no search of this kind");
  Group group;
  group.kind = kind;
  group.text = std::string(text);
  Status s = Reader(*table, text, &group).Read();
  if (!s.ok()) return s;
  out->kind = kind;
  out->groups.push_back(std::move(group));
  return Status::Ok();
}

}  // namespace ydb
