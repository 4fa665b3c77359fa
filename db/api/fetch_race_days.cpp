// The race-day fetches of the C boundary: the race days of a month or a
// year, with results or with race cards.
#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbbsn.h"
#include "db/layout/Layouts.h"
#include "db/render/RaceListRenderer.h"
#include "db/render/RenderedRecords.h"

namespace {

void* FetchRaceDays(const char* operation, const char* date, ydb::RaceDays days) {
  return ydb::Fetch(operation, [&](ydb::Database& db, void** out) {
    int from = 0, to = 0;
    if (!ydb::ParseRaceDaysArgument(ydb::TextArgument(date), &from, &to)) {
      return ydb::RenderedRecords(ydb::RaceListLayout()).Finish(out);
    }
    return ydb::RenderRaceList(db, from, to, days, out);
  });
}

}  // namespace

extern "C" {

void* get_racelist2date_ex(const char* date, int /*reserved*/) {
  return FetchRaceDays("get_racelist2date_ex", date, ydb::RaceDays::kWithResults);
}

void* get_denmalist2date_ex(const char* date, int /*reserved*/) {
  return FetchRaceDays("get_denmalist2date_ex", date, ydb::RaceDays::kWithCards);
}

}  // extern "C"
