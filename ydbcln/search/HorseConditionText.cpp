// Writing the horse search's condition text.
#include "ydbcln/search/HorseConditionText.h"

#include <utility>

#include "ydbcln/search/ConditionTerms.h"
#include "ydbcln/session/YUtil.h"

namespace ysearch {
namespace {

constexpr const char* kPairKeys[kHorsePairs] = {"HH", "HR", "SH", "SR", "H", "R", "1", "2", "3"};


// A mask with every bit of `all` set is no condition.
int condition_mask(int mask, int all) { return (mask & all) == all ? -1 : mask; }

}  // namespace

bool HorseConditionText(const HorseConditions& c, bool command_form, std::string* text) {
  if (c.t < 1 || c.t > 4) return false;
  for (int i = 0; i < kHorsePairs; ++i) {
    if (!valid_operator(c.op[i])) return false;
  }
  std::string out;
  if (!c.name.empty()) {
    bool kanji = false;
    out += "&N=" + YUtil::convstr(c.name, kanji, true);
  }
  out += "&T=" + std::to_string(c.t);
  for (int bit = 0; bit < 3; ++bit) {
    if (has_bit(c.sex, bit)) out += "&S=" + std::to_string(bit);
  }
  for (int bit = 0; bit < 7; ++bit) {
    if (has_bit(c.age, bit)) out += "&A=" + std::to_string(bit + 3);
  }
  if (has_bit_from(c.age, 7)) out += "&A=10+";
  const int color = condition_mask(c.color, 255);
  for (int bit = 0; bit < 8; ++bit) {
    if (has_bit(color, bit)) out += "&C=0" + std::to_string(bit + 1);
  }
  const int p = condition_mask(c.p, 15);
  const int p_bits[][2] = {{2, 1}, {1, 2}, {0, 3}, {3, 4}};
  for (const auto& b : p_bits) {
    if (has_bit(p, b[0])) out += "&P=" + std::to_string(b[1]);
  }
  const int k = condition_mask(c.k, 255);
  const std::pair<int, const char*> k_bits[] = {{7, "00"}, {0, "01"}, {1, "03"}, {2, "04"},
                                                {3, "05"}, {4, "06"}, {5, "21"}, {6, "26"}};
  for (const auto& b : k_bits) {
    if (has_bit(k, b.first)) out += std::string("&K=") + b.second;
  }
  for (int i = 0; i < kHorsePairs; ++i) {
    out += compared_term(kPairKeys[i], c.value[i], c.op[i], command_form);
  }
  const char* text_keys[] = {"FN", "MN", "STN", "BNS"};
  for (int i = 0; i < 4; ++i) {
    if (!c.text[i].empty()) out += std::string("&") + text_keys[i] + "=" + c.text[i];
  }
  if (!c.text[5].empty()) out += "&SSN=" + c.text[5];
  if (!c.text[4].empty()) out += "&SNT=" + c.text[4];
  *text = out.substr(1);
  return true;
}

}  // namespace ysearch
