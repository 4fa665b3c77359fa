// YHaitoInfo: the payouts of one run race in the five pools, and the
// 126-byte record in which they are kept in a file.
//
// Payouts are yen per 100-yen ticket. Several entries of one pool are dead
// heats (or, for place and wide, the placed horses and pairs); an unused
// entry is 0. Combinations are written as the payout record writes them: a
// frame pair as one 2-digit number (12 is frames 1 and 2), a horse pair as
// one 4-digit number (0102, that is 102, is horses 1 and 2).
//
// The file record holds the ten arrays in member order, packed, each value
// little-endian: 16-bit combinations, 32-bit payouts.
//
//   YHaitoInfo info;
//   if (info.write(file) != YHaitoInfo::kRecordSize) ...   // disk full
//   while (info.read(file) == YHaitoInfo::kRecordSize) ...
#ifndef YDBCLN_RACE_YHAITOINFO_H_
#define YDBCLN_RACE_YHAITOINFO_H_

#include <cstdio>

class YHaitoInfo {
 public:
  static constexpr int kRecordSize = 126;

  YHaitoInfo();
  YHaitoInfo(const YHaitoInfo& other);
  YHaitoInfo& operator=(const YHaitoInfo& other);
  virtual ~YHaitoInfo();

  // Writes the record; kRecordSize when all of it was written, else 0 (a
  // null file included).
  virtual int write(FILE* file);
  // Reads one record; kRecordSize when a whole record was read. Otherwise
  // 0, and the payouts are left as they were.
  virtual int read(FILE* file);

  unsigned short wakuren_kumi[3];   // 枠連: frame pairs
  int wakuren_haito[3];
  unsigned short umaren_kumi[3];    // 馬連: horse pairs
  int umaren_haito[3];
  unsigned short wide_kumi[7];      // ワイド: horse pairs
  int wide_haito[7];
  unsigned short tansho_uma[3];     // 単勝: horse numbers
  int tansho_haito[3];
  unsigned short fukusho_uma[5];    // 複勝: horse numbers
  int fukusho_haito[5];
};

// Member by member.
bool operator==(const YHaitoInfo& a, const YHaitoInfo& b);
inline bool operator!=(const YHaitoInfo& a, const YHaitoInfo& b) { return !(a == b); }

#endif  // YDBCLN_RACE_YHAITOINFO_H_
