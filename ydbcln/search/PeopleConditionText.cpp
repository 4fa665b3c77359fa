// Writing the condition texts of the jockey, trainer and sire searches.
#include "ydbcln/search/PeopleConditionText.h"

#include <cstdio>

#include "ydbcln/search/ConditionTerms.h"
#include "ydbcln/session/YUtil.h"

namespace ysearch {
namespace {

struct Bracket {
  int bit;
  const char* value;
};

// The jockeys' age brackets; a bit from 17 up is 41 and over.
constexpr Bracket kJockeyAges[] = {
    {12, "0-20"}, {13, "21-25"}, {14, "26-30"}, {15, "31-35"}, {16, "36-40"}};
constexpr Bracket kJockeyAgeOver = {17, "41+"};
// The trainers'; a bit from 22 up is 66 and over.
constexpr Bracket kStableAges[] = {{14, "0-30"},  {15, "31-35"}, {16, "36-40"}, {17, "41-45"},
                                   {18, "46-50"}, {19, "51-55"}, {20, "56-60"}, {21, "61-65"}};
constexpr Bracket kStableAgeOver = {22, "66+"};

bool valid(const Compared& c) { return valid_operator(c.op); }
bool valid(const ComparedIn& c) { return valid_operator(c.op); }

bool valid_person(const PersonConditions& c) {
  if (c.t < 1 || c.t > 4 || !valid(c.wins) || !valid(c.flat_runs) || !valid(c.jump_runs) ||
      !valid(c.prize)) {
    return false;
  }
  for (const ComparedIn& r : c.rate) {
    if (!valid(r)) return false;
  }
  return true;
}

// A name of a jockey or trainer: "NK=" when it holds kanji, else "NY=".
std::string person_name(const std::string& name) {
  if (name.empty()) return std::string();
  bool kanji = false;
  const std::string word = YUtil::convstr(name, kanji, true);
  return (kanji ? "&NK=" : "&NY=") + word;
}

template <std::size_t N>
std::string age_brackets(int mask, const Bracket (&brackets)[N], const Bracket& over) {
  std::string out;
  for (const Bracket& b : brackets) {
    if (has_bit(mask, b.bit)) out += std::string("&A=") + b.value;
  }
  if (has_bit_from(mask, over.bit)) out += std::string("&A=") + over.value;
  return out;
}

// "&KEY=1" to "&KEY=3" for bits 0 to 2.
std::string code_bits(const char* key, int mask) {
  std::string out;
  for (int bit = 0; bit < 3; ++bit) {
    if (has_bit(mask, bit)) out += std::string("&") + key + "=" + std::to_string(bit + 1);
  }
  return out;
}

// "&<year key>" or "&<career key>" as the selector chooses.
std::string chosen(const ComparedIn& c, const std::string& year, const std::string& career,
                   bool command_form) {
  return compared_term(c.selector == 1 ? year : career, c.value, c.op, command_form);
}

// The pairs jockeys and trainers share after the first-year key.
std::string person_figures(const PersonConditions& c, bool command_form) {
  std::string out = compared_term("HH", c.flat_runs.value, c.flat_runs.op, command_form) +
                    compared_term("SH", c.jump_runs.value, c.jump_runs.op, command_form) +
                    compared_term("H", c.prize.value, c.prize.op, command_form);
  for (int i = 0; i < 3; ++i) {
    const std::string n = std::to_string(i + 1);
    out += chosen(c.rate[i], n + "H", n + "R", command_form);
  }
  return out;
}

bool finish(const std::string& out, std::string* text) {
  *text = out.substr(1);
  return true;
}

}  // namespace

bool JockeyConditionText(const JockeyConditions& c, bool command_form, std::string* text) {
  if (!valid_person(c)) return false;
  std::string out = person_name(c.name) + "&T=" + std::to_string(c.t);
  if (has_bit(c.p, 2)) out += "&P=1";
  if (has_bit(c.p, 0) || has_bit(c.p, 1)) out += "&P=2";
  if (has_bit(c.p, 3)) out += "&P=3";
  out += age_brackets(c.age, kJockeyAges, kJockeyAgeOver);
  out += chosen(c.wins, "WNH", "WNR", command_form);
  if (c.an > 0) out += "&AN=" + std::to_string(c.an);
  out += code_bits("M", c.m) + code_bits("SK", c.sk);
  out += person_figures(c, command_form);
  if (!c.stable.empty()) out += "&STN=" + c.stable;
  return finish(out, text);
}

bool StableConditionText(const PersonConditions& c, bool command_form, std::string* text) {
  if (!valid_person(c)) return false;
  std::string out = person_name(c.name) + "&T=" + std::to_string(c.t);
  if (has_bit(c.p, 0)) out += "&P=3";
  if (has_bit(c.p, 1)) out += "&P=2";
  if (has_bit(c.p, 0) || has_bit(c.p, 1)) out += "&P=2&P=3";
  if (has_bit(c.p, 2)) out += "&P=1";
  if (has_bit(c.p, 3)) out += "&P=0";
  out += age_brackets(c.age, kStableAges, kStableAgeOver);
  out += chosen(c.wins, "WNH", "WNR", command_form);
  if (c.an > 0) {
    char an[16];
    std::snprintf(an, sizeof an, "%08d", c.an);
    out += std::string("&AN=") + an;
  }
  out += person_figures(c, command_form);
  return finish(out, text);
}

bool SireConditionText(const SireConditions& c, bool command_form, std::string* text) {
  if (c.t < 1 || c.t > 4) return false;
  for (const Compared& f : c.figure) {
    if (!valid(f)) return false;
  }
  std::string out;
  if (!c.name.empty()) {
    bool kanji = false;
    out += "&N=" + YUtil::convstr(c.name, kanji, true);
  }
  out += "&T=" + std::to_string(c.t);
  for (int bit = 4; bit < 12; ++bit) {
    if (has_bit(c.age, bit)) out += "&A=" + std::to_string(bit + 3);
  }
  if (has_bit_from(c.age, 12)) out += "&A=15+";
  out += code_bits("K", c.k) + code_bits("D", c.d) + code_bits("O", c.o);
  const int color = (c.color & 255) == 255 ? -1 : c.color;
  for (int bit = 0; bit < 7; ++bit) {
    if (has_bit(color, bit)) out += "&C=0" + std::to_string(bit + 1);
  }
  if (has_bit(color, 7)) out += "&C=08+";
  if (c.an > 0) out += "&AN=" + std::to_string(c.an);
  for (int i = 0; i < 3; ++i) {
    out += compared_term(std::to_string(i + 1), c.figure[i].value, c.figure[i].op, command_form);
  }
  if (!c.sire_name.empty()) out += "&FN=" + c.sire_name;
  if (!c.dam_name.empty()) out += "&MN=" + c.dam_name;
  return finish(out, text);
}

}  // namespace ysearch
