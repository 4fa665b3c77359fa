// Conversion of the world's races, horses and people into writer rows.
#include "world/Rows.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "world/Breeding.h"
#include "world/Courses.h"
#include "world/Dates.h"
#include "world/People.h"

namespace world {
namespace {

// The code of a 1 to 3 rating (1 ◎ 2 ○ 3 △) of an aptitude value.
std::string Skill(double value) { return value > 0.6 ? "1" : (value > -0.4 ? "2" : "3"); }

std::string DistanceAptitude(const Genes& genes) {
  const double metres = std::exp(genes.distance);
  return metres < 1500.0 ? "1" : (metres < 2100.0 ? "2" : "3");
}

const char* WeightRuleText(WeightRule rule) {
  switch (rule) {
    case WeightRule::kAge: return "馬齢";
    case WeightRule::kSet: return "定量";
    case WeightRule::kAllowance: return "別定";
    case WeightRule::kHandicap: return "ハンデ";
  }
  return "";
}

// The race symbol: who may run (mixed, international, fillies) in the tens,
// the jockey designation (2 特指 for special races, 3 [指定] otherwise) in the units.
std::string SymbolCode(const RacePlan& plan) {
  int rule = 0;
  if (plan.grade != kNoGrade && !plan.jump()) rule = 2;
  else if (plan.horse_class >= HorseClass::kWin1 || plan.jump()) rule = 1;
  if (plan.fillies) rule += 3;
  const int designation = plan.jump() ? 0 : (plan.special ? 2 : 3);
  return std::to_string(rule) + std::to_string(designation);
}

// Start times: a race every half hour from ten, a break at midday, the
// racecourses of a day five minutes apart.
int PostTime(int number, int lane) {
  const int minutes = 10 * 60 + 5 * lane + (number - 1) * 30 + (number > 5 ? 25 : 0);
  return minutes / 60 * 100 + minutes % 60;
}

// Prediction marks from the forecast: ◎ ○ ▲ for the three most fancied,
// △ for the next two, × for two more.
std::string PredictionMark(int rank) {
  if (rank < 1) return "";
  if (rank <= 3) return std::to_string(rank - 1);
  if (rank <= 5) return "3";
  if (rank <= 7) return "4";
  return "";
}

std::string Birthplace(const Ancestor& a, int id) {
  static const char* const kCountries[] = {"201", "202", "203", "204"};
  if (a.imported) return kCountries[id % 4];
  return a.birth_year < 2006 ? "003" : "017";
}

void FillPedigree(const World& world, int ancestor, ydb::Horse* row) {
  const std::array<int, 14> p = PedigreeOf(world, ancestor);
  for (std::size_t i = 0; i < p.size(); ++i) {
    const Ancestor& a = world.ancestors[static_cast<std::size_t>(p[i])];
    ydb::Ancestor& out = row->pedigree[i];
    out.code = a.code;
    out.name = a.name;
    out.name_latin = a.latin;
    out.foaled_in_japan = !a.imported;
    if (i <= ydb::kDam) {
      out.coat_code = a.coat;
      out.birth_year = a.birth_year;
    }
  }
}

ydb::ReferenceTime ReferenceOf(const CourseRecord& r) {
  ydb::ReferenceTime t;
  t.date = r.date;
  t.time = r.time;
  t.horse_name = r.horse_name;
  t.weight_carried = r.weight_carried;
  t.jockey_name = r.jockey_name;
  return t;
}

}  // namespace

std::string ClassCode(HorseClass race_class, int date) {
  const bool money = date < 20190601;
  switch (race_class) {
    case HorseClass::kNewcomer: return "00001";
    case HorseClass::kMaiden: return "00003";
    case HorseClass::kWin1: return money ? "05000" : "-0005";
    case HorseClass::kWin2: return money ? "10000" : "-0010";
    case HorseClass::kWin3: return money ? "16000" : "-0016";
    case HorseClass::kOpen: return "00004";
  }
  return "00004";
}

ydb::Race RaceRow(const World& world, const RaceRun& run, const RaceDetail& detail,
                  const PoolBook& final_pools, const PoolBook& forecast_pools,
                  std::vector<ydb::Payout> payouts) {
  const RacePlan& plan = run.plan;
  const Layout& layout = *plan.layout;
  const Course& course = CourseAt(run.venue.place);
  ydb::Race race;
  race.key = {course.place, run.date, plan.number};
  race.kai = run.venue.kai;
  race.kai_day = run.venue.kai_day;
  race.edition = plan.edition;
  race.name = plan.name;
  if (plan.grade != kNoGrade) race.grade = std::to_string(plan.grade);
  race.condition_text = std::string(plan.listed ? "(L)" : "") + WeightRuleText(plan.rule);
  race.weight_rule1 = race.weight_rule2 = SymbolCode(plan);
  race.race_kind = RaceKind(plan);
  race.class_code = ClassCode(plan.horse_class, run.date);
  race.track_code = layout.surface == Surface::kDirt ? "0" : "1";
  race.direction = course.direction(layout);
  race.inner_outer = layout.inner_outer;
  if (layout.surface == Surface::kTurf) {
    // Turf rails move out through a meeting to save the ground: A, B, C, D.
    race.rail = std::to_string(((run.venue.kai - 1) + (run.venue.kai_day - 1) / 4) % 4);
  }
  race.distance = layout.distance;
  race.post_time = PostTime(plan.number, run.venue.lane);
  for (std::size_t i = 0; i < 5; ++i) race.prizes[i] = run.prizes[i];
  race.added_money = run.added_money;
  race.forecast_time = detail.forecast_time;
  race.forecast_last_600 = detail.forecast_last_600;
  race.going = std::to_string(run.going);
  race.weather = run.conditions.weather;
  race.pace = detail.pace;

  // Reference times: the course record, and the fastest time at the
  // distance on the same surface at another course.
  const auto own = world.records.find(RecordKey(run.venue.place, layout.surface, layout.distance));
  if (own != world.records.end() && own->second.time > 0) {
    race.reference_times[0] = ReferenceOf(own->second);
    race.reference_times[0]->kind = "1";
  }
  const CourseRecord* best = nullptr;
  int best_place = -1;
  for (int place = 0; place < kCourseCount; ++place) {
    if (place == run.venue.place) continue;
    const auto other = world.records.find(RecordKey(place, layout.surface, layout.distance));
    if (other == world.records.end() || other->second.time == 0) continue;
    if (best == nullptr || other->second.time < best->time) {
      best = &other->second;
      best_place = place;
    }
  }
  if (best != nullptr) {
    race.reference_times[1] = ReferenceOf(*best);
    race.reference_times[1]->place = CourseAt(best_place).place;
  }

  // Runners. The newspaper's marks follow the forecast odds.
  std::vector<int> forecast_rank(static_cast<std::size_t>(run.runners()), 0);
  for (int i = 0; i < run.runners(); ++i) forecast_rank[static_cast<std::size_t>(i)] = forecast_pools.Popularity(i);
  for (int i = 0; i < run.runners(); ++i) {
    const Starter& s = run.starters[static_cast<std::size_t>(i)];
    const RunnerDetail& r = detail.runners[static_cast<std::size_t>(i)];
    const Horse& h = world.horses[static_cast<std::size_t>(s.horse)];
    ydb::Runner row;
    row.horse_no = s.number;
    row.frame_no = s.frame;
    row.horse_code = h.code;
    row.sex = s.sex;
    row.age = s.age;
    if (s.jockey >= 0) row.jockey_code = world.jockeys[static_cast<std::size_t>(s.jockey)].code;
    row.apprentice_code = s.claim;
    row.weight_carried = s.weight;
    row.blinkers = h.blinkers;
    row.trainer_code = world.trainers[static_cast<std::size_t>(h.trainer)].code;
    row.owner_code = world.owners[static_cast<std::size_t>(h.owner)].code;
    if (!s.scratched()) {
      row.body_weight = s.body_weight;
      row.weight_change = s.weight_change;
    }
    row.prediction_mark = PredictionMark(forecast_rank[static_cast<std::size_t>(i)]);
    row.training_marks = r.training_marks;
    row.comment = r.comment;
    ydb::RunnerResult result;
    result.finish_pos = s.finish;
    result.arrival_order = s.arrival;
    if (s.accident) result.accident_code = ydb::AccidentCode(*s.accident);
    result.time = r.time;
    result.margin_lengths = r.margin_lengths;
    result.margin_code = r.margin_code;
    result.margin_time = r.margin_time;
    result.corners = r.corners;
    result.straight_path = r.straight_path;
    result.first_600 = r.first_600;
    result.last_600 = r.last_600;
    result.popularity = final_pools.Popularity(i);
    result.win_odds = final_pools.WinOdds(i);
    result.speed_index = r.speed_index;
    result.prize_money = s.prize;
    result.added_money = s.added;
    row.result = result;
    race.runners.push_back(std::move(row));
  }
  for (int id : plan.nominations) {
    const Horse& h = world.horses[static_cast<std::size_t>(id)];
    ydb::Nomination n;
    n.horse_code = h.code;
    n.trainer_code = world.trainers[static_cast<std::size_t>(h.trainer)].code;
    for (int i = 0; i < run.runners(); ++i) {
      const Starter& s = run.starters[static_cast<std::size_t>(i)];
      if (s.horse != id) continue;
      if (s.jockey >= 0) n.jockey_code = world.jockeys[static_cast<std::size_t>(s.jockey)].code;
      n.weight_carried = s.weight;
      n.prediction_mark = race.runners[static_cast<std::size_t>(i)].prediction_mark;
      n.training_marks = race.runners[static_cast<std::size_t>(i)].training_marks;
    }
    race.nominations.push_back(std::move(n));
  }
  race.forecast_odds = forecast_pools.ForecastOdds();

  ydb::RaceResult result;
  result.laps = detail.laps;
  result.time_first_600 = detail.first_600;
  result.time_first_800 = detail.first_800;
  result.time_first_1000 = detail.first_1000;
  result.time_last_800 = detail.last_800;
  result.time_last_600 = detail.last_600;
  result.time_last_mile = detail.last_mile;
  result.corners = detail.corners;
  result.comment = detail.comment;
  result.payouts = std::move(payouts);
  result.final_odds = final_pools.Odds();
  result.final_odds->announced = race.post_time;  // the pools close at the off
  race.result = std::move(result);
  return race;
}

ydb::Horse HorseRow(const World& world, int horse) {
  const Horse& h = world.horses[static_cast<std::size_t>(horse)];
  const Ancestor& self = world.ancestors[static_cast<std::size_t>(h.ancestor)];
  ydb::Horse row;
  row.code = h.code;
  row.name = self.name;
  row.name_latin = self.latin;
  row.birth_date = h.birth_date;
  row.sex = h.sex;
  row.coat_code = h.coat;
  row.breed_code = "01";
  row.birthplace_code = h.birthplace;
  row.mark_code = h.mark;
  row.owner_code = world.owners[static_cast<std::size_t>(h.owner)].code;
  if (h.breeder >= 0) row.breeder_code = world.breeders[static_cast<std::size_t>(h.breeder)].code;
  if (!h.retired && h.trainer >= 0) row.trainer_code = world.trainers[static_cast<std::size_t>(h.trainer)].code;
  row.distance_aptitude = DistanceAptitude(h.genes);
  row.skill_ho = Skill(h.genes.heavy - 0.3 * h.genes.dirt);
  row.skill_hd = Skill(h.genes.heavy + 0.3 * h.genes.dirt);
  row.skill_so = Skill(-h.genes.dirt);
  row.skill_sd = Skill(h.genes.dirt);
  row.retired_date = h.retired_date;
  FillPedigree(world, h.ancestor, &row);
  return row;
}

ydb::Horse AncestorRow(const World& world, int ancestor, const std::string& sex) {
  const Ancestor& a = world.ancestors[static_cast<std::size_t>(ancestor)];
  ydb::Horse row;
  row.code = a.code;
  row.name = a.name;
  row.name_latin = a.latin;
  row.birth_date = MakeDate(a.birth_year, 4, 1);
  row.sex = sex;
  row.coat_code = a.coat;
  row.breed_code = "01";
  row.birthplace_code = Birthplace(a, ancestor);
  row.mark_code = a.imported ? "01" : "00";
  FillPedigree(world, ancestor, &row);
  return row;
}

ydb::Sire SireRow(const Stallion& stallion) {
  ydb::Sire row;
  row.code = stallion.code;
  row.distance_aptitude = DistanceAptitude(stallion.genes);
  row.skill_heavy = Skill(stallion.genes.heavy);
  row.skill_dirt = Skill(stallion.genes.dirt);
  return row;
}

ydb::Jockey JockeyRow(const World& world, const Jockey& j, int date) {
  ydb::Jockey row;
  row.code = j.code;
  row.name = j.name;
  row.name_kana = j.kana;
  row.short_name = j.short_name;
  row.birth_date = j.birth_date;
  row.first_year = j.first_year;
  row.affiliation = j.region == Region::kWest ? "1" : "2";
  row.qualification = j.qualification;
  row.apprentice_code = ApprenticeAllowance(j, date);
  if (j.apprentice && j.trainer >= 0) row.trainer_code = world.trainers[static_cast<std::size_t>(j.trainer)].code;
  row.retired_date = j.retired_date;
  return row;
}

ydb::Trainer TrainerRow(const Trainer& t) {
  ydb::Trainer row;
  row.code = t.code;
  row.name = t.name;
  row.name_kana = t.kana;
  row.short_name = t.short_name;
  row.birth_date = t.birth_date;
  row.first_year = t.first_year;
  row.centre = t.centre;
  row.retired_date = t.retired_date;
  return row;
}

ydb::Owner OwnerRow(const Owner& o) { return {o.code, o.name, o.short_name}; }

ydb::Breeder BreederRow(const Breeder& b) { return {b.code, b.name, b.short_name}; }

namespace {

// The store keeps a set of odds as one row and each of its pools as one more.
std::int64_t OddsRows(const ydb::OddsSet& odds) {
  std::set<ydb::Pool> pools;
  for (const ydb::OddsEntry& e : odds.entries) pools.insert(e.pool);
  return 1 + static_cast<std::int64_t>(pools.size());
}

}  // namespace

std::int64_t RowCount(const ydb::Race& race) {
  std::int64_t rows = 1 + static_cast<std::int64_t>(race.runners.size() + race.nominations.size());
  for (const ydb::Runner& r : race.runners) rows += r.comment.empty() ? 0 : 1;
  for (const auto& t : race.reference_times) rows += t ? 1 : 0;
  if (race.forecast_odds) rows += OddsRows(*race.forecast_odds);
  if (race.result) {
    const ydb::RaceResult& r = *race.result;
    rows += static_cast<std::int64_t>(r.laps.size() + r.corners.size() + r.payouts.size());
    if (r.final_odds) rows += OddsRows(*r.final_odds);
  }
  return rows;
}

}  // namespace world
