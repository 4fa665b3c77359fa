// The past-run fetches of the C boundary: a horse's runs, a jockey's,
// trainer's or sire's runs in a date range, the runs over one course, a
// race's entries, and a horse's sire.
#include <cstdio>
#include <string_view>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbbsn.h"
#include "db/layout/Layouts.h"
#include "db/render/PastRunRenderer.h"
#include "db/render/StoredPastRuns.h"
#include "db/render/RenderedRecords.h"
#include "db/render/SireCodeRenderer.h"

namespace {

constexpr std::size_t kHorseCodeWidth = 7;
constexpr std::size_t kPersonCodeWidth = 5;
constexpr std::size_t kRaceCodeWidth = 12;

constexpr int kFirstDate = 10000101;
constexpr int kLastDate = 99991231;
constexpr int kLastPlace = 99;
constexpr int kLastDistance = 9999;

// An empty buffer of past runs: the answer to arguments that name nothing.
ydb::Status NoRuns(void** out) { return ydb::RenderedRecords(ydb::PastRunLayout()).Finish(out); }

// The runs of `who` with the code of `width` digits between the 8-digit
// dates `from` and `to`.
void* FetchRunsOf(const char* operation, ydb::RunsOf who, std::size_t width, const char* code,
                  const char* from, const char* to) {
  return ydb::Fetch(operation, [&](ydb::Database& db, void** out) {
    const std::string_view entity = ydb::TextArgument(code);
    int first = 0;
    int last = 0;
    if (!ydb::IsDigits(entity, width) || !ydb::ParseDateArgument(ydb::TextArgument(from), &first) ||
        !ydb::ParseDateArgument(ydb::TextArgument(to), &last)) {
      return NoRuns(out);
    }
    return ydb::RenderRunsOf(db, who, entity, first, last, out);
  });
}

}  // namespace

extern "C" {

void* get_uma_racey2code(const char* code) {
  return ydb::Fetch("get_uma_racey2code", [&](ydb::Database& db, void** out) {
    const std::string_view horse = ydb::TextArgument(code);
    if (!ydb::IsDigits(horse, kHorseCodeWidth)) return NoRuns(out);
    return ydb::RenderHorseRuns(db, horse, out);
  });
}

void* get_jockey_racey2code(const char* code, const char* from, const char* to) {
  return FetchRunsOf("get_jockey_racey2code", ydb::RunsOf::kJockey, kPersonCodeWidth, code, from,
                     to);
}

void* get_stable_racey2code(const char* code, const char* from, const char* to) {
  return FetchRunsOf("get_stable_racey2code", ydb::RunsOf::kTrainer, kPersonCodeWidth, code, from,
                     to);
}

void* get_sire_racey2code(const char* code, const char* from, const char* to) {
  return FetchRunsOf("get_sire_racey2code", ydb::RunsOf::kSire, kHorseCodeWidth, code, from, to);
}

void* get_raceh_racey2code(int from, int to, int racecourse, int surface, int distance) {
  return ydb::Fetch("get_raceh_racey2code", [&](ydb::Database& db, void** out) {
    const bool dates = from >= kFirstDate && from <= kLastDate && to >= kFirstDate &&
                       to <= kLastDate;
    if (!dates || racecourse < 0 || racecourse > kLastPlace || surface < '0' || surface > '2' ||
        distance < 1 || distance > kLastDistance) {
      return NoRuns(out);
    }
    char place[3];
    std::snprintf(place, sizeof place, "%02d", racecourse);
    const char track[2] = {static_cast<char>(surface), '\0'};
    return ydb::RenderCourseRuns(db, place, track, distance, from, to, out);
  });
}

void* get_raceh_racey2codec(const void* race) {
  return ydb::Fetch("get_raceh_racey2codec", [&](ydb::Database& db, void** out) {
    ydb::RaceKey key;
    if (!ydb::ParseRaceArgument(ydb::FieldArgument(race, kRaceCodeWidth), false, &key)) {
      return NoRuns(out);
    }
    return ydb::RenderRaceEntries(db, key, out);
  });
}

void* get_sirecode_uma2code(const char* code) {
  return ydb::Fetch("get_sirecode_uma2code", [&](ydb::Database& db, void** out) {
    const std::string_view horse = ydb::TextArgument(code);
    if (!ydb::IsDigits(horse, kHorseCodeWidth)) {
      return ydb::RenderedRecords(ydb::SireCodeLayout()).Finish(out);
    }
    return ydb::RenderSireCode(db, horse, out);
  });
}

}  // extern "C"
