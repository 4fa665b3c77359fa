// The user's own card at the C boundary: its race as a race-card record,
// and each of its entries as a race-card runner record rendered from the
// store's horses, jockeys and trainers.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbbsn.h"
#include "db/layout/Layouts.h"
#include "db/render/CardRunnerRenderer.h"
#include "db/render/RecordBuilder.h"

namespace {

using ydb::RecordReader;
using ydb::Status;

constexpr int kMaxEntries = 18;

std::optional<int> NumberOf(const RecordReader& reader, std::string_view field,
                            std::size_t index = 0) {
  const std::optional<std::int64_t> value = reader.number(field, index);
  if (!value) return std::nullopt;
  return static_cast<int>(*value);
}

// The card's number of entries into *count; a failure for a null card or a
// count outside 0 to 18.
Status EntryCount(const void* card, int* count) {
  if (card == nullptr) return Status::InvalidArgument("no card");
  const std::optional<int> n = NumberOf(RecordReader(card, ydb::SpecialCardLayout()), "entry_count");
  if (!n || *n > kMaxEntries) return Status::InvalidArgument("the card's entry count is not 0 to 18");
  *count = *n;
  return Status();
}

// Entry `index` of the card, with the race as the card's race part names it.
ydb::CardEntry EntryOf(const void* card, int index) {
  const RecordReader entries(card, ydb::SpecialCardLayout());
  // The race part opens the card, so the race-card layout reads it in place.
  const RecordReader race(card, ydb::RaceCardLayout());
  const auto i = static_cast<std::size_t>(index);
  ydb::CardEntry e;
  const std::string_view code = race.bytes("race_code");
  e.place = std::string(ydb::FieldArgument(code.data(), 2));
  if (e.place.find(' ') != std::string::npos) e.place.clear();
  if (ydb::IsDigits(code.substr(2, 8), 8)) e.date = std::stoi(std::string(code.substr(2, 8)));
  if (ydb::IsDigits(code.substr(10, 2), 2)) e.race_number = std::stoi(std::string(code.substr(10, 2)));
  e.kai = NumberOf(race, "kai");
  e.kai_day = NumberOf(race, "day");
  e.horse_code = entries.trimmed("entry_horse_code", i);
  e.bracket = NumberOf(entries, "entry_bracket_number", i);
  e.horse_number = NumberOf(entries, "entry_horse_number", i);
  e.jockey_code = entries.trimmed("entry_jockey_code", i);
  e.weight_carried = NumberOf(entries, "entry_weight_carried", i);
  return e;
}

}  // namespace

extern "C" {

int conv_tn2rd(void* race, const void* card) {
  const Status s = ydb::RunCall("conv_tn2rd", [&] {
    int count = 0;
    Status ok = EntryCount(card, &count);
    if (!ok.ok()) return ok;
    if (race == nullptr) return Status::InvalidArgument("no race record to fill");
    // Field by field from the card's race part, which the race-card layout
    // reads in place; then the runner count from the entries.
    const ydb::RecordLayout& layout = ydb::RaceCardLayout();
    const RecordReader from(card, layout);
    ydb::RecordBuilder b(race, layout);
    for (const ydb::Field& f : layout.fields()) {
      if (f.alias) continue;
      for (std::size_t i = 0; i < f.count; ++i) b.set_raw(f, from.bytes(f.name, i), i);
    }
    b.set_digits("runner_count", count);
    return b.status();
  });
  return s.ok() ? 0 : -1;
}

int conv_tn2rdh(void* runner, const void* card, int index) {
  return ydb::StoreCall("conv_tn2rdh", [&](ydb::Database& db) {
    int count = 0;
    Status ok = EntryCount(card, &count);
    if (!ok.ok()) return ok;
    if (runner == nullptr) return Status::InvalidArgument("no runner record to fill");
    if (index < 0 || index >= count) {
      return Status::InvalidArgument("entry " + std::to_string(index) + " of a card of " +
                           std::to_string(count));
    }
    return ydb::RenderCardEntry(db, EntryOf(card, index), runner);
  }).ok() ? 0 : -1;
}

}  // extern "C"
