// Finding a kind's key table and a key in it.
#include "db/query/KeyTable.h"

namespace ydb {

const KindTable& RaceKeyTable();     // RaceKeys.cpp
const KindTable& JockeyKeyTable();   // PeopleKeys.cpp
const KindTable& StableKeyTable();
const KindTable& SireKeyTable();
const KindTable& DamSireKeyTable();
const KindTable& HorseKeyTable();    // HorseKeys.cpp

const KindTable* KeyTableOf(SearchKind kind) {
  switch (kind) {
    case SearchKind::kRace:
      return &RaceKeyTable();
    case SearchKind::kJockey:
      return &JockeyKeyTable();
    case SearchKind::kStable:
      return &StableKeyTable();
    case SearchKind::kSire:
      return &SireKeyTable();
    case SearchKind::kDamSire:
      return &DamSireKeyTable();
    case SearchKind::kHorse:
      return &HorseKeyTable();
  }
  return nullptr;
}

int FindKey(const KindTable& table, std::string_view name) {
  for (std::size_t i = 0; i < table.keys.size(); ++i) {
    if (table.keys[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace ydb
