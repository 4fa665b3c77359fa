// The import: reading the files of a directory, checking their headers and
// rows; the people, owners, breeders, horses with their pedigrees and sires;
// writing them, then the races a month at a time, and pointing a fault of
// the writer at its row.
#include <chrono>
#include <cstdio>
#include <exception>
#include <limits>
#include <string>
#include <system_error>
#include <utility>

#include "db/write/BulkLoad.h"
#include "db/write/Writer.h"
#include "exchange/Importer.h"
#include "exchange/RowParser.h"

namespace exchange {
namespace {

namespace fs = std::filesystem;
using ydb::Status;

constexpr int kStepBytes = 1024;     // progress is counted in KiB read
constexpr int kRowsPerReport = 4096;
constexpr std::size_t kHorsesPerTransaction = 5000;

// Columns the format gained after files were first written, at the end of
// their file's header: a header may stop before them, and their fields are
// then empty (horses.csv record_date).
std::size_t ColumnsAddedLater(File file) { return file == File::kHorses ? 1 : 0; }

// Header faults say what the header should have been.
Status CheckHeader(const CsvReader& csv, const std::vector<std::string>& got,
                   const std::vector<std::string>& want, std::size_t may_lack) {
  for (std::size_t i = 0; i < got.size() || i < want.size(); ++i) {
    const std::string column = "column " + std::to_string(i + 1);
    if (i >= got.size()) {
      if (want.size() - got.size() <= may_lack) return Status::Ok();
      return csv.fault("the header lacks " + column + ", " + want[i]);
    }
    if (i >= want.size()) {
      return csv.fault("the header has a " + column + ", '" + got[i] +
                       "', which the format does not have");
    }
    if (got[i] != want[i]) {
      return csv.fault("the header's " + column + " is '" + got[i] + "' where the format has '" +
                       want[i] + "'");
    }
  }
  return Status::Ok();
}

bool IsRaceFile(File file) { return file >= File::kRaces; }

// "2019-04" for YYYYMM.
std::string MonthText(int month) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d", month / 100, month % 100);
  return text;
}

const char* EntityFile(ydb::Entity entity) {
  static const File kFiles[] = {File::kOwners, File::kBreeders, File::kTrainers,
                                File::kJockeys, File::kHorses,   File::kSires};
  return FileName(kFiles[static_cast<int>(entity)]);
}

// Keeps a record read from `csv` under its code; a code given twice fails.
template <typename T>
Status Keep(std::map<std::string, Lined<T>>* records, const CsvReader& csv, const char* noun,
            T record) {
  const std::string code = record.code;
  const auto [at, added] = records->emplace(code, Lined<T>{std::move(record), csv.line()});
  if (!added) {
    return csv.fault(std::string(noun) + " " + code + " is given twice (first on line " +
                     std::to_string(at->second.line) + ")");
  }
  return Status::Ok();
}

}  // namespace

Importer::Importer(ydb::Database& db, fs::path dir, const Progress& progress)
    : db_(db), reader_(db), dir_(std::move(dir)), progress_(progress) {}

Status Importer::run() {
  std::error_code ec;
  if (!fs::is_directory(dir_, ec)) return Status::InvalidArgument(dir_.string() + " is not a directory");
  std::uint64_t bytes = 0;
  bool any = false;
  for (int i = 0; i < kFileCount; ++i) {
    const fs::path path = dir_ / FileName(static_cast<File>(i));
    present_[static_cast<std::size_t>(i)] = fs::exists(path, ec);
    std::uintmax_t size = 0;
    if (!ec && present_[static_cast<std::size_t>(i)]) size = fs::file_size(path, ec);
    if (ec) return Status::IOError("cannot look at " + path.string() + ": " + ec.message());
    any = any || present_[static_cast<std::size_t>(i)];
    bytes += size;
  }
  if (!any) {
    return Status::InvalidArgument(dir_.string() + " holds none of the files of the exchange format (" +
                         FileName(File::kOwners) + " ... " + FileName(File::kPayouts) + ")");
  }
  // Each reading is half of the work.
  const std::uint64_t kib = bytes / kStepBytes + 1;
  total_steps_ = static_cast<int>(2 * kib);

  std::uint64_t done = 0;
  Status s;
  for (int i = 0; i < kFileCount && s.ok(); ++i) s = readFile(static_cast<File>(i), &done);
  if (s.ok() && progress_ &&
      !progress_(static_cast<int>(kib), total_steps_, "writing the people, horses and sires")) {
    s = Status::Aborted("import stopped; nothing was loaded");
  }
  if (s.ok()) s = keepGeneratedHorses();
  ydb::BulkLoad load(db_);
  if (s.ok()) s = load.begin();
  if (s.ok()) s = writeEntities();
  done = kib * kStepBytes;
  if (s.ok()) s = writeMonths(&done);
  const Status ended = load.finish();
  if (s.ok()) s = ended;
  // The work is done: a request to stop comes too late to matter.
  if (s.ok() && progress_) progress_(total_steps_, total_steps_, "done");
  return s;
}

Status Importer::openFile(File file) {
  const std::string name = FileName(file);
  CsvReader& csv = csv_[static_cast<std::size_t>(file)];
  Status s = csv.open((dir_ / name).string(), name);
  std::vector<std::string> fields;
  if (s.ok() && !csv.next(&fields)) {
    s = csv.status().ok() ? Status::Corruption(name + " is empty: it needs at least its header row")
                          : csv.status();
  }
  const std::vector<std::string> columns = HeaderOf(file);
  if (s.ok()) s = CheckHeader(csv, fields, columns, ColumnsAddedLater(file));
  header_size_[static_cast<std::size_t>(file)] = {fields.size(), columns.size()};
  return s;
}

template <typename Read, typename Tick>
Status Importer::readRows(File file, std::uint64_t until, Read read, Tick tick) {
  CsvReader& csv = csv_[static_cast<std::size_t>(file)];
  const auto [given, columns] = header_size_[static_cast<std::size_t>(file)];
  std::vector<std::string> fields;
  Status s;
  int rows = 0;
  while (s.ok() && csv.offset() < until && csv.next(&fields)) {
    if (fields.size() == 1 && fields[0].empty() && given > 1) {
      s = csv.fault("an empty line");
    } else if (fields.size() != given) {
      s = csv.fault("the row has " + std::to_string(fields.size()) +
                    " fields where the header has " + std::to_string(given));
    } else {
      fields.resize(columns);  // the columns the header left off are empty
      s = read(fields);
    }
    if (s.ok() && ++rows % kRowsPerReport == 0) s = tick();
  }
  return s.ok() ? csv.status() : s;
}

Importer::RowReader Importer::ReaderOf(File file) {
  static const RowReader kReaders[kFileCount] = {
      &Importer::readOwner,         &Importer::readBreeder,   &Importer::readTrainer,
      &Importer::readJockey,        &Importer::readHorse,     &Importer::readPedigree,
      &Importer::readSire,          &Importer::readRace,      &Importer::readReferenceTime,
      &Importer::readRunner,        &Importer::readComment,   &Importer::readNomination,
      &Importer::readOddsSet,       &Importer::readOdds,      &Importer::readLap,
      &Importer::readCorner,        &Importer::readPayout,
  };
  return kReaders[static_cast<int>(file)];
}

Status Importer::readFile(File file, std::uint64_t* bytes_done) {
  if (!present_[static_cast<std::size_t>(file)]) return Status::Ok();  // a file left out
  const std::string name = FileName(file);
  const auto index = static_cast<std::size_t>(file);
  CsvReader& csv = csv_[index];
  Status s = openFile(file);
  const auto tick = [&] {
    if (progress_ && !progress_(static_cast<int>((*bytes_done + csv.offset()) / kStepBytes),
                                total_steps_, "reading " + name)) {
      return Status::Aborted("import stopped; nothing was loaded");
    }
    return Status::Ok();
  };
  if (s.ok() && !IsRaceFile(file)) {
    const RowReader read = ReaderOf(file);
    std::uint64_t row_begin = csv.offset();
    s = readRows(file, std::numeric_limits<std::uint64_t>::max(),
                 [&](const std::vector<std::string>& fields) {
                   row_ = {row_begin, csv.offset(), csv.line()};
                   row_begin = csv.offset();
                   return (this->*read)(csv, fields);
                 },
                 tick);
  } else if (s.ok()) {
    // A race file's rows are read for their month here, and whole with
    // their month's races.
    std::map<int, std::vector<Span>>& spans = spans_[index];
    std::vector<Span>* stretch = nullptr;
    int stretch_month = 0;
    std::uint64_t row_begin = csv.offset();
    s = readRows(file, std::numeric_limits<std::uint64_t>::max(),
                 [&](const std::vector<std::string>& fields) {
                   RowParser parser(fields);
                   int date = 0;
                   parser.date("date", date, kRequired);
                   if (!parser.ok()) return csv.fault(parser.fault());
                   if (stretch == nullptr || date / 100 != stretch_month) {
                     stretch_month = date / 100;
                     stretch = &spans[stretch_month];
                     stretch->push_back({row_begin, 0, csv.line()});
                   }
                   stretch->back().end = row_begin = csv.offset();
                   return Status::Ok();
                 },
                 tick);
  }
  *bytes_done += csv.offset();
  return s;
}

Status Importer::requireKnown(const CsvReader& csv, ydb::Entity entity, const char* column,
                              const std::string& code) {
  bool in_files = false;
  switch (entity) {
    case ydb::Entity::kOwner: in_files = owners_.count(code) > 0; break;
    case ydb::Entity::kBreeder: in_files = breeders_.count(code) > 0; break;
    case ydb::Entity::kTrainer: in_files = trainers_.count(code) > 0; break;
    case ydb::Entity::kJockey: in_files = jockeys_.count(code) > 0; break;
    case ydb::Entity::kHorse: in_files = horses_.count(code) > 0; break;
    case ydb::Entity::kSire: in_files = sires_.count(code) > 0; break;
  }
  std::set<std::string>& in_store = in_store_[static_cast<std::size_t>(entity)];
  if (in_files || in_store.count(code) > 0) return Status::Ok();
  bool found = false;
  Status s = reader_.contains(entity, code, &found);
  if (!s.ok()) return csv.fault("cannot look " + code + " up in the store: " + s.message());
  if (!found) {
    return csv.fault(std::string(column) + " " + code + " is neither in " + EntityFile(entity) +
                     " nor in the store");
  }
  in_store.insert(code);
  return Status::Ok();
}

Status Importer::readOwner(const CsvReader& csv, const std::vector<std::string>& fields) {
  ydb::Owner owner;
  Status s = ParseRow(csv, fields, OwnerColumns, &owner);
  return s.ok() ? Keep(&owners_, csv, "owner", std::move(owner)) : s;
}

Status Importer::readBreeder(const CsvReader& csv, const std::vector<std::string>& fields) {
  ydb::Breeder breeder;
  Status s = ParseRow(csv, fields, BreederColumns, &breeder);
  return s.ok() ? Keep(&breeders_, csv, "breeder", std::move(breeder)) : s;
}

Status Importer::readTrainer(const CsvReader& csv, const std::vector<std::string>& fields) {
  ydb::Trainer trainer;
  Status s = ParseRow(csv, fields, TrainerColumns, &trainer);
  return s.ok() ? Keep(&trainers_, csv, "trainer", std::move(trainer)) : s;
}

Status Importer::readJockey(const CsvReader& csv, const std::vector<std::string>& fields) {
  ydb::Jockey jockey;
  Status s = ParseRow(csv, fields, JockeyColumns, &jockey);
  if (s.ok()) {
    s = requireKnownOptional(csv, ydb::Entity::kTrainer, "trainer_code", jockey.trainer_code);
  }
  return s.ok() ? Keep(&jockeys_, csv, "jockey", std::move(jockey)) : s;
}

Status Importer::readHorse(const CsvReader& csv, const std::vector<std::string>& fields) {
  ydb::Horse horse;
  Status s = ParseRow(csv, fields, HorseColumns, &horse);
  if (s.ok()) s = requireKnownOptional(csv, ydb::Entity::kOwner, "owner_code", horse.owner_code);
  if (s.ok()) {
    s = requireKnownOptional(csv, ydb::Entity::kBreeder, "breeder_code", horse.breeder_code);
  }
  if (s.ok()) {
    s = requireKnownOptional(csv, ydb::Entity::kTrainer, "trainer_code", horse.trainer_code);
  }
  if (!s.ok()) return s;
  if (horses_.empty()) horse_rows_ = {row_.begin, std::numeric_limits<std::uint64_t>::max(), row_.line};
  const std::string code = horse.code;
  const auto [at, added] = horses_.emplace(code, HorseRows{csv.line(), {}, {}});
  if (!added) {
    return csv.fault("horse " + code + " is given twice (first on line " +
                     std::to_string(at->second.line) + ")");
  }
  return Status::Ok();
}

// A pedigree row completes a horse of horses.csv: a horse is written with
// its whole pedigree, so its rows come with it (read again then).
Status Importer::readPedigree(const CsvReader& csv, const std::vector<std::string>& fields) {
  PedigreeRow row;
  Status s = ParseRow(csv, fields, PedigreeColumns, &row);
  if (!s.ok()) return s;
  const auto horse = horses_.find(row.horse_code);
  if (horse == horses_.end()) {
    return csv.fault("horse_code " + row.horse_code + " is not in horses.csv: a pedigree is "
                     "loaded with its horse");
  }
  const auto position = static_cast<std::size_t>(row.position);
  int& line = horse->second.pedigree_lines[position];
  if (line != 0) {
    return csv.fault("position " + PedigreePositions()[position] + " of horse " + row.horse_code +
                     " is given twice (first on line " + std::to_string(line) + ")");
  }
  line = csv.line();
  std::vector<Span>& rows = horse->second.pedigree;
  if (!rows.empty() && rows.back().end == row_.begin) {
    rows.back().end = row_.end;
  } else {
    rows.push_back(row_);
  }
  return Status::Ok();
}

Status Importer::readPedigreeOf(const HorseRows& rows, ydb::Horse* horse) {
  CsvReader& csv = csv_[static_cast<std::size_t>(File::kPedigrees)];
  Status s;
  for (const Span& span : rows.pedigree) {
    if (s.ok()) s = csv.seek(span.begin, span.line);
    if (!s.ok()) break;
    s = readRows(File::kPedigrees, span.end,
                 [&](const std::vector<std::string>& fields) {
                   PedigreeRow row;
                   const Status read = ParseRow(csv, fields, PedigreeColumns, &row);
                   if (read.ok()) horse->pedigree[static_cast<std::size_t>(row.position)] = std::move(row.ancestor);
                   return read;
                 },
                 [] { return Status::Ok(); });
  }
  return s;
}

Status Importer::readSire(const CsvReader& csv, const std::vector<std::string>& fields) {
  ydb::Sire sire;
  Status s = ParseRow(csv, fields, SireColumns, &sire);
  if (s.ok()) s = requireKnown(csv, ydb::Entity::kHorse, "code", sire.code);
  return s.ok() ? Keep(&sires_, csv, "sire", std::move(sire)) : s;
}

Status Importer::keepGeneratedHorses() {
  ydb::GeneratedWorld world;
  bool generated = false;
  Status s = reader_.generatedWorld(&world, &generated);
  if (!s.ok() || !generated) return s;
  for (const auto& [code, rows] : horses_) {
    bool stored = false;
    s = reader_.contains(ydb::Entity::kHorse, code, &stored);
    if (!s.ok()) return s;
    if (stored) {
      return Status::InvalidArgument(
          std::string(FileName(File::kHorses)) + " line " + std::to_string(rows.line) + ": horse " +
          code + " is a horse of the data set's generated world (" + world.describe() +
          "), which an import may add to but not replace; nothing was loaded");
    }
  }
  return Status::Ok();
}

// A fault of the writer, pointed at the row it is about.
Status Importer::writeFault(const Status& s, const ydb::Batch& batch, const std::string& unloaded) const {
  const Location at = locate(s.message(), batch);
  if (at.line == 0) return s.Within("writing the store (" + unloaded + ")");
  return Status::Corruption(std::string(FileName(at.file)) + " line " + std::to_string(at.line) +
                            ": " + s.message() + " (" + unloaded + ")");
}

std::string Importer::loaded() const {
  if (!months_loaded_.empty()) {
    return "the people, horses and sires and the races up to " + months_loaded_ + " were loaded";
  }
  return "the people, horses and sires were loaded, no race";
}

// The people with the first few thousand horses, the rest of the horses a
// few thousand a transaction, the sires with the last: each horse read
// again from horses.csv with its pedigree rows.
Status Importer::writeEntities() {
  ydb::Batch batch;
  for (auto& [code, x] : owners_) batch.owners.push_back(std::move(x.value));
  for (auto& [code, x] : breeders_) batch.breeders.push_back(std::move(x.value));
  for (auto& [code, x] : trainers_) batch.trainers.push_back(std::move(x.value));
  for (auto& [code, x] : jockeys_) batch.jockeys.push_back(std::move(x.value));
  ydb::Writer writer(db_);
  std::size_t left = horses_.size();
  const auto write = [&] {
    if (left == 0) {
      for (auto& [code, x] : sires_) batch.sires.push_back(std::move(x.value));
    }
    const std::string unloaded =
        horses_loaded_ == 0 ? "nothing was loaded"
                            : "the people and " + std::to_string(horses_loaded_) +
                                  " horses were loaded, no sire and no race";
    const Status written = writer.write(batch);
    if (!written.ok()) return writeFault(written, batch, unloaded);
    horses_loaded_ += static_cast<std::int64_t>(batch.horses.size());
    batch = ydb::Batch();
    return written;
  };
  Status s;
  if (left == 0) {
    s = write();
  } else {
    CsvReader& csv = csv_[static_cast<std::size_t>(File::kHorses)];
    s = csv.seek(horse_rows_.begin, horse_rows_.line);
    if (s.ok()) {
      s = readRows(File::kHorses, horse_rows_.end,
                   [&](const std::vector<std::string>& fields) {
                     ydb::Horse horse;
                     Status read = ParseRow(csv, fields, HorseColumns, &horse);
                     const auto rows = horses_.find(horse.code);
                     if (read.ok() && rows == horses_.end()) {
                       read = csv.fault("horses.csv changed while it was imported");
                     }
                     if (read.ok()) read = readPedigreeOf(rows->second, &horse);
                     if (!read.ok()) return read;
                     batch.horses.push_back(std::move(horse));
                     --left;
                     return batch.horses.size() == kHorsesPerTransaction || left == 0 ? write() : read;
                   },
                   [] { return Status::Ok(); });
    }
  }
  if (!s.ok()) return s;
  // From here on the store answers for them.
  for (std::size_t i = 0; i < in_store_.size(); ++i) {
    const auto keep = [&](const auto& records) {
      for (const auto& record : records) in_store_[i].insert(record.first);
    };
    switch (static_cast<ydb::Entity>(i)) {
      case ydb::Entity::kOwner: keep(owners_); break;
      case ydb::Entity::kBreeder: keep(breeders_); break;
      case ydb::Entity::kTrainer: keep(trainers_); break;
      case ydb::Entity::kJockey: keep(jockeys_); break;
      case ydb::Entity::kHorse: keep(horses_); break;
      case ydb::Entity::kSire: keep(sires_); break;
    }
  }
  owners_.clear();
  breeders_.clear();
  trainers_.clear();
  jockeys_.clear();
  horses_.clear();
  sires_.clear();
  return Status::Ok();
}

Status Importer::writeMonths(std::uint64_t* bytes_done) {
  std::set<int> months;
  for (const auto& spans : spans_) {
    for (const auto& [month, stretches] : spans) months.insert(month);
  }
  const auto started = std::chrono::steady_clock::now();
  std::int64_t rows = 0;
  const auto no_tick = [] { return Status::Ok(); };
  for (const int month : months) {
    Status s;
    for (int i = static_cast<int>(File::kRaces); i < kFileCount && s.ok(); ++i) {
      const File file = static_cast<File>(i);
      std::map<int, std::vector<Span>>& spans = spans_[static_cast<std::size_t>(i)];
      const auto found = spans.find(month);
      if (found == spans.end()) continue;
      CsvReader& csv = csv_[static_cast<std::size_t>(i)];
      const RowReader read = ReaderOf(file);
      for (const Span& span : found->second) {
        if (s.ok()) s = csv.seek(span.begin, span.line);
        if (s.ok()) {
          s = readRows(file, span.end,
                       [&](const std::vector<std::string>& fields) {
                         ++rows;
                         return (this->*read)(csv, fields);
                       },
                       no_tick);
        }
        *bytes_done += span.end - span.begin;
      }
      spans.erase(found);
    }
    for (auto& [id, race] : races_) {
      if (s.ok()) s = assemble(&race);
    }
    const std::string unloaded = "nothing of " + MonthText(month) + " on was loaded; " + loaded();
    if (!s.ok()) return Status::Corruption(s.message() + " (" + unloaded + ")");
    s = writeRaces(unloaded);
    if (!s.ok()) return s;
    months_loaded_ = MonthText(month);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const std::string rate =
        seconds > 0 ? " (" + std::to_string(static_cast<std::int64_t>(static_cast<double>(rows) / seconds)) +
                          " rows/s)"
                    : "";
    if (progress_ && !progress_(static_cast<int>(*bytes_done / kStepBytes), total_steps_,
                                "races of " + months_loaded_ + rate)) {
      return Status::Aborted("import stopped; " + loaded());
    }
  }
  return Status::Ok();
}

Status Importer::writeRaces(const std::string& unloaded) {
  ydb::Batch batch;
  for (auto& [id, rows] : races_) batch.races.push_back(std::move(rows.race));
  const Status s = ydb::Writer(db_).write(batch);
  const Status fault = s.ok() ? s : writeFault(s, batch, unloaded);
  races_.clear();
  return fault;
}

// The writer names the record at fault first: "owner 100001: ...",
// "horse 2020011: pedigree[4] ...", "race 052024010611 runner 3 ...".
Location Importer::locate(const std::string& fault, const ydb::Batch& batch) const {
  const std::size_t space = fault.find(' ');
  if (space == std::string::npos) return {};
  const std::string noun = fault.substr(0, space);
  const std::size_t end = fault.find_first_not_of("0123456789", space + 1);
  const std::string code =
      fault.substr(space + 1, end == std::string::npos ? end : end - space - 1);
  const std::string rest = end == std::string::npos ? std::string() : fault.substr(end);

  const auto line_of = [&](const auto& records) {
    const auto found = records.find(code);
    return found == records.end() ? 0 : found->second.line;
  };
  if (noun == "owner") return {File::kOwners, line_of(owners_)};
  if (noun == "breeder") return {File::kBreeders, line_of(breeders_)};
  if (noun == "trainer") return {File::kTrainers, line_of(trainers_)};
  if (noun == "jockey") return {File::kJockeys, line_of(jockeys_)};
  if (noun == "sire") return {File::kSires, line_of(sires_)};
  if (noun == "horse") {
    const auto found = horses_.find(code);
    if (found == horses_.end()) return {};
    return LocateInHorse(rest, found->second.line, found->second.pedigree_lines);
  }
  ydb::RaceKey key;
  if (noun != "race" || !ydb::RaceKey::Parse(code, &key).ok()) return {};
  const auto found = races_.find(RaceId{key.date, key.place, key.number});
  if (found == races_.end()) return {};
  // The batch holds the races in the order of races_.
  const auto index = static_cast<std::size_t>(std::distance(races_.begin(), found));
  return LocateInRace(rest, batch.races[index], found->second.sources);
}

}  // namespace exchange

ydb::Status exchange::Import(ydb::Database& db, const std::string& dir,
                             const Progress& progress) {
  try {
    Importer importer(db, dir, progress);
    ydb::Status s = importer.run();
    return s.Within("import from " + dir);
  } catch (const std::exception& e) {
    return ydb::Status::IOError("import from " + dir + " abandoned, nothing loaded: " + e.what());
  } catch (...) {
    return ydb::Status::IOError("import from " + dir + " abandoned, nothing loaded");
  }
}
