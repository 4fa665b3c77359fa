// The range fetches of the C boundary: the results records, the runner
// entries, the payout records and the forecast win odds of every run race
// between two dates, and the runs and sires of their horses, for reading a
// season race by race without a fetch per race or per horse.
#include <string_view>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbrange.h"
#include "db/layout/Layouts.h"
#include "db/render/ForecastOddsRenderer.h"
#include "db/render/RaceRangeRenderer.h"
#include "db/render/RenderedRecords.h"
#include "db/render/SireCodeRenderer.h"
#include "db/render/StoredPastRuns.h"

namespace {

// A fetch over the dates `from` to `to` (YYYYMMDD), rendered by
// `render(db, first, last, out)`; an argument that is not 8 digits, or
// `from` after `to`, fetches nothing.
template <typename Render>
void* FetchBetween(const char* operation, const char* from, const char* to,
                   const ydb::RecordLayout& layout, Render render) {
  return ydb::Fetch(operation, [&](ydb::Database& db, void** out) {
    int first = 0;
    int last = 0;
    if (!ydb::ParseDateArgument(ydb::TextArgument(from), &first) ||
        !ydb::ParseDateArgument(ydb::TextArgument(to), &last) || first > last) {
      return ydb::RenderedRecords(layout).Finish(out);
    }
    return render(db, first, last, out);
  });
}

}  // namespace

extern "C" {

void* get_race2date_range(const char* from, const char* to) {
  return FetchBetween("get_race2date_range", from, to, ydb::RaceResultLayout(),
                      ydb::ReadResultRecordsBetween);
}

void* get_raceh2date_range(const char* from, const char* to) {
  return FetchBetween("get_raceh2date_range", from, to, ydb::RunnerEntryLayout(),
                      ydb::RenderRunnerEntriesBetween);
}

void* get_exprize2date_range(const char* from, const char* to) {
  return FetchBetween("get_exprize2date_range", from, to, ydb::PayoutLayout(),
                      ydb::RenderPayoutsBetween);
}

void* get_yodds_tan2date_range(const char* from, const char* to) {
  return FetchBetween("get_yodds_tan2date_range", from, to, ydb::ForecastWinOddsRaceLayout(),
                      ydb::RenderForecastWinOddsBetween);
}

void* get_uma_racey2date_range(const char* from, const char* to) {
  return FetchBetween("get_uma_racey2date_range", from, to, ydb::HorseRunLayout(),
                      ydb::RenderHorseRunsBetween);
}

void* get_sirecode2date_range(const char* from, const char* to) {
  return FetchBetween("get_sirecode2date_range", from, to, ydb::HorseSireLayout(),
                      ydb::RenderSireCodesBetween);
}

}  // extern "C"
