// The columns of every file of the exchange format, in their order: the
// people and horses as the store's column tables give them, the races here.
#include "exchange/Columns.h"

#include "db/base/Columns.h"

namespace exchange {
namespace {

using ydb::kPlaceCode;
using ydb::kRaceClassCode;
using ydb::kWeightRuleCode;

constexpr int kMaxRunners = 28;

// Collects the names of the columns a record hands over.
class NameCollector : public ColumnVisitor {
 public:
  std::vector<std::string> names;

  void text(const char* name, std::string&, Need) override { add(name); }
  void digits(const char* name, std::string&, int, Need) override { add(name); }
  void choice(const char* name, std::string&, const char*, Need) override { add(name); }
  void tableCode(const char* name, std::string&, ydb::CodeKind, Need) override { add(name); }
  void word(const char* name, int&, const std::vector<std::string>&) override { add(name); }
  void integer(const char* name, int&, int, int, Need) override { add(name); }
  void optionalInteger(const char* name, std::optional<int>&, int, int) override { add(name); }
  void money(const char* name, std::int64_t&) override { add(name); }
  void tenths(const char* name, int&, int, int, Need) override { add(name); }
  void optionalTenths(const char* name, std::optional<int>&, int, int) override { add(name); }
  void date(const char* name, int&, Need) override { add(name); }
  void clock(const char* name, int&) override { add(name); }
  void flag(const char* name, bool&) override { add(name); }

 private:
  void add(const char* name) { names.emplace_back(name); }
};

// A pool as its ticket number 1-5.
void PoolColumn(ColumnVisitor& v, ydb::Pool& pool) {
  int number = ydb::PoolNumber(pool);
  v.integer("pool", number, ydb::PoolNumber(ydb::kFirstPool), ydb::PoolNumber(ydb::kLastPool),
            kRequired);
  pool = static_cast<ydb::Pool>(number);
}

// The second number of a combination: empty for win and place (kept as 0).
void SecondColumn(ColumnVisitor& v, int& second) {
  v.integer("second", second, 1, kMaxRunners, kOptional);
}

// The columns of a stored table (db/base/Columns.h) but those the store
// keeps as copies of other data.
template <typename R>
void TableColumns(ColumnVisitor& v, const ydb::Table<R>& table, R& record) {
  using ydb::Form;
  for (const ydb::Column<R>& c : table.columns) {
    const Need need = c.presence == ydb::kRequired ? kRequired : kOptional;
    switch (c.form) {
      case Form::kText:
      case Form::kShortText: v.text(c.name, record.*c.text, need); break;
      case Form::kDigits: v.digits(c.name, record.*c.text, c.width, need); break;
      case Form::kChoice: v.choice(c.name, record.*c.text, c.choices, need); break;
      case Form::kCode: v.tableCode(c.name, record.*c.text, c.table, need); break;
      case Form::kDate: v.date(c.name, record.*c.number, need); break;
      case Form::kYear:
        v.integer(c.name, record.*c.number, ydb::kFirstBirthYear, ydb::kLastBirthYear,
                  need);
        break;
      case Form::kFlag: v.flag(c.name, record.*c.flag); break;
      case Form::kCopy:
      case Form::kSearchKey: break;
    }
  }
}

}  // namespace

const char* FileName(File file) {
  static const char* const kNames[kFileCount] = {
      "owners.csv",  "breeders.csv",  "trainers.csv",        "jockeys.csv", "horses.csv",
      "pedigrees.csv", "sires.csv",   "races.csv",           "reference_times.csv",
      "runners.csv", "comments.csv",  "nominations.csv",     "odds_sets.csv", "odds.csv",
      "laps.csv",    "corners.csv",   "payouts.csv",
  };
  return kNames[static_cast<int>(file)];
}

const std::vector<std::string>& PedigreePositions() {
  static const std::vector<std::string> kPositions = {
      "S", "D", "SS", "SD", "DS", "DD", "SSS", "SSD", "SDS", "SDD", "DSS", "DSD", "DDS", "DDD"};
  return kPositions;
}

std::vector<std::string> HeaderOf(File file) {
  NameCollector names;
  switch (file) {
    case File::kOwners: { ydb::Owner x; OwnerColumns(names, x); break; }
    case File::kBreeders: { ydb::Breeder x; BreederColumns(names, x); break; }
    case File::kTrainers: { ydb::Trainer x; TrainerColumns(names, x); break; }
    case File::kJockeys: { ydb::Jockey x; JockeyColumns(names, x); break; }
    case File::kHorses: { ydb::Horse x; HorseColumns(names, x); break; }
    case File::kPedigrees: { PedigreeRow x; PedigreeColumns(names, x); break; }
    case File::kSires: { ydb::Sire x; SireColumns(names, x); break; }
    case File::kRaces: {
      ydb::Race x;
      bool has_result = false;
      ydb::RaceResult result;
      RaceColumns(names, x, has_result, result);
      break;
    }
    case File::kReferenceTimes: { ReferenceTimeRow x; ReferenceTimeColumns(names, x); break; }
    case File::kRunners: {
      RunnerRow x;
      ydb::RunnerResult result;
      RunnerColumns(names, x);
      RunnerResultColumns(names, result);
      break;
    }
    case File::kComments: { CommentRow x; CommentColumns(names, x); break; }
    case File::kNominations: { NominationRow x; NominationColumns(names, x); break; }
    case File::kOddsSets: { OddsSetRow x; OddsSetColumns(names, x); break; }
    case File::kOdds: { OddsRow x; OddsColumns(names, x); break; }
    case File::kLaps: { LapRow x; LapColumns(names, x); break; }
    case File::kCorners: { CornerRow x; CornerColumns(names, x); break; }
    case File::kPayouts: { PayoutRow x; PayoutColumns(names, x); break; }
  }
  return names.names;
}

void RaceKeyColumns(ColumnVisitor& v, ydb::RaceKey& key) {
  v.date("date", key.date, kRequired);
  v.tableCode("place", key.place, kPlaceCode, kRequired);
  v.integer("race_no", key.number, 1, 12, kRequired);
}

void OwnerColumns(ColumnVisitor& v, ydb::Owner& owner) {
  TableColumns(v, ydb::OwnerTable(), owner);
}

void BreederColumns(ColumnVisitor& v, ydb::Breeder& breeder) {
  TableColumns(v, ydb::BreederTable(), breeder);
}

void TrainerColumns(ColumnVisitor& v, ydb::Trainer& trainer) {
  TableColumns(v, ydb::TrainerTable(), trainer);
}

void JockeyColumns(ColumnVisitor& v, ydb::Jockey& jockey) {
  TableColumns(v, ydb::JockeyTable(), jockey);
}

void HorseColumns(ColumnVisitor& v, ydb::Horse& horse) {
  TableColumns(v, ydb::HorseTable(), horse);
}

void PedigreeColumns(ColumnVisitor& v, PedigreeRow& row) {
  v.digits("horse_code", row.horse_code, 7, kRequired);
  v.word("position", row.position, PedigreePositions());
  TableColumns(v, ydb::PedigreeTable(), row.ancestor);
}

void SireColumns(ColumnVisitor& v, ydb::Sire& sire) {
  TableColumns(v, ydb::SireTable(), sire);
}

void RaceColumns(ColumnVisitor& v, ydb::Race& race, bool& has_result, ydb::RaceResult& result) {
  RaceKeyColumns(v, race.key);
  v.integer("kai", race.kai, 1, 99, kRequired);
  v.integer("kai_day", race.kai_day, 1, 99, kRequired);
  v.integer("edition", race.edition, 1, 999, kOptional);
  v.text("name", race.name, kOptional);
  v.choice("grade", race.grade, "012345", kOptional);
  v.text("condition_text", race.condition_text, kOptional);
  v.tableCode("weight_rule1", race.weight_rule1, kWeightRuleCode, kOptional);
  v.tableCode("weight_rule2", race.weight_rule2, kWeightRuleCode, kOptional);
  v.choice("race_kind", race.race_kind, "0123456789ABC", kRequired);
  v.tableCode("class_code", race.class_code, kRaceClassCode, kRequired);
  v.choice("track_code", race.track_code, "01", kRequired);
  v.choice("direction", race.direction, "012", kOptional);
  v.choice("inner_outer", race.inner_outer, "0123456", kOptional);
  v.choice("rail", race.rail, "012345", kOptional);
  v.integer("distance", race.distance, 100, 9999, kRequired);
  v.clock("post_time", race.post_time);
  v.text("symbol_code", race.symbol_code, kOptional);
  static const char* const kPrizes[5] = {"prize_1", "prize_2", "prize_3", "prize_4", "prize_5"};
  for (std::size_t i = 0; i < race.prizes.size(); ++i) v.money(kPrizes[i], race.prizes[i]);
  v.money("added_money", race.added_money);
  v.tenths("forecast_time", race.forecast_time, 1, 5999, kOptional);
  v.tenths("forecast_last_600", race.forecast_last_600, 1, 999, kOptional);
  v.choice("going", race.going, "0123", kOptional);
  v.choice("weather", race.weather, "012345", kOptional);
  v.choice("pace", race.pace, "012", kOptional);
  v.flag("has_result", has_result);
  v.tenths("time_first_600", result.time_first_600, 1, 999, kOptional);
  v.tenths("time_first_800", result.time_first_800, 1, 999, kOptional);
  v.tenths("time_first_1000", result.time_first_1000, 1, 999, kOptional);
  v.tenths("time_last_800", result.time_last_800, 1, 999, kOptional);
  v.tenths("time_last_600", result.time_last_600, 1, 999, kOptional);
  v.tenths("time_last_mile", result.time_last_mile, 1, 5999, kOptional);
  v.text("comment", result.comment, kOptional);
}

void ReferenceTimeColumns(ColumnVisitor& v, ReferenceTimeRow& row) {
  RaceKeyColumns(v, row.key);
  v.integer("slot", row.slot, 1, 3, kRequired);
  ydb::ReferenceTime& t = row.time;
  v.choice("kind", t.kind, "012", kOptional);
  v.date("run_date", t.date, kRequired);
  v.tenths("time", t.time, 1, 5999, kRequired);
  v.text("horse_name", t.horse_name, kRequired);
  v.tenths("weight_carried", t.weight_carried, 1, 999, kRequired);
  v.text("jockey_name", t.jockey_name, kOptional);
  v.tableCode("run_place", t.place, kPlaceCode, kOptional);
}

void RunnerColumns(ColumnVisitor& v, RunnerRow& row) {
  RaceKeyColumns(v, row.key);
  ydb::Runner& r = row.runner;
  v.integer("horse_no", r.horse_no, 1, kMaxRunners, kRequired);
  v.integer("frame_no", r.frame_no, 1, 8, kRequired);
  v.integer("post_no", r.post_no, 1, kMaxRunners, kOptional);
  v.digits("horse_code", r.horse_code, 7, kRequired);
  v.choice("sex", r.sex, "012", kRequired);
  v.integer("age", r.age, 1, 99, kRequired);
  v.digits("jockey_code", r.jockey_code, 5, kOptional);
  v.choice("apprentice_code", r.apprentice_code, "123", kOptional);
  v.tenths("weight_carried", r.weight_carried, 1, 999, kRequired);
  v.flag("blinkers", r.blinkers);
  v.digits("trainer_code", r.trainer_code, 5, kRequired);
  v.digits("owner_code", r.owner_code, 6, kOptional);
  v.integer("body_weight", r.body_weight, 1, 999, kOptional);
  v.optionalInteger("weight_change", r.weight_change, -99, 99);
  v.choice("prediction_mark", r.prediction_mark, "0123456789", kOptional);
  v.text("training_marks", r.training_marks, kOptional);
}

void RunnerResultColumns(ColumnVisitor& v, ydb::RunnerResult& x) {
  v.integer("finish_pos", x.finish_pos, 0, kMaxRunners, kRequired);
  v.integer("arrival_order", x.arrival_order, 0, kMaxRunners, kRequired);
  v.digits("accident_code", x.accident_code, 2, kOptional);
  v.tenths("time", x.time, 1, 5999, kOptional);
  v.integer("margin_lengths", x.margin_lengths, 1, 99, kOptional);
  v.choice("margin_code", x.margin_code, "012345678", kOptional);
  v.optionalTenths("margin_time", x.margin_time, 0, 997);
  static const char* const kCorners[4] = {"corner_1", "corner_2", "corner_3", "corner_4"};
  for (std::size_t i = 0; i < x.corners.size(); ++i) {
    v.integer(kCorners[i], x.corners[i], 1, 40 + kMaxRunners, kOptional);
  }
  v.choice("straight_path", x.straight_path, "01234", kOptional);
  v.tenths("first_600", x.first_600, 1, 999, kOptional);
  v.tenths("last_600", x.last_600, 1, 999, kOptional);
  v.integer("popularity", x.popularity, 1, kMaxRunners, kOptional);
  v.tenths("win_odds", x.win_odds, 10, 99999, kOptional);
  v.integer("speed_index", x.speed_index, 1, 999, kOptional);
  v.money("prize_money", x.prize_money);
  v.money("added_money", x.added_money);
}

void CommentColumns(ColumnVisitor& v, CommentRow& row) {
  RaceKeyColumns(v, row.key);
  v.digits("horse_code", row.horse_code, 7, kRequired);
  v.text("text", row.text, kRequired);
}

void NominationColumns(ColumnVisitor& v, NominationRow& row) {
  RaceKeyColumns(v, row.key);
  v.integer("entry_no", row.entry_no, 1, 128, kRequired);
  ydb::Nomination& n = row.nomination;
  v.digits("horse_code", n.horse_code, 7, kRequired);
  v.digits("trainer_code", n.trainer_code, 5, kRequired);
  v.digits("jockey_code", n.jockey_code, 5, kOptional);
  v.tenths("weight_carried", n.weight_carried, 1, 999, kOptional);
  v.choice("prediction_mark", n.prediction_mark, "0123456789", kOptional);
  v.text("training_marks", n.training_marks, kOptional);
}

void OddsSetColumns(ColumnVisitor& v, OddsSetRow& row) {
  RaceKeyColumns(v, row.key);
  v.flag("final", row.final);
  v.choice("kind", row.kind, "01", kOptional);
  v.clock("announced", row.announced);
}

void OddsColumns(ColumnVisitor& v, OddsRow& row) {
  RaceKeyColumns(v, row.key);
  v.flag("final", row.final);
  ydb::OddsEntry& e = row.entry;
  PoolColumn(v, e.pool);
  v.integer("first", e.first, 1, kMaxRunners, kRequired);
  SecondColumn(v, e.second);
  v.tenths("odds", e.odds, 1, 9999999, kOptional);
  v.tenths("odds_max", e.odds_max, 1, 9999999, kOptional);
  v.choice("mark", e.mark, "*-/", kOptional);
}

void LapColumns(ColumnVisitor& v, LapRow& row) {
  RaceKeyColumns(v, row.key);
  v.integer("lap_no", row.lap_no, 1, 50, kRequired);
  v.tenths("time", row.time, 1, 999, kRequired);
}

void CornerColumns(ColumnVisitor& v, CornerRow& row) {
  RaceKeyColumns(v, row.key);
  v.integer("seq", row.seq, 1, 9, kRequired);
  v.choice("qualifier", row.corner.qualifier, "1234", kOptional);
  v.integer("position_code", row.corner.position_code, 0, 13, kRequired);
  v.text("passing_order", row.corner.passing_order, kRequired);
}

void PayoutColumns(ColumnVisitor& v, PayoutRow& row) {
  RaceKeyColumns(v, row.key);
  ydb::Payout& p = row.payout;
  PoolColumn(v, p.pool);
  v.integer("seq", row.seq, 1, 7, kRequired);
  v.integer("first", p.first, 1, kMaxRunners, kRequired);
  SecondColumn(v, p.second);
  v.money("amount", p.amount);
  v.integer("popularity", p.popularity, 1, 999, kOptional);
}

}  // namespace exchange
