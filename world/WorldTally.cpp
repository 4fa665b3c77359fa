// The figures of the realism report, their bands and where each band comes from.
#include "world/WorldTally.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "db/read/Reader.h"

namespace world {
namespace {

// The bands, from JRA's published figures and what the racing press has
// counted from them. Ranges are "about" figures widened by their year-to-year
// scatter; a course's programme is allowed a third either side.
struct Band {
  const char* name;
  const char* label;
  const char* unit;
  double low, high;
  const char* source;
};

constexpr const char* kRecords =
    "JRA all-time records: win ¥56,940 (Fukushima 2014-04-26), place ¥18,020, bracket ¥149,110; "
    "quinella ¥615,560 and wide ¥160,770 (Kokura 2026-01-31, SPAIA 2026-01-31)";
constexpr const char* kFavourites =
    "JRA favourites 2010s: win 31-34 % (32.9 % in 2019), favourites at 2.0-2.9 return 77 % to win "
    "and 84 % to place (JRA-VAN data as published by the racing blogs); takeout 20 % win and place";
constexpr const char* kPaceMarks =
    "JRA results: the pace mark (H, M, S) of each race; fast, even and slow paces each common";
constexpr const char* kProgramme = "JRA race programmes 2015-2023 (racing calendar and results)";
constexpr const char* kMaidenRaces =
    "JRA newcomers' and maiden races of the 2017 crop, June 2019 to September 2020 (a racegoer's "
    "count, lifespring.hatenablog.com 2020-09-26): 新馬 299 (203 on turf), 未勝利 1,159 (502 on "
    "turf); about 3,330 flat races a year, turf and dirt about half each";

const Band kBands[] = {
    {"largest_win", "Largest win payout", "yen", 100, 56940, kRecords},
    {"largest_place", "Largest place payout", "yen", 100, 18020, kRecords},
    {"largest_bracket", "Largest bracket quinella payout", "yen", 100, 149110, kRecords},
    {"largest_quinella", "Largest quinella payout", "yen", 100, 615560, kRecords},
    {"largest_wide", "Largest wide payout", "yen", 100, 160770, kRecords},
    {"wide_over_100k", "Wide payouts of ¥100,000 or more", "a season", 0, 1,
     "about 3 in 22 years of wide betting (Yahoo!/SPAIA ranking of wide payouts, 2021)"},
    {"favourite_win_return", "Backing every favourite: return to win", "%", 74, 82, kFavourites},
    {"favourite_place_return", "Backing every favourite: return to place", "%", 79, 86, kFavourites},
    {"outsider_win_return", "Backing popularities 9-12: return to win", "%", 50, 75,
     "JRA popularity tables: long shots return well under the 80 % paid back"},
    {"favourite_win_rate", "Favourite wins", "%", 31, 34, kFavourites},
    {"favourite_top3_rate", "Favourite in the first three", "%", 62, 66, kFavourites},
    {"fastest_closer_place", "Fastest last 600 m: mean finishing place", "place", 2.0, 3.8,
     "JRA results by course and class (上がり最速 tables)"},
    {"early_pace_nakayama_dirt_1200", "First 600 m, Nakayama dirt 1200 m maidens", "s", 33.8, 34.8,
     "JRA class averages of the first three furlongs (about 34.3 s)"},
    {"early_pace_scatter", "Race-to-race scatter of that first 600 m", "s", 0.4, 1.5,
     "JRA results: fast, even and slow early paces in the same class"},
    {"winning_time_nakayama_dirt_1800", "Nakayama dirt 1800 m maidens, good going: winning time", "s",
     114.7, 116.7, "JRA class averages (about 1:55.7)"},
    {"dead_heats_for_first", "Dead heats for first", "a season", 2, 6,
     "JRA results: about four a season"},
    {"margins_outside_set", "Margins outside JRA's set", "runners", 0, 0,
     "JRA's margins: ハナ, アタマ, クビ, 1/2, 3/4, 1 to 2 by quarters, 2 to 4 by halves, 5 to 10, 大差"},
    {"leader_rides", "Leading jockey's rides", "a season", 0, 1050,
     "JRA leading jockeys 2015-2023: at most about 1,000 rides"},
    {"leaders_win_rate", "Five leading jockeys' win rate", "%", 20, 30,
     "JRA jockey rankings 2015-2023: 20-30 %"},
    {"pace_fast_share", "Flat races marked fast (H)", "%", 20, 45, kPaceMarks},
    {"pace_even_share", "Flat races marked even (M)", "%", 20, 45, kPaceMarks},
    {"pace_slow_share", "Flat races marked slow (S)", "%", 20, 45, kPaceMarks},
    {"kyoto_while_closed", "Races at Kyoto while it was rebuilt", "races", 0, 0,
     "JRA (Nikkan Sports 2022-12-13): Kyoto closed for rebuilding after its 4th meeting of 2020 "
     "(last day 1 November) until its reopening on 22 April 2023, its meetings run at Hanshin and "
     "Chukyo"},
    {"turf_share", "Turf share of flat races", "%", 48, 53, kProgramme},
    {"turf_1200_share", "Turf 1200 m share of turf races", "%", 13, 25, kProgramme},
    {"turf_maiden_share", "Newcomer and maiden share of turf races", "%", 38, 47, kMaidenRaces},
    {"newcomers_on_turf", "Newcomers' races run on turf", "%", 60, 76, kMaidenRaces},
    {"maidens_on_turf", "Maiden races (newcomers' aside) run on turf", "%", 37, 50, kMaidenRaces},
    {"venue_days", "Venue-days", "a season", 200, 288,
     "JRA: 36 meetings of 8 days, 288 venue-days a year"},
    {"jump_field", "Jump race field", "runners", 10, 13, "JRA jump races: 10-13 runners on average"},
    {"scratches_per_race", "Scratched or excluded runners", "a race", 0.02, 0.08,
     "JRA results: about 0.05 a race"},
    {"niigata_straight_1000", "Niigata straight 1000 m races", "a season", 17, 35, kProgramme},
    {"turf_2600", "Turf 2600 m races", "a season", 23, 47, kProgramme},
    {"nakayama_turf_2000", "Nakayama turf 2000 m races", "a season", 32, 64, kProgramme},
    {"nakayama_dirt_1200", "Nakayama dirt 1200 m races", "a season", 84, 168, kProgramme},
};

// Whether a margin is one JRA gives: whole lengths with a fraction code.
bool JraMargin(int lengths, const std::string& code) {
  if (code == "7" || code == "8") return lengths == 0;  // 大差, 同着
  if (lengths == 0) return code == "0" || code == "1" || code == "2" || code == "3" || code == "5";
  if (lengths == 1) return code.empty() || code == "4" || code == "3" || code == "5";
  if (lengths <= 3) return code.empty() || code == "3";
  return lengths <= 10 && code.empty();
}

bool Scratched(const ydb::Runner& r) {
  if (!r.result || r.result->accident_code.empty()) return false;
  const auto accident = ydb::ParseAccident(r.result->accident_code);
  return accident && !ydb::Started(*accident);
}

}  // namespace

bool Report::inside() const {
  return std::all_of(figures.begin(), figures.end(), [](const Figure& f) { return f.inside(); });
}

void WorldTally::Add(const ydb::Race& race) {
  if (!race.result) return;
  const int year = race.key.date / 10000;
  years_.insert(year);
  venue_days_.insert({race.key.date, race.key.place});
  ++races_;
  kyoto_while_closed_ += race.key.place == "00" && race.key.date > 20201101 && race.key.date < 20230422;
  const ydb::RaceResult& result = *race.result;

  for (const ydb::Payout& p : result.payouts) {
    std::int64_t& most = largest_[static_cast<std::size_t>(static_cast<int>(p.pool) - 1)];
    most = std::max(most, p.amount);
    if (p.pool == ydb::Pool::kWide && p.amount >= 100000) ++wide_over_100k_;
  }
  auto paid = [&](ydb::Pool pool, int horse) {
    std::int64_t yen = 0;
    for (const ydb::Payout& p : result.payouts) {
      if (p.pool == pool && p.first == horse) yen = std::max(yen, p.amount);
    }
    return static_cast<double>(yen);
  };
  const bool place_sold = std::any_of(result.payouts.begin(), result.payouts.end(),
                                      [](const ydb::Payout& p) { return p.pool == ydb::Pool::kPlace; });

  const bool jump = race.race_kind == "0";
  const bool turf = race.track_code == "1";
  const bool newcomers = race.class_code == "00001";
  const bool maiden = newcomers || race.class_code == "00003";
  int field = 0;
  const ydb::Runner* fastest = nullptr;
  for (const ydb::Runner& r : race.runners) {
    if (Scratched(r)) {
      ++scratched_;
      continue;
    }
    ++field;
    if (!r.result) continue;
    const ydb::RunnerResult& rr = *r.result;
    if (!r.jockey_code.empty()) {
      Rider& rider = riders_[{year, r.jockey_code}];
      ++rider.rides;
      rider.wins += rr.finish_pos == 1 ? 1 : 0;
    }
    if (rr.popularity == 1) {
      favourite_win_.Add(rr.finish_pos == 1 ? 100.0 : 0.0);
      favourite_top3_.Add(rr.finish_pos >= 1 && rr.finish_pos <= 3 ? 100.0 : 0.0);
      favourite_win_return_.Add(paid(ydb::Pool::kWin, r.horse_no));
      if (place_sold) favourite_place_return_.Add(paid(ydb::Pool::kPlace, r.horse_no));
    }
    if (rr.popularity >= 9 && rr.popularity <= 12) outsider_win_return_.Add(paid(ydb::Pool::kWin, r.horse_no));
    if (rr.arrival_order > 1) {
      ++margins_;
      margins_outside_ += JraMargin(rr.margin_lengths, rr.margin_code) ? 0 : 1;
    }
    if (!jump && rr.finish_pos > 0 && rr.last_600 > 0 &&
        (fastest == nullptr || rr.last_600 < fastest->result->last_600)) {
      fastest = &r;
    }
  }
  int winners = 0;
  for (const ydb::Runner& r : race.runners) winners += r.result && r.result->finish_pos == 1 ? 1 : 0;
  dead_heats_for_first_ += winners > 1 ? 1 : 0;
  if (fastest != nullptr) fastest_finish_.Add(fastest->result->finish_pos);

  if (jump) {
    jump_field_.Add(field);
    return;
  }
  ++flat_;
  newcomer_races_ += newcomers ? 1 : 0;
  maiden_races_ += maiden && !newcomers ? 1 : 0;
  if (race.pace.size() == 1 && race.pace[0] >= '0' && race.pace[0] <= '2') {
    ++paces_[static_cast<std::size_t>(race.pace[0] - '0')];
  }
  if (turf) {
    ++turf_;
    turf_sprints_ += race.distance == 1200 ? 1 : 0;
    turf_maidens_ += maiden ? 1 : 0;
    turf_newcomer_races_ += newcomers ? 1 : 0;
    turf_2600_ += race.distance == 2600 ? 1 : 0;
    niigata_straight_ += race.key.place == "07" && race.distance == 1000 ? 1 : 0;
  }
  if (race.key.place == "05") {
    nakayama_turf_2000_ += turf && race.distance == 2000 ? 1 : 0;
    nakayama_dirt_1200_ += !turf && race.distance == 1200 ? 1 : 0;
    if (!turf && maiden && race.distance == 1200 && result.time_first_600 > 0) {
      early_pace_.Add(result.time_first_600 / 10.0);
      early_pace_squares_.Add(std::pow(result.time_first_600 / 10.0, 2));
    }
    if (!turf && maiden && race.distance == 1800 && race.going == "0") {
      for (const ydb::Runner& r : race.runners) {
        if (r.result && r.result->finish_pos == 1 && r.result->time > 0) {
          winning_time_.Add(r.result->time / 10.0);
          break;
        }
      }
    }
  }
}

Report WorldTally::Figures() const {
  Report report;
  report.seasons = static_cast<int>(years_.size());
  report.races = races_;
  const double seasons = std::max(1, report.seasons);

  // The leading jockey of each season by wins: his rides, and the five
  // leaders' wins over their rides.
  double leader_rides = 0.0;
  Sum leaders;
  for (int year : years_) {
    std::vector<Rider> season;
    for (const auto& [key, rider] : riders_) {
      if (key.first == year) season.push_back(rider);
    }
    std::sort(season.begin(), season.end(), [](const Rider& a, const Rider& b) {
      return a.wins != b.wins ? a.wins > b.wins : a.rides < b.rides;
    });
    for (std::size_t k = 0; k < season.size() && k < 5; ++k) {
      if (k == 0) leader_rides = std::max(leader_rides, static_cast<double>(season[k].rides));
      leaders.total += season[k].wins;
      leaders.count += season[k].rides;
    }
  }
  const double pace_sd =
      early_pace_.count < 2 ? 0.0
                            : std::sqrt(std::max(0.0, early_pace_squares_.mean() - std::pow(early_pace_.mean(), 2)));
  auto share = [](int part, int whole) { return whole == 0 ? 0.0 : 100.0 * part / whole; };
  const bool niigata = std::any_of(venue_days_.begin(), venue_days_.end(),
                                   [](const auto& day) { return day.second == "07"; });
  const bool nakayama = std::any_of(venue_days_.begin(), venue_days_.end(),
                                    [](const auto& day) { return day.second == "05"; });
  struct Value {
    double value;
    bool measured;
  };
  const std::map<std::string, Value> values = {
      {"largest_win", {static_cast<double>(largest_[0]), largest_[0] > 0}},
      {"largest_place", {static_cast<double>(largest_[1]), largest_[1] > 0}},
      {"largest_bracket", {static_cast<double>(largest_[2]), largest_[2] > 0}},
      {"largest_quinella", {static_cast<double>(largest_[3]), largest_[3] > 0}},
      {"largest_wide", {static_cast<double>(largest_[4]), largest_[4] > 0}},
      {"wide_over_100k", {wide_over_100k_ / seasons, races_ > 0}},
      {"favourite_win_return", {favourite_win_return_.mean(), favourite_win_return_.count > 0}},
      {"favourite_place_return", {favourite_place_return_.mean(), favourite_place_return_.count > 0}},
      {"outsider_win_return", {outsider_win_return_.mean(), outsider_win_return_.count > 0}},
      {"favourite_win_rate", {favourite_win_.mean(), favourite_win_.count > 0}},
      {"favourite_top3_rate", {favourite_top3_.mean(), favourite_top3_.count > 0}},
      {"fastest_closer_place", {fastest_finish_.mean(), fastest_finish_.count > 0}},
      {"early_pace_nakayama_dirt_1200", {early_pace_.mean(), early_pace_.count > 0}},
      {"early_pace_scatter", {pace_sd, early_pace_.count > 1}},
      {"winning_time_nakayama_dirt_1800", {winning_time_.mean(), winning_time_.count > 0}},
      {"dead_heats_for_first", {dead_heats_for_first_ / seasons, races_ > 0}},
      {"margins_outside_set", {static_cast<double>(margins_outside_), margins_ > 0}},
      {"leader_rides", {leader_rides, !riders_.empty()}},
      {"leaders_win_rate", {leaders.count == 0 ? 0.0 : 100.0 * leaders.mean(), leaders.count > 0}},
      {"pace_fast_share", {share(paces_[0], flat_), flat_ > 0}},
      {"pace_even_share", {share(paces_[1], flat_), flat_ > 0}},
      {"pace_slow_share", {share(paces_[2], flat_), flat_ > 0}},
      {"kyoto_while_closed",
       {static_cast<double>(kyoto_while_closed_),
        !years_.empty() && *years_.rbegin() >= 2020 && *years_.begin() <= 2023}},
      {"turf_share", {share(turf_, flat_), flat_ > 0}},
      {"turf_1200_share", {share(turf_sprints_, turf_), turf_ > 0}},
      {"turf_maiden_share", {share(turf_maidens_, turf_), turf_ > 0}},
      {"newcomers_on_turf", {share(turf_newcomer_races_, newcomer_races_), newcomer_races_ > 0}},
      {"maidens_on_turf",
       {share(turf_maidens_ - turf_newcomer_races_, maiden_races_), maiden_races_ > 0}},
      {"venue_days", {static_cast<double>(venue_days_.size()) / seasons, races_ > 0}},
      {"jump_field", {jump_field_.mean(), jump_field_.count > 0}},
      {"scratches_per_race", {races_ == 0 ? 0.0 : static_cast<double>(scratched_) / races_, races_ > 0}},
      {"niigata_straight_1000", {niigata_straight_ / seasons, niigata}},
      {"turf_2600", {turf_2600_ / seasons, turf_ > 0}},
      {"nakayama_turf_2000", {nakayama_turf_2000_ / seasons, nakayama}},
      {"nakayama_dirt_1200", {nakayama_dirt_1200_ / seasons, nakayama}},
  };
  for (const Band& band : kBands) {
    Figure f;
    f.name = band.name;
    f.label = band.label;
    f.unit = band.unit;
    f.low = band.low;
    f.high = band.high;
    f.source = band.source;
    const Value& v = values.at(band.name);
    f.value = v.value;
    f.measured = v.measured;
    report.figures.push_back(f);
  }
  return report;
}

ydb::Status MeasureWorld(ydb::Database& db, Report* out) {
  WorldTally tally;
  ydb::Reader reader(db);
  const ydb::Status s = reader.readRaces([&](const ydb::Race& race) {
    tally.Add(race);
    return ydb::Status::Ok();
  });
  if (!s.ok()) return s;
  *out = tally.Figures();
  return ydb::Status::Ok();
}

}  // namespace world
