// Accident codes as text, and pools by number.
#include "db/base/Codes.h"

namespace ydb {

std::string_view AccidentCode(Accident accident) {
  switch (accident) {
    case Accident::kFell: return "31";
    case Accident::kDisqualified: return "32";
    case Accident::kPulledUp: return "33";
    case Accident::kScratched: return "34";
    case Accident::kExcluded: return "35";
    case Accident::kDemoted: return "36";
  }
  return "";
}

std::optional<Accident> ParseAccident(std::string_view code) {
  if (code.size() != 2 || code[0] != '3' || code[1] < '1' || code[1] > '6') return std::nullopt;
  return static_cast<Accident>(30 + (code[1] - '0'));
}

std::optional<Pool> PoolOfNumber(int number) {
  if (number < PoolNumber(kFirstPool) || number > PoolNumber(kLastPool)) return std::nullopt;
  return static_cast<Pool>(number);
}

}  // namespace ydb
