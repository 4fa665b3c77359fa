// The entity fetches of the C boundary: one horse, jockey, trainer, sire or
// dam-sire record by its code, and the runs of each (a horse's all, a
// person's or a sire's in a date range). A code or date that is not well
// formed fetches nothing.
#include <climits>
#include <string>
#include <string_view>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbbsn.h"
#include "db/layout/Layouts.h"
#include "db/render/EntityRecordRenderer.h"
#include "db/render/EntityRuns.h"
#include "db/render/RenderedRecords.h"
#include "db/render/StoredResultRecords.h"

namespace {

using ydb::Database;
using ydb::PastRunKind;
using ydb::RecordLayout;
using ydb::Status;

constexpr std::size_t kHorseCodeWidth = 7;
constexpr std::size_t kPersonCodeWidth = 5;

// A record fetch by code: `render(db, code, out)` for a code of `width`
// digits, an empty buffer of `layout` for anything else.
template <typename Render>
void* FetchRecord(const char* operation, const char* code, std::size_t width,
                  const RecordLayout& layout, Render&& render) {
  return ydb::Fetch(operation, [&](Database& db, void** out) {
    const std::string_view key = ydb::TextArgument(code);
    if (!ydb::IsDigits(key, width)) return ydb::RenderedRecords(layout).Finish(out);
    return render(db, key, out);
  });
}

// The runs of a person or sire from `from` to `to`: nothing for a code not
// of `width` digits, a date not of 8 digits, or `from` after `to`.
void* FetchRuns(const char* operation, PastRunKind kind, const char* code, std::size_t width,
                const char* from, const char* to) {
  return ydb::Fetch(operation, [&](Database& db, void** out) {
    const std::string_view key = ydb::TextArgument(code);
    int first = 0;
    int last = 0;
    if (!ydb::IsDigits(key, width) || !ydb::ParseDateArgument(ydb::TextArgument(from), &first) ||
        !ydb::ParseDateArgument(ydb::TextArgument(to), &last) || first > last) {
      return ydb::RenderedRecords(ydb::ResultRunnerLayout()).Finish(out);
    }
    return ydb::RenderEntityResults(db, kind, key, first, last, out);
  });
}

}  // namespace

extern "C" {

void* get_uma2code(const char* code) {
  return FetchRecord("get_uma2code", code, kHorseCodeWidth, ydb::HorseLayout(), ydb::RenderHorse);
}

void* get_jockey2code(const char* code) {
  return FetchRecord("get_jockey2code", code, kPersonCodeWidth, ydb::JockeyLayout(),
                     ydb::RenderJockey);
}

void* get_stable2code(const char* code) {
  return FetchRecord("get_stable2code", code, kPersonCodeWidth, ydb::StableLayout(),
                     ydb::RenderStable);
}

void* get_sire2code(const char* code) {
  return FetchRecord("get_sire2code", code, kHorseCodeWidth, ydb::SireLayout(), ydb::RenderSire);
}

void* get_umadimsire2code(const char* code) {
  return FetchRecord("get_umadimsire2code", code, kHorseCodeWidth, ydb::DamSireLayout(),
                     ydb::RenderDamSire);
}

void* get_uma_race2code(const char* code) {
  return FetchRecord("get_uma_race2code", code, kHorseCodeWidth, ydb::ResultRunnerLayout(),
                     [](Database& db, std::string_view horse, void** out) {
                       return ydb::ReadHorseResults(db, horse, INT_MAX, -1, out);
                     });
}

void* get_jockey_race2code(const char* code, const char* from, const char* to) {
  return FetchRuns("get_jockey_race2code", PastRunKind::kJockey, code, kPersonCodeWidth, from,
                   to);
}

void* get_stable_race2code(const char* code, const char* from, const char* to) {
  return FetchRuns("get_stable_race2code", PastRunKind::kTrainer, code, kPersonCodeWidth, from,
                   to);
}

void* get_sire_race2code(const char* code, const char* from, const char* to) {
  return FetchRuns("get_sire_race2code", PastRunKind::kSire, code, kHorseCodeWidth, from, to);
}

}  // extern "C"
