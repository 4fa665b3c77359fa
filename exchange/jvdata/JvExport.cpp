// Exporting a data set as JV-Data files: the races first (their records
// made on their race's day), then the people and the horses with the
// breeding horses their pedigrees name, made on the newest race's day (a
// horse on the day of the record it came from, when the store knows it);
// each file under a temporary name until all are written.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <system_error>

#include "db/api/DataSetStore.h"
#include "db/read/Reader.h"
#include "exchange/Snapshot.h"
#include "exchange/jvdata/Horses.h"
#include "exchange/jvdata/JvDataFiles.h"
#include "exchange/jvdata/People.h"
#include "exchange/jvdata/Races.h"

namespace exchange {
namespace jvdata {
namespace {

namespace fs = std::filesystem;
using ydb::Status;

// The files of an export, in the order they are written.
enum OutputFile { kRA, kSE, kHR, kO1, kO2, kO3, kKS, kCH, kBN, kBR, kUM, kHN, kOutputFiles };
constexpr std::array<const char*, kOutputFiles> kFileNames = {
    "RA.txt", "SE.txt", "HR.txt", "O1.txt", "O2.txt", "O3.txt",
    "KS.txt", "CH.txt", "BN.txt", "BR.txt", "UM.txt", "HN.txt"};
constexpr OutputFile kOddsFiles[] = {kO1, kO2, kO3};

// What a runner's record tells of its horse and people, by code.
struct Names {
  std::map<std::string, ydb::Horse> horses;  // name, sex, breed, coat and mark only
  std::map<std::string, std::string> jockeys, trainers, owners, breeders;
};

class JvExporter {
 public:
  JvExporter(ydb::Database& db, const fs::path& dir, const Progress& progress)
      : reader_(db), dir_(dir), progress_(progress) {}

  ~JvExporter() {
    std::error_code ignored;
    for (int i = 0; i < kOutputFiles && !committed_; ++i) fs::remove(temporary(i), ignored);
  }

  Status run() {
    ydb::DataSetCounts counts;
    Status s = reader_.summary(&counts);
    total_ = static_cast<int>(counts.races);
    for (int i = 0; i < kOutputFiles && s.ok(); ++i) {
      out_[i].open(temporary(i), std::ios::binary | std::ios::trunc);
      if (!out_[i]) s = Status::IOError("cannot create " + temporary(i).string());
    }
    if (s.ok()) s = readNames();
    if (s.ok()) s = reader_.readRaces([this](const ydb::Race& race) { return writeRace(race); });
    if (s.ok()) s = writePeople();
    if (s.ok()) s = writeHorses();
    for (int i = 0; i < kOutputFiles && s.ok(); ++i) {
      out_[i].close();
      if (out_[i].fail()) s = Status::IOError("cannot write " + temporary(i).string());
    }
    for (int i = 0; i < kOutputFiles && s.ok(); ++i) {
      std::error_code ec;
      fs::rename(temporary(i), dir_ / kFileNames[i], ec);
      if (ec) s = Status::IOError("cannot rename " + temporary(i).string() + ": " + ec.message());
    }
    committed_ = s.ok();
    return s;
  }

 private:
  fs::path temporary(int file) const { return dir_ / (std::string(kFileNames[file]) + ".tmp"); }

  Status readNames() {
    Status s = reader_.readHorses([this](const ydb::Horse& h) {
      ydb::Horse& kept = names_.horses[h.code];
      kept.name = h.name;
      kept.sex = h.sex;
      kept.breed_code = h.breed_code;
      kept.coat_code = h.coat_code;
      kept.mark_code = h.mark_code;
      return Status::Ok();
    });
    const auto shortest = [](const std::string& short_name, const std::string& name) {
      return short_name.empty() ? name : short_name;
    };
    if (s.ok()) {
      s = reader_.readJockeys([&](const ydb::Jockey& j) {
        names_.jockeys[j.code] = shortest(j.short_name, j.name);
        return Status::Ok();
      });
    }
    if (s.ok()) {
      s = reader_.readTrainers([&](const ydb::Trainer& t) {
        names_.trainers[t.code] = shortest(t.short_name, t.name);
        return Status::Ok();
      });
    }
    if (s.ok()) {
      s = reader_.readOwners([&](const ydb::Owner& o) {
        names_.owners[o.code] = o.name;
        return Status::Ok();
      });
    }
    if (s.ok()) {
      s = reader_.readBreeders([&](const ydb::Breeder& b) {
        names_.breeders[b.code] = b.name;
        return Status::Ok();
      });
    }
    return s;
  }

  Status writeRace(const ydb::Race& race) {
    const int created = race.key.date;
    newest_ = std::max(newest_, created);
    out_[kRA] << RaceRecord(race, created);
    for (const ydb::Runner& runner : race.runners) {
      RaceRunner x{{race.key, race.kai, race.kai_day}, runner, names_.horses[runner.horse_code],
                   names_.jockeys[runner.jockey_code], names_.trainers[runner.trainer_code],
                   names_.owners[runner.owner_code]};
      out_[kSE] << RunnerRecord(x, StageOf(race), created);
    }
    out_[kHR] << PayoutRecord(race, created);
    const RaceId id{race.key, race.kai, race.kai_day};
    const int runners = static_cast<int>(race.runners.size());
    for (const OutputFile file : kOddsFiles) {
      const std::string_view type(kFileNames[file], 2);
      // The odds before the result JRA's records carry are advance-sale odds.
      if (race.forecast_odds && race.forecast_odds->kind == kAdvanceSaleKind) {
        out_[file] << OddsRecord(type, id, runners, *race.forecast_odds, false, created);
      }
      if (race.result && race.result->final_odds) {
        out_[file] << OddsRecord(type, id, runners, *race.result->final_odds, true, created);
      }
    }
    ++done_;
    if (progress_ && !progress_(done_, total_, "races of " + std::to_string(race.key.date))) {
      return Status::Aborted("export stopped");
    }
    return out_[kHR] ? Status::Ok() : Status::IOError("cannot write " + temporary(kHR).string());
  }

  Status writePeople() {
    Status s = reader_.readJockeys([this](const ydb::Jockey& x) {
      out_[kKS] << JockeyRecord(x, newest_);
      return Status::Ok();
    });
    if (s.ok()) {
      s = reader_.readTrainers([this](const ydb::Trainer& x) {
        out_[kCH] << TrainerRecord(x, newest_);
        return Status::Ok();
      });
    }
    if (s.ok()) {
      s = reader_.readOwners([this](const ydb::Owner& x) {
        out_[kBN] << OwnerRecord(x, newest_);
        return Status::Ok();
      });
    }
    if (s.ok()) {
      s = reader_.readBreeders([this](const ydb::Breeder& x) {
        out_[kBR] << BreederRecord(x, newest_);
        return Status::Ok();
      });
    }
    return s;
  }

  // A UM for every horse, its ancestors of the data set numbered by their
  // codes; then an HN for each of those ancestors, as the first pedigree
  // naming it has it (a sire's side's ancestor male, a dam's side's female).
  Status writeHorses() {
    std::map<std::string, BreedingHorse> ancestors;
    Status s = reader_.readHorses([&](const ydb::Horse& h) {
      HorseRecord x{h, {}, names_.trainers[h.trainer_code], names_.breeders[h.breeder_code],
                    names_.owners[h.owner_code]};
      for (int i = 0; i < ydb::kPedigreeSize; ++i) {
        const ydb::Ancestor& a = h.pedigree[static_cast<std::size_t>(i)];
        if (a.code.empty()) continue;
        x.breeding[static_cast<std::size_t>(i)] = BreedingNumberOf(a.code);
        if (ancestors.count(a.code) == 0) ancestors[a.code] = BreedingHorseOf(a, i % 2 == 0 ? "0" : "1");
      }
      // Made on the day of the record it came from, when known.
      out_[kUM] << HorseRecordOf(x, h.record_date != 0 ? h.record_date : newest_);
      return Status::Ok();
    });
    for (const auto& [code, b] : ancestors) out_[kHN] << BreedingHorseRecord(b, newest_);
    return s;
  }

  ydb::Reader reader_;
  fs::path dir_;
  const Progress& progress_;
  std::array<std::ofstream, kOutputFiles> out_;
  Names names_;
  int newest_ = 0;
  int done_ = 0;
  int total_ = 0;
  bool committed_ = false;
};

}  // namespace

Status Export(ydb::Database& db, const std::string& dir, const Progress& progress) {
  return WriteSnapshot(db, dir, "JV-Data export to " + dir, [&] {
    JvExporter exporter(db, dir, progress);
    return exporter.run();
  });
}

Status Export(ydb::DataSet& data_set, const std::string& dir, const Progress& progress) {
  return Export(ydb::StoreOf(data_set), dir, progress);
}

}  // namespace jvdata
}  // namespace exchange
