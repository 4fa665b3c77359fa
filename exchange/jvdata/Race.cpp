// The race details record, RA (1272 bytes, JV-Data 4.9).
#include <string>

#include "exchange/jvdata/JraCodes.h"
#include "exchange/jvdata/RaceIdFields.h"

namespace exchange {
namespace jvdata {
namespace {

constexpr Field kName{32, 60, "Hondai"};
constexpr Field kEdition{611, 3, "Nkai"};
constexpr Field kGrade{614, 1, "GradeCD"};
constexpr Field kKind{616, 2, "SyubetuCD"};
// The condition of each age that may run (2, 3, 4, 5 and up), then of the
// youngest: the class is written there and read from there first.
constexpr Field kAgeClass{622, 3, "JyokenCD"};
constexpr int kAgeClasses = 4;
constexpr Field kClass{634, 3, "JyokenCD5"};
constexpr Field kDistance{697, 4, "Kyori"};
constexpr Field kTrack{705, 2, "TrackCD"};
constexpr Field kRail{709, 2, "CourseKubunCD"};
constexpr Field kPrize{713, 8, "Honsyokin"};  // hundreds of yen, 7 places
constexpr Field kAdded{809, 8, "Fukasyokin"};  // hundreds of yen, the winner's first
constexpr Field kPostTime{873, 4, "HassoTime"};
constexpr Field kEntered{881, 2, "TorokuTosu"};
constexpr Field kRunners{883, 2, "SyussoTosu"};
constexpr Field kWeather{887, 1, "TenkoCD"};
constexpr Field kTurfGoing{888, 1, "SibaBabaCD"};
constexpr Field kDirtGoing{889, 1, "DirtBabaCD"};
constexpr Field kLap{890, 3, "LapTime"};
constexpr int kLaps = 25;
constexpr Field kLastMile{965, 4, "SyogaiMileTime"};
// The sectional times, tenths; blank when not known.
struct SectionalTime {
  Field field;
  int ydb::RaceResult::*time;
};
constexpr SectionalTime kSectionalTimes[] = {
    {{969, 3, "HaronTimeS3"}, &ydb::RaceResult::time_first_600},
    {{972, 3, "HaronTimeS4"}, &ydb::RaceResult::time_first_800},
    {{975, 3, "HaronTimeL3"}, &ydb::RaceResult::time_last_600},
    {{978, 3, "HaronTimeL4"}, &ydb::RaceResult::time_last_800},
};
constexpr Field kCorner{981, 1, "Corner"};
constexpr Field kCornerOrder{983, 70, "Jyuni"};
constexpr int kCorners = 4;
constexpr int kCornerStride = 72;

constexpr int kLength = 1272;
constexpr int kHundred = 100;

// The corners 1-4 among the data set's positions (１角, ２角, ３角, ４角).
constexpr int kCornerPositions[kCorners] = {12, 2, 3, 4};

int CornerNumberOf(int position_code) {
  for (int i = 0; i < kCorners; ++i) {
    if (kCornerPositions[i] == position_code) return i + 1;
  }
  return 0;
}

void PutCode(RecordWriter& w, const Field& f, const CodeTable& table, const std::string& ours) {
  w.code(f, JraOf(table, ours));
}

// A code read through its table; a code the table lacks is a fault.
std::string ReadCode(FieldReader& r, const Field& f, const CodeTable& table) {
  const std::string jra = r.raw(f);
  std::string ours;
  if (!OursOf(table, jra, &ours)) r.fail(f, "'" + jra + "' is not a code known here");
  return ours;
}

void PutResult(RecordWriter& w, const ydb::RaceResult& x) {
  for (std::size_t i = 0; i < x.laps.size() && i < kLaps; ++i) {
    w.digits(kLap.at(static_cast<int>(i), kLap.width), x.laps[i]);
  }
  if (x.time_last_mile != 0) w.digits(kLastMile, ClockOfTenths(x.time_last_mile));
  for (const SectionalTime& t : kSectionalTimes) {
    if (x.*t.time != 0) w.digits(t.field, x.*t.time);
  }
  int slot = 0;
  for (const ydb::Corner& c : x.corners) {
    const int number = CornerNumberOf(c.position_code);
    if (number == 0 || !c.qualifier.empty() || slot == kCorners) continue;
    w.digits(kCorner.at(slot, kCornerStride), number);
    w.text(kCornerOrder.at(slot, kCornerStride), c.passing_order);
    ++slot;
  }
}

ydb::RaceResult ReadResult(FieldReader& r) {
  ydb::RaceResult x;
  for (int i = 0; i < kLaps && r.present(kLap.at(i, kLap.width)); ++i) {
    x.laps.push_back(static_cast<int>(r.number(kLap.at(i, kLap.width))));
  }
  x.time_last_mile = TenthsOfClock(r.number(kLastMile));
  for (const SectionalTime& t : kSectionalTimes) x.*t.time = static_cast<int>(r.number(t.field));
  for (int i = 0; i < kCorners; ++i) {
    const Field corner = kCorner.at(i, kCornerStride);
    const char number = r.choice(corner, "1234");
    if (number == ' ') continue;
    x.corners.push_back({"", kCornerPositions[number - '1'], r.text(kCornerOrder.at(i, kCornerStride))});
  }
  return x;
}

}  // namespace

std::string RaceRecord(const ydb::Race& race, int created) {
  RecordWriter w("RA", kLength, StageOf(race), created);
  PutRaceId(w, {race.key, race.kai, race.kai_day});
  w.text(kName, race.name);
  if (race.edition != 0) w.digits(kEdition, race.edition);
  PutCode(w, kGrade, GradeCodes(), race.grade);
  PutCode(w, kKind, RaceKindCodes(), race.race_kind);
  const std::string condition = JraClassOf(race.class_code);
  for (int i = 0; i < kAgeClasses; ++i) w.code(kAgeClass.at(i, kAgeClass.width), "000");
  w.code(kClass, condition);
  w.digits(kDistance, race.distance);
  w.code(kTrack, JraTrackOf(race.race_kind == "0", race.track_code, race.direction, race.inner_outer));
  PutCode(w, kRail, RailCodes(), race.rail);
  for (std::size_t i = 0; i < race.prizes.size(); ++i) {
    w.digits(kPrize.at(static_cast<int>(i), kPrize.width), race.prizes[i] / kHundred);
  }
  w.digits(kAdded, race.added_money / kHundred);
  if (race.post_time != 0) w.digits(kPostTime, race.post_time);
  w.digits(kEntered, static_cast<std::int64_t>(race.runners.size()));
  w.digits(kRunners, static_cast<std::int64_t>(race.runners.size()));
  PutCode(w, kWeather, WeatherCodes(), race.weather);
  PutCode(w, race.track_code == "0" ? kDirtGoing : kTurfGoing, GoingCodes(), race.going);
  if (race.result && CarriesResults(StageOf(race))) PutResult(w, *race.result);
  return w.record();
}

ydb::Status ReadRace(const Record& record, int, ydb::Race* out) {
  FieldReader r(record, "RA");
  ydb::Race race;
  const RaceId id = ReadRaceId(r);
  race.key = id.key;
  race.kai = id.kai;
  race.kai_day = id.kai_day;
  race.name = r.text(kName);
  race.edition = static_cast<int>(r.number(kEdition));
  race.grade = ReadCode(r, kGrade, GradeCodes());
  race.race_kind = ReadCode(r, kKind, RaceKindCodes());
  // The youngest age's condition, or the first age's that has one.
  Field condition = kClass;
  for (int i = 0; i < kAgeClasses && r.code(condition).empty(); ++i) {
    condition = kAgeClass.at(i, kAgeClass.width);
  }
  const std::string jra_class = r.raw(condition);
  if (!ClassOfJra(jra_class, race.key.date, &race.class_code)) {
    r.fail(condition, "'" + jra_class + "' is not a class known here");
  }
  race.distance = static_cast<int>(r.number(kDistance));
  const std::string track = r.raw(kTrack);
  if (!TrackOfJra(track, &race.track_code, &race.direction, &race.inner_outer)) {
    r.fail(kTrack, "'" + track + "' is not a track known here");
  }
  race.rail = ReadCode(r, kRail, RailCodes());
  for (std::size_t i = 0; i < race.prizes.size(); ++i) {
    race.prizes[i] = r.number(kPrize.at(static_cast<int>(i), kPrize.width)) * kHundred;
  }
  race.added_money = r.number(kAdded) * kHundred;
  race.post_time = static_cast<int>(r.number(kPostTime));
  race.weather = ReadCode(r, kWeather, WeatherCodes());
  race.going = ReadCode(r, race.track_code == "0" ? kDirtGoing : kTurfGoing, GoingCodes());
  if (CarriesResults(record.stage())) race.result = ReadResult(r);
  if (!r.status().ok()) return r.status();
  *out = std::move(race);
  return ydb::Status::Ok();
}

}  // namespace jvdata
}  // namespace exchange
