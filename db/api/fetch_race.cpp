// The race fetches of the C boundary: results, race cards and nominations
// of races and their runners, a horse's latest results, and the comments on
// runs.
#include <string>
#include <string_view>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbbsn.h"
#include "db/layout/Layouts.h"
#include "db/render/CardRaceRenderer.h"
#include "db/render/CardRunnerRenderer.h"
#include "db/render/CommentRenderer.h"
#include "db/render/RenderedRecords.h"
#include "db/render/StoredResultRecords.h"

namespace {

using ydb::Database;
using ydb::RaceKey;
using ydb::RecordLayout;
using ydb::Status;

constexpr std::size_t kRaceCodeWidth = 12;
constexpr std::size_t kHorseCodeWidth = 7;
constexpr std::size_t kDateWidth = 8;

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
                    ydb::RaceResultLayout(), ydb::ReadResultRecords);
}

void* get_race2code_2(const void* race, int /*reserved*/) {
  return FetchRaces("get_race2code_2", ydb::FieldArgument(race, kRaceCodeWidth), false,
                    ydb::ResultRunnerLayout(), ydb::ReadStoredRunners);
}

void* get_denma2code(const char* code) {
  return FetchRaces("get_denma2code", ydb::TextArgument(code), true, ydb::RaceCardLayout(),
                    [](Database& db, const RaceKey& key, void** out) {
                      return ydb::RenderCardRaces(db, key, ydb::CardRaces::kDrawn, out);
                    });
}

void* get_denmah2code(const void* race, const void* /*meeting*/) {
  return FetchRaces("get_denmah2code", ydb::FieldArgument(race, kRaceCodeWidth), false,
                    ydb::CardRunnerLayout(), ydb::RenderCardRunners);
}

void* get_tok2code(const char* code) {
  return FetchRaces("get_tok2code", ydb::TextArgument(code), true, ydb::RaceCardLayout(),
                    [](Database& db, const RaceKey& key, void** out) {
                      return ydb::RenderCardRaces(db, key, ydb::CardRaces::kNominated, out);
                    });
}

void* get_tokh2code(const void* race) {
  return FetchRaces("get_tokh2code", ydb::FieldArgument(race, kRaceCodeWidth), false,
                    ydb::CardRunnerLayout(), ydb::RenderNominations);
}

void* get_uma_race5(const char* horse, const char* date, int count) {
  return ydb::Fetch("get_uma_race5", [&](Database& db, void** out) {
    const std::string_view horse_code = ydb::TextArgument(horse);
    const std::string_view before = ydb::TextArgument(date);
    if (!ydb::IsDigits(horse_code, kHorseCodeWidth) || !ydb::IsDigits(before, kDateWidth) ||
        count < 1) {
      return ydb::RenderedRecords(ydb::ResultRunnerLayout()).Finish(out);
    }
    return ydb::ReadHorseResults(db, horse_code, std::stoi(std::string(before)), count, out);
  });
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
