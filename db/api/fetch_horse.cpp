// The horse fetches of the C boundary: a horse's pedigree.
#include <string_view>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbbsn.h"
#include "db/layout/Layouts.h"
#include "db/render/PedigreeRenderer.h"
#include "db/render/RenderedRecords.h"

namespace {

constexpr std::size_t kHorseCodeWidth = 7;

}  // namespace

extern "C" {

void* get_ped2code(const char* code) {
  return ydb::Fetch("get_ped2code", [&](ydb::Database& db, void** out) {
    const std::string_view horse = ydb::TextArgument(code);
    if (!ydb::IsDigits(horse, kHorseCodeWidth)) {
      return ydb::RenderedRecords(ydb::PedigreeLayout()).Finish(out);
    }
    return ydb::RenderPedigree(db, horse, out);
  });
}

}  // extern "C"
