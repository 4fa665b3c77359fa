// Test support: the codes of every run race of a year in the store the
// session reads, day by day as the race list gives them.
#ifndef YDBCLN_RACE_SEASONRACES_TEST_H_
#define YDBCLN_RACE_SEASONRACES_TEST_H_

#include <string>
#include <vector>

#include "ydbcln/race/RaceListRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/ydblib.h"

namespace racetest {

inline std::vector<std::string> SeasonRaceCodes(int year) {
  using yrace::OwnedBuffer;
  using yrace::record_at;
  using yrace::record_count;
  std::vector<std::string> codes;
  OwnedBuffer days(get_racelist2date_ex(std::to_string(year).c_str(), 0));
  for (int d = 0; d < record_count(days.get(), racelistrec::kSize); ++d) {
    unsigned char* day = record_at(days.get(), racelistrec::kSize, d);
    for (int k = 0; k < racelistrec::kVenuePlaceCodeCount; ++k) {
      unsigned char* venue = day + racelistrec::kVenuePlaceCode + racelistrec::kVenuePlaceCodeStride * k;
      if (venue[0] == 0) continue;
      const std::string key(reinterpret_cast<char*>(venue), racelistrec::kVenueKeyWidth);
      OwnedBuffer races(get_race2code_1_ex(key.c_str(), 1));
      for (int r = 0; r < record_count(races.get(), racermrec::kSize); ++r) {
        codes.emplace_back(reinterpret_cast<char*>(record_at(races.get(), racermrec::kSize, r)),
                           racermrec::kRaceCodeWidth);
      }
    }
  }
  return codes;
}

}  // namespace racetest

#endif  // YDBCLN_RACE_SEASONRACES_TEST_H_
