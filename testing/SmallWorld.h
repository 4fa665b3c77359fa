// A small world for tests: one owner, breeder and trainer, two jockeys, a
// sire and a dam's sire, nine horses, and one run race of nine runners with
// its odds, payouts, laps, corners and comments.
#ifndef YDB_TESTING_SMALLWORLD_H_
#define YDB_TESTING_SMALLWORLD_H_

#include <string>

#include "db/base/model.h"
#include "db/write/Validation.h"

namespace ytest {

using namespace ydb;


inline const RaceKey kKey{"05", 20240106, 11};

inline Horse MakeHorse(const std::string& code, const std::string& name, const std::string& sex) {
  Horse h;
  h.code = code;
  h.name = name;
  h.sex = sex;
  h.birth_date = 20200315;
  h.coat_code = "03";
  h.breed_code = "01";
  h.birthplace_code = "001";
  return h;
}

inline Runner MakeRunner(int number, int runners, const std::string& horse, int finish) {
  Runner r;
  r.horse_no = number;
  r.frame_no = DrawFrame(number, runners);
  r.horse_code = horse;
  r.age = 4;
  r.jockey_code = number % 2 == 0 ? "01001" : "01002";
  r.weight_carried = 570;
  r.trainer_code = "02001";
  r.owner_code = "100001";
  r.body_weight = 480 + number;
  r.weight_change = number - 5;
  RunnerResult x;
  x.finish_pos = finish;
  x.arrival_order = finish;
  x.time = finish == 0 ? 0 : 1070 + finish;
  x.corners = {0, 0, finish == 0 ? 0 : finish, finish == 0 ? 0 : finish};
  x.popularity = finish == 0 ? 0 : finish;
  x.win_odds = finish == 0 ? 0 : 20 + 15 * finish;
  x.last_600 = 370 + finish;
  if (finish == 0) x.accident_code = "34";
  if (finish > 1) {
    x.margin_lengths = 1;
    x.margin_code = "3";
    x.margin_time = 2 * (finish - 1);
  }
  if (finish == 1) x.prize_money = 18000000;
  r.result = x;
  return r;
}

// Nine runners on 1700 m of dirt at `key`: the draw puts horses 8 and 9 in frame 8.
// Horse 9 is scratched; the others finish in number order.
inline Race MakeRace(const RaceKey& key = kKey) {
  Race race;
  race.key = key;
  race.kai = 1;
  race.kai_day = 2;
  race.name = "ニューイヤーステークス";
  race.race_kind = "4";
  race.class_code = "00004";
  race.track_code = "0";
  race.direction = "0";
  race.rail = "0";
  race.distance = 1700;
  race.post_time = 1545;
  race.prizes = {18000000, 7200000, 4500000, 2700000, 1800000};
  race.going = "1";
  race.weather = "0";
  race.pace = "1";
  ReferenceTime record;
  record.kind = "1";
  record.date = 20211226;
  record.time = 1037;
  record.horse_name = "ハヤテノカゼ";
  record.weight_carried = 560;
  record.jockey_name = "山田";
  race.reference_times[0] = record;
  for (int n = 1; n <= 9; ++n) {
    race.runners.push_back(MakeRunner(n, 9, "20200" + std::to_string(10 + n), n == 9 ? 0 : n));
  }
  race.runners[0].comment = "好位から抜け出す";
  race.forecast_odds = OddsSet{"1", 1030, {{Pool::kWin, 1, 0, 35, 0, ""},
                                            {Pool::kWin, 9, 0, 0, 0, "/"},
                                            {Pool::kPlace, 1, 0, 12, 18, ""},
                                            {Pool::kBracketQuinella, 8, 8, 1234, 0, ""},
                                            {Pool::kQuinella, 1, 2, 88, 0, ""}}};
  RaceResult result;
  result.laps = {70, 110, 118, 124, 125, 123, 120, 121, 124};
  result.time_last_600 = 365;
  result.corners = {{"", 3, "1,2-(3,4)-5,6,7,8"}, {"", 4, "1,2,3-4,5-6,7,8"}};
  result.comment = "前半はゆったりした流れ\n直線で内から伸びる";
  result.payouts = {{Pool::kWin, 1, 0, 350, 1},       {Pool::kPlace, 1, 0, 130, 1},
                    {Pool::kPlace, 2, 0, 160, 2},     {Pool::kPlace, 3, 0, 210, 3},
                    {Pool::kBracketQuinella, 1, 2, 620, 2}, {Pool::kQuinella, 1, 2, 880, 3},
                    {Pool::kWide, 1, 2, 300, 3},      {Pool::kWide, 1, 3, 410, 5},
                    {Pool::kWide, 2, 3, 520, 7}};
  result.final_odds = OddsSet{"", 0, {{Pool::kWin, 1, 0, 35, 0, ""}}};
  race.result = result;
  return race;
}

inline Batch MakeWorld() {
  Batch b;
  b.owners.push_back({"100001", "株式会社ホワイトファームホールディングス", ""});
  b.breeders.push_back({"20000001", "北の牧場", "北牧"});
  Trainer t;
  t.code = "02001";
  t.name = "佐藤一郎";
  t.centre = "2";
  b.trainers.push_back(t);
  Jockey j1;
  j1.code = "01001";
  j1.name = "鈴木次郎";
  j1.trainer_code = "02001";
  Jockey j2 = j1;
  j2.code = "01002";
  j2.name = "高橋三郎";
  j2.trainer_code = "";
  b.jockeys = {j1, j2};
  Horse sire = MakeHorse("1990001", "オールドキング", "0");
  sire.birth_date = 0;
  Horse dams_sire = MakeHorse("1990002", "ノーザンスター", "0");
  b.horses = {sire, dams_sire};
  for (int n = 1; n <= 9; ++n) {
    Horse h = MakeHorse("20200" + std::to_string(10 + n), "ランナー" + std::to_string(n), "0");
    h.owner_code = "100001";
    h.breeder_code = "20000001";
    h.trainer_code = "02001";
    h.pedigree[kSire] = {"1990001", "オールドキング", "Old King", false, "01", 2005};
    h.pedigree[kDam] = {"", "ハナコ", "Hanako", true, "02", 2010};
    h.pedigree[kDamsSire] = {"1990002", "ノーザンスター", "", true, "", 0};
    h.pedigree[kDDD] = {"", "", "Far Away", false, "", 0};
    b.horses.push_back(h);
  }
  b.sires.push_back({"1990001", "2", "1", "", 0});
  b.races.push_back(MakeRace());
  return b;
}

// The small world with two more runs of its horses at 中山: a race the
// week before (052023122811) and one of eight runners, a frame each and no
// forecast odds, two weeks after (052024012011).
inline Batch MakeThreeRaceWorld() {
  Batch b = MakeWorld();
  Race before = MakeRace({"05", 20231228, 11});
  before.kai = 5;
  before.kai_day = 8;
  Race eight = MakeRace({"05", 20240120, 11});
  eight.kai_day = 6;
  eight.runners.pop_back();
  eight.forecast_odds.reset();
  for (Runner& r : eight.runners) r.frame_no = r.horse_no;
  b.races = {before, b.races.front(), eight};
  return b;
}

}  // namespace ytest

#endif  // YDB_TESTING_SMALLWORLD_H_
