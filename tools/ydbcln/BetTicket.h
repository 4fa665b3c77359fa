// A bought ticket as the `bet` subcommands read and write it: the bet type
// by its word, the combination typed as "3" or "3-7", the stake in yen,
// the ticket record of the database, and the rule a refused ticket breaks,
// in words.
#ifndef YDBCLN_TOOL_BETTICKET_H_
#define YDBCLN_TOOL_BETTICKET_H_

#include <ydbcln/ydbcln.h>

#include <string>

namespace tool {

// One ticket on one race.
struct BetTicket {
  std::string race;  // 12-digit race code
  int date = 0;      // YYYYMMDD
  YBetRec rec;

  int stake() const { return rec.count * 100; }  // yen
  // "3-7", "3" for win and place.
  std::string combo() const;
  // "馬連 3-7 ¥200"
  std::string describe() const;
};

// The bet type of a word: win 1, place 2, bracket 3, quinella 4, wide 5;
// 0 for another word.
int BetTypeOf(const std::string& word);
// The word and the Japanese name (UTF-8) of bet type 1 to 5.
const char* BetTypeWord(int type);
const char* BetTypeName(int type);

// The ticket of `race` made of the typed type, combination and stake.
// Throws a Refusal (TicketRules.h) naming the value that does not read: an
// unknown type, a combination of the wrong count of numbers, a stake that
// is not a multiple of 100 from 100 to 999,900 yen.
BetTicket ReadTicket(const std::string& race, const std::string& type, const std::string& combo,
                     long long stake);

// The ticket in a ticket record of the database.
BetTicket TicketOfRecord(const unsigned char* record);

// Why the race's field of `runners` runners cannot have `ticket`, in the
// words of the rule ("7-7: frame 7 holds one runner of 9").
std::string BrokenRule(const BetTicket& ticket, int runners);

}  // namespace tool

#endif  // YDBCLN_TOOL_BETTICKET_H_
