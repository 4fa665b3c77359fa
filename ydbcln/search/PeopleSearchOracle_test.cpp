// The searches of jockeys, trainers and sires against a filter written in
// plain C++ over their rendered records on a generated season: seeded
// random conditions (SearchOracle_test.h checks them in both forms and
// combined) find exactly the people whose records the filter keeps, in
// code order; the records' counts agree with the season's runners walked
// one by one; code lists lead back to the same records.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ydbcln/search/SearchOracle_test.h"
#include "ydbcln/search/SearchSeason_test.h"

namespace {

using searchtest::Bytes;
using searchtest::Digits;

constexpr int kToday = searchtest::kSeason * 10000 + 1231;

// One jockey, trainer or sire as its record reads.
struct Person {
  std::string code;
  std::string name, kana;  // Shift_JIS, no trailing blanks
  std::string extra;       // jockey: the stable's name; sire: its sire's name
  int age = -1;
  int first_year = 0;
  char codes[4] = {' ', ' ', ' ', ' '};  // P, M, SK for jockeys; P for trainers; K, D, O, colour for sires
  int colour = 0;
  // Career and this year's figures: runs, wins, top two, top three.
  int runs = 0, wins = 0, top2 = 0, top3 = 0;
  int y_runs = 0, y_wins = 0, y_top2 = 0, y_top3 = 0;
  int y_flat_runs = 0, y_jump_runs = 0, y_prize = 0;
};

std::string Name(const unsigned char* r, int at, int width) {
  std::string s = Bytes(r, at, width);
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

// Four counts of `width` digits from `at` into runs, wins, top two, top three.
void AddCounts(const unsigned char* r, int at, int width, int* runs, int* wins, int* top2, int* top3) {
  int c[4];
  for (int k = 0; k < 4; ++k) c[k] = Digits(r, at + width * k, width);
  *runs += c[0] + c[1] + c[2] + c[3];
  *wins += c[0];
  *top2 += c[0] + c[1];
  *top3 += c[0] + c[1] + c[2];
}

int AgeOf(const unsigned char* r, int at) {
  const int birth = Digits(r, at, 8);
  return birth > 0 ? (kToday - birth) / 10000 : -1;
}

// kind 2 jockey, 3 trainer, 1 sire.
Person Read(int kind, const unsigned char* r) {
  Person p;
  if (kind == 1) {
    p.code = Bytes(r, 0, 7);
    p.name = Name(r, 7, 34);
    const int born = Digits(r, 41, 4);
    p.age = born > 0 ? kToday / 10000 - born : -1;
    p.first_year = born;
    p.colour = Digits(r, 45, 2);
    p.extra = Name(r, 58, 34);
    p.kana = Name(r, 99, 34);  // the dam's name
    for (int k = 0; k < 3; ++k) p.codes[k] = static_cast<char>(r[133 + k]);
    for (int g = 0; g < 3; ++g) AddCounts(r, 140 + 16 * g, 4, &p.runs, &p.wins, &p.top2, &p.top3);
    p.y_runs = p.runs;  // today is in the season: every run is of this year
    return p;
  }
  p.code = Bytes(r, 0, 5);
  p.name = Name(r, 5, 32);
  p.kana = Name(r, 37, 48);
  p.age = AgeOf(r, 93);
  p.first_year = Digits(r, 101, 4);
  const bool jockey = kind == 2;
  const int rh = jockey ? 159 : 110, hh = jockey ? 225 : 176, prize = jockey ? 199 : 150;
  if (jockey) {
    p.codes[0] = static_cast<char>(r[105]);
    p.codes[1] = static_cast<char>(r[108]);
    p.codes[2] = static_cast<char>(r[109]);
    p.extra = Bytes(r, 110, 5) == "00000" ? "" : Name(r, 115, 32);
  } else {
    p.codes[0] = r[108] == ' ' ? '0' : static_cast<char>(r[108]);
  }
  AddCounts(r, rh, 5, &p.runs, &p.wins, &p.top2, &p.top3);
  AddCounts(r, rh + 20, 5, &p.runs, &p.wins, &p.top2, &p.top3);
  int top2 = 0, top3 = 0;
  AddCounts(r, hh, 3, &p.y_flat_runs, &p.y_wins, &top2, &top3);
  AddCounts(r, hh + 12, 3, &p.y_jump_runs, &p.y_wins, &top2, &top3);
  p.y_runs = p.y_flat_runs + p.y_jump_runs;
  p.y_top2 = top2;
  p.y_top3 = top3;
  p.y_prize = Digits(r, prize, 7) + Digits(r, prize + 13, 7);
  return p;
}

int Rate(int part, int runs) {
  return runs == 0 ? 0 : static_cast<int>((part * 100.0 / runs + 0.05) * 10);
}

using Condition = oracletest::Condition<Person>;

class Generator : oracletest::Picks {
 public:
  Generator(int kind, const std::vector<Person>& people, std::uint32_t seed)
      : Picks(seed), kind_(kind), people_(people) {}

  // T and one or two other keys, each once (the terms of one key are
  // alternatives).
  Condition One() {
    const int t = Pick(1, 4);
    std::vector<Condition> terms = {{"T=" + std::to_string(t), "T=" + std::to_string(t),
                                     [t](const Person& p) {
                                       return t == 1 || (t == 2 && p.y_runs > 0) ||
                                              (t == 3 && p.runs > 0) || (t == 4 && p.runs == 0);
                                     }}};
    for (const int which : Different(Pick(1, 2), 0, kind_ == 1 ? 6 : 10)) {
      terms.push_back(Key(which));
    }
    return oracletest::AllOf(terms);
  }

 private:
  const Person& Anyone() { return Any(people_); }

  Condition Compared(const std::string& key, int n, std::function<long long(const Person&)> value) {
    return oracletest::Compared<Person>(key, n, Pick(0, 5), value);
  }
  Condition Codes(const std::string& key, char low, char high, int slot) {
    const char a = static_cast<char>(Pick(low, high)), b = static_cast<char>(Pick(low, high));
    const std::string t = key + "=" + std::string(1, a) + "&" + key + "=" + std::string(1, b);
    return {t, t, [=](const Person& p) { return p.codes[slot] == a || p.codes[slot] == b; }};
  }
  Condition Part(const std::string& key, std::function<const std::string&(const Person&)> of) {
    const Person* p = &Anyone();
    for (int tries = 0; of(*p).empty() && tries < 50; ++tries) p = &Anyone();
    const std::string word = of(*p).substr(0, ytext::cut_length(of(*p), 4));
    return {key + "=" + word, key + "=" + word,
            [=](const Person& x) { return ytext::search_matches(of(x), word); }};
  }

  Condition Key(int which) {
    const Person& p = Anyone();
    if (kind_ == 1) {
      switch (which) {
        case 0: return Part("N", [](const Person& x) -> const std::string& { return x.name; });
        case 1: return Part("FN", [](const Person& x) -> const std::string& { return x.extra; });
        case 2: return Codes("K", '1', '3', 0);
        case 3: return Compared("1", p.wins, [](const Person& x) { return x.wins; });
        case 4: return Compared("2", Rate(p.wins, p.runs), [](const Person& x) { return Rate(x.wins, x.runs); });
        case 5: return Compared("3", Rate(p.top3, p.runs), [](const Person& x) { return Rate(x.top3, x.runs); });
        default: {
          const int a = std::max(p.age, 0);
          return {"A=" + std::to_string(a) + "+", "A=" + std::to_string(a) + "+",
                  [a](const Person& x) { return x.age >= a; }};
        }
      }
    }
    switch (which) {
      case 0: return Part("NK", [](const Person& x) -> const std::string& { return x.name; });
      case 1: return Compared("WNH", p.y_wins, [](const Person& x) { return x.y_wins; });
      case 2: return Compared("WNR", p.wins, [](const Person& x) { return x.wins; });
      case 3: return Compared("HH", p.y_flat_runs, [](const Person& x) { return x.y_flat_runs; });
      case 4: return Compared("H", p.y_prize, [](const Person& x) { return x.y_prize; });
      case 5: return Compared("1H", Rate(p.y_wins, p.y_runs), [](const Person& x) { return Rate(x.y_wins, x.y_runs); });
      case 6: return Compared("3R", Rate(p.top3, p.runs), [](const Person& x) { return Rate(x.top3, x.runs); });
      case 7: {
        const int from = std::max(p.age, 0) / 5 * 5, to = from + 4;
        const std::string t = "A=" + std::to_string(from) + "-" + std::to_string(to);
        return {t, t, [=](const Person& x) { return x.age >= from && x.age <= to; }};
      }
      case 8: {
        const std::string t = "AN=" + std::to_string(p.first_year);
        const int y = p.first_year;
        return {t, t, [y](const Person& x) { return x.first_year >= y && x.first_year > 0; }};
      }
      case 9:
        return Codes("P", kind_ == 2 ? '1' : '0', '3', 0);
      default:
        if (kind_ == 2) return Codes("M", '1', '3', 1);
        return Compared("SH", p.y_jump_runs, [](const Person& x) { return x.y_jump_runs; });
    }
  }

  int kind_;
  const std::vector<Person>& people_;
};

// The codes of a buffer of records of kind `kKind` (`kSize` bytes each).
template <int kKind, int kSize>
std::vector<std::string> CodesOf(void* buffer) {
  std::vector<std::string> codes;
  for (int i = 0; i < yrace::record_count(buffer, kSize); ++i) {
    codes.push_back(Read(kKind, yrace::record_at(buffer, kSize, i)).code);
  }
  return codes;
}

std::string CodeOf(const Person& p) { return p.code; }

struct Kind {
  int kind;  // 1 sire, 2 jockey, 3 trainer
  int size;
  oracletest::Searches searches;
  void* (*code_list)(const void*);
};

const Kind kKinds[] = {
    {2, 257, {get_jockey2cmd, conv_jockeycmd, get_jockey2cmd_sp, CodesOf<2, 257>}, get_jockey2dt},
    {3, 208, {get_stable2cmd, conv_stablecmd, get_stable2cmd_sp, CodesOf<3, 208>}, get_stable2dt},
    {1, 196, {get_sire2cmd, conv_sirecmd, get_sire2cmd_sp, CodesOf<1, 196>}, get_sire2dt},
};

class PeopleSearchOracle : public searchtest::SearchSeason {
 protected:
  void SetUp() override {
    SearchSeason::SetUp();
    ASSERT_EQ(set_today(kToday), 0);
  }
  void TearDown() override {
    set_today(0);
    SearchSeason::TearDown();
  }
};

TEST_F(PeopleSearchOracle, FindsWhatAPlainFilterOfTheRecordsKeeps) {
  const std::uint32_t seed = oracletest::Seed(17);
  SCOPED_TRACE("seed " + std::to_string(seed));
  for (const Kind& k : kKinds) {
    SCOPED_TRACE("kind " + std::to_string(k.kind));
    yrace::OwnedBuffer all(k.searches.by_text("T=1"));
    ASSERT_NE(all, nullptr) << get_db_error();
    std::vector<Person> people;
    for (int i = 0; i < yrace::record_count(all.get(), k.size); ++i) {
      people.push_back(Read(k.kind, yrace::record_at(all.get(), k.size, i)));
    }
    ASSERT_GT(people.size(), 5u);
    Generator generator(k.kind, people, seed);
    const auto next = [&] { return generator.One(); };
    const oracletest::Checked checked =
        oracletest::CheckBothForms(k.searches, people, CodeOf, next, 30);
    oracletest::CheckCombined(k.searches, people, CodeOf, next, 10);
    EXPECT_GT(checked.found_some, 5);
    // The code list of the records leads back to them.
    yrace::OwnedBuffer list(k.code_list(all.get()));
    ASSERT_EQ(yrace::record_count(list.get(), 13), static_cast<int>(people.size()));
    yrace::OwnedBuffer again(get_otherdata(list.get(), k.kind));
    ASSERT_NE(again, nullptr) << get_db_error();
    EXPECT_EQ(k.searches.keys(again.get()), k.searches.keys(all.get()));
    EXPECT_EQ(get_otherdata(list.get(), k.kind == 1 ? 2 : 1), nullptr);
  }
}

TEST_F(PeopleSearchOracle, TheRecordsCountTheSeasonsRunners) {
  // Every started run of the season under its jockey.
  std::map<std::string, std::array<int, 2>> rides;  // runs, wins
  for (const searchtest::RaceRow& race : searchtest::ReadSeason()) {
    for (const searchtest::RunnerRow& r : race.runners) {
      if (r.accident == 34 || r.accident == 35 || r.jockey == "     ") continue;
      ++rides[r.jockey][0];
      if (r.finish == 1) ++rides[r.jockey][1];
    }
  }
  yrace::OwnedBuffer riding(get_jockey2cmd("T=2"));
  ASSERT_NE(riding, nullptr) << get_db_error();
  std::map<std::string, std::array<int, 2>> found;
  for (int i = 0; i < yrace::record_count(riding.get(), 257); ++i) {
    const Person p = Read(2, yrace::record_at(riding.get(), 257, i));
    found[p.code] = {p.y_runs, p.y_wins};
  }
  EXPECT_EQ(found, rides);
  // The leading riders by wins this year.
  int most = 0;
  for (const auto& [code, n] : rides) most = std::max(most, n[1]);
  yrace::OwnedBuffer leaders(get_jockey2cmd(("WNH>=" + std::to_string(most)).c_str()));
  ASSERT_GE(yrace::record_count(leaders.get(), 257), 1);
  EXPECT_EQ(Read(2, yrace::record_at(leaders.get(), 257, 0)).y_wins, most);
}

// The reader refuses texts by its own tests; here, at the boundary, a
// command of the races' kind handed to the jockeys' search.
TEST_F(PeopleSearchOracle, ACommandOfAnotherKindIsRefused) {
  yrace::OwnedBuffer race(conv_racecmd("P=05"));
  EXPECT_EQ(get_jockey2cmd_sp(race.get()), nullptr);
  EXPECT_STRNE(get_db_error(), "");
}

}  // namespace
