// The betting fetches of the C boundary: a race's odds, the popularity
// order of one pool of them, a race's payouts and its forecast win odds.
#include <string>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ybl.h"
#include "db/api/ydbbsn.h"
#include "db/layout/Layouts.h"
#include "db/render/ForecastOddsRenderer.h"
#include "db/render/OddsRenderer.h"
#include "db/render/PayoutRenderer.h"
#include "db/render/PopularityRenderer.h"
#include "db/render/RenderedRecords.h"

namespace {

using ydb::Database;
using ydb::RaceKey;
using ydb::Status;

// A fetch of one race's record, rendered by `render(db, key, out)`; a
// code that names no race fetches nothing.
template <typename Render>
void* FetchRace(const char* operation, const char* code, const ydb::RecordLayout& layout,
                Render render) {
  return ydb::Fetch(operation, [&](Database& db, void** out) {
    RaceKey key;
    if (!ydb::ParseRaceArgument(ydb::TextArgument(code), false, &key)) {
      return ydb::RenderedRecords(layout).Finish(out);
    }
    return render(db, key, out);
  });
}

}  // namespace

extern "C" {

void* get_odds2code_ex(const char* race_code, int final) {
  const ydb::OddsTime time = final != 0 ? ydb::OddsTime::kFinal : ydb::OddsTime::kBeforeRace;
  return FetchRace("get_odds2code_ex", race_code, ydb::OddsLayout(),
                   [time](Database& db, const RaceKey& key, void** out) {
                     return ydb::RenderOdds(db, key, time, out);
                   });
}

void* make_sorted_odds(const void* odds_buffer, int kind) {
  // Works on the buffer alone, without the store.
  return ydb::RunOperation("make_sorted_odds", [&](void** out) {
    if (odds_buffer == nullptr || get_rec_size(odds_buffer) != 1 ||
        get_rec_width(odds_buffer) != static_cast<int>(ydb::OddsLayout().size())) {
      return Status::InvalidArgument("not a buffer of one odds record");
    }
    if (kind < 0 || kind > 2) {
      return Status::InvalidArgument("no popularity order of kind " + std::to_string(kind));
    }
    return ydb::RenderPopularity(odds_buffer, static_cast<ydb::PopularityPool>(kind), out);
  });
}

void* get_exprize2code(const char* race_code) {
  return FetchRace("get_exprize2code", race_code, ydb::PayoutLayout(), ydb::RenderPayouts);
}

void* get_yodds_tan2code(const char* race_code) {
  return FetchRace("get_yodds_tan2code", race_code, ydb::ForecastWinOddsLayout(),
                   ydb::RenderForecastWinOdds);
}

}  // extern "C"
