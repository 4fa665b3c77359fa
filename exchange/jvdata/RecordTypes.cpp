// The known JV-Data record types and their lengths (JV-Data 4.9; the older
// forms as the layouts' change history gives them).
#include "exchange/jvdata/RecordTypes.h"

#include <algorithm>

namespace exchange {
namespace jvdata {

const std::vector<RecordType>& RecordTypes() {
  static const std::vector<RecordType> types = {
      {"RA", "race details", Handling::kRead, {1272}},
      {"SE", "horse in race", Handling::kRead, {555, 547}},
      {"HR", "payouts", Handling::kRead, {719}},
      {"O1", "odds: win, place, bracket quinella", Handling::kRead, {962}},
      {"O2", "odds: quinella", Handling::kRead, {2042}},
      {"O3", "odds: wide", Handling::kRead, {2654}},
      {"O4", "odds: exacta", Handling::kCounted, {4031}},
      {"O5", "odds: trio", Handling::kCounted, {12293}},
      {"O6", "odds: trifecta", Handling::kCounted, {83285}},
      {"UM", "horse", Handling::kRead, {1609, 1577}},
      {"KS", "jockey", Handling::kRead, {4173}},
      {"CH", "trainer", Handling::kRead, {3862}},
      {"BR", "breeder", Handling::kRead, {545, 537}},
      {"BN", "owner", Handling::kRead, {477, 413}},
      {"HN", "breeding horse", Handling::kRead, {251, 245}},
      {"SK", "foal", Handling::kRead, {208, 178}},
      {"YS", "schedule", Handling::kRead, {382}},
  };
  return types;
}

const RecordType* FindRecordType(std::string_view id) {
  const std::vector<RecordType>& types = RecordTypes();
  const auto found = std::find_if(types.begin(), types.end(),
                                  [id](const RecordType& t) { return id == t.id; });
  return found == types.end() ? nullptr : &*found;
}

int FormOf(const RecordType& type, int length) {
  const auto found = std::find(type.lengths.begin(), type.lengths.end(), length);
  return found == type.lengths.end() ? -1 : static_cast<int>(found - type.lengths.begin());
}

}  // namespace jvdata
}  // namespace exchange
