// JV-Data files in and out of a data set: JRA-VAN's fixed-width Shift_JIS
// records of races (RA, SE, HR, the odds O1-O3), people (KS, CH, BN, BR) and
// horses (UM; HN and SK for the pedigrees). FORMAT.md
// beside this file describes what is read and written, field by field.
//
//   exchange::jvdata::ImportSummary summary;
//   ydb::Status s = exchange::jvdata::Import(*data_set, {"RA2024.txt", "SE2024.txt"},
//                                            progress, &summary);
//
// An import reads every record of every file once to check it and to note
// where it lies, and writes nothing when one is refused: a refused field
// does not stop the reading, so that the summary can give the first few
// refusals; a record cut short or of a wrong length ends its file. Records
// are taken by their key (a person's code, a race, a runner's horse number,
// a race's odds); of two with one key the one of the later data stage
// wins, then the one made later, then the later in the files, so that a
// card never rolls back a race's results, in the files or in the data set.
// Then it reads the records that stand again and writes them: the people,
// then the horses of the UM records (their ancestors named by the HN
// records), in transactions of a few thousand, and the horses of the data
// set that SK records fill in (what a horse lacks: birth, breed, coat,
// breeder, pedigree positions), then the races a month a transaction,
// in date order, so that memory stays that of a month's races and an index
// of some 50 bytes a record, whatever the size of the files. When the
// store's writer refuses a month, the months before it stay written (the
// failure says up to which), and importing the same files again, which
// changes nothing already written, takes up where it stopped. A race's
// deletion record (data stage 0) takes the race out of the data set; a race
// called off (stage 9) is kept as run with every runner 出走取消. A
// person's deletion record takes the person out once the races are
// written, unless something still names it: then it is refused with its
// file and line, and the import fails after writing the rest. The
// horses', breeding horses' and foals' deletion records, the schedules
// (YS: the data set keeps no race day without its races) and the pools
// the data set does not hold (O4-O6) are counted and skipped.
//
// A runner's horse, jockey, trainer and owner must be in the files or in
// the data set; one in neither is made from what its runner's record says
// (a horse's code, name, sex, breed, coat, mark, trainer and owner from its
// newest run, and its birth and pedigree from its SK; a jockey's and a
// trainer's short name; an owner's name). A UM's owner, breeder and
// trainer in neither are made from the names it gives. A horse of the data
// set keeps the creation date of the UM it came from, and an older UM, of
// this import or a later one, never replaces it.
//
// An export writes RA.txt, SE.txt, HR.txt, O1.txt, O2.txt, O3.txt, KS.txt,
// CH.txt, BN.txt, BR.txt, UM.txt and HN.txt into a directory, each under a temporary name until all are
// complete: race records made on their race's day, the people's and horses' on the
// day of the newest race. The same data set gives the same bytes.
#ifndef YDB_EXCHANGE_JVDATAFILES_H_
#define YDB_EXCHANGE_JVDATAFILES_H_

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "db/api/DataSet.h"
#include "db/base/Status.h"
#include "exchange/ExchangeFiles.h"

namespace exchange {
namespace jvdata {

// What an import met and did.
struct ImportSummary {
  std::map<std::string, std::int64_t> by_type;  // records read of each known type
  std::int64_t unknown = 0;                     // records of unknown types, skipped
  std::int64_t bytes = 0;                       // bytes read
  std::map<std::string, std::int64_t> skipped;  // by type: records not taken in
  std::int64_t deletions = 0;                   // deletion records
  std::int64_t refused = 0;                     // records refused
  std::vector<std::string> reasons;             // the first refusals, each naming file and line
  std::int64_t people = 0;                      // owners, breeders, trainers, jockeys written
  std::int64_t horses = 0;                      // horses written from their UM records
  std::int64_t horses_filled = 0;               // stored horses their SK records filled in
  std::int64_t people_removed = 0;              // people taken out by deletion records
  std::int64_t races = 0;                       // races written
  std::int64_t runners = 0;                     // runners written
  std::int64_t removed = 0;                     // races taken out by deletion records
  std::int64_t left_as_stored = 0;              // races the store holds run, met only as cards
  std::int64_t made_from_runners = 0;           // horses and people made from runners' records
};

// The refusals kept whole in ImportSummary::reasons.
constexpr std::size_t kReasonsKept = 5;

// Reads the files at `paths` (a directory stands for its files, in name
// order) into `data_set`, saying what it met in *summary. Fails with the
// first refusal when any record was refused, and then writes nothing; fails
// with the writer's refusal, naming the record's file and line and what
// was written, when the writer refuses a transaction.
ydb::Status Import(ydb::DataSet& data_set, const std::vector<std::string>& paths,
                   const Progress& progress, ImportSummary* summary);

// Writes the people and races of `data_set` as JV-Data files into `dir`
// (created when missing).
ydb::Status Export(ydb::DataSet& data_set, const std::string& dir, const Progress& progress);

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATAFILES_H_
