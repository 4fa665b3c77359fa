// The race fetches of the C boundary: results and race cards of races and
// their runners, and the comments on runs.
#include <string_view>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbbsn.h"
#include "db/layout/Layouts.h"
#include "db/render/CardRaceRenderer.h"
#include "db/render/CardRunnerRenderer.h"
#include "db/render/CommentRenderer.h"
#include "db/render/RenderedRecords.h"
#include "db/render/ResultRaceRenderer.h"
#include "db/render/ResultRunnerRenderer.h"

namespace {

using ydb::Database;
using ydb::RaceKey;
using ydb::RecordLayout;
using ydb::Status;

constexpr std::size_t kRaceCodeWidth = 12;
constexpr std::size_t kHorseCodeWidth = 7;

// A fetch of the records of the race(s) named by `code`, rendered by
// `render(db, key, out)`; a code that names no race fetches nothing.
template <typename Render>
void* FetchRaces(const char* operation, std::string_view code, bool every_race_of_day,
                 const RecordLayout& layout, Render render) {
  return ydb::Fetch(operation, [&](Database& db, void** out) {
    RaceKey key;
    if (!ydb::ParseRaceArgument(code, every_race_of_day, &key)) {
      return ydb::RenderedRecords(layout).Finish(out);
    }
    return render(db, key, out);
  });
}

}  // namespace

extern "C" {

void* get_race2code_1_ex(const char* code, int /*reserved*/) {
  return FetchRaces("get_race2code_1_ex", ydb::TextArgument(code), true,
                    ydb::RaceResultLayout(), ydb::RenderResultRaces);
}

void* get_race2code_2(const void* race, int /*reserved*/) {
  return FetchRaces("get_race2code_2", ydb::FieldArgument(race, kRaceCodeWidth), false,
                    ydb::ResultRunnerLayout(), ydb::RenderResultRunners);
}

void* get_denma2code(const char* code) {
  return FetchRaces("get_denma2code", ydb::TextArgument(code), true, ydb::RaceCardLayout(),
                    ydb::RenderCardRaces);
}

void* get_denmah2code(const void* race, const void* /*meeting*/) {
  return FetchRaces("get_denmah2code", ydb::FieldArgument(race, kRaceCodeWidth), false,
                    ydb::CardRunnerLayout(), ydb::RenderCardRunners);
}

void* get_comment2code(const void* race, const void* horse, int kind) {
  const std::string_view horse_code = ydb::FieldArgument(horse, kHorseCodeWidth);
  const bool well_formed = ydb::IsDigits(horse_code, kHorseCodeWidth) && (kind == 0 || kind == 1);
  return FetchRaces("get_comment2code", ydb::FieldArgument(race, kRaceCodeWidth), false,
                    ydb::CommentLayout(), [&](Database& db, const RaceKey& key, void** out) {
                      if (!well_formed) return ydb::RenderedRecords(ydb::CommentLayout()).Finish(out);
                      return ydb::RenderComment(db, key, horse_code,
                                                static_cast<ydb::CommentKind>(kind), out);
                    });
}

}  // extern "C"
