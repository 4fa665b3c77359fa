// Layouts of the betting records: the odds record of a race, its entries in
// popularity order, the payout record of a run race, the forecast win odds
// of a runner and those of a whole race.
//
// An odds field whose first byte is not a digit has no value; the byte says
// why: '*' (shown as a star), '-' (shown empty), '/' (a scratched horse).
#include "db/layout/Layouts.h"

namespace ydb {

namespace {
using F = Field;
}  // namespace

const RecordLayout& OddsLayout() {
  // Frame pairs (a, b), 1 <= a <= b <= 8, and horse pairs (a, b),
  // 1 <= a < b <= 18, are numbered in lexical order: (1,1) is bracket pair
  // 0, (8,8) is 35; (1,2) is quinella pair 0, (17,18) is 152.
  static const RecordLayout layout("ODDSREC", 1462, {
      F::Code("race_code", 0, 12,
              "race code of the odds; the rest of the race identification is blank"),
      F::Code("kind", 104, 1, "'0' forecast odds, '1' advance-sale or final odds"),
      F::Digits("announced", 105, 4, "time of announcement, HHMM"),
      F::Digits("win_odds", 113, 5, "win odds of horse number index + 1, tenths").Repeat(18, 5),
      F::Digits("bracket_odds", 203, 5,
                "bracket quinella odds of frame pair index, tenths").Repeat(36, 5),
      F::Digits("quinella_odds", 383, 7,
                "quinella odds of horse pair index, tenths").Repeat(153, 7),
  });
  return layout;
}

const RecordLayout& SortedOddsLayout() {
  static const RecordLayout layout("SORTEDODDSREC", 11, {
      F::Digits("first_number", 0, 2, "bracket and quinella: first frame or horse number"),
      F::Digits("second_number", 2, 2, "bracket and quinella: second frame or horse number"),
      F::Digits("win_horse_number", 0, 4, "win: the horse number, read as one 4-digit number")
          .Alias(),
      F::Digits("odds", 4, 7, "odds in tenths; a first byte that is not a digit is no value"),
  });
  return layout;
}

const RecordLayout& PayoutLayout() {
  // Several entries of one pool are dead heats; an unused entry reads 0.
  // The record ends with the last wide entry's unread popularity.
  static const RecordLayout layout("EXPRIZEREC", 254, {
      F::Code("race_code", 0, 12, "race code of the payouts"),
      F::Digits("win_horse_number", 20, 2, "win: horse number").Repeat(3, 8),
      F::Digits("win_payout", 22, 6, "win: payout, yen per 100 yen").Repeat(3, 8),
      F::Digits("place_horse_number", 44, 2, "place: horse number").Repeat(5, 8),
      F::Digits("place_payout", 46, 6, "place: payout, yen per 100 yen").Repeat(5, 8),
      F::Digits("bracket_pair", 84, 2,
                "bracket quinella: the two frames as one number (12 is frames 1 and 2)")
          .Repeat(3, 10),
      F::Digits("bracket_payout", 86, 6, "bracket quinella: payout, yen per 100 yen")
          .Repeat(3, 10),
      F::Digits("quinella_pair", 114, 4,
                "quinella: the two horses as one number (0102 is horses 1 and 2)").Repeat(3, 14),
      F::Digits("quinella_payout", 118, 7, "quinella: payout, yen per 100 yen").Repeat(3, 14),
      F::Digits("wide_pair", 156, 4, "wide: the two horses as one number").Repeat(7, 14),
      F::Digits("wide_payout", 160, 7, "wide: payout, yen per 100 yen").Repeat(7, 14),
  });
  return layout;
}

const RecordLayout& ForecastWinOddsLayout() {
  // One record per runner in horse-number order; the buffer is read as a
  // run of 32-bit integers.
  static const RecordLayout layout("YODDSTANREC", 4, {
      F::Binary("odds", 0, 4, "forecast win odds, int32"),
  });
  return layout;
}

const RecordLayout& ForecastWinOddsRaceLayout() {
  // The records of a range of races: a race's forecast win odds as its
  // YODDSTANREC records give them, after the race's code.
  static const RecordLayout layout("YODDSTANRACEREC", 128, {
      F::Code("race_code", 0, 12, "place, date, race number"),
      F::Digits("horse_count", 12, 2, "how many odds follow: the highest horse number"),
      F::Binary("odds", 16, 4, "forecast win odds of horse number n + 1, int32").Repeat(28, 4),
  });
  return layout;
}

}  // namespace ydb
