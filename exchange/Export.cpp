// Writing a store out as the files of the exchange format: every table in
// key order through the Reader, each file under a temporary name until all
// of them are complete.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "db/read/Reader.h"
#include "exchange/Columns.h"
#include "exchange/Csv.h"
#include "exchange/Exchange.h"
#include "exchange/Fields.h"
#include "exchange/Snapshot.h"

namespace exchange {
namespace {

namespace fs = std::filesystem;
using ydb::Status;

// Formats a record's columns as the fields of one row. In blank mode every
// column is written empty (a runner's result columns in a race not run).
class RowFormatter : public ColumnVisitor {
 public:
  std::vector<std::string> fields;
  bool blank = false;

  void text(const char*, std::string& value, Need) override { add(value); }
  void digits(const char*, std::string& value, int, Need) override { add(value); }
  void choice(const char*, std::string& value, const char*, Need) override { add(value); }
  void tableCode(const char*, std::string& value, ydb::CodeKind, Need) override { add(value); }
  void word(const char*, int& index, const std::vector<std::string>& words) override {
    add(words[static_cast<std::size_t>(index)]);
  }
  void integer(const char*, int& value, int, int, Need need) override {
    add(value == 0 && need == kOptional ? std::string() : std::to_string(value));
  }
  void optionalInteger(const char*, std::optional<int>& value, int, int) override {
    add(value ? std::to_string(*value) : std::string());
  }
  void money(const char*, std::int64_t& value) override { add(std::to_string(value)); }
  void tenths(const char*, int& value, int, int, Need need) override {
    add(value == 0 && need == kOptional ? std::string() : FormatTenths(value));
  }
  void optionalTenths(const char*, std::optional<int>& value, int, int) override {
    add(value ? FormatTenths(*value) : std::string());
  }
  void date(const char*, int& value, Need need) override {
    add(value == 0 && need == kOptional ? std::string() : FormatDate(value));
  }
  void clock(const char*, int& value) override {
    add(value == 0 ? std::string() : FormatClock(value));
  }
  void flag(const char*, bool& value) override { add(value ? "1" : "0"); }

 private:
  void add(std::string value) { fields.push_back(blank ? std::string() : std::move(value)); }
};

// One file of the export, written under "<name>.tmp" and renamed to its
// name by commit(). A file never committed is removed.
class OutputFile {
 public:
  OutputFile(const fs::path& dir, File file)
      : name_(FileName(file)), final_(dir / name_), temporary_(dir / (name_ + ".tmp")) {}
  ~OutputFile() {
    std::error_code ignored;
    if (!committed_) fs::remove(temporary_, ignored);
  }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  Status open(const std::vector<std::string>& header) {
    out_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!out_) return Status::IOError("cannot create " + temporary_.string());
    AppendCsvRow(header, &pending_);
    return Status::Ok();
  }

  // Adds a row; rows are written out in blocks.
  Status add(const std::vector<std::string>& fields) {
    AppendCsvRow(fields, &pending_);
    return pending_.size() >= kBlock ? flush() : Status::Ok();
  }

  // Writes what is pending and closes the temporary file.
  Status close() {
    Status s = flush();
    out_.close();
    if (s.ok() && out_.fail()) s = Status::IOError("cannot write " + temporary_.string());
    return s;
  }

  Status commit() {
    std::error_code ec;
    fs::rename(temporary_, final_, ec);
    if (ec) return Status::IOError("cannot rename " + temporary_.string() + ": " + ec.message());
    committed_ = true;
    return Status::Ok();
  }

 private:
  static constexpr std::size_t kBlock = 1 << 20;

  Status flush() {
    out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
    return out_ ? Status::Ok() : Status::IOError("cannot write " + temporary_.string());
  }

  std::string name_;
  fs::path final_;
  fs::path temporary_;
  std::ofstream out_;
  std::string pending_;
  bool committed_ = false;
};

class Exporter {
 public:
  Exporter(ydb::Database& db, const Progress& progress) : reader_(db), progress_(progress) {}

  Status run(const fs::path& dir) {
    ydb::DataSetCounts summary;
    Status s = reader_.summary(&summary);
    if (!s.ok()) return s;
    total_ = static_cast<int>(summary.races) + kEntityFiles;

    for (int i = 0; i < kFileCount && s.ok(); ++i) {
      files_.push_back(std::make_unique<OutputFile>(dir, static_cast<File>(i)));
      s = files_.back()->open(HeaderOf(static_cast<File>(i)));
    }
    if (s.ok()) s = writeEntities();
    if (s.ok()) s = reader_.readRaces([this](const ydb::Race& race) { return writeRace(race); });
    for (auto& file : files_) {
      if (s.ok()) s = file->close();
    }
    for (auto& file : files_) {
      if (s.ok()) s = file->commit();
    }
    return s;
  }

 private:
  static constexpr int kEntityFiles = 6;

  Status step(const std::string& what) {
    ++done_;
    if (progress_ && !progress_(done_, total_, what)) return Status::Aborted("export stopped");
    return Status::Ok();
  }

  // Formats a record through its columns and adds it to a file.
  template <typename T, typename Columns>
  Status put(File file, T record, Columns columns) {
    RowFormatter row;
    columns(row, record);
    return files_[static_cast<std::size_t>(file)]->add(row.fields);
  }

  Status writeEntities() {
    Status s = reader_.readOwners(
        [&](const ydb::Owner& x) { return put(File::kOwners, x, OwnerColumns); });
    if (s.ok()) s = step("owners");
    if (s.ok()) {
      s = reader_.readBreeders(
          [&](const ydb::Breeder& x) { return put(File::kBreeders, x, BreederColumns); });
    }
    if (s.ok()) s = step("breeders");
    if (s.ok()) {
      s = reader_.readTrainers(
          [&](const ydb::Trainer& x) { return put(File::kTrainers, x, TrainerColumns); });
    }
    if (s.ok()) s = step("trainers");
    if (s.ok()) {
      s = reader_.readJockeys(
          [&](const ydb::Jockey& x) { return put(File::kJockeys, x, JockeyColumns); });
    }
    if (s.ok()) s = step("jockeys");
    if (s.ok()) s = reader_.readHorses([&](const ydb::Horse& x) { return writeHorse(x); });
    if (s.ok()) s = step("horses");
    if (s.ok()) {
      s = reader_.readSires([&](const ydb::Sire& x) { return put(File::kSires, x, SireColumns); });
    }
    if (s.ok()) s = step("sires");
    return s;
  }

  Status writeHorse(const ydb::Horse& horse) {
    Status s = put(File::kHorses, horse, HorseColumns);
    for (int i = 0; i < ydb::kPedigreeSize && s.ok(); ++i) {
      const ydb::Ancestor& a = horse.pedigree[static_cast<std::size_t>(i)];
      if (a.code.empty() && a.name.empty() && a.name_latin.empty()) continue;  // not known
      s = put(File::kPedigrees, PedigreeRow{horse.code, i, a}, PedigreeColumns);
    }
    return s;
  }

  Status writeRace(const ydb::Race& given) {
    ydb::Race race = given;
    ydb::RaceKey& key = race.key;
    bool has_result = race.result.has_value();
    ydb::RaceResult none;
    ydb::RaceResult& result = has_result ? *race.result : none;

    RowFormatter card;
    RaceColumns(card, race, has_result, result);
    Status s = files_[static_cast<std::size_t>(File::kRaces)]->add(card.fields);

    for (std::size_t slot = 0; slot < race.reference_times.size() && s.ok(); ++slot) {
      if (!race.reference_times[slot]) continue;
      s = put(File::kReferenceTimes,
              ReferenceTimeRow{key, static_cast<int>(slot) + 1, *race.reference_times[slot]},
              ReferenceTimeColumns);
    }
    for (ydb::Runner& runner : race.runners) {
      if (s.ok()) s = writeRunner(key, runner);
      if (s.ok() && !runner.comment.empty()) {
        s = put(File::kComments, CommentRow{key, runner.horse_code, runner.comment},
                CommentColumns);
      }
    }
    int entry = 0;
    for (const ydb::Nomination& n : race.nominations) {
      if (s.ok()) s = put(File::kNominations, NominationRow{key, ++entry, n}, NominationColumns);
    }
    if (s.ok() && race.forecast_odds) s = writeOdds(key, false, *race.forecast_odds);
    if (s.ok() && has_result && result.final_odds) s = writeOdds(key, true, *result.final_odds);
    if (has_result) {
      for (std::size_t i = 0; i < result.laps.size() && s.ok(); ++i) {
        s = put(File::kLaps, LapRow{key, static_cast<int>(i) + 1, result.laps[i]}, LapColumns);
      }
      for (std::size_t i = 0; i < result.corners.size() && s.ok(); ++i) {
        s = put(File::kCorners, CornerRow{key, static_cast<int>(i) + 1, result.corners[i]},
                CornerColumns);
      }
      int seq[5] = {0, 0, 0, 0, 0};  // the reader hands payouts out by pool and seq
      for (const ydb::Payout& p : result.payouts) {
        if (!s.ok()) break;
        s = put(File::kPayouts, PayoutRow{key, ++seq[static_cast<int>(p.pool) - 1], p},
                PayoutColumns);
      }
    }
    if (s.ok()) s = step("races of " + FormatDate(key.date));
    return s;
  }

  Status writeRunner(const ydb::RaceKey& key, const ydb::Runner& runner) {
    RunnerRow row{key, runner};
    RowFormatter formatter;
    RunnerColumns(formatter, row);
    ydb::RunnerResult none;
    formatter.blank = !runner.result;
    RunnerResultColumns(formatter, runner.result ? *row.runner.result : none);
    return files_[static_cast<std::size_t>(File::kRunners)]->add(formatter.fields);
  }

  Status writeOdds(const ydb::RaceKey& key, bool final, const ydb::OddsSet& odds) {
    Status s = put(File::kOddsSets, OddsSetRow{key, final, odds.kind, odds.announced},
                   OddsSetColumns);
    for (const ydb::OddsEntry& e : odds.entries) {
      if (s.ok()) s = put(File::kOdds, OddsRow{key, final, e}, OddsColumns);
    }
    return s;
  }

  ydb::Reader reader_;
  const Progress& progress_;
  std::vector<std::unique_ptr<OutputFile>> files_;
  int done_ = 0;
  int total_ = 0;
};

}  // namespace

Status Export(ydb::Database& db, const std::string& dir, const Progress& progress) {
  return WriteSnapshot(db, dir, "export to " + dir, [&] {
    Exporter exporter(db, progress);
    return exporter.run(dir);
  });
}

}  // namespace exchange
