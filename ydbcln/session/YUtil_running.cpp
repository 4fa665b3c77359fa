// YUtil: how a race was run — winning margins, where a race starts or a jump
// stands, and a horse's running style read from its corner positions.
#include "ydbcln/session/YUtil.h"

#include <string>

#include "ydbcln/session/YUtil_tables.h"

using yutil::lookup;
using yutil::sjis_table;

namespace {

// Running style of a horse at positions p2, p3, p4 of corners 2 to 4 in a
// field of n runners, when all four corners were run.
int style_four_corners(int n, int p2, int p3, int p4) {
  if (p2 == 1 && p3 == 1 && p4 == 1) return 1;
  const auto all_within = [&](int limit) { return p2 <= limit && p3 <= limit && p4 <= limit; };
  if ((all_within(2) && n <= 7) || (all_within(3) && n >= 8 && n <= 12) ||
      (all_within(4) && n >= 13)) {
    return 2;
  }
  if (n < 8) return (p2 < n || p3 < n || p4 < n) ? 3 : 4;
  if (p4 <= n / 2) return 3;
  const int limit = n > 16 ? n - 4 : n >= 13 ? n - 3 : n - 2;
  return (p2 < limit || p3 < limit) ? 3 : 4;
}

// The same when only corners 3 and 4 were run (a short race).
int style_two_corners(int n, int p3, int p4) {
  if (p3 == 1 && p4 == 1) return 1;
  const auto both_within = [&](int limit) { return p3 <= limit && p4 <= limit; };
  if ((both_within(2) && n <= 7) || (both_within(3) && n >= 8 && n <= 12) ||
      (both_within(4) && n >= 13)) {
    return 2;
  }
  if (n >= 8) {
    if (p4 <= n / 2) return 3;
    const int limit = n <= 12 ? n - 2 : n > 16 ? n - 4 : n - 3;
    return p3 < limit ? 3 : 4;
  }
  return (p3 < n || p4 < n) ? 3 : 4;
}

}  // namespace

std::string YUtil::getchakusa(unsigned char* lengths, unsigned char code) {
  static const auto kWords =
      sjis_table({"ﾊﾅ", "ｱﾀﾏ", "ｸﾋﾞ", "1/2", "1/4", "3/4", "", "大", "同"});
  if (lengths == nullptr) return std::string();
  std::string whole = delendspc(lengths, 2);
  if (!whole.empty() && whole[0] == '0') whole.erase(0, 1);
  const std::string word = lookup(kWords, code, '0');
  // A fraction is set off from the whole lengths by a blank: 1 1/2.
  const bool fraction = code >= '3' && code <= '5';
  if (fraction && !whole.empty()) whole += ' ';
  return whole + word;
}

std::string YUtil::gettukamidashi(unsigned char dir, unsigned char* pos) {
  static const auto kPrefixes = sjis_table({"逆", "１周", "逆１周", "右"});
  static const auto kPlaces =
      sjis_table({"スタンド前", "向正面", "２角", "３角", "４角", "ﾀｽｷ", "ﾊﾞﾝｹｯﾄ", "水濠",
                  "大竹柵", "大土塁", "赤レンガ", "発馬", "１角", "大いけ垣"});
  if (pos == nullptr) return std::string();
  const int place = getnum(pos, 2);
  std::string text = lookup(kPrefixes, dir, '1');
  if (place >= 0 && place < static_cast<int>(kPlaces.size())) {
    text += kPlaces[static_cast<std::size_t>(place)];
  }
  return text;
}

int YUtil::getkyakushitsu(int n, unsigned char* const pos) {
  if (pos == nullptr) return 0;
  int p[4];
  for (int i = 0; i < 4; ++i) {
    // Positions above 40 are read less 40; a position still above 28
    // leaves the style unknown.
    p[i] = pos[i] > 40 ? pos[i] - 40 : pos[i];
    if (p[i] > 28) return 0;
  }
  return p[0] != 0 ? style_four_corners(n, p[1], p[2], p[3]) : style_two_corners(n, p[2], p[3]);
}

int YUtil::getkyakushitsu(int n, unsigned char (*const pos)[2]) {
  if (pos == nullptr) return 0;
  unsigned char positions[4];
  for (int i = 0; i < 4; ++i) positions[i] = static_cast<unsigned char>(getnum(pos[i], 2));
  return getkyakushitsu(n, positions);
}
