// The settlement record of one race, ordered by its race code, and what it
// pays a ticket.
#include "ydbcln/race/YHaito.h"

#include <cstring>

YHaito::YHaito() { std::memset(key, ' ', sizeof key); }

YHaito::YHaito(const std::string& code) : YHaito() {
  std::memcpy(key, code.data(), code.size() < sizeof key ? code.size() : sizeof key);
}

// memcmp compares bytes as unsigned char, so a key byte above 0x7F sorts
// after the digits.
bool YHaito::operator<(const YHaito& other) const {
  return std::memcmp(key, other.key, sizeof key) < 0;
}

bool YHaito::operator==(const YHaito& other) const {
  return std::memcmp(key, other.key, sizeof key) == 0;
}

namespace {

// The payout of the first of `n` entries whose combination is `kumi`,
// stopping at the first unused entry; 0 when none.
int find_payout(const unsigned short* kumis, const int* haitos, int n, int kumi) {
  for (int i = 0; i < n && kumis[i] != 0; ++i) {
    if (kumis[i] == kumi) return haitos[i];
  }
  return 0;
}

}  // namespace

// The entries keep a horse as its number, a frame pair as the two digits
// "ab" and a horse pair as the four digits "aabb".
int YHaito::payout(int type, int first, int second) const {
  switch (type) {
    case 1: return find_payout(pay.tansho_uma, pay.tansho_haito, 3, first);
    case 2: return find_payout(pay.fukusho_uma, pay.fukusho_haito, 5, first);
    case 3: return find_payout(pay.wakuren_kumi, pay.wakuren_haito, 3, first * 10 + second);
    case 4: return find_payout(pay.umaren_kumi, pay.umaren_haito, 3, first * 100 + second);
    case 5: return find_payout(pay.wide_kumi, pay.wide_haito, 7, first * 100 + second);
    default: return 0;
  }
}
