// The importer at work: it reads the files of a directory in the order of
// File, checks each row and what it refers to, gathers the rows of each race,
// puts the races together, and hands everything to the store's writer as one
// batch, one transaction. Import() in Exchange.h is its public face.
//
// Memory: the whole import is held as one ydb::Batch until it is written,
// since one writer call is one transaction. A season of races with full odds
// takes about 300 MB this way and each further season about 170 MB more;
// bigger data sets are best loaded a few seasons per directory.
#ifndef YDB_EXCHANGE_IMPORTER_H_
#define YDB_EXCHANGE_IMPORTER_H_

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/read/Reader.h"
#include "db/store/Database.h"
#include "exchange/Columns.h"
#include "exchange/Csv.h"
#include "exchange/Exchange.h"
#include "exchange/RowParser.h"
#include "exchange/Sources.h"

namespace exchange {

// A value and the line of the row it was read from.
template <typename T>
struct Lined {
  T value;
  int line = 0;
};

// Reads a record of `csv` through its columns; a field that does not fit
// fails with its column.
template <typename T, typename Columns>
ydb::Status ParseRow(const CsvReader& csv, const std::vector<std::string>& fields,
                     Columns columns, T* record) {
  RowParser parser(fields);
  columns(parser, *record);
  return parser.ok() ? ydb::Status::Ok() : csv.fault(parser.fault());
}

class Importer {
 public:
  Importer(ydb::Database& db, std::filesystem::path dir, const Progress& progress);
  Importer(const Importer&) = delete;
  Importer& operator=(const Importer&) = delete;

  ydb::Status run();

 private:
  // A race is kept by its key in key order: date, racecourse, number.
  using RaceId = std::tuple<int, std::string, int>;

  struct HorseRows {
    ydb::Horse horse;
    int line = 0;
    std::array<int, ydb::kPedigreeSize> pedigree_lines{};
  };

  // The rows of one race while the files are read.
  struct RaceRows {
    ydb::Race race;  // the card; its odds sets and their entries are added as read
    bool has_result = false;
    RaceSources sources;
    std::vector<Lined<ReferenceTimeRow>> references;
    std::vector<Lined<ydb::Runner>> runners;
    std::vector<Lined<CommentRow>> comments;
    std::vector<Lined<NominationRow>> nominations;
    std::vector<Lined<LapRow>> laps;
    std::vector<Lined<CornerRow>> corners;
    std::vector<Lined<PayoutRow>> payouts;
  };

  using RowReader = ydb::Status (Importer::*)(const CsvReader& csv,
                                               const std::vector<std::string>& fields);

  // Import.cpp: the files, their headers and rows; people, horses, sires.
  ydb::Status readFile(File file, std::uint64_t* bytes_done);
  ydb::Status readOwner(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readBreeder(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readTrainer(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readJockey(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readHorse(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readPedigree(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readSire(const CsvReader& csv, const std::vector<std::string>& fields);

  // Fails unless `code` (of the column `column`) names a record of the
  // files or of the store.
  ydb::Status requireKnown(const CsvReader& csv, ydb::Entity entity, const char* column,
                           const std::string& code);
  ydb::Status requireKnownOptional(const CsvReader& csv, ydb::Entity entity, const char* column,
                                   const std::string& code) {
    return code.empty() ? ydb::Status::Ok() : requireKnown(csv, entity, column, code);
  }

  // ImportRaces.cpp: the rows of races, and putting each race together.
  ydb::Status readRace(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readReferenceTime(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readRunner(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readComment(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readNomination(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readOddsSet(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readOdds(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readLap(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readCorner(const CsvReader& csv, const std::vector<std::string>& fields);
  ydb::Status readPayout(const CsvReader& csv, const std::vector<std::string>& fields);

  // The race a row of a race's file belongs to; it must be in races.csv.
  ydb::Status findRace(const CsvReader& csv, const ydb::RaceKey& key, RaceRows** rows);
  // As findRace, for the rows only a run race has.
  ydb::Status findRunRace(const CsvReader& csv, const ydb::RaceKey& key, const char* what,
                          RaceRows** rows);
  ydb::Status assemble(RaceRows* rows);

  // Writing: the batch, and the row a fault of the writer is about.
  ydb::Status write();
  // Fails, naming the first, when the store holds a generated world and the
  // files carry a horse of it: the import would replace a generated horse.
  ydb::Status keepGeneratedHorses();
  Location locate(const std::string& fault, const ydb::Batch& batch) const;

  ydb::Database& db_;
  ydb::Reader reader_;
  std::filesystem::path dir_;
  const Progress& progress_;
  std::array<bool, kFileCount> present_{};  // the files found in dir_
  int total_steps_ = 0;

  std::map<std::string, Lined<ydb::Owner>> owners_;
  std::map<std::string, Lined<ydb::Breeder>> breeders_;
  std::map<std::string, Lined<ydb::Trainer>> trainers_;
  std::map<std::string, Lined<ydb::Jockey>> jockeys_;
  std::map<std::string, HorseRows> horses_;
  std::map<std::string, Lined<ydb::Sire>> sires_;
  std::map<RaceId, RaceRows> races_;
  // Codes found in the store, by entity, so each is looked up once.
  std::array<std::set<std::string>, 6> in_store_;
};

}  // namespace exchange

#endif  // YDB_EXCHANGE_IMPORTER_H_
