// Importing JV-Data files: every record read and kept by its key, the races
// put together from their RA, SE and HR records, and the whole written in
// one transaction.
#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <tuple>
#include <utility>
#include <vector>

#include "db/api/DataSetStore.h"
#include "db/read/Reader.h"
#include "db/write/Writer.h"
#include "exchange/jvdata/FileReader.h"
#include "exchange/jvdata/JvDataFiles.h"
#include "exchange/jvdata/People.h"
#include "exchange/jvdata/Races.h"

namespace exchange {
namespace jvdata {
namespace {

namespace fs = std::filesystem;
using ydb::Status;

// How far the facts of a race had come when one of its records was made
// (データ区分): entries 1, the card 2, the results as they come in 3-6, the
// final results 7 (A and B, local and overseas races, are final as sent),
// and a race called off above them all. Odds records rank by their own
// stages, 1 and 2 before the result, 3-5 final.
int StageRank(char stage) {
  if (stage >= '1' && stage <= '7') return stage - '0';
  if (stage == 'A' || stage == 'B') return 7;
  return stage == kCancelledStage ? 8 : 0;
}

constexpr int kFirstResultsRank = 3;
constexpr int kCancelledRank = 8;

// When a record was made, the rank of its data stage (0 for the people's
// records) and whether it deletes what it names.
struct Made {
  int rank = 0;
  int created = 0;
  bool deletion = false;
};

// Whether a record made `made` takes the place of one made `kept` that was
// read before it: a deletion, or a record after a deletion, by its date
// alone; else a record of a lower stage never, and one of the same stage
// when made on the same day or later.
bool Supersedes(const Made& made, const Made& kept) {
  if (made.deletion || kept.deletion) return made.created >= kept.created;
  return made.rank > kept.rank || (made.rank == kept.rank && made.created >= kept.created);
}

// A record's value, when it was made and where it was read.
template <typename T>
struct Kept {
  T value;
  Made made;
  std::string where;
};

// Keeps `value` under `key` unless the one kept stands (Supersedes).
template <typename Key, typename T>
void Keep(std::map<Key, Kept<T>>* kept, const Key& key, T value, const Made& made,
          const std::string& where) {
  const auto found = kept->find(key);
  if (found != kept->end() && !Supersedes(made, found->second.made)) return;
  (*kept)[key] = Kept<T>{std::move(value), made, where};
}

// The records of one race.
struct RaceRecords {
  std::map<int, Kept<ydb::Race>> details;  // at most one, under 0
  std::map<int, Kept<RaceRunner>> runners;  // by horse number
  std::map<int, Kept<std::vector<ydb::Payout>>> payouts;  // at most one, under 0
  std::map<std::string, Kept<RaceOdds>> odds;  // by type and final or not: "O1 final"
  std::string first_where;
};

// The odds records' types.
bool IsOdds(const std::string& type) { return type == "O1" || type == "O2" || type == "O3"; }

bool IsRaceRecord(const std::string& type) {
  return type == "RA" || type == "SE" || type == "HR" || IsOdds(type);
}

// Whether every record kept of a race deletes what it names.
bool OnlyDeletions(const RaceRecords& records) {
  const auto deletion = [](const auto& entry) { return entry.second.made.deletion; };
  return std::all_of(records.runners.begin(), records.runners.end(), deletion) &&
         std::all_of(records.payouts.begin(), records.payouts.end(), deletion) &&
         std::all_of(records.odds.begin(), records.odds.end(), deletion);
}

// A race by date, racecourse and number.
using RaceOrder = std::tuple<int, std::string, int>;

class JvImporter {
 public:
  JvImporter(ydb::Database& db, const Progress& progress, ImportSummary* summary)
      : db_(db), reader_(db), progress_(progress), summary_(*summary) {}

  Status run(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    Status s = listFiles(paths, &files);
    for (const std::string& file : files) {
      if (!s.ok()) break;
      s = readFile(file);
    }
    summary_.by_type = read_.by_type;
    summary_.unknown = read_.unknown;
    summary_.bytes = read_.bytes;
    if (!s.ok()) return s;
    ydb::Batch batch;
    std::vector<ydb::RaceKey> removed;
    s = assemble(&batch, &removed);
    if (!s.ok()) return s;
    if (summary_.refused > 0) {
      return Status::InvalidArgument(summary_.reasons.front() + " (" +
                                     std::to_string(summary_.refused) +
                                     " records refused; nothing was imported)");
    }
    ydb::Writer writer(db_);
    s = writer.write(batch, removed);
    if (!s.ok()) return Status::Corruption(locate(s.message()));
    summary_.races = static_cast<std::int64_t>(batch.races.size());
    return s;
  }

 private:
  Status listFiles(const std::vector<std::string>& paths, std::vector<std::string>* files) {
    std::error_code ec;
    for (const std::string& path : paths) {
      if (!fs::is_directory(path, ec)) {
        files->push_back(path);
        continue;
      }
      std::vector<std::string> found;
      for (const fs::directory_entry& e : fs::directory_iterator(path, ec)) {
        if (e.is_regular_file(ec)) found.push_back(e.path().string());
      }
      if (ec) return Status::IOError("cannot list " + path + ": " + ec.message());
      std::sort(found.begin(), found.end());
      files->insert(files->end(), found.begin(), found.end());
    }
    for (const std::string& file : *files) {
      const std::uintmax_t size = fs::file_size(file, ec);
      if (!ec) total_bytes_ += static_cast<std::int64_t>(size);
    }
    return Status::Ok();
  }

  Status readFile(const std::string& path) {
    ReadSummary& read = read_;
    const std::int64_t bytes_before = read.bytes;
    std::int64_t records = 0;
    Status s = ReadFile(path, [&](const Record& record, const RecordType& type, int form) {
      if (++records % 4096 == 0 && progress_ &&
          !progress_(kib(read.bytes), kib(total_bytes_), path)) {
        return Status::Aborted("import stopped; nothing was imported");
      }
      const std::string where = path + " line " + std::to_string(read.line);
      const Status taken = take(record, type, form, where);
      if (!taken.ok()) refuse(where + ": " + taken.message());
      return Status::Ok();
    }, &read);
    if (s.IsInvalidArgument() || s.IsNotSupported()) {
      // A record cut short or of a wrong length ends its file.
      refuse(s.message());
      read.bytes = bytes_before + fileSize(path);
      s = Status::Ok();
    }
    if (s.ok() && progress_ && !progress_(kib(read.bytes), kib(total_bytes_), path)) {
      return Status::Aborted("import stopped; nothing was imported");
    }
    return s;
  }

  static std::int64_t fileSize(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    return ec ? 0 : static_cast<std::int64_t>(size);
  }

  static int kib(std::int64_t bytes) { return static_cast<int>(bytes / 1024); }

  void refuse(const std::string& reason) {
    ++summary_.refused;
    if (summary_.reasons.size() < kReasonsKept) summary_.reasons.push_back(reason);
  }

  Status take(const Record& record, const RecordType& type, int form, const std::string& where) {
    const std::string id = type.id;
    const bool deletion = record.stage() == kDeletionStage;
    if (deletion) ++summary_.deletions;
    if (deletion && !IsRaceRecord(id)) return Status::Ok();
    const Made made{IsRaceRecord(id) ? StageRank(record.stage()) : 0, record.created(), deletion};
    if (deletion) return takeDeletion(record, id, made, where);
    Status s;
    if (id == "KS") {
      ydb::Jockey x;
      s = ReadJockey(record, form, &x);
      if (s.ok()) Keep(&jockeys_, x.code, x, made, where);
    } else if (id == "CH") {
      ydb::Trainer x;
      s = ReadTrainer(record, form, &x);
      if (s.ok()) Keep(&trainers_, x.code, x, made, where);
    } else if (id == "BN") {
      ydb::Owner x;
      s = ReadOwner(record, form, &x);
      if (s.ok()) Keep(&owners_, x.code, x, made, where);
    } else if (id == "BR") {
      ydb::Breeder x;
      s = ReadBreeder(record, form, &x);
      if (s.ok()) Keep(&breeders_, x.code, x, made, where);
    } else if (id == "RA") {
      ydb::Race x;
      s = ReadRace(record, form, &x);
      if (s.ok()) Keep(&recordsOf(x.key, where).details, 0, x, made, where);
    } else if (id == "SE") {
      RaceRunner x;
      s = ReadRunner(record, form, &x);
      if (s.ok()) {
        const int number = x.runner.horse_no;
        Keep(&recordsOf(x.race.key, where).runners, number, x, made, where);
      }
    } else if (id == "HR") {
      RaceId race;
      std::vector<ydb::Payout> payouts;
      s = ReadPayouts(record, form, &race, &payouts);
      if (s.ok()) Keep(&recordsOf(race.key, where).payouts, 0, payouts, made, where);
    } else if (IsOdds(id) && record.stage() != kCancelledStage) {
      RaceOdds x;
      s = ReadOdds(record, form, &x);
      if (s.ok()) {
        const std::string key = id + (x.final ? " final" : " sale");
        Keep(&recordsOf(x.race.key, where).odds, key, x, made, where);
      }
    } else {
      ++summary_.skipped[id];
    }
    return s;
  }

  // A deletion record of a race, one of its runners, its payouts or its
  // odds, kept in the place of what it deletes.
  Status takeDeletion(const Record& record, const std::string& id, const Made& made,
                      const std::string& where) {
    RaceId race;
    int horse_no = 0;
    const Status s = ReadRecordKey(record, &race, &horse_no);
    if (!s.ok()) return s;
    RaceRecords& records = recordsOf(race.key, where);
    if (id == "RA") {
      Keep(&records.details, 0, ydb::Race(), made, where);
    } else if (id == "SE") {
      Keep(&records.runners, horse_no, RaceRunner(), made, where);
    } else if (id == "HR") {
      Keep(&records.payouts, 0, std::vector<ydb::Payout>(), made, where);
    } else {
      Keep(&records.odds, id + " sale", RaceOdds(), made, where);
      Keep(&records.odds, id + " final", RaceOdds(), made, where);
    }
    return Status::Ok();
  }

  RaceRecords& recordsOf(const ydb::RaceKey& key, const std::string& where) {
    RaceRecords& records = races_[RaceOrder{key.date, key.place, key.number}];
    if (records.first_where.empty()) records.first_where = where;
    return records;
  }

  Status assemble(ydb::Batch* batch, std::vector<ydb::RaceKey>* removed) {
    for (auto& [order, records] : races_) {
      ydb::RaceKey key{std::get<1>(order), std::get<0>(order), std::get<2>(order)};
      if (records.details.empty()) {
        if (!OnlyDeletions(records)) {
          refuse(records.first_where + ": race " + key.code() + " has no RA record");
        }
        continue;
      }
      Kept<ydb::Race>& details = records.details.begin()->second;
      if (details.made.deletion) {
        removed->push_back(key);
        ++summary_.removed;
        continue;
      }
      // A card never rolls back a race the store holds with its result.
      if (details.made.rank < kFirstResultsRank) {
        bool stored = false, run = false;
        const Status s = reader_.raceState(key, &stored, &run);
        if (!s.ok()) return s;
        if (run) {
          ++summary_.left_as_stored;
          continue;
        }
      }
      const bool cancelled = details.made.rank == kCancelledRank;
      ydb::Race& race = details.value;
      if (cancelled) race.result = ydb::RaceResult();
      where_["race " + key.code()] = details.where;
      for (auto& [number, runner] : records.runners) {
        if (runner.made.deletion) continue;
        race.runners.push_back(runner.value.runner);
        if (cancelled) race.runners.back().result = CancelledRun();
        noteRunner(runner);
        ++summary_.runners;
      }
      if (!records.payouts.empty() && !records.payouts.begin()->second.made.deletion && !cancelled) {
        const Kept<std::vector<ydb::Payout>>& payouts = records.payouts.begin()->second;
        if (!race.result) {
          refuse(payouts.where + ": race " + key.code() + " has payouts but its RA no results");
          continue;
        }
        race.result->payouts = payouts.value;
      }
      if (!takeOdds(key, records, &race)) continue;
      batch->races.push_back(std::move(race));
    }
    Status s = madeFromRunners();
    if (!s.ok()) return s;
    for (auto& [code, x] : owners_) batch->owners.push_back(place("owner", code, x));
    for (auto& [code, x] : breeders_) batch->breeders.push_back(place("breeder", code, x));
    for (auto& [code, x] : trainers_) batch->trainers.push_back(place("trainer", code, x));
    for (auto& [code, x] : jockeys_) batch->jockeys.push_back(place("jockey", code, x));
    for (auto& [code, x] : horses_) batch->horses.push_back(place("horse", code, x));
    return Status::Ok();
  }

  // The odds records of a race into its sets of odds; false, with the
  // refusal noted, for final odds of a race its RA says is not run.
  bool takeOdds(const ydb::RaceKey& key, const RaceRecords& records, ydb::Race* race) {
    for (const auto& [type, kept] : records.odds) {
      if (kept.made.deletion) continue;
      const RaceOdds& odds = kept.value;
      if (odds.final && !race->result) {
        refuse(kept.where + ": race " + key.code() + " has final odds but its RA no results");
        return false;
      }
      std::optional<ydb::OddsSet>& set = odds.final ? race->result->final_odds : race->forecast_odds;
      if (!set) set = ydb::OddsSet{odds.final ? "" : kAdvanceSaleKind, odds.announced, {}};
      set->entries.insert(set->entries.end(), odds.entries.begin(), odds.entries.end());
    }
    return true;
  }

  template <typename T>
  T place(const std::string& noun, const std::string& code, Kept<T>& kept) {
    where_[noun + " " + code] = kept.where;
    return std::move(kept.value);
  }

  // The horse and people of a runner, newest race last, for those in
  // neither the files nor the store.
  void noteRunner(const Kept<RaceRunner>& kept) {
    const RaceRunner& x = kept.value;
    const auto note = [&kept](std::map<std::string, Kept<std::string>>* names,
                              const std::string& code, const std::string& name) {
      if (!code.empty()) (*names)[code] = {name, Made(), kept.where};
    };
    runner_horses_[x.runner.horse_code] = {x.horse, Made(), kept.where};
    note(&runner_jockeys_, x.runner.jockey_code, x.jockey_name);
    note(&runner_trainers_, x.runner.trainer_code, x.trainer_name);
    note(&runner_owners_, x.runner.owner_code, x.owner_name);
  }

  // Adds to *kept what `from_runners` has that neither *kept nor the store
  // has, each record made by `make`.
  template <typename T, typename From, typename Make>
  Status addMissing(ydb::Entity entity, const std::map<std::string, Kept<From>>& from_runners,
                    std::map<std::string, Kept<T>>* kept, Make make) {
    for (const auto& [code, x] : from_runners) {
      bool found = kept->count(code) != 0;
      if (!found) {
        const Status s = reader_.contains(entity, code, &found);
        if (!s.ok()) return s;
      }
      if (found) continue;
      (*kept)[code] = Kept<T>{make(code, x.value), Made(), x.where};
      ++summary_.made_from_runners;
    }
    return Status::Ok();
  }

  Status madeFromRunners() {
    Status s = addMissing(ydb::Entity::kOwner, runner_owners_, &owners_,
                          [](const std::string& code, const std::string& name) {
                            return ydb::Owner{code, name, ""};
                          });
    if (s.ok()) {
      s = addMissing(ydb::Entity::kTrainer, runner_trainers_, &trainers_,
                     [](const std::string& code, const std::string& name) {
                       ydb::Trainer t;
                       t.code = code;
                       t.name = name;
                       return t;
                     });
    }
    if (s.ok()) {
      s = addMissing(ydb::Entity::kJockey, runner_jockeys_, &jockeys_,
                     [](const std::string& code, const std::string& name) {
                       ydb::Jockey j;
                       j.code = code;
                       j.name = name;
                       return j;
                     });
    }
    if (s.ok()) {
      s = addMissing(ydb::Entity::kHorse, runner_horses_, &horses_,
                     [](const std::string&, const ydb::Horse& horse) { return horse; });
    }
    return s;
  }

  // The writer names the record at fault first ("race 052024010611 runner
  // 3: ...", "jockey 01001: ..."): the place it was read from goes before.
  std::string locate(const std::string& fault) const {
    const std::size_t space = fault.find(' ');
    const std::size_t end = fault.find_first_of(" :", space + 1);
    if (space == std::string::npos || end == std::string::npos) return fault;
    const auto found = where_.find(fault.substr(0, end));
    return found == where_.end() ? fault : found->second + ": " + fault;
  }

  ydb::Database& db_;
  ydb::Reader reader_;
  const Progress& progress_;
  ImportSummary& summary_;
  ReadSummary read_;
  std::int64_t total_bytes_ = 0;

  std::map<std::string, Kept<ydb::Owner>> owners_;
  std::map<std::string, Kept<ydb::Breeder>> breeders_;
  std::map<std::string, Kept<ydb::Trainer>> trainers_;
  std::map<std::string, Kept<ydb::Jockey>> jockeys_;
  std::map<std::string, Kept<ydb::Horse>> horses_;
  std::map<RaceOrder, RaceRecords> races_;
  // What runners' records say of horses and people, by code.
  std::map<std::string, Kept<ydb::Horse>> runner_horses_;
  std::map<std::string, Kept<std::string>> runner_jockeys_, runner_trainers_, runner_owners_;
  // Where each record written was read: "race 052024010611", "jockey 01001".
  std::map<std::string, std::string> where_;
};

}  // namespace

Status Import(ydb::Database& db, const std::vector<std::string>& paths, const Progress& progress,
              ImportSummary* summary) {
  *summary = ImportSummary();
  try {
    JvImporter importer(db, progress, summary);
    return importer.run(paths);
  } catch (const std::exception& e) {
    return Status::IOError(std::string("JV-Data import abandoned, nothing imported: ") + e.what());
  }
}

Status Import(ydb::DataSet& data_set, const std::vector<std::string>& paths,
              const Progress& progress, ImportSummary* summary) {
  return Import(ydb::StoreOf(data_set), paths, progress, summary);
}

}  // namespace jvdata
}  // namespace exchange
