// The JV-Data record reader on any bytes: it refuses or reads, and what it
// hands on is a record of a known type at one of that type's lengths, whose
// fields cut anywhere decode to text or are refused, never past the record.
// A race record (RA, SE, HR, O1-O3) or a horse record (UM, HN) that reads
// into the model is written back, and that record reads and writes to the
// same bytes again; a foal record (SK) reads or is refused.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "exchange/jvdata/FileReader.h"
#include "exchange/jvdata/Horses.h"
#include "exchange/jvdata/Races.h"

namespace jv = exchange::jvdata;

namespace {

// Reads `record` as its type, writes the model back into *written (with
// CR LF), and says whether it read.
bool ReadAndWrite(const jv::Record& record, int form, std::string* written) {
  const int created = record.created();
  if (record.type() == "UM") {
    jv::HorseRecord horse;
    if (!jv::ReadHorse(record, form, &horse).ok()) return false;
    *written = jv::HorseRecordOf(horse, created);
  } else if (record.type() == "HN") {
    jv::BreedingHorse breeding;
    if (!jv::ReadBreedingHorse(record, form, &breeding).ok()) return false;
    *written = jv::BreedingHorseRecord(breeding, created);
  } else if (record.type() == "SK") {
    jv::Foal foal;
    (void)jv::ReadFoal(record, form, &foal);
    return false;
  } else if (record.type() == "RA") {
    ydb::Race race;
    if (!jv::ReadRace(record, 0, &race).ok()) return false;
    *written = jv::RaceRecord(race, created);
  } else if (record.type() == "SE") {
    jv::RaceRunner runner;
    if (!jv::ReadRunner(record, 0, &runner).ok()) return false;
    *written = jv::RunnerRecord(runner, record.stage(), created);
  } else if (record.type() == "HR") {
    jv::RaceId id;
    ydb::Race race;
    race.result.emplace();
    if (!jv::ReadPayouts(record, 0, &id, &race.result->payouts).ok()) return false;
    race.key = id.key;
    race.kai = id.kai;
    race.kai_day = id.kai_day;
    *written = jv::PayoutRecord(race, created);
  } else if (record.type() == "O1" || record.type() == "O2" || record.type() == "O3") {
    jv::RaceOdds odds;
    if (!jv::ReadOdds(record, 0, &odds).ok()) return false;
    const ydb::OddsSet set{"", odds.announced, odds.entries};
    *written = jv::OddsRecord(record.type(), odds.race, 18, set, odds.final, created);
  } else {
    return false;
  }
  return true;
}

// A record read and written again (in the current form) reads and writes
// the same.
void CheckRecord(const jv::Record& record, int form) {
  std::string once;
  if (!ReadAndWrite(record, form, &once) || once.empty()) return;
  const std::string bytes = once.substr(0, once.size() - 2);
  std::string twice;
  if (!ReadAndWrite(jv::Record(bytes), 0, &twice)) std::abort();
  if (twice != once) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::istringstream in(bytes);
  jv::ReadSummary summary;
  std::int64_t visited = 0;
  const ydb::Status s = jv::ReadRecords(in, "fuzz", [&](const jv::Record& r,
                                                         const jv::RecordType& type, int form) {
    ++visited;
    if (jv::FindRecordType(r.type()) != &type) std::abort();
    if (form < 0 || type.lengths[static_cast<std::size_t>(form)] != r.length()) std::abort();
    // Fields at offsets taken from the record's own bytes.
    for (int i = 11; i + 3 < r.length() && i < 64; i += 7) {
      const int offset = static_cast<unsigned char>(r.field(i, 1)[0]) * 4;
      const int width = static_cast<unsigned char>(r.field(i + 1, 1)[0]) % 80;
      if (static_cast<int>(r.field(offset, width).size()) > width) std::abort();
      std::string text;
      if (!r.text(offset, width, &text) && !text.empty()) std::abort();
      std::int64_t value = 0;
      if (r.number(offset, width, &value) != jv::Record::Number::kValue && value != 0) std::abort();
    }
    CheckRecord(r, form);
    return ydb::Status::Ok();
  }, &summary);
  std::int64_t counted = summary.unknown;
  for (const auto& entry : summary.by_type) counted += entry.second;
  if (counted != visited + summary.unknown) std::abort();
  if (summary.bytes > static_cast<std::int64_t>(size)) std::abort();
  if (s.ok() && summary.bytes != static_cast<std::int64_t>(size)) std::abort();
  return 0;
}
