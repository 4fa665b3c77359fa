// Importing JV-Data files in two readings. The first reads every record,
// refuses what is wrong in it and notes where each lies and which of each
// key stands (RecordIndex.h); a refused record ends the import before
// anything is written. The second reads the standing records again: the
// people, then the breeding horses (HN, read once, in file order), the
// horses (UM, their ancestors named from those) in transactions of a few
// thousand, and the stored horses their foal records (SK) fill in, then
// the races month by month, each month's races put together from their
// RA, SE, HR and odds records and written in one transaction, and last the
// people's deletions. Memory stays that of a month of races, the index and
// the breeding horses.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "db/api/DataSetStore.h"
#include "db/read/Reader.h"
#include "db/write/BulkLoad.h"
#include "db/write/Writer.h"
#include "exchange/jvdata/FileReader.h"
#include "exchange/jvdata/Horses.h"
#include "exchange/jvdata/JvDataFiles.h"
#include "exchange/jvdata/People.h"
#include "exchange/jvdata/Races.h"
#include "exchange/jvdata/RecordIndex.h"
#include "exchange/jvdata/RecordSource.h"

namespace exchange {
namespace jvdata {
namespace {

namespace fs = std::filesystem;
using ydb::Status;

// The people written in one transaction.
constexpr std::size_t kPeoplePerTransaction = 5000;

// The odds records' types, O1 to O3: their number from 0; -1 for others.
int OddsType(const std::string& type) {
  if (type == "O1") return 0;
  if (type == "O2") return 1;
  return type == "O3" ? 2 : -1;
}

bool IsRaceRecord(const std::string& type) {
  return type == "RA" || type == "SE" || type == "HR" || OddsType(type) >= 0;
}

bool IsPersonRecord(const std::string& type) {
  return type == "KS" || type == "CH" || type == "BN" || type == "BR";
}

bool IsOddsPart(Part part) { return part >= Part::kOdds; }
bool IsFinalOdds(Part part) { return IsOddsPart(part) && (static_cast<int>(part) - static_cast<int>(Part::kOdds)) % 2 == 1; }

// "2019-04" for the month of YYYYMMDD.
std::string MonthOf(int date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d", date / 10000, date / 100 % 100);
  return text;
}

// What a runner's record says of its horse and people, for those in
// neither the files nor the store, and where it was read.
struct FromRunner {
  ydb::Horse horse;
  std::string jockey_name, trainer_name, owner_name;
};

class JvImporter {
 public:
  JvImporter(ydb::Database& db, const Progress& progress, ImportSummary* summary)
      : db_(db), reader_(db), writer_(db), progress_(progress), summary_(*summary) {}

  Status run(const std::vector<std::string>& paths) {
    Status s = listFiles(paths);
    for (std::uint32_t i = 0; s.ok() && i < files_.size(); ++i) s = scanFile(i);
    summary_.by_type = read_.by_type;
    summary_.unknown = read_.unknown;
    summary_.bytes = read_.bytes;
    if (!s.ok()) return s;
    races_.settle();
    checkRaces();
    if (summary_.refused > 0) {
      return Status::InvalidArgument(summary_.reasons.front() + " (" +
                                     std::to_string(summary_.refused) +
                                     " records refused; nothing was imported)");
    }
    RecordSource source(files_);
    ydb::BulkLoad load(db_);
    s = load.begin();
    if (s.ok()) s = writePeople(source);
    if (s.ok()) s = readBreedingHorses(source);
    if (s.ok()) s = writeHorses(source);
    if (s.ok()) s = fillStoredHorses(source);
    if (s.ok()) s = writeRaces(source);
    if (s.ok()) s = removePeople();
    const Status ended = load.finish();
    return s.ok() ? ended : s;
  }

 private:
  Status listFiles(const std::vector<std::string>& paths) {
    std::error_code ec;
    for (const std::string& path : paths) {
      if (!fs::is_directory(path, ec)) {
        files_.push_back(path);
        continue;
      }
      std::vector<std::string> found;
      for (const fs::directory_entry& e : fs::directory_iterator(path, ec)) {
        if (e.is_regular_file(ec)) found.push_back(e.path().string());
      }
      if (ec) return Status::IOError("cannot list " + path + ": " + ec.message());
      std::sort(found.begin(), found.end());
      files_.insert(files_.end(), found.begin(), found.end());
    }
    for (const std::string& file : files_) total_bytes_ += fileSize(file);
    again_bytes_ = total_bytes_;
    return Status::Ok();
  }

  static std::int64_t fileSize(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    return ec ? 0 : static_cast<std::int64_t>(size);
  }

  // Progress in KiB: the files read once, then the standing records again
  // (as many bytes as the files until they are known), with the records a
  // second of the reading under way.
  bool report(std::int64_t done, const std::string& what) {
    if (!progress_) return true;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - pass_start_).count();
    const std::string rate =
        seconds > 0 ? " (" + std::to_string(static_cast<std::int64_t>(static_cast<double>(pass_records_) / seconds)) +
                          " records/s)"
                    : "";
    return progress_(static_cast<int>(done / 1024),
                     static_cast<int>((total_bytes_ + again_bytes_) / 1024), what + rate);
  }

  std::string where(const Place& at) const {
    return files_[at.file] + " line " + std::to_string(at.line);
  }

  void refuse(const std::string& reason) {
    ++summary_.refused;
    if (summary_.reasons.size() < kReasonsKept) summary_.reasons.push_back(reason);
  }

  // --- The first reading -------------------------------------------------------

  Status scanFile(std::uint32_t file) {
    const std::string& path = files_[file];
    const std::int64_t bytes_before = read_.bytes;
    std::int64_t records = 0;
    Status s = ReadFile(path, [&](const Record& record, const RecordType& type, int form) {
      ++pass_records_;
      if (++records % 4096 == 0 && !report(read_.bytes, path)) {
        return Status::Aborted("import stopped; nothing was imported");
      }
      Place at;
      at.file = file;
      at.length = static_cast<std::uint32_t>(record.length());
      at.offset = read_.bytes - bytes_before - record.length();
      at.line = read_.line;
      const Status taken = scan(record, type, form, at);
      if (!taken.ok()) refuse(where(at) + ": " + taken.message());
      return Status::Ok();
    }, &read_);
    if (s.IsInvalidArgument() || s.IsNotSupported()) {
      // A record cut short or of a wrong length ends its file.
      refuse(s.message());
      read_.bytes = bytes_before + fileSize(path);
      s = Status::Ok();
    }
    if (s.ok() && !report(read_.bytes, path)) {
      return Status::Aborted("import stopped; nothing was imported");
    }
    return s;
  }

  // Checks a record and notes where it lies under its key.
  Status scan(const Record& record, const RecordType& type, int form, const Place& at) {
    const std::string id = type.id;
    const bool deletion = record.stage() == kDeletionStage;
    if (deletion) ++summary_.deletions;
    if (deletion && !IsRaceRecord(id) && !IsPersonRecord(id)) {
      ++summary_.skipped[id];  // a horse's, a breeding horse's or a foal's deletion
      return Status::Ok();
    }
    const Made made{IsRaceRecord(id) ? StageRank(record.stage()) : 0, record.created(), deletion};
    if (deletion && IsRaceRecord(id)) return scanDeletion(record, id, made, at);
    Status s;
    if (id == "KS") {
      ydb::Jockey x;
      s = ReadJockey(record, form, &x);
      if (s.ok()) jockeys_.add(x.code, made, at);
    } else if (id == "CH") {
      ydb::Trainer x;
      s = ReadTrainer(record, form, &x);
      if (s.ok()) trainers_.add(x.code, made, at);
    } else if (id == "BN") {
      ydb::Owner x;
      s = ReadOwner(record, form, &x);
      if (s.ok()) owners_.add(x.code, made, at);
    } else if (id == "BR") {
      ydb::Breeder x;
      s = ReadBreeder(record, form, &x);
      if (s.ok()) breeders_.add(x.code, made, at);
    } else if (id == "RA") {
      ydb::Race x;
      s = ReadRace(record, form, &x);
      if (s.ok()) races_.add(x.key, Part::kDetails, 0, made, at);
    } else if (id == "SE") {
      RaceRunner x;
      s = ReadRunner(record, form, &x);
      if (s.ok()) {
        races_.add(x.race.key, Part::kRunner, x.runner.horse_no, made, at);
        int& newest = newest_run_[x.runner.horse_code];
        newest = std::max(newest, x.race.key.date / 100);
      }
    } else if (id == "HR") {
      RaceId race;
      std::vector<ydb::Payout> payouts;
      s = ReadPayouts(record, form, &race, &payouts);
      if (s.ok()) races_.add(race.key, Part::kPayouts, 0, made, at);
    } else if (id == "UM") {
      HorseRecord x;
      s = ReadHorse(record, form, &x);
      if (s.ok()) horses_.add(x.horse.code, made, at);
    } else if (id == "HN") {
      BreedingHorse x;
      s = ReadBreedingHorse(record, form, &x);
      if (s.ok()) breeding_.add(x.number, made, at);
    } else if (id == "SK") {
      Foal x;
      s = ReadFoal(record, form, &x);
      if (s.ok()) foals_.add(x.horse_code, made, at);
    } else if (OddsType(id) >= 0 && record.stage() != kCancelledStage) {
      RaceOdds x;
      s = ReadOdds(record, form, &x);
      if (s.ok()) races_.add(x.race.key, OddsPart(OddsType(id), x.final), 0, made, at);
    } else {
      ++summary_.skipped[id];
    }
    return s;
  }

  // A deletion record of a race, one of its runners, its payouts or its
  // odds, noted in the place of what it deletes.
  Status scanDeletion(const Record& record, const std::string& id, const Made& made,
                      const Place& at) {
    RaceId race;
    int horse_no = 0;
    const Status s = ReadRecordKey(record, &race, &horse_no);
    if (!s.ok()) return s;
    if (id == "RA") {
      races_.add(race.key, Part::kDetails, 0, made, at);
    } else if (id == "SE") {
      races_.add(race.key, Part::kRunner, horse_no, made, at);
    } else if (id == "HR") {
      races_.add(race.key, Part::kPayouts, 0, made, at);
    } else {
      races_.add(race.key, OddsPart(OddsType(id), false), 0, made, at);
      races_.add(race.key, OddsPart(OddsType(id), true), 0, made, at);
    }
    return Status::Ok();
  }

  // Refuses the races the standing records cannot make: records of a race
  // without its RA; payouts or final odds of a race its RA says is not run.
  void checkRaces() {
    const std::vector<RaceEntry>& entries = races_.entries();
    for (std::size_t i = 0, end = 0; i < entries.size(); i = end) {
      for (end = i; end < entries.size() && entries[end].sameRace(entries[i]);) ++end;
      const std::string race = "race " + entries[i].key().code();
      const RaceEntry& details = entries[i];
      if (details.part != Part::kDetails) {
        const auto first = std::min_element(
            entries.begin() + i, entries.begin() + end, [](const RaceEntry& a, const RaceEntry& b) {
              return std::tie(a.at.file, a.at.offset) < std::tie(b.at.file, b.at.offset);
            });
        const bool only_deletions = std::all_of(entries.begin() + i, entries.begin() + end,
                                                [](const RaceEntry& e) { return e.made.deletion; });
        if (!only_deletions) refuse(where(first->at) + ": " + race + " has no RA record");
        continue;
      }
      if (details.made.deletion || details.made.rank >= kFirstResultsRank) continue;
      for (std::size_t j = i + 1; j < end; ++j) {
        const RaceEntry& e = entries[j];
        if (e.made.deletion) continue;
        if (e.part == Part::kPayouts) {
          refuse(where(e.at) + ": " + race + " has payouts but its RA no results");
          break;
        }
        if (IsFinalOdds(e.part)) {
          refuse(where(e.at) + ": " + race + " has final odds but its RA no results");
          break;
        }
      }
    }
  }

  // --- The second reading ------------------------------------------------------

  // Reads the record at `at` and `parse`s it; a record that no longer
  // reads as it did is an I/O error (the file changed).
  template <typename Parse>
  Status reread(RecordSource& source, const Place& at, Parse parse) {
    std::string_view bytes;
    Status s = source.read(at, &bytes);
    if (!s.ok()) return s;
    const Record record(bytes);
    const RecordType* type = FindRecordType(record.type());
    s = parse(record, type == nullptr ? -1 : FormOf(*type, record.length()));
    again_done_ += at.length;
    ++pass_records_;
    if (!s.ok()) return Status::IOError(where(at) + ": the file changed while it was imported: " + s.message());
    return s;
  }

  // Writes `batch` (and removes `removed`) in one transaction; a refusal
  // names where its record was read, and what the import has written.
  Status write(const ydb::Batch& batch, const std::vector<ydb::RaceKey>& removed,
               const std::string& unwritten) {
    const Status s = writer_.write(batch, removed);
    const std::string fault = s.ok() ? "" : locate(s.message());
    where_.clear();
    if (s.ok()) return s;
    return Status::Corruption(fault + " (" + unwritten + ")");
  }

  // What has been written when a later step fails.
  std::string written() const {
    if (!months_written_.empty()) return "the people and the races up to " + months_written_ + " were imported";
    return summary_.people != 0 ? "the people were imported, no race" : "nothing was imported";
  }

  // A person's deletion record that stands, applied once the races are
  // written.
  struct Deletion {
    ydb::Writer::Person person;
    std::string code;
    Place at;
  };

  template <typename T, typename ReadFn>
  Status writePeopleOf(RecordSource& source, const CodeIndex& index, ydb::Writer::Person person,
                       const char* noun, std::vector<T> ydb::Batch::*list, ReadFn read) {
    ydb::Batch batch;
    const std::vector<CodeIndex::Entry> standing = index.standing();
    for (std::size_t i = 0; i < standing.size(); ++i) {
      T x;
      Status s = reread(source, standing[i].at,
                        [&](const Record& record, int form) { return read(record, form, &x); });
      if (!s.ok()) return s;
      if (standing[i].made.deletion) {
        deletions_.push_back({person, x.code, standing[i].at});
      } else {
        where_[std::string(noun) + " " + x.code] = where(standing[i].at);
        (batch.*list).push_back(std::move(x));
      }
      const bool last = i + 1 == standing.size();
      if ((batch.*list).size() == kPeoplePerTransaction || (last && !(batch.*list).empty())) {
        s = write(batch, {}, written());
        if (!s.ok()) return s;
        summary_.people += static_cast<std::int64_t>((batch.*list).size());
        (batch.*list).clear();
        if (!report(total_bytes_ + again_done_, noun + std::string("s"))) {
          return Status::Aborted("import stopped; " + written());
        }
      }
    }
    return Status::Ok();
  }

  Status writePeople(RecordSource& source) {
    pass_start_ = std::chrono::steady_clock::now();
    pass_records_ = 0;
    again_bytes_ = 0;
    for (const CodeIndex* index : {&owners_, &breeders_, &trainers_, &jockeys_, &horses_, &breeding_, &foals_}) {
      for (const CodeIndex::Entry& e : index->standing()) again_bytes_ += e.at.length;
    }
    for (const RaceEntry& e : races_.entries()) again_bytes_ += e.at.length;
    using P = ydb::Writer::Person;
    Status s = writePeopleOf(source, owners_, P::kOwner, "owner", &ydb::Batch::owners, ReadOwner);
    if (s.ok()) s = writePeopleOf(source, breeders_, P::kBreeder, "breeder", &ydb::Batch::breeders, ReadBreeder);
    if (s.ok()) s = writePeopleOf(source, trainers_, P::kTrainer, "trainer", &ydb::Batch::trainers, ReadTrainer);
    if (s.ok()) s = writePeopleOf(source, jockeys_, P::kJockey, "jockey", &ydb::Batch::jockeys, ReadJockey);
    return s;
  }

  // --- Horses (UM, with HN and SK) ---------------------------------------------

  // Names the ancestors `breeding` numbers of *horse by the breeding
  // horses' records that stand.
  void nameAncestors(const BreedingNumbers& breeding, ydb::Horse* horse) const {
    for (int i = 0; i < ydb::kPedigreeSize; ++i) {
      const BreedingHorse* b = findBreedingHorse(breeding[static_cast<std::size_t>(i)]);
      if (b != nullptr) NameAncestor(*b, i < 2, &horse->pedigree[static_cast<std::size_t>(i)]);
    }
  }

  // Reads every breeding horse's record that stands, in the order of the
  // files: a sire or dam stands in the pedigrees of many horses, scattered
  // over the files, and read where each pedigree names it, the file's
  // window would move to and fro.
  Status readBreedingHorses(RecordSource& source) {
    for (const CodeIndex::Entry& e : breeding_.standing()) {
      BreedingHorse b;
      const Status s = reread(source, e.at, [&](const Record& r, int form) { return ReadBreedingHorse(r, form, &b); });
      if (!s.ok()) return s;
      std::string number = b.number;
      breeding_read_.emplace(std::move(number), std::move(b));
    }
    return Status::Ok();
  }

  // The breeding horse `number` of the records that stand; null when the
  // files have none.
  const BreedingHorse* findBreedingHorse(const std::string& number) const {
    const auto found = breeding_read_.find(number);
    return found == breeding_read_.end() ? nullptr : &found->second;
  }

  // Fills in what *horse lacks from its foal record `foal`: the birth date,
  // breed, coat, breeder (one of the data set) and the pedigree's
  // positions it has none of; what it has stays. *changed says whether
  // anything was filled in.
  Status fillFromFoal(const Foal& foal, ydb::Horse* horse, bool* changed) {
    const auto fill = [&](auto& field, const auto& value, const auto& none) {
      if (field != none || value == none) return;
      field = value;
      *changed = true;
    };
    fill(horse->birth_date, foal.birth_date, 0);
    fill(horse->breed_code, foal.breed_code, std::string());
    fill(horse->coat_code, foal.coat_code, std::string());
    if (horse->breeder_code.empty() && !foal.breeder_code.empty()) {
      bool known = false;
      const Status s = reader_.contains(ydb::Entity::kBreeder, foal.breeder_code, &known);
      if (!s.ok()) return s;
      fill(horse->breeder_code, known ? foal.breeder_code : std::string(), std::string());
    }
    ydb::Horse named;
    nameAncestors(foal.breeding, &named);
    for (int i = 0; i < ydb::kPedigreeSize; ++i) {
      ydb::Ancestor& a = horse->pedigree[static_cast<std::size_t>(i)];
      const ydb::Ancestor& b = named.pedigree[static_cast<std::size_t>(i)];
      if (IsKnown(a) || !IsKnown(b)) continue;
      a = b;
      *changed = true;
    }
    return Status::Ok();
  }

  static bool IsKnown(const ydb::Ancestor& a) {
    return !a.code.empty() || !a.name.empty() || !a.name_latin.empty();
  }

  // Fills in a horse made from its runs' records from its foal record,
  // when the files have one.
  Status addFoal(RecordSource& source, ydb::Horse* horse) {
    const CodeIndex::Entry* e = foals_.find(horse->code);
    if (e == nullptr) return Status::Ok();
    Foal foal;
    const Status s = reread(source, e->at, [&](const Record& r, int form) { return ReadFoal(r, form, &foal); });
    bool changed = false;
    return s.ok() ? fillFromFoal(foal, horse, &changed) : s;
  }

  // The horses of the store that the foal records of the files fill in
  // (those of a UM of the files are written whole from it), in
  // transactions of a few thousand. A horse keeps its record date: what is
  // filled in was not there, so no newer record gave it.
  Status fillStoredHorses(RecordSource& source) {
    ydb::Batch batch;
    const std::vector<CodeIndex::Entry> standing = foals_.standing();
    for (std::size_t i = 0; i < standing.size(); ++i) {
      Foal foal;
      Status s = reread(source, standing[i].at, [&](const Record& r, int form) { return ReadFoal(r, form, &foal); });
      ydb::Horse h;
      bool stored = false;
      if (s.ok() && !horses_.contains(foal.horse_code)) s = reader_.readHorse(foal.horse_code, &h, &stored);
      bool changed = false;
      if (s.ok() && stored) s = fillFromFoal(foal, &h, &changed);
      if (!s.ok()) return s;
      if (changed) {
        where_["horse " + h.code] = where(standing[i].at);
        batch.horses.push_back(std::move(h));
      }
      const bool last = i + 1 == standing.size();
      if (batch.horses.size() == kPeoplePerTransaction || (last && !batch.horses.empty())) {
        s = write(batch, {}, written());
        if (!s.ok()) return s;
        summary_.horses_filled += static_cast<std::int64_t>(batch.horses.size());
        batch = ydb::Batch();
        if (!report(total_bytes_ + again_done_, "horses filled in")) return Status::Aborted("import stopped; " + written());
      }
    }
    return Status::Ok();
  }

  // Adds to *list a person `code` that neither the files nor the store
  // hold, made by `make`, once.
  template <typename T, typename Make>
  Status addPerson(ydb::Entity entity, const CodeIndex& in_files, const std::string& code,
                   std::vector<T>* list, Make make) {
    if (code.empty() || in_files.contains(code)) return Status::Ok();
    std::set<std::string>& made = made_[static_cast<int>(entity)];
    if (made.count(code) != 0) return Status::Ok();
    bool found = false;
    const Status s = reader_.contains(entity, code, &found);
    if (!s.ok() || found) return s;
    made.insert(code);
    ++summary_.made_from_runners;
    list->push_back(make());
    return Status::Ok();
  }

  // The horses of the UM records that stand, in transactions of a few
  // thousand, with the owners, breeders and trainers they name that are
  // nowhere else made from what they say.
  Status writeHorses(RecordSource& source) {
    ydb::Batch batch;
    const std::vector<CodeIndex::Entry> standing = horses_.standing();
    for (std::size_t i = 0; i < standing.size(); ++i) {
      HorseRecord x;
      Status s = reread(source, standing[i].at,
                        [&](const Record& record, int form) { return ReadHorse(record, form, &x); });
      if (s.ok()) {
        nameAncestors(x.breeding, &x.horse);
        const ydb::Horse& h = x.horse;
        s = addPerson(ydb::Entity::kOwner, owners_, h.owner_code, &batch.owners,
                      [&] { return ydb::Owner{h.owner_code, x.owner_name, ""}; });
        if (s.ok()) {
          s = addPerson(ydb::Entity::kBreeder, breeders_, h.breeder_code, &batch.breeders,
                        [&] { return ydb::Breeder{h.breeder_code, x.breeder_name, ""}; });
        }
        if (s.ok()) {
          s = addPerson(ydb::Entity::kTrainer, trainers_, h.trainer_code, &batch.trainers, [&] {
            ydb::Trainer t;
            t.code = h.trainer_code;
            t.name = x.trainer_name;
            return t;
          });
        }
        where_["horse " + h.code] = where(standing[i].at);
        batch.horses.push_back(std::move(x.horse));
      }
      if (!s.ok()) return s;
      const bool last = i + 1 == standing.size();
      if (batch.horses.size() == kPeoplePerTransaction || (last && !batch.horses.empty())) {
        s = write(batch, {}, written());
        if (!s.ok()) return s;
        summary_.horses += static_cast<std::int64_t>(batch.horses.size());
        batch = ydb::Batch();
        if (!report(total_bytes_ + again_done_, "horses")) return Status::Aborted("import stopped; " + written());
      }
    }
    return Status::Ok();
  }

  // Takes out the people whose deletion records stand; one something still
  // names is refused with its record's place.
  Status removePeople() {
    for (const Deletion& d : deletions_) {
      bool removed = false;
      const Status s = writer_.removePerson(d.person, d.code, &removed);
      if (s.IsInvalidArgument()) {
        refuse(where(d.at) + ": " + s.message());
      } else if (!s.ok()) {
        return Status::Corruption(where(d.at) + ": " + s.message() + " (" + written() + ")");
      } else if (removed) {
        ++summary_.people_removed;
      }
    }
    if (summary_.refused == 0) return Status::Ok();
    return Status::InvalidArgument(summary_.reasons.front() + " (" + std::to_string(summary_.refused) +
                                   " deletions refused; " + written() + ")");
  }

  Status writeRaces(RecordSource& source) {
    const std::vector<RaceEntry>& entries = races_.entries();
    for (std::size_t i = 0, end = 0; i < entries.size(); i = end) {
      const int month = entries[i].date / 100;
      for (end = i; end < entries.size() && entries[end].date / 100 == month;) ++end;
      ydb::Batch batch;
      std::vector<ydb::RaceKey> removed;
      const bool some = summary_.people != 0 || !months_written_.empty();
      const std::string unwritten =
          some ? "nothing of " + MonthOf(entries[i].date) + " on was imported; " + written() : written();
      Status s = assembleMonth(source, i, end, &batch, &removed);
      if (s.ok()) s = madeFromRunners(source, month, &batch);
      if (s.ok()) s = write(batch, removed, unwritten);
      if (!s.ok()) return s;
      summary_.races += static_cast<std::int64_t>(batch.races.size());
      summary_.removed += static_cast<std::int64_t>(removed.size());
      months_written_ = MonthOf(entries[i].date);
      if (!report(total_bytes_ + again_done_, "races of " + months_written_)) {
        return Status::Aborted("import stopped; " + written());
      }
    }
    return Status::Ok();
  }

  // The races of entries [begin, end), a month's, into *batch; those
  // deleted into *removed.
  Status assembleMonth(RecordSource& source, std::size_t begin, std::size_t end,
                       ydb::Batch* batch, std::vector<ydb::RaceKey>* removed) {
    const std::vector<RaceEntry>& entries = races_.entries();
    for (std::size_t i = begin, last = begin; i < end; i = last) {
      for (last = i; last < end && entries[last].sameRace(entries[i]);) ++last;
      const RaceEntry& details = entries[i];  // checkRaces: the RA leads
      const ydb::RaceKey key = details.key();
      if (details.made.deletion) {
        removed->push_back(key);
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
      ydb::Race race;
      Status s = reread(source, details.at, [&race](const Record& r, int form) { return ReadRace(r, form, &race); });
      if (!s.ok()) return s;
      const bool cancelled = details.made.rank == kCancelledRank;
      if (cancelled) race.result = ydb::RaceResult();
      where_["race " + key.code()] = where(details.at);
      for (std::size_t j = i + 1; s.ok() && j < last; ++j) {
        const RaceEntry& e = entries[j];
        if (e.made.deletion) continue;
        if (e.part == Part::kRunner) {
          s = reread(source, e.at, [&](const Record& r, int form) {
            RaceRunner x;
            const Status read = ReadRunner(r, form, &x);
            if (!read.ok()) return read;
            race.runners.push_back(x.runner);
            if (cancelled) race.runners.back().result = CancelledRun();
            noteRunner(x, e.at);
            ++summary_.runners;
            return read;
          });
        } else if (e.part == Part::kPayouts && !cancelled) {
          s = reread(source, e.at, [&race](const Record& r, int form) {
            RaceId id;
            return ReadPayouts(r, form, &id, &race.result->payouts);
          });
        } else if (IsOddsPart(e.part)) {
          s = reread(source, e.at, [&race](const Record& r, int form) {
            RaceOdds odds;
            const Status read = ReadOdds(r, form, &odds);
            if (!read.ok()) return read;
            std::optional<ydb::OddsSet>& set = odds.final ? race.result->final_odds : race.forecast_odds;
            if (!set) set = ydb::OddsSet{odds.final ? "" : kAdvanceSaleKind, odds.announced, {}};
            set->entries.insert(set->entries.end(), odds.entries.begin(), odds.entries.end());
            return read;
          });
        }
      }
      if (!s.ok()) return s;
      batch->races.push_back(std::move(race));
    }
    return Status::Ok();
  }

  // The horse and people of a runner, the month's newest race last.
  void noteRunner(const RaceRunner& x, const Place& at) {
    runner_horses_[x.runner.horse_code] = {x.horse, at};
    if (!x.runner.jockey_code.empty()) runner_jockeys_[x.runner.jockey_code] = {x.jockey_name, at};
    if (!x.runner.trainer_code.empty()) runner_trainers_[x.runner.trainer_code] = {x.trainer_name, at};
    if (!x.runner.owner_code.empty()) runner_owners_[x.runner.owner_code] = {x.owner_name, at};
  }

  template <typename From>
  struct Noted {
    From value;
    Place at;
  };

  // Adds to *list, for each code of `from_runners` that neither the files
  // nor the store had before the import made it, the record `make` makes:
  // remade every month it runs, so that the newest run is the last word; a
  // horse, of which there are many, only in the month of its newest run.
  template <typename T, typename From, typename Make>
  Status addMissing(ydb::Entity entity, const char* noun, std::map<std::string, Noted<From>>* from_runners,
                    const CodeIndex* in_files, int month, std::vector<T>* list, Make make) {
    std::set<std::string>& made = made_[static_cast<int>(entity)];
    for (const auto& [code, x] : *from_runners) {
      if (made.count(code) != 0 && entity == ydb::Entity::kHorse && newest_run_[code] != month) {
        continue;
      }
      if (made.count(code) == 0) {
        if (in_files != nullptr && in_files->contains(code)) continue;
        bool found = false;
        const Status s = reader_.contains(entity, code, &found);
        if (!s.ok()) return s;
        if (found) continue;
        made.insert(code);
        ++summary_.made_from_runners;
      }
      where_[std::string(noun) + " " + code] = where(x.at);
      list->push_back(make(code, x.value));
    }
    from_runners->clear();
    return Status::Ok();
  }

  Status madeFromRunners(RecordSource& source, int month, ydb::Batch* batch) {
    Status s = addMissing(ydb::Entity::kOwner, "owner", &runner_owners_, &owners_, month, &batch->owners,
                          [](const std::string& code, const std::string& name) {
                            return ydb::Owner{code, name, ""};
                          });
    if (s.ok()) {
      s = addMissing(ydb::Entity::kTrainer, "trainer", &runner_trainers_, &trainers_, month, &batch->trainers,
                     [](const std::string& code, const std::string& name) {
                       ydb::Trainer t;
                       t.code = code;
                       t.name = name;
                       return t;
                     });
    }
    if (s.ok()) {
      s = addMissing(ydb::Entity::kJockey, "jockey", &runner_jockeys_, &jockeys_, month, &batch->jockeys,
                     [](const std::string& code, const std::string& name) {
                       ydb::Jockey j;
                       j.code = code;
                       j.name = name;
                       return j;
                     });
    }
    if (s.ok()) {
      s = addMissing(ydb::Entity::kHorse, "horse", &runner_horses_, &horses_, month, &batch->horses,
                     [](const std::string&, const ydb::Horse& horse) { return horse; });
    }
    for (ydb::Horse& horse : batch->horses) {
      if (s.ok()) s = addFoal(source, &horse);
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
  ydb::Writer writer_;
  const Progress& progress_;
  ImportSummary& summary_;
  ReadSummary read_;
  std::vector<std::string> files_;
  std::int64_t total_bytes_ = 0;  // of the files
  std::int64_t again_bytes_ = 0;  // of the standing records, read again
  std::int64_t again_done_ = 0;
  // The records of the reading under way, and when it began.
  std::int64_t pass_records_ = 0;
  std::chrono::steady_clock::time_point pass_start_ = std::chrono::steady_clock::now();

  CodeIndex owners_, breeders_, trainers_, jockeys_;
  CodeIndex horses_;    // UM, by horse code
  CodeIndex breeding_;  // HN, by breeding number
  std::unordered_map<std::string, BreedingHorse> breeding_read_;  // the HNs that stand, read again
  CodeIndex foals_;     // SK, by horse code
  std::vector<Deletion> deletions_;
  RaceIndex races_;
  std::string months_written_;  // the last month of races written
  // What the month's runners' records say of horses and people, by code.
  std::map<std::string, Noted<ydb::Horse>> runner_horses_;
  std::map<std::string, Noted<std::string>> runner_jockeys_, runner_trainers_, runner_owners_;
  // The month (YYYYMM) of each runner's horse's newest run in the files.
  std::unordered_map<std::string, int> newest_run_;
  // The codes made from runners' records, by entity.
  std::array<std::set<std::string>, 6> made_;
  // Where each record of the transaction being written was read: "race
  // 052024010611", "jockey 01001".
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
    return Status::IOError(std::string("JV-Data import abandoned: ") + e.what());
  }
}

Status Import(ydb::DataSet& data_set, const std::vector<std::string>& paths,
              const Progress& progress, ImportSummary* summary) {
  return Import(ydb::StoreOf(data_set), paths, progress, summary);
}

}  // namespace jvdata
}  // namespace exchange
