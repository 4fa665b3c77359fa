// The race id of the race records, their data stages and race times.
#include "exchange/jvdata/RaceIdFields.h"

#include <algorithm>
#include <string>

#include "exchange/JraPlaces.h"

namespace exchange {
namespace jvdata {
namespace {

constexpr Field kYear{11, 4, "Year"};
constexpr Field kMonthDay{15, 4, "MonthDay"};
constexpr Field kPlace{19, 2, "JyoCD"};
constexpr Field kKai{21, 2, "Kaiji"};
constexpr Field kKaiDay{23, 2, "Nichiji"};
constexpr Field kNumber{25, 2, "RaceNum"};

}  // namespace

bool Cancelled(const ydb::Race& race) {
  if (!race.result || !race.result->payouts.empty() || race.runners.empty()) return false;
  const std::string scratched(ydb::AccidentCode(ydb::Accident::kScratched));
  return std::all_of(race.runners.begin(), race.runners.end(), [&](const ydb::Runner& r) {
    return r.result && r.result->accident_code == scratched;
  });
}

ydb::RunnerResult CancelledRun() {
  ydb::RunnerResult run;
  run.accident_code = std::string(ydb::AccidentCode(ydb::Accident::kScratched));
  return run;
}

char StageOf(const ydb::Race& race) {
  if (Cancelled(race)) return kCancelledStage;
  return race.result ? '7' : '2';
}

bool CarriesResults(char stage) {
  return (stage >= '3' && stage <= '7') || stage == 'A' || stage == 'B';
}

void PutRaceId(RecordWriter& w, const RaceId& race) {
  w.digits(kYear, race.key.date / 10000);
  w.digits(kMonthDay, race.key.date % 10000);
  std::string jra;
  if (JraCodeOfPlace(race.key.place, &jra).ok()) w.code(kPlace, jra);
  w.digits(kKai, race.kai);
  w.digits(kKaiDay, race.kai_day);
  w.digits(kNumber, race.key.number);
}

RaceId ReadRaceId(FieldReader& r) {
  RaceId race;
  race.key.date = static_cast<int>(r.number(kYear) * 10000 + r.number(kMonthDay));
  const std::string jra = r.raw(kPlace);
  const ydb::Status s = PlaceOfJraCode(jra, &race.key.place);
  if (!s.ok()) r.fail(kPlace, "'" + jra + "': " + s.message());
  race.kai = static_cast<int>(r.number(kKai));
  race.kai_day = static_cast<int>(r.number(kKaiDay));
  race.key.number = static_cast<int>(r.number(kNumber));
  return race;
}

std::int64_t ClockOfTenths(int tenths) {
  return tenths / 600 * 1000 + tenths % 600 / 10 * 10 + tenths % 10;
}

int TenthsOfClock(std::int64_t clock) {
  return static_cast<int>(clock / 1000 * 600 + clock % 1000 / 10 * 10 + clock % 10);
}

}  // namespace jvdata
}  // namespace exchange
