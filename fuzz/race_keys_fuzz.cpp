// Race codes, calendar dates and seeds read from any text: a code that
// parses gives itself back, and its date is a calendar date.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "db/base/Date.h"
#include "db/base/GeneratedWorld.h"
#include "db/base/RaceKey.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ydb::RaceKey key;
  if (ydb::RaceKey::Parse(text, &key).ok()) {
    if (key.code() != text || !ydb::IsCalendarDate(key.date)) std::abort();
  }
  ydb::RaceKey day;
  if (ydb::RaceKey::ParseRaceOrDay(text, &day).ok() && !ydb::IsCalendarDate(day.date)) std::abort();
  std::uint64_t seed = 0;
  if (ydb::ParseSeed(text, &seed) && (seed > ydb::kLargestSeed || text.size() > 19)) std::abort();
  return 0;
}
