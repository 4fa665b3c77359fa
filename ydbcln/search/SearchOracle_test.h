// Test support for the search oracles: seeded random conditions in the
// text form and the command form of the condition language, each with what
// it means as a plain C++ predicate over rows the test reads itself, and
// the checks that a search finds exactly the rows the predicate keeps, in
// both forms, alone and combined with add_cmd.
//
//   oracletest::Searches horses{get_uma2cmd, conv_umacmd, get_uma2cmd_sp, HorseCodes};
//   oracletest::Checked c = oracletest::CheckBothForms(horses, rows, CodeOf,
//                                                      [&] { return generator.One(); }, 50);
//   EXPECT_GT(c.found_some, 20);
//
// YDBCLN_ORACLE_SEED chooses another seed than the test's own.
#ifndef YDBCLN_SEARCH_SEARCHORACLE_TEST_H_
#define YDBCLN_SEARCH_SEARCHORACLE_TEST_H_

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/ydblib.h"

namespace oracletest {

// A condition in both forms and what it means for a row.
template <typename Row>
struct Condition {
  std::string text;
  std::string command;
  std::function<bool(const Row&)> holds;
};

// The conditions of `terms` together ("&" in both forms): a row must meet
// every one.
template <typename Row>
Condition<Row> AllOf(const std::vector<Condition<Row>>& terms) {
  Condition<Row> all;
  std::vector<std::function<bool(const Row&)>> each;
  for (const Condition<Row>& t : terms) {
    all.text += (all.text.empty() ? "" : "&") + t.text;
    all.command += (all.command.empty() ? "" : "&") + t.command;
    each.push_back(t.holds);
  }
  all.holds = [each](const Row& row) {
    for (const auto& holds : each) {
      if (!holds(row)) return false;
    }
    return true;
  };
  return all;
}

// `key` compared with `n` by comparison `k` (0 =, 1 <>, 2 >=, 3 >, 4 <=,
// 5 <): "K>=n" in the text form, "K=n+" and the like in the command form.
template <typename Row>
Condition<Row> Compared(const std::string& key, long long n, int k,
                        std::function<long long(const Row&)> value) {
  static const char* const kOperator[] = {"=", "<>=", ">=", ">>=", "<=", "<<="};
  static const char* const kSuffix[] = {"", "!", ">", "+", "<", "-"};
  return {key + kOperator[k] + std::to_string(n), key + "=" + std::to_string(n) + kSuffix[k],
          [=](const Row& row) {
            const long long v = value(row);
            switch (k) {
              case 0: return v == n;
              case 1: return v != n;
              case 2: return v >= n;
              case 3: return v > n;
              case 4: return v <= n;
              default: return v < n;
            }
          }};
}

// Seeded random choices for a condition generator.
class Picks {
 public:
  explicit Picks(std::uint32_t seed) : random_(seed) {}
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  template <typename Row>
  const Row& Any(const std::vector<Row>& rows) {
    return rows[static_cast<std::size_t>(Pick(0, static_cast<int>(rows.size()) - 1))];
  }
  // `count` different numbers of `low` to `high`.
  std::vector<int> Different(int count, int low, int high) {
    std::vector<int> chosen;
    while (static_cast<int>(chosen.size()) < count) {
      const int n = Pick(low, high);
      bool seen = false;
      for (const int c : chosen) seen = seen || c == n;
      if (!seen) chosen.push_back(n);
    }
    return chosen;
  }
  // Up to `most` characters of a UTF-8 text, from a character boundary.
  std::string Part(const std::string& utf8, int most) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
      if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) starts.push_back(i);
    }
    starts.push_back(utf8.size());
    const int chars = static_cast<int>(starts.size()) - 1;
    const auto first = static_cast<std::size_t>(Pick(0, chars > 0 ? chars - 1 : 0));
    const auto last = std::min(starts.size() - 1, first + static_cast<std::size_t>(Pick(1, most)));
    return utf8.substr(starts[first], starts[last] - starts[first]);
  }

 private:
  std::mt19937 random_;
};

// YDBCLN_ORACLE_SEED, or the test's own seed.
inline std::uint32_t Seed(std::uint32_t own) {
  const char* chosen = std::getenv("YDBCLN_ORACLE_SEED");
  return static_cast<std::uint32_t>(chosen != nullptr ? std::strtoul(chosen, nullptr, 10) : own);
}

// How one kind's searches run: a text, a compiled command, and the keys
// (codes) of the records a buffer holds, in buffer order.
struct Searches {
  void* (*by_text)(const char*);
  void* (*compile)(const char*);
  void* (*by_command)(const void*);
  std::vector<std::string> (*keys)(void*);
};

// The keys of the rows `holds` keeps, in row order.
template <typename Row>
std::vector<std::string> Kept(const std::vector<Row>& rows,
                              const std::function<bool(const Row&)>& holds,
                              std::string (*key_of)(const Row&)) {
  std::vector<std::string> keys;
  for (const Row& row : rows) {
    if (holds(row)) keys.push_back(key_of(row));
  }
  return keys;
}

// What a run of checks met: conditions checked, and those that kept some
// rows but not every one.
struct Checked {
  int conditions = 0;
  int found_some = 0;
};

// Checks `count` conditions from `next()` in both forms against the rows
// the predicate keeps; a condition keeping more than `at_most` rows is
// passed over (finding thousands proves no more than finding a few).
template <typename Row, typename Next>
Checked CheckBothForms(const Searches& s, const std::vector<Row>& rows,
                       std::string (*key_of)(const Row&), Next next, int count,
                       std::size_t at_most = SIZE_MAX) {
  Checked checked;
  while (checked.conditions < count) {
    const Condition<Row> c = next();
    const std::vector<std::string> expected = Kept(rows, c.holds, key_of);
    if (expected.size() > at_most) continue;
    ++checked.conditions;
    yrace::OwnedBuffer found(s.by_text(c.text.c_str()));
    EXPECT_NE(found, nullptr) << c.text << ": " << get_db_error();
    EXPECT_EQ(s.keys(found.get()), expected) << c.text;
    yrace::OwnedBuffer command(s.compile(c.command.c_str()));
    EXPECT_NE(command, nullptr) << c.command << ": " << get_db_error();
    yrace::OwnedBuffer by_command(s.by_command(command.get()));
    EXPECT_NE(by_command, nullptr) << c.command << ": " << get_db_error();
    EXPECT_EQ(s.keys(by_command.get()), expected) << c.command;
    if (!expected.empty() && expected.size() < rows.size()) ++checked.found_some;
  }
  return checked;
}

// Checks `count` pairs of conditions from `next()`, their commands joined
// by add_cmd, against the rows both predicates keep.
template <typename Row, typename Next>
void CheckCombined(const Searches& s, const std::vector<Row>& rows,
                   std::string (*key_of)(const Row&), Next next, int count,
                   std::size_t at_most = SIZE_MAX) {
  for (int checked = 0; checked < count;) {
    const Condition<Row> a = next();
    const Condition<Row> b = next();
    const std::vector<std::string> expected =
        Kept<Row>(rows, [&](const Row& row) { return a.holds(row) && b.holds(row); }, key_of);
    if (expected.size() > at_most) continue;
    ++checked;
    yrace::OwnedBuffer first(s.compile(a.command.c_str()));
    yrace::OwnedBuffer second(s.compile(b.command.c_str()));
    yrace::OwnedBuffer both(add_cmd(first.get(), second.get()));
    ASSERT_NE(both, nullptr) << get_db_error();
    yrace::OwnedBuffer found(s.by_command(both.get()));
    EXPECT_NE(found, nullptr) << get_db_error();
    EXPECT_EQ(s.keys(found.get()), expected) << a.command << " + " << b.command;
  }
}

}  // namespace oracletest

#endif  // YDBCLN_SEARCH_SEARCHORACLE_TEST_H_
