// Reading, writing and explaining the tickets of the `bet` subcommands.
#include "BetTicket.h"

#include <algorithm>
#include <string>
#include <vector>

#include "TicketRules.h"

namespace tool {
namespace {

struct BetType {
  const char* word;
  const char* name;
};
const BetType kTypes[5] = {{"win", "単勝"},      {"place", "複勝"}, {"bracket", "枠連"},
                           {"quinella", "馬連"}, {"wide", "ワイド"}};

constexpr int kMaxCount = 9999;
constexpr int kFrames = 8;

std::string Yen(long long yen) {
  std::string digits = std::to_string(yen);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return "¥" + digits;
}

}  // namespace

std::string BetTicket::combo() const {
  const std::string first = std::to_string(rec.first);
  return rec.ispair() ? first + "-" + std::to_string(rec.second) : first;
}

std::string BetTicket::describe() const {
  return std::string(BetTypeName(rec.type)) + " " + combo() + " " + Yen(stake());
}

int BetTypeOf(const std::string& word) {
  for (int type = 1; type <= 5; ++type) {
    if (word == kTypes[type - 1].word) return type;
  }
  return 0;
}

const char* BetTypeWord(int type) { return type >= 1 && type <= 5 ? kTypes[type - 1].word : ""; }

const char* BetTypeName(int type) { return type >= 1 && type <= 5 ? kTypes[type - 1].name : ""; }

BetTicket ReadTicket(const std::string& race, const std::string& type, const std::string& combo,
                     long long stake) {
  BetTicket t;
  t.race = race;
  t.date = std::stoi(race.substr(2, 8));
  t.rec.type = BetTypeOf(type);
  if (t.rec.type == 0) {
    throw Refusal("--type is one of win, place, bracket, quinella, wide: " + type);
  }
  const std::vector<int> numbers = Numbers(combo, '-', t.rec.ispair() ? 2 : 1, "--combo");
  t.rec.first = numbers[0];
  t.rec.second = t.rec.ispair() ? numbers[1] : 0;
  if (stake < 100 || stake % 100 != 0 || stake / 100 > kMaxCount) {
    throw Refusal("--stake is a multiple of 100 yen from 100 to 999900: " + std::to_string(stake));
  }
  t.rec.count = static_cast<int>(stake / 100);
  return t;
}

BetTicket TicketOfRecord(const unsigned char* record) {
  unsigned char* r = const_cast<unsigned char*>(record);
  BetTicket t;
  t.race.assign(reinterpret_cast<const char*>(r + buyticketrec::kRaceCode),
                buyticketrec::kRaceCodeWidth);
  t.date = YUtil::getnum(r + buyticketrec::kRaceDate, buyticketrec::kRaceDateWidth);
  t.rec.type = r[buyticketrec::kBetType] - buyticketrec::kTypeDigitBase;
  t.rec.first = YUtil::getnum(r + buyticketrec::kFirstNumber, buyticketrec::kFirstNumberWidth);
  t.rec.second = YUtil::getnum(r + buyticketrec::kSecondNumber, buyticketrec::kSecondNumberWidth);
  t.rec.count = YUtil::getnum(r + buyticketrec::kCount, buyticketrec::kCountWidth);
  return t;
}

std::string BrokenRule(const BetTicket& ticket, int runners) {
  const int first = ticket.rec.first;
  const int second = ticket.rec.second;
  const std::string field = " of " + std::to_string(runners);
  const std::string head = ticket.combo() + ": ";
  auto no_horse = [&](int n) {
    return head + "no horse " + std::to_string(n) + " among the " + std::to_string(runners) +
           " runners";
  };
  if (ticket.rec.type == 3) {
    const int frames = std::min(runners, kFrames);
    if (first > second) return head + "the lower frame comes first";
    if (first < 1 || second > frames) {
      return head + "frames run 1 to " + std::to_string(frames) + " in a field" + field;
    }
    return head + "frame " + std::to_string(first) + " holds one runner" + field;
  }
  if (ticket.rec.ispair() && first >= second) {
    return head + "two different horses, the lower number first";
  }
  if (first < 1 || first > runners) return no_horse(first);
  if (ticket.rec.ispair() && second > runners) return no_horse(second);
  return head + "the race does not take this ticket";
}

}  // namespace tool
