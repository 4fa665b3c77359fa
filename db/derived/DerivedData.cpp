// Marking, writing and forgetting one transaction's derived data.
#include "db/derived/DerivedData.h"

namespace ydb {

Status DerivedData::raceWillChange(const RaceKey& race) {
  Status s = past_runs_.withdrawRace(race);
  if (s.ok()) results_.touch(race);
  return s;
}

Status DerivedData::raceWritten(const RaceKey& race) { return past_runs_.fileRace(race); }

Status DerivedData::sireWillChange(const std::string& horse, const std::string& sire) {
  return past_runs_.changeSire(horse, sire);
}

Status DerivedData::flush() {
  Status s = past_runs_.flush();
  if (s.ok()) s = results_.flush();
  return s;
}

void DerivedData::discard() {
  past_runs_.discard();
  results_.discard();
}

}  // namespace ydb
