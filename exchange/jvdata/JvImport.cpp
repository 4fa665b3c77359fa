// Importing JV-Data files: every record read and kept by its key, the races
// put together from their RA, SE and HR records, and the whole written in
// one transaction.
#include <algorithm>
#include <filesystem>
#include <map>
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

// A record's value, when it was made and where it was read.
template <typename T>
struct Kept {
  T value;
  int created = 0;
  std::string where;
};

// Keeps `value` under `key` unless the one kept was made later.
template <typename Key, typename T>
void Keep(std::map<Key, Kept<T>>* kept, const Key& key, T value, int created,
          const std::string& where) {
  const auto found = kept->find(key);
  if (found != kept->end() && found->second.created > created) return;
  (*kept)[key] = Kept<T>{std::move(value), created, where};
}

// The records of one race.
struct RaceRecords {
  std::map<int, Kept<ydb::Race>> details;  // at most one, under 0
  std::map<int, Kept<RaceRunner>> runners;  // by horse number
  std::map<int, Kept<std::vector<ydb::Payout>>> payouts;  // at most one, under 0
  std::string first_where;
};

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
    s = assemble(&batch);
    if (!s.ok()) return s;
    if (summary_.refused > 0) {
      return Status::InvalidArgument(summary_.reasons.front() + " (" +
                                     std::to_string(summary_.refused) +
                                     " records refused; nothing was imported)");
    }
    ydb::Writer writer(db_);
    s = writer.write(batch);
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
    if (record.stage() == kDeletionStage) {
      ++summary_.deletions;
      return Status::Ok();
    }
    const int created = record.created();
    Status s;
    if (id == "KS") {
      ydb::Jockey x;
      s = ReadJockey(record, form, &x);
      if (s.ok()) Keep(&jockeys_, x.code, x, created, where);
    } else if (id == "CH") {
      ydb::Trainer x;
      s = ReadTrainer(record, form, &x);
      if (s.ok()) Keep(&trainers_, x.code, x, created, where);
    } else if (id == "BN") {
      ydb::Owner x;
      s = ReadOwner(record, form, &x);
      if (s.ok()) Keep(&owners_, x.code, x, created, where);
    } else if (id == "BR") {
      ydb::Breeder x;
      s = ReadBreeder(record, form, &x);
      if (s.ok()) Keep(&breeders_, x.code, x, created, where);
    } else if (id == "RA") {
      ydb::Race x;
      s = ReadRace(record, form, &x);
      if (s.ok()) Keep(&recordsOf(x.key, where).details, 0, x, created, where);
    } else if (id == "SE") {
      RaceRunner x;
      s = ReadRunner(record, form, &x);
      if (s.ok()) {
        const int number = x.runner.horse_no;
        Keep(&recordsOf(x.race.key, where).runners, number, x, created, where);
      }
    } else if (id == "HR") {
      RaceId race;
      std::vector<ydb::Payout> payouts;
      s = ReadPayouts(record, form, &race, &payouts);
      if (s.ok()) Keep(&recordsOf(race.key, where).payouts, 0, payouts, created, where);
    } else {
      ++summary_.skipped[id];
    }
    return s;
  }

  RaceRecords& recordsOf(const ydb::RaceKey& key, const std::string& where) {
    RaceRecords& records = races_[RaceOrder{key.date, key.place, key.number}];
    if (records.first_where.empty()) records.first_where = where;
    return records;
  }

  Status assemble(ydb::Batch* batch) {
    for (auto& [order, records] : races_) {
      ydb::RaceKey key{std::get<1>(order), std::get<0>(order), std::get<2>(order)};
      if (records.details.empty()) {
        refuse(records.first_where + ": race " + key.code() + " has no RA record");
        continue;
      }
      Kept<ydb::Race>& details = records.details.begin()->second;
      ydb::Race& race = details.value;
      where_["race " + key.code()] = details.where;
      for (auto& [number, runner] : records.runners) {
        race.runners.push_back(runner.value.runner);
        noteRunner(runner);
      }
      summary_.runners += static_cast<std::int64_t>(records.runners.size());
      if (!records.payouts.empty()) {
        const Kept<std::vector<ydb::Payout>>& payouts = records.payouts.begin()->second;
        if (!race.result) {
          refuse(payouts.where + ": race " + key.code() + " has payouts but its RA no results");
          continue;
        }
        race.result->payouts = payouts.value;
      }
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
      if (!code.empty()) (*names)[code] = {name, 0, kept.where};
    };
    runner_horses_[x.runner.horse_code] = {x.horse, 0, kept.where};
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
      (*kept)[code] = Kept<T>{make(code, x.value), 0, x.where};
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
