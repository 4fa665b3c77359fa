// Marking, writing and forgetting one transaction's derived data.
#include "db/derived/DerivedData.h"

namespace ydb {

Status DerivedData::raceWillChange(const RaceKey& race) {
  Status s = past_runs_.withdrawRace(race);
  if (s.ok()) s = totals_.withdrawRace(race);
  if (s.ok()) results_.touch(race);
  return s;
}

Status DerivedData::raceWritten(const RaceKey& race) {
  const Status s = past_runs_.fileRace(race);
  return s.ok() ? totals_.countRace(race) : s;
}

Status DerivedData::sireWillChange(const std::string& horse, const std::string& sire,
                                   const std::string& dams_sire) {
  const Status s = past_runs_.changeSire(horse, sire);
  return s.ok() ? totals_.changeAncestors(horse, sire, dams_sire) : s;
}

Status DerivedData::flush() {
  Status s = past_runs_.flush();
  if (s.ok()) s = results_.flush();
  if (s.ok()) s = totals_.flush();
  return s;
}

void DerivedData::discard() {
  past_runs_.discard();
  results_.discard();
  totals_.discard();
}

}  // namespace ydb
