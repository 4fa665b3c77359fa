// Reading a store back into the plain values of model.h: the inverse of the
// Writer. Writing what a Reader hands out into an empty store gives the
// same data set again (the user's data aside: check marks, run memos,
// theories and tickets are not read here).
//
// Everything is handed out one record at a time to a visitor, in the order
// of its key, so that a store of many seasons never sits in memory at once.
// A visitor that returns a failed Status stops the reading, and that Status
// is what the read call returns.
//
//   ydb::Reader reader(*db);
//   ydb::Status s = reader.readRaces([&](const ydb::Race& race) {
//     return print(race);  // one race whole, with runners, odds and result
//   });
//
// A visitor must not write to the store, nor start another read of the same
// kind on the same store while it runs: the reads keep their statements
// open across the calls. Nothing here throws.
#ifndef YDB_READ_READER_H_
#define YDB_READ_READER_H_

#include <cstdint>
#include <functional>
#include <string>

#include "db/base/DataSetCounts.h"
#include "db/base/GeneratedWorld.h"
#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// The tables a code can name.
enum class Entity { kOwner, kBreeder, kTrainer, kJockey, kHorse, kSire };

template <typename T>
using Visitor = std::function<Status(const T&)>;

class Reader {
 public:
  explicit Reader(Database& db) : db_(db) {}
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  // Each record of a table, in code order. Short names come as stored (the
  // writer has filled the ones that were not given).
  Status readOwners(const Visitor<Owner>& visit);
  Status readBreeders(const Visitor<Breeder>& visit);
  Status readTrainers(const Visitor<Trainer>& visit);
  Status readJockeys(const Visitor<Jockey>& visit);
  Status readHorses(const Visitor<Horse>& visit);  // with their pedigrees
  // The horse `code` with its pedigree into *out, with *found true; *found
  // false (and *out untouched) when the store has no such horse.
  Status readHorse(const std::string& code, Horse* out, bool* found);
  Status readSires(const Visitor<Sire>& visit);

  // Every race whole, in key order (date, racecourse, race number): the
  // card with its reference times, runners (by horse number, each with its
  // run comment), nominations (in entry order) and odds before the result;
  // and once run, the result with laps, corners, payouts and final odds.
  // Odds come as one entry per combination that has odds or a mark; a pool
  // stored without any comes as one entry marked "-" for its first
  // combination, so that writing the race back keeps the pool.
  Status readRaces(const Visitor<Race>& visit);

  // Whether the table holds a record with this code.
  Status contains(Entity entity, const std::string& code, bool* found);

  // Whether the store holds the race `key` (*stored), and with its result
  // (*run).
  Status raceState(const RaceKey& key, bool* stored, bool* run);

  Status summary(DataSetCounts* out);

  // The generated world the data set holds into *out, with *found true;
  // *found false when it holds none (see GeneratedWorld.h).
  Status generatedWorld(GeneratedWorld* out, bool* found);

 private:
  Status readPedigree(Horse* horse);

  // Parts of readRaces (RaceReader.cpp), each filling one race.
  Status readCard(Race* race);
  Status readRunners(Race* race);
  Status readOdds(Race* race);
  Status readResult(Race* race);

  Database& db_;
};

}  // namespace ydb

#endif  // YDB_READ_READER_H_
