// The payouts of a run race from its payout record or its race record.
#include "ydbcln/race/HaitoFill.h"

#include "ydbcln/race/PayoutRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/YHaitoInfo.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace yrace {

namespace {

// Where one pool's entries lie in a record: the first at `first`, the
// others `stride` bytes apart, each a number of `width` digits followed by
// a payout of `payout_width` digits.
struct Entries {
  int first;
  int stride;
  int width;
  int payout_width;
};

// Reads `n` entries into the pool's arrays. With `keep_unpaid` false an
// entry without a payout is taken as unused: in a race record the bytes of
// the second win entry hold the win popularity unless two horses dead-heated
// for first.
void read_pool(unsigned char* record, const Entries& e, int n, bool keep_unpaid,
               unsigned short* kumi, int* haito) {
  for (int i = 0; i < n; ++i) {
    unsigned char* entry = record + e.first + e.stride * i;
    const int payout = YUtil::getnum(entry + e.width, e.payout_width);
    const bool used = keep_unpaid || payout != 0;
    kumi[i] = static_cast<unsigned short>(used ? YUtil::getnum(entry, e.width) : 0);
    haito[i] = used ? payout : 0;
  }
}

// Sets entries `from` to `to` - 1 of a pool unused.
void clear_pool(int from, int to, unsigned short* kumi, int* haito) {
  for (int i = from; i < to; ++i) {
    kumi[i] = 0;
    haito[i] = 0;
  }
}

}  // namespace

void haito_from_payout_record(unsigned char* r, YHaitoInfo* info) {
  using namespace exprizerec;
  read_pool(r, {kWinHorseNumber, kWinHorseNumberStride, kWinHorseNumberWidth, kWinPayoutWidth},
            kWinHorseNumberCount, true, info->tansho_uma, info->tansho_haito);
  read_pool(r,
            {kPlaceHorseNumber, kPlaceHorseNumberStride, kPlaceHorseNumberWidth,
             kPlacePayoutWidth},
            kPlaceHorseNumberCount, true, info->fukusho_uma, info->fukusho_haito);
  read_pool(r, {kBracketPair, kBracketPairStride, kBracketPairWidth, kBracketPayoutWidth},
            kBracketPairCount, true, info->wakuren_kumi, info->wakuren_haito);
  read_pool(r, {kQuinellaPair, kQuinellaPairStride, kQuinellaPairWidth, kQuinellaPayoutWidth},
            kQuinellaPairCount, true, info->umaren_kumi, info->umaren_haito);
  read_pool(r, {kWidePair, kWidePairStride, kWidePairWidth, kWidePayoutWidth}, kWidePairCount,
            true, info->wide_kumi, info->wide_haito);
}

void haito_from_race_record(unsigned char* r, YHaitoInfo* info) {
  using namespace racermrec;
  read_pool(r, {kWinHorseNumber, kWinHorseNumberStride, kWinHorseNumberWidth, kWinPayoutWidth},
            2, false, info->tansho_uma, info->tansho_haito);
  clear_pool(2, 3, info->tansho_uma, info->tansho_haito);
  read_pool(r,
            {kPlaceHorseNumber, kPlaceHorseNumberStride, kPlaceHorseNumberWidth,
             kPlacePayoutWidth},
            kPlaceHorseNumberCount, false, info->fukusho_uma, info->fukusho_haito);
  read_pool(r, {kBracketPair, kBracketPairStride, kBracketPairWidth, kBracketPayoutWidth}, 2,
            false, info->wakuren_kumi, info->wakuren_haito);
  clear_pool(2, 3, info->wakuren_kumi, info->wakuren_haito);
  read_pool(r, {kQuinellaPair, kQuinellaPairStride, kQuinellaPairWidth, kQuinellaPayoutWidth},
            2, false, info->umaren_kumi, info->umaren_haito);
  clear_pool(2, 3, info->umaren_kumi, info->umaren_haito);
  clear_pool(0, 7, info->wide_kumi, info->wide_haito);
}

bool fill_haito(YHorseDB* db, const std::string& racekey, YHaitoInfo* info) {
  if (db == nullptr || info == nullptr || !is_race_code(racekey)) return false;
  if (!ysession::ready(db)) return false;
  OwnedBuffer payouts(get_exprize2code(racekey.c_str()));
  if (record_count(payouts.get(), exprizerec::kSize) == 1) {
    haito_from_payout_record(record_at(payouts.get(), exprizerec::kSize, 0), info);
    return true;
  }
  OwnedBuffer race(get_race2code_1_ex(racekey.c_str(), 1));
  if (record_count(race.get(), racermrec::kSize) == 1) {
    haito_from_race_record(record_at(race.get(), racermrec::kSize, 0), info);
    return true;
  }
  if (payouts == nullptr || race == nullptr) db->seterror(YHorseDB::kDatabaseError, "", 0);
  return false;
}

}  // namespace yrace
