// The horse search and the runs of a race search against filters written
// independently in plain C++ over the rendered records of the generated
// season the race oracle reads: seeded random horse conditions
// (SearchOracle_test.h checks them in both forms and combined) find
// exactly the horses the filter keeps, in code order; a race command's
// runs are the runners of its races, every one or the first places only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ydbcln/search/SearchOracle_test.h"
#include "ydbcln/search/SearchSeason_test.h"

namespace {

using searchtest::Bytes;
using searchtest::Digits;

constexpr int kHorseRecord = 593;

// One horse as its record shows it.
struct HorseRow {
  std::string code;
  std::string names[7];  // horse, sire, dam, dam's sire, trainer, owner, breeder (search form)
  int sex = -1, age = -1, coat = -1, mark = -1;
  int centre = 4;        // 1 to 3, 4 without a trainer or centre
  bool has_trainer = false;
  int counts[3][4] = {};  // turf, dirt, jumps: firsts, seconds, thirds, unplaced
  long long prize = 0;    // flat and jumps, yen
};

std::string SearchForm(const std::string& sjis) {
  std::string blank_trimmed = sjis;
  blank_trimmed.erase(blank_trimmed.find_last_not_of(' ') + 1);
  return ytext::to_utf8_lossy(ytext::normalise_search(blank_trimmed, true, nullptr));
}

HorseRow ReadHorse(const unsigned char* r) {
  HorseRow h;
  h.code = Bytes(r, 0, 7);
  const int names[7][2] = {{7, 30},   {104, 34}, {145, 34}, {186, 34},
                           {386, 32}, {261, 40}, {321, 40}};
  for (int i = 0; i < 7; ++i) h.names[i] = SearchForm(Bytes(r, names[i][0], names[i][1]));
  h.sex = Digits(r, 94, 1);
  h.age = Bytes(r, 95, 2) == "  " ? -1 : Digits(r, 95, 2);
  h.coat = Digits(r, 85, 2);
  h.mark = Bytes(r, 92, 2) == "  " ? 0 : Digits(r, 92, 2);
  h.has_trainer = Bytes(r, 381, 5) != "     ";
  const int centre = Digits(r, 428, 1);
  h.centre = h.has_trainer && centre >= 1 && centre <= 3 ? centre : 4;
  for (int g = 0; g < 3; ++g) {
    for (int k = 0; k < 4; ++k) h.counts[g][k] = Digits(r, 537 + 8 * g + 2 * k, 2);
  }
  h.prize = std::atoll(Bytes(r, 462, 10).c_str()) + std::atoll(Bytes(r, 482, 10).c_str());
  return h;
}

std::vector<std::string> HorseCodes(void* buffer) {
  std::vector<std::string> codes;
  for (int i = 0; i < yrace::record_count(buffer, kHorseRecord); ++i) {
    codes.push_back(Bytes(yrace::record_at(buffer, kHorseRecord, i), 0, 7));
  }
  return codes;
}

using Condition = oracletest::Condition<HorseRow>;

// What a pair key counts of a horse.
long long PairValue(const HorseRow& h, int key) {
  auto sum = [&](int from, int to, int first, int last) {
    long long n = 0;
    for (int g = from; g <= to; ++g) {
      for (int k = first; k <= last; ++k) n += h.counts[g][k];
    }
    return n;
  };
  switch (key) {
    case 0: return sum(0, 1, 0, 0);   // HH flat wins
    case 1: return sum(0, 1, 0, 3);   // HR flat starts
    case 2: return sum(2, 2, 0, 0);   // SH jump wins
    case 3: return sum(2, 2, 0, 3);   // SR jump starts
    case 4: return h.prize / 10000;   // H prize money in 10,000 yen
    case 5: return sum(0, 2, 0, 3);   // R starts
    default: return sum(0, 2, key - 6, key - 6);  // 1, 2, 3
  }
}

class Generator : oracletest::Picks {
 public:
  Generator(const std::vector<HorseRow>& horses, std::uint32_t seed)
      : Picks(seed), horses_(horses) {}

  // T and one to two other keys, most values those of one horse, so that
  // most conditions find some.
  Condition One() {
    anchor_ = &AnyHorse();
    const int t = Pick(0, 1) == 0 ? 1 : anchor_->has_trainer ? 2 : 3;
    std::vector<Condition> terms = {{"T=" + std::to_string(t), "T=" + std::to_string(t),
                                     [t](const HorseRow& h) {
                                       return t == 1 || (t == 2) == h.has_trainer;
                                     }}};
    for (const int which : Different(Pick(1, 2), 0, 7)) terms.push_back(Key(which));
    return oracletest::AllOf(terms);
  }

 private:
  const HorseRow& AnyHorse() { return Any(horses_); }
  static std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

  // Up to `most` codes of `low` to `high` (with `open_top`, perhaps "n+");
  // `value(h)` the horse's own code of the key.
  Condition Codes(const std::string& key, int low, int high, bool two_digits,
                  std::function<int(const HorseRow&)> value, bool open_top = false,
                  int most = 2) {
    std::vector<std::pair<int, int>> wanted;
    Condition c;
    const int own = value(*anchor_);
    for (int n = Pick(1, most); n > 0; --n) {
      const int v = own >= low && own <= high && n == 1 ? own : Pick(low, high);
      std::string term = key + "=" + (two_digits ? Two(v) : std::to_string(v));
      int to = v;
      if (open_top && Pick(0, 3) == 0) {
        term += "+";
        to = 99;
      }
      c.text += (c.text.empty() ? "" : "&") + term;
      wanted.emplace_back(v, to);
    }
    c.command = c.text;
    c.holds = [wanted, value](const HorseRow& h) {
      const int v = value(h);
      for (const auto& w : wanted) {
        if (v >= w.first && v <= w.second) return true;
      }
      return false;
    };
    return c;
  }

  // Part of a name of a horse, or a pattern around it.
  Condition Name(const std::string& key, int which) {
    const HorseRow* h = anchor_;
    for (int tries = 0; h->names[which].empty() && tries < 50; ++tries) h = &AnyHorse();
    std::string part = Part(h->names[which], 3);
    const bool pattern = Pick(0, 3) == 0;
    if (pattern) part = "*" + part + "*";
    const std::string sjis = ytext::to_sjis_lossy(part);
    const std::string wanted = SearchForm(sjis);
    const std::string bare = pattern ? wanted.substr(1, wanted.size() - 2) : wanted;
    return {key + "=" + sjis, key + "=" + sjis, [=](const HorseRow& row) {
              return row.names[which].find(bare) != std::string::npos;
            }};
  }

  Condition Key(int which) {
    switch (which) {
      case 0:
        return Codes("S", 0, 2, false, [](const HorseRow& h) { return h.sex; });
      case 1:
        return Codes("A", 2, 9, false, [](const HorseRow& h) { return h.age; }, true);
      case 2:
        return Codes("C", 1, 8, true, [](const HorseRow& h) { return std::min(h.coat, 8); });
      case 3:
        return Codes("K", 0, 10, true, [](const HorseRow& h) { return h.mark; });
      case 4:
        return Codes("P", 1, 4, false, [](const HorseRow& h) { return h.centre; });
      case 5:
        return Codes("UDS", 0, 1, false, [](const HorseRow& h) { return PairValue(h, 5) > 0; },
                     false, 1);
      case 6: {  // a count or the prize money, compared (two terms of one key would be alternatives)
        const int key = Pick(0, 8);
        const char* names[] = {"HH", "HR", "SH", "SR", "H", "R", "1", "2", "3"};
        const long long seen = PairValue(*anchor_, key);
        const long long n = Pick(0, 1) == 0 ? seen : seen + Pick(-2, 2);
        return oracletest::Compared<HorseRow>(names[key], std::max(0LL, n), Pick(0, 5),
                                              [key](const HorseRow& h) { return PairValue(h, key); });
      }
      default: {  // a name
        const char* keys[] = {"N", "FN", "MN", "BNS", "STN", "SNT", "SSN"};
        const int k = Pick(0, 6);
        return Name(keys[k], k);
      }
    }
  }

  const std::vector<HorseRow>& horses_;
  const HorseRow* anchor_ = nullptr;
};

std::string CodeOf(const HorseRow& h) { return h.code; }

std::uint32_t Seed() { return oracletest::Seed(16); }

class HorseSearchOracle : public searchtest::SearchSeason {};

TEST_F(HorseSearchOracle, FindsWhatAPlainFilterKeepsInBothFormsAndCombined) {
  yrace::OwnedBuffer every(get_uma2cmd("T=1"));
  ASSERT_NE(every, nullptr) << get_db_error();
  std::vector<HorseRow> horses;
  for (int i = 0; i < yrace::record_count(every.get(), kHorseRecord); ++i) {
    horses.push_back(ReadHorse(yrace::record_at(every.get(), kHorseRecord, i)));
  }
  ASSERT_GT(horses.size(), 1000u);
  SCOPED_TRACE("seed " + std::to_string(Seed()));
  Generator generator(horses, Seed());
  // Conditions that keep a few hundred horses at most: rendering thousands
  // would prove nothing more.
  constexpr std::size_t kAtMost = 200;
  const oracletest::Searches searches{get_uma2cmd, conv_umacmd, get_uma2cmd_sp, HorseCodes};
  const auto next = [&] { return generator.One(); };
  const oracletest::Checked checked =
      oracletest::CheckBothForms(searches, horses, CodeOf, next, 50, kAtMost);
  oracletest::CheckCombined(searches, horses, CodeOf, next, 20, kAtMost);
  EXPECT_GT(checked.found_some, 20);
}

TEST_F(HorseSearchOracle, TheRunsOfARaceCommandAreTheRunnersOfItsRacesOrTheirFirstPlaces) {
  const std::vector<std::string> codes = racetest::SeasonRaceCodes(searchtest::kSeason);
  ASSERT_FALSE(codes.empty());
  std::mt19937 random(Seed());
  for (int i = 0; i < 6; ++i) {
    // A racecourse's day, its races read one by one.
    const std::string day =
        codes[std::uniform_int_distribution<std::size_t>(0, codes.size() - 1)(random)].substr(0, 10);
    const std::string text = "TF=" + day.substr(2) + "&TT=" + day.substr(2) + "&P=" + day.substr(0, 2);
    const int places = i % 3 == 0 ? 1 : 3 + i % 2;
    std::vector<std::string> expected;
    for (int no = 1; no <= 12; ++no) {
      const std::string code = day + (no < 10 ? "0" : "") + std::to_string(no);
      yrace::OwnedBuffer runners(get_race2code_2(code.c_str(), 0));
      for (int k = 0; k < yrace::record_count(runners.get(), 659); ++k) {
        const unsigned char* r = yrace::record_at(runners.get(), 659, k);
        const int finish = Digits(r, 385, 2);
        if (places < 2 || (finish >= 1 && finish < places)) {
          expected.push_back(code + std::to_string(100 + Digits(r, 154, 2)));
        }
      }
    }
    ASSERT_FALSE(expected.empty()) << day;
    yrace::OwnedBuffer command(conv_racecmd(text.c_str()));
    yrace::OwnedBuffer runs(get_race2cmd_sp2(command.get(), places));
    ASSERT_NE(runs, nullptr) << get_db_error();
    std::vector<std::string> found;
    for (int k = 0; k < yrace::record_count(runs.get(), 659); ++k) {
      const unsigned char* r = yrace::record_at(runs.get(), 659, k);
      found.push_back(Bytes(r, 1, 12) + std::to_string(100 + Digits(r, 154, 2)));
    }
    EXPECT_EQ(found, expected) << text << " n=" << places;
  }
}

}  // namespace
