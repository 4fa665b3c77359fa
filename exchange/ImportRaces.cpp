// The import of races: the rows of races.csv and of the files that hang
// off a race, gathered per race and put together into whole races once
// every file has been read.
#include <algorithm>
#include <string>
#include <utility>

#include "exchange/Importer.h"
#include "exchange/RowParser.h"

namespace exchange {
namespace {

using ydb::Status;

std::string Subject(const ydb::RaceKey& key) { return "race " + key.code(); }

Status Fault(File file, int line, const std::string& reason) {
  return Status::Corruption(std::string(FileName(file)) + " line " + std::to_string(line) + ": " +
                       reason);
}

// Sorts the rows of a race by (group, number) and checks that each group
// is numbered 1, 2, 3 ... without a gap or a number given twice. `label`
// names the number in messages ("lap_no").
template <typename T, typename Group, typename Number>
Status Number1ToN(std::vector<Lined<T>>* rows, File file, const std::string& subject,
                  const char* label, Group group, Number number) {
  std::stable_sort(rows->begin(), rows->end(), [&](const Lined<T>& a, const Lined<T>& b) {
    return std::make_pair(group(a.value), number(a.value)) <
           std::make_pair(group(b.value), number(b.value));
  });
  int expected = 1;
  for (std::size_t i = 0; i < rows->size(); ++i) {
    const Lined<T>& row = (*rows)[i];
    if (i > 0 && group(row.value) != group((*rows)[i - 1].value)) expected = 1;
    const int n = number(row.value);
    if (n == expected) {
      ++expected;
    } else if (n == expected - 1) {
      return Fault(file, row.line, subject + ": " + label + " " + std::to_string(n) +
                                       " is given twice (first on line " +
                                       std::to_string((*rows)[i - 1].line) + ")");
    } else {
      return Fault(file, row.line, subject + ": " + label + " " + std::to_string(n) +
                                       " where " + std::to_string(expected) +
                                       " comes next: they are numbered from 1 without gaps");
    }
  }
  return Status::Ok();
}

constexpr auto kNoGroup = [](const auto&) { return 0; };

}  // namespace

Status Importer::findRace(const CsvReader& csv, const ydb::RaceKey& key, RaceRows** rows) {
  const auto found = races_.find(RaceId{key.date, key.place, key.number});
  if (found == races_.end()) {
    return csv.fault(Subject(key) + " is not in races.csv: the rows of a race are loaded "
                                    "with the race");
  }
  *rows = &found->second;
  return Status::Ok();
}

Status Importer::findRunRace(const CsvReader& csv, const ydb::RaceKey& key, const char* what,
                             RaceRows** rows) {
  Status s = findRace(csv, key, rows);
  if (s.ok() && !(*rows)->has_result) {
    return csv.fault(Subject(key) + " has no result (has_result is 0 in races.csv), so it has " +
                     "no " + what);
  }
  return s;
}

Status Importer::readRace(const CsvReader& csv, const std::vector<std::string>& fields) {
  RaceRows rows;
  ydb::RaceResult result;
  RowParser parser(fields);
  RaceColumns(parser, rows.race, rows.has_result, result);
  if (!parser.ok()) return csv.fault(parser.fault());
  const ydb::RaceKey& key = rows.race.key;
  if (rows.has_result) {
    rows.race.result = std::move(result);
  } else if (result.time_first_600 || result.time_first_800 || result.time_first_1000 ||
             result.time_last_800 || result.time_last_600 || result.time_last_mile ||
             !result.comment.empty()) {
    return csv.fault(Subject(key) + " has no result (has_result is 0), so its sectional times "
                                    "and comment stay empty");
  }
  rows.sources.race = csv.line();
  const auto [at, added] = races_.emplace(RaceId{key.date, key.place, key.number}, RaceRows());
  if (!added) {
    return csv.fault(Subject(key) + " is given twice (first on line " +
                     std::to_string(at->second.sources.race) + ")");
  }
  at->second = std::move(rows);
  return Status::Ok();
}

Status Importer::readReferenceTime(const CsvReader& csv, const std::vector<std::string>& fields) {
  ReferenceTimeRow row;
  RaceRows* rows = nullptr;
  Status s = ParseRow(csv, fields, ReferenceTimeColumns, &row);
  if (s.ok()) s = findRace(csv, row.key, &rows);
  if (s.ok()) rows->references.push_back({std::move(row), csv.line()});
  return s;
}

Status Importer::readRunner(const CsvReader& csv, const std::vector<std::string>& fields) {
  RunnerRow row;
  RaceRows* rows = nullptr;
  RowParser parser(fields);
  RunnerColumns(parser, row);
  Status s = parser.ok() ? findRace(csv, row.key, &rows) : csv.fault(parser.fault());
  if (!s.ok()) return s;
  // The result columns follow the card's; a race not run has none.
  ydb::RunnerResult result;
  if (!rows->has_result) {
    parser.requireEmpty(Subject(row.key) + " has no result (has_result is 0)");
  }
  RunnerResultColumns(parser, result);
  if (!parser.ok()) return csv.fault(parser.fault());
  ydb::Runner& runner = row.runner;
  if (rows->has_result) runner.result = result;

  s = requireKnown(csv, ydb::Entity::kHorse, "horse_code", runner.horse_code);
  if (s.ok()) {
    s = requireKnownOptional(csv, ydb::Entity::kJockey, "jockey_code", runner.jockey_code);
  }
  if (s.ok()) s = requireKnown(csv, ydb::Entity::kTrainer, "trainer_code", runner.trainer_code);
  if (s.ok()) s = requireKnownOptional(csv, ydb::Entity::kOwner, "owner_code", runner.owner_code);
  if (s.ok()) rows->runners.push_back({std::move(runner), csv.line()});
  return s;
}

Status Importer::readComment(const CsvReader& csv, const std::vector<std::string>& fields) {
  CommentRow row;
  RaceRows* rows = nullptr;
  Status s = ParseRow(csv, fields, CommentColumns, &row);
  if (s.ok()) s = findRace(csv, row.key, &rows);
  if (s.ok()) rows->comments.push_back({std::move(row), csv.line()});
  return s;
}

Status Importer::readNomination(const CsvReader& csv, const std::vector<std::string>& fields) {
  NominationRow row;
  RaceRows* rows = nullptr;
  Status s = ParseRow(csv, fields, NominationColumns, &row);
  if (s.ok()) s = findRace(csv, row.key, &rows);
  const ydb::Nomination& n = row.nomination;
  if (s.ok()) s = requireKnown(csv, ydb::Entity::kHorse, "horse_code", n.horse_code);
  if (s.ok()) s = requireKnown(csv, ydb::Entity::kTrainer, "trainer_code", n.trainer_code);
  if (s.ok()) s = requireKnownOptional(csv, ydb::Entity::kJockey, "jockey_code", n.jockey_code);
  if (s.ok()) rows->nominations.push_back({std::move(row), csv.line()});
  return s;
}

Status Importer::readOddsSet(const CsvReader& csv, const std::vector<std::string>& fields) {
  OddsSetRow row;
  RaceRows* rows = nullptr;
  Status s = ParseRow(csv, fields, OddsSetColumns, &row);
  if (s.ok()) {
    s = row.final ? findRunRace(csv, row.key, "final odds", &rows) : findRace(csv, row.key, &rows);
  }
  if (!s.ok()) return s;
  int& line = rows->sources.odds_sets[row.final ? 1 : 0];
  if (line != 0) {
    return csv.fault(Subject(row.key) + (row.final ? ": the final odds" : ": the odds") +
                     " are given twice (first on line " + std::to_string(line) + ")");
  }
  line = csv.line();
  ydb::OddsSet set;
  set.kind = std::move(row.kind);
  set.announced = row.announced;
  if (row.final) {
    rows->race.result->final_odds = std::move(set);
  } else {
    rows->race.forecast_odds = std::move(set);
  }
  return Status::Ok();
}

// Odds rows go straight into their set: a race has hundreds of them.
Status Importer::readOdds(const CsvReader& csv, const std::vector<std::string>& fields) {
  OddsRow row;
  RaceRows* rows = nullptr;
  Status s = ParseRow(csv, fields, OddsColumns, &row);
  if (s.ok()) s = findRace(csv, row.key, &rows);
  if (!s.ok()) return s;
  const std::size_t set = row.final ? 1 : 0;
  if (rows->sources.odds_sets[set] == 0) {
    return csv.fault(Subject(row.key) + " has no " + (row.final ? "final odds" : "odds") +
                     " in odds_sets.csv for these odds");
  }
  ydb::OddsSet& odds = row.final ? *rows->race.result->final_odds : *rows->race.forecast_odds;
  odds.entries.push_back(std::move(row.entry));
  rows->sources.odds[set].push_back(csv.line());
  return Status::Ok();
}

Status Importer::readLap(const CsvReader& csv, const std::vector<std::string>& fields) {
  LapRow row;
  RaceRows* rows = nullptr;
  Status s = ParseRow(csv, fields, LapColumns, &row);
  if (s.ok()) s = findRunRace(csv, row.key, "laps", &rows);
  if (s.ok()) rows->laps.push_back({std::move(row), csv.line()});
  return s;
}

Status Importer::readCorner(const CsvReader& csv, const std::vector<std::string>& fields) {
  CornerRow row;
  RaceRows* rows = nullptr;
  Status s = ParseRow(csv, fields, CornerColumns, &row);
  if (s.ok()) s = findRunRace(csv, row.key, "passing orders", &rows);
  if (s.ok()) rows->corners.push_back({std::move(row), csv.line()});
  return s;
}

Status Importer::readPayout(const CsvReader& csv, const std::vector<std::string>& fields) {
  PayoutRow row;
  RaceRows* rows = nullptr;
  Status s = ParseRow(csv, fields, PayoutColumns, &row);
  if (s.ok()) s = findRunRace(csv, row.key, "payouts", &rows);
  if (s.ok()) rows->payouts.push_back({std::move(row), csv.line()});
  return s;
}

// Puts the rows of one race into the race, in the order of their numbers,
// and keeps their lines beside them.
Status Importer::assemble(RaceRows* rows) {
  ydb::Race& race = rows->race;
  RaceSources& sources = rows->sources;
  const std::string subject = Subject(race.key);

  // The odds of a race were appended row by row: give back what their
  // vectors grew beyond, since the whole import is held until it is written.
  for (std::size_t set = 0; set < 2; ++set) {
    ydb::OddsSet* odds = set == 0 ? (race.forecast_odds ? &*race.forecast_odds : nullptr)
                                  : (race.result && race.result->final_odds
                                         ? &*race.result->final_odds
                                         : nullptr);
    if (odds != nullptr) odds->entries.shrink_to_fit();
    sources.odds[set].shrink_to_fit();
  }

  Status s = Number1ToN(&rows->runners, File::kRunners, subject, "horse_no", kNoGroup,
                        [](const ydb::Runner& r) { return r.horse_no; });
  race.runners.reserve(rows->runners.size());
  sources.runners.reserve(rows->runners.size());
  for (auto& [runner, line] : rows->runners) {
    race.runners.push_back(std::move(runner));
    sources.runners.push_back(line);
  }
  rows->runners.clear();
  rows->runners.shrink_to_fit();

  for (const auto& [comment, line] : rows->comments) {
    if (!s.ok()) break;
    const std::string& horse = comment.horse_code;  // a structured binding cannot be captured in C++17
    const auto runner = std::find_if(race.runners.begin(), race.runners.end(),
                                     [&](const ydb::Runner& r) { return r.horse_code == horse; });
    if (runner == race.runners.end()) {
      s = Fault(File::kComments, line,
                subject + ": horse " + comment.horse_code + " is not a runner of the race");
    } else if (!runner->comment.empty()) {
      s = Fault(File::kComments, line,
                subject + ": the comment on horse " + comment.horse_code + " is given twice");
    } else {
      runner->comment = comment.text;
      sources.comments.emplace_back(comment.horse_code, line);
    }
  }
  rows->comments.clear();

  for (auto& [row, line] : rows->references) {
    if (!s.ok()) break;
    const auto slot = static_cast<std::size_t>(row.slot - 1);
    if (sources.references[slot] != 0) {
      s = Fault(File::kReferenceTimes, line,
                subject + ": slot " + std::to_string(row.slot) + " is given twice (first on line " +
                    std::to_string(sources.references[slot]) + ")");
    } else {
      sources.references[slot] = line;
      race.reference_times[slot] = std::move(row.time);
    }
  }
  rows->references.clear();

  if (s.ok()) {
    s = Number1ToN(&rows->nominations, File::kNominations, subject, "entry_no", kNoGroup,
                   [](const NominationRow& n) { return n.entry_no; });
  }
  for (auto& [row, line] : rows->nominations) {
    race.nominations.push_back(std::move(row.nomination));
    sources.nominations.push_back(line);
  }
  rows->nominations.clear();

  if (!race.result || !s.ok()) return s;
  ydb::RaceResult& result = *race.result;
  s = Number1ToN(&rows->laps, File::kLaps, subject, "lap_no", kNoGroup,
                 [](const LapRow& lap) { return lap.lap_no; });
  for (const auto& [lap, line] : rows->laps) {
    result.laps.push_back(lap.time);
    sources.laps.push_back(line);
  }
  rows->laps.clear();

  if (s.ok()) {
    s = Number1ToN(&rows->corners, File::kCorners, subject, "seq", kNoGroup,
                   [](const CornerRow& c) { return c.seq; });
  }
  for (auto& [corner, line] : rows->corners) {
    result.corners.push_back(std::move(corner.corner));
    sources.corners.push_back(line);
  }
  rows->corners.clear();

  if (s.ok()) {
    s = Number1ToN(
        &rows->payouts, File::kPayouts, subject, "seq",
        [](const PayoutRow& p) { return static_cast<int>(p.payout.pool); },
        [](const PayoutRow& p) { return p.seq; });
  }
  for (auto& [payout, line] : rows->payouts) {
    result.payouts.push_back(payout.payout);
    sources.payouts.push_back(line);
  }
  rows->payouts.clear();
  return s;
}

}  // namespace exchange
