// The importer at work, in two readings. The first reads the files of a
// directory in the order of File: every row of the people, horses,
// pedigrees and sires, checked with what they refer to, keeping the people
// and sires and noting where each horse's rows lie; of the race files each
// row's month, noting where each month's rows lie. The second reads the
// horses again with their pedigrees and writes them a few thousand a
// transaction, the people with the first and the sires with the last; then
// the races month by month: a month's rows of every race file, its races
// put together and handed to the store's writer as one batch, one
// transaction. Import() in Exchange.h is its public face.
//
// Memory: the people and sires of the files, where each horse's rows lie,
// and of the race files where each month's rows lie (one stretch a month a
// file when the rows come in date order, as export writes them); a few
// thousand horses and one month of races at a time.
#ifndef YDB_EXCHANGE_IMPORTER_H_
#define YDB_EXCHANGE_IMPORTER_H_

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
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

  // A stretch of rows of a file: from byte `begin`, where line `line`
  // begins, to byte `end`.
  struct Span {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
    int line = 0;
  };

  // Where a horse of horses.csv and its rows of pedigrees.csv lie: the
  // horse is read again, with its pedigree, when it is written.
  struct HorseRows {
    int line = 0;
    std::array<int, ydb::kPedigreeSize> pedigree_lines{};
    std::vector<Span> pedigree;
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
  // The reader of a row of `file`.
  static RowReader ReaderOf(File file);
  // The first reading of `file`: its rows read (a race file's only for
  // their months) and their bytes added to *bytes_done.
  ydb::Status readFile(File file, std::uint64_t* bytes_done);
  // Opens `file` into csv_ and checks its header.
  ydb::Status openFile(File file);
  // Reads the rows of csv_[file] up to byte `until`, each checked for its
  // number of fields and handed to `read`; `tick` is called every few
  // thousand rows with the bytes read, and stops the reading by failing.
  template <typename Read, typename Tick>
  ydb::Status readRows(File file, std::uint64_t until, Read read, Tick tick);
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

  // Writing: the people, horses and sires; the races a month at a time
  // (the second reading); the row a fault of the writer is about.
  ydb::Status writeEntities();
  // Reads the pedigree rows of `rows` again into *horse.
  ydb::Status readPedigreeOf(const HorseRows& rows, ydb::Horse* horse);
  ydb::Status writeMonths(std::uint64_t* bytes_done);
  // Writes the month's races in races_ and lets them go; `unloaded` says
  // what a fault leaves out.
  ydb::Status writeRaces(const std::string& unloaded);
  ydb::Status writeFault(const ydb::Status& s, const ydb::Batch& batch,
                         const std::string& unloaded) const;
  // What has been loaded when a later step fails.
  std::string loaded() const;
  // Fails, naming the first, when the store holds a generated world and the
  // files carry a horse of it: the import would replace a generated horse.
  ydb::Status keepGeneratedHorses();
  Location locate(const std::string& fault, const ydb::Batch& batch) const;

  ydb::Database& db_;
  ydb::Reader reader_;
  std::filesystem::path dir_;
  const Progress& progress_;
  std::array<bool, kFileCount> present_{};  // the files found in dir_
  std::array<CsvReader, kFileCount> csv_;    // the files, open
  // The columns each file's header has, and the format has.
  std::array<std::pair<std::size_t, std::size_t>, kFileCount> header_size_{};
  // Where each month's (YYYYMM) rows lie in each race file.
  std::array<std::map<int, std::vector<Span>>, kFileCount> spans_;
  Span row_;          // the row being read in the first reading
  Span horse_rows_;   // the rows of horses.csv, from its first
  std::int64_t horses_loaded_ = 0;
  int total_steps_ = 0;
  std::string months_loaded_;  // the last month of races written, "2019-03"

  std::map<std::string, Lined<ydb::Owner>> owners_;
  std::map<std::string, Lined<ydb::Breeder>> breeders_;
  std::map<std::string, Lined<ydb::Trainer>> trainers_;
  std::map<std::string, Lined<ydb::Jockey>> jockeys_;
  std::map<std::string, HorseRows> horses_;  // by code
  std::map<std::string, Lined<ydb::Sire>> sires_;
  std::map<RaceId, RaceRows> races_;  // the month's being read
  // Codes found in the store, by entity, so each is looked up once.
  std::array<std::set<std::string>, 6> in_store_;
};

}  // namespace exchange

#endif  // YDB_EXCHANGE_IMPORTER_H_
