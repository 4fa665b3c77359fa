// Race codes, failure reports and shared display forms of the race
// subcommands.
#include "RaceShow.h"

#include <db/api/ydbbsn.h>
#include <db/base/RaceKey.h>

#include <iostream>

#include "Display.h"
#include "Printable.h"
#include "Session.h"

namespace tool {
namespace {

// The date of a past run: 2024-01-06.
std::string RunDate(const std::string& racecode) {
  if (racecode.size() < 10) return "";
  return racecode.substr(2, 4) + "-" + racecode.substr(6, 2) + "-" + racecode.substr(8, 2);
}

// Where a past run was run.
std::string RunPlace(const std::string& racecode) {
  std::string code = racecode;
  code.resize(12, ' ');
  return Utf8(YUtil::getplace(reinterpret_cast<unsigned char*>(code.data()), false));
}

}  // namespace

bool CheckRaceCode(const std::string& code) {
  ydb::RaceKey key;
  const ydb::Status s = ydb::RaceKey::Parse(code, &key);
  if (!s.ok()) std::cerr << "ydbcln: " << Reason(s.message()) << "\n";
  return s.ok();
}

void ReportReadFailure(YHorseDB& db, const std::string& what) {
  std::cerr << "ydbcln: cannot read " << what << ": " << Utf8(db.geterrmessage());
  const std::string detail = get_db_error();
  if (!detail.empty()) std::cerr << " (" << Reason(detail) << ")";
  std::cerr << "\n";
}

int ReportNotLoaded(YHorseDB& db, const std::string& what) {
  if (db.geterrstatus() == YHorseDB::kDatabaseError) {
    ReportReadFailure(db, what);
  } else {
    std::cerr << "ydbcln: no " << what << " in the data set\n";
  }
  return 1;
}

std::string RaceTime(int tenths) {
  if (tenths <= 0) return "";
  std::string seconds = std::to_string(tenths % 600 / 10) + "." + std::to_string(tenths % 10);
  if (tenths < 600) return seconds;
  if (tenths % 600 < 100) seconds.insert(0, "0");
  return std::to_string(tenths / 600) + ":" + seconds;
}

std::string Weight(int tenths) {
  if (tenths <= 0) return "";
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

nlohmann::json PastRunJson(YRaceHorse& run) {
  return {{"race_code", run.racecode},
          {"date", RunDate(run.racecode)},
          {"place", RunPlace(run.racecode)},
          {"race_name", Utf8(run.racename)},
          {"distance", Utf8(run.track) + std::to_string(run.distance)},
          {"going", Utf8(run.going)},
          {"order", Utf8(run.ordertext)},
          {"time", RaceTime(run.racetime)},
          {"comment", Utf8(run.get_rcomment())}};
}

std::string FoundRaceLine(YRaceList& race) {
  return race.getcode() + "  " + Column(race.getskaisai(), 14) + Column(race.getname(), 30) + " " +
         Text(race.getdistance()) + " " + std::to_string(race.gethorsecount()) + "頭  単" +
         Text(race.gettan()) + "  馬連" + Text(race.getumaren());
}

nlohmann::json FoundRaceJson(YRaceList& race) {
  return {{"code", race.getcode()},
          {"date", race.getdate()},
          {"meeting", Text(race.getskaisai())},
          {"name", Text(Trim(race.getname()))},
          {"distance", Text(race.getdistance())},
          {"runners", race.gethorsecount()},
          {"win", Number(race.gettan())},
          {"quinella", Number(race.getumaren())}};
}

}  // namespace tool
