// The race search against a filter written independently in plain C++ over
// every rendered record of a generated season: seeded random conditions
// over every race key (SearchOracle_test.h checks them in both forms and
// combined) find exactly the races the filter keeps, in date and then
// race-code order.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ydbcln/search/SearchOracle_test.h"
#include "ydbcln/search/SearchSeason_test.h"

namespace {

using searchtest::RaceRow;

using Condition = oracletest::Condition<RaceRow>;

// The characters of a UTF-8 text.
std::vector<std::u32string::value_type> Chars(const std::string& utf8) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t v = n == 1 ? c : c & (0xFF >> (n + 1));
    for (int k = 1; k < n && i + static_cast<std::size_t>(k) < utf8.size(); ++k) {
      v = (v << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
    }
    out.push_back(v);
    i += static_cast<std::size_t>(n);
  }
  return out;
}

// Whole-text match with * (any run) and ? (one character).
bool Matches(const std::vector<char32_t>& text, const std::vector<char32_t>& pattern) {
  std::size_t t = 0, p = 0, star = std::string::npos, mark = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == text[t])) {
      ++t;
      ++p;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      star = p++;
      mark = t;
    } else if (star != std::string::npos) {
      p = star + 1;
      t = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

std::string SearchForm(const std::string& sjis) {
  return ytext::to_utf8_lossy(ytext::normalise_search(sjis, true, nullptr));
}

// The class of a race as a searcher names it: 1 debut ... 6 open, 7 G3 ... 9 G1.
int ClassOf(const RaceRow& r) {
  switch (r.grade) {
    case '0': case '3': return 9;
    case '1': case '4': return 8;
    case '2': case '5': return 7;
    default: break;
  }
  const int v = r.conditions;
  if (v == 1 || v == 2) return 1;
  if (v == 3) return 2;
  if (v == 4) return 6;
  if (v == -5 || (v >= 100 && v <= 5000)) return 3;
  if (v == -10 || (v > 5000 && v <= 10000)) return 4;
  if (v == -16 || v > 10000) return 5;
  return 0;
}

class Generator : oracletest::Picks {
 public:
  Generator(const std::vector<RaceRow>& races, std::uint32_t seed)
      : Picks(seed), races_(races) {
    // The main and last race of each meeting day.
    std::map<std::string, std::vector<const RaceRow*>> days;
    for (const RaceRow& r : races_) days[r.code.substr(0, 10)].push_back(&r);
    for (const auto& [day, list] : days) {
      int last = 0;
      const RaceRow* main = nullptr;
      auto rank = [](char g) { return std::string("031425").find(g); };
      for (const RaceRow* r : list) {
        last = std::max(last, r->no);
        if (r->grade == ' ') continue;
        if (main == nullptr || rank(r->grade) < rank(main->grade) ||
            (rank(r->grade) == rank(main->grade) && r->no > main->no)) {
          main = r;
        }
      }
      last_[day] = last;
      main_[day] = main != nullptr ? main->no : 11;
    }
  }

  // One to three different keys.
  Condition One() {
    std::vector<Condition> terms;
    for (const int which : Different(Pick(1, 3), 0, 17)) terms.push_back(Key(which));
    return oracletest::AllOf(terms);
  }

 private:
  const RaceRow& AnyRace() { return Any(races_); }
  static std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

  // One code key with one or two alternative values of `low` to `high`.
  // `is(race, v)`: whether the race answers to the value v of the key.
  Condition Codes(const std::string& key, int low, int high, bool two_digits,
                  std::function<bool(const RaceRow&, int)> is) {
    std::vector<int> wanted;
    Condition c;
    for (int n = Pick(1, 2); n > 0; --n) {
      const int v = Pick(low, high);
      if (v < high && Pick(0, 4) == 0) {
        const int to = Pick(v, high);
        c.text += (c.text.empty() ? "" : "&") + key + "=" +
                  (two_digits ? Two(v) + "-" + Two(to) : std::to_string(v) + "-" + std::to_string(to));
        for (int x = v; x <= to; ++x) wanted.push_back(x);
      } else {
        c.text += (c.text.empty() ? "" : "&") + key + "=" + (two_digits ? Two(v) : std::to_string(v));
        wanted.push_back(v);
      }
    }
    c.command = c.text;
    c.holds = [wanted, is](const RaceRow& r) {
      for (const int v : wanted) {
        if (is(r, v)) return true;
      }
      return false;
    };
    return c;
  }

  // Codes whose value the race has one of.
  Condition Valued(const std::string& key, int low, int high, std::function<int(const RaceRow&)> value) {
    return Codes(key, low, high, false, [value](const RaceRow& r, int v) { return value(r) == v; });
  }

  static int Digit(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

  Condition Key(int which) {
    switch (which) {
      case 0: {  // a period
        int from = AnyRace().date, to = AnyRace().date;
        if (from > to) std::swap(from, to);
        return {"TF=" + std::to_string(from) + "&TT=" + std::to_string(to),
                "TF=" + std::to_string(from) + "&TT=" + std::to_string(to),
                [from, to](const RaceRow& r) { return r.date >= from && r.date <= to; }};
      }
      case 1: {  // a meeting range at one racecourse
        const RaceRow& a = AnyRace();
        const RaceRow& b = AnyRace();
        const std::string place = a.place;
        const int year = a.date / 10000;
        int from = a.kai * 100 + a.day, to = b.kai * 100 + b.day;
        if (from > to) std::swap(from, to);
        const std::string t = "KF=" + place + std::to_string(year) + Two(from / 100) + Two(from % 100) +
                              "&KT=" + place + std::to_string(year) + Two(to / 100) + Two(to % 100);
        return {t, t, [=](const RaceRow& r) {
                  const int at = r.kai * 100 + r.day;
                  return r.place == place && r.date / 10000 == year && at >= from && at <= to;
                }};
      }
      case 2:
        return Codes("P", 0, 9, true,
                     [](const RaceRow& r, int v) { return std::atoi(r.place.c_str()) == v; });
      case 3: {  // part of a name, or a pattern
        const RaceRow* r = &AnyRace();
        for (int tries = 0; r->name.empty() && tries < 50; ++tries) r = &AnyRace();
        std::string utf8 = Part(ytext::to_utf8_lossy(r->name), 3);
        const bool pattern = Pick(0, 2) == 0;
        if (pattern) utf8 = "*" + utf8 + "?*";
        const std::string sjis = ytext::to_sjis_lossy(utf8);
        const std::vector<char32_t> wanted = Chars(SearchForm(sjis));
        return {"N=" + sjis, "N=" + sjis, [wanted, pattern](const RaceRow& race) {
                  const std::vector<char32_t> n = Chars(SearchForm(race.name));
                  if (pattern) return Matches(n, wanted);
                  return std::search(n.begin(), n.end(), wanted.begin(), wanted.end()) != n.end();
                }};
      }
      case 4:
        return Valued("G", 0, 2, [](const RaceRow& r) { return r.grade == ' ' ? -1 : Digit(r.grade) % 3; });
      case 5:
        // A race answers to its number, and to 13 or 14 when it is the main
        // or the last race of its day.
        return Codes("R", 1, 14, true, [this](const RaceRow& r, int v) {
          const std::string day = r.code.substr(0, 10);
          return v == r.no || (v == 13 && main_.at(day) == r.no) || (v == 14 && last_.at(day) == r.no);
        });
      case 6: {
        const int from = AnyRace().distance;
        const int to = from + 100 * Pick(0, 8);
        return {"DF=" + std::to_string(from) + "&DT=" + std::to_string(to),
                "DF=" + std::to_string(from) + "&DT=" + std::to_string(to),
                [from, to](const RaceRow& r) { return r.distance >= from && r.distance <= to; }};
      }
      case 7:
        return Valued("B", 0, 2, [](const RaceRow& r) { return r.race_kind == '0' ? 2 : Digit(r.track); });
      case 8:
        return Valued("C", 0, 5, [](const RaceRow& r) { return Digit(r.rail); });
      case 9:
        return Valued("US", 0, 1, [](const RaceRow& r) { return Digit(r.inner_outer); });
      case 10:
        return Valued("MW", 0, 2, [](const RaceRow& r) { return Digit(r.direction); });
      case 11:
        return Valued("A", 1, 4, [](const RaceRow& r) { return Digit(r.race_kind); });
      case 12:
        return Valued("L", 1, 9, [](const RaceRow& r) { return ClassOf(r); });
      case 13: {  // a payout range of one pool
        const int pool = Pick(0, 4);
        const char* keys[5][2] = {{"WF", "WT"}, {"PF", "PT"}, {"BF", "BT"}, {"QF", "QT"}, {"IF", "IT"}};
        const RaceRow& r = AnyRace();
        const int seen = r.payouts[pool].empty() ? 1000 : r.payouts[pool].front();
        const int from = seen / 2, to = seen * 2;
        const int ends = Pick(0, 2);  // both ends, from only, to only
        std::string t;
        if (ends != 2) t += std::string(keys[pool][0]) + "=" + std::to_string(from);
        if (ends != 1) t += (t.empty() ? "" : "&") + std::string(keys[pool][1]) + "=" + std::to_string(to);
        return {t, t, [=](const RaceRow& race) {
                  for (const int amount : race.payouts[pool]) {
                    if ((ends == 2 || amount >= from) && (ends == 1 || amount <= to)) return true;
                  }
                  return false;
                }};
      }
      case 14:
        return Valued("H", 0, 2, [](const RaceRow& r) { return Digit(r.pace); });
      case 15: {
        Condition c = Valued("J", 0, 3, [](const RaceRow& r) { return Digit(r.going); });
        if (Pick(0, 1) == 0) return c;
        return Valued("Z", 0, 5, [](const RaceRow& r) { return Digit(r.weather); });
      }
      case 16: {  // the runner count, compared
        const int n = Pick(6, 18);
        return oracletest::Compared<RaceRow>("ts", n, Pick(0, 5),
                                             [](const RaceRow& r) { return r.runner_count; });
      }
      default: {  // runner conditions
        return Codes("TK", 1, 8, false, [](const RaceRow& r, int v) {
          const int accident[] = {0, 0, 0, 32, 36, 33, 31, 34, 35};
          for (const auto& ru : r.runners) {
            if (v == 1 && (ru.corners[0] > 40 || ru.corners[1] > 40 || ru.corners[2] > 40 ||
                           ru.corners[3] > 40)) {
              return true;
            }
            if (v == 2 && ru.horse_no < ru.post_no) return true;
            if (v >= 3 && ru.accident == accident[v]) return true;
          }
          return false;
        });
      }
    }
  }

  const std::vector<RaceRow>& races_;
  std::map<std::string, int> main_, last_;
};

std::string CodeOf(const RaceRow& r) { return r.code; }

class RaceSearchOracle : public searchtest::SearchSeason {};

TEST_F(RaceSearchOracle, FindsWhatAPlainFilterKeepsInBothFormsAndCombined) {
  const std::vector<RaceRow> races = searchtest::ReadSeason();
  ASSERT_GT(races.size(), 1000u);
  const std::uint32_t seed = oracletest::Seed(16);
  SCOPED_TRACE("seed " + std::to_string(seed));
  Generator generator(races, seed);
  const oracletest::Searches searches{get_race2cmd, conv_racecmd, get_race2cmd_sp1,
                                      searchtest::CodesOf};
  const auto next = [&] { return generator.One(); };
  const oracletest::Checked checked =
      oracletest::CheckBothForms(searches, races, CodeOf, next, 150);
  oracletest::CheckCombined(searches, races, CodeOf, next, 40);
  // Enough of the conditions find races for the comparison to mean something.
  EXPECT_GT(checked.found_some, 45);
}

}  // namespace
