// Which of the records an import read stand, without holding the records:
// for each thing a record names (a race's details, payouts, a runner, a set
// of odds; a person or a horse) the place in the files of the one record
// that stands, chosen by when it was made. The records themselves are read
// again from their places, a month of races at a time, so that the memory
// an import takes grows by some 50 bytes a record and no more.
//
// Of two records of one key the one of the later data stage stands, then
// the one made later, then the later in the files; a deletion, and a record
// after a deletion, by its date alone. A card thus never rolls back a
// race's results.
#ifndef YDB_EXCHANGE_JVDATA_RECORDINDEX_H_
#define YDB_EXCHANGE_JVDATA_RECORDINDEX_H_

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/base/RaceKey.h"

namespace exchange {
namespace jvdata {

// Where a record lies: its file (an index into the import's list), its
// first byte, its length with the CR LF, and its line.
struct Place {
  std::uint32_t file = 0;
  std::uint32_t length = 0;
  std::int64_t offset = 0;
  std::int64_t line = 0;
};

// When a record was made: the rank of its data stage (0 for the people's
// and horses' records), its creation date, and whether it deletes what it
// names.
struct Made {
  int rank = 0;
  int created = 0;
  bool deletion = false;
};

// The rank of a race record's data stage (データ区分): entries 1, the card
// 2, the results as they come in 3-6, the final results 7 (A and B, local
// and overseas races, are final as sent), a race called off 8 above them
// all. Odds records rank by their own stages, 1 and 2 before the result,
// 3-5 final.
int StageRank(char stage);
constexpr int kFirstResultsRank = 3;
constexpr int kCancelledRank = 8;

// Whether a record made `made` takes the place of one made `kept` that was
// read before it.
bool Supersedes(const Made& made, const Made& kept);

// What a race record stands for within its race.
enum class Part : std::uint8_t {
  kDetails,  // RA
  kPayouts,  // HR
  kRunner,   // SE, one per horse number
  kOdds,     // O1-O3 before the result; kOdds + 1 + 2 * i the final odds of O(i+1)
};

// The part of odds record type `i` (0 O1, 1 O2, 2 O3), final or not.
inline Part OddsPart(int i, bool final) {
  return static_cast<Part>(static_cast<int>(Part::kOdds) + 2 * i + (final ? 1 : 0));
}

// A race record in the index.
struct RaceEntry {
  int date = 0;
  char place[2] = {};
  std::uint8_t number = 0;
  Part part = Part::kDetails;
  std::uint8_t horse_no = 0;  // runners only
  Made made;
  Place at;

  ydb::RaceKey key() const { return {std::string(place, 2), date, number}; }
  bool sameRace(const RaceEntry& other) const;
};

// The race records of an import, in the order they were read.
class RaceIndex {
 public:
  void add(const ydb::RaceKey& key, Part part, int horse_no, const Made& made, const Place& at);

  // Keeps of the records of each key the one that stands, in race order
  // (date, racecourse, number), then by part and horse number.
  void settle();

  std::vector<RaceEntry>& entries() { return entries_; }

 private:
  std::vector<RaceEntry> entries_;
};

// The records of people or horses of one type, by code.
class CodeIndex {
 public:
  struct Entry {
    Made made;
    Place at;
  };

  // Keeps the record at `at` under `code` unless the one kept stands.
  void add(const std::string& code, const Made& made, const Place& at);

  bool contains(const std::string& code) const { return kept_.count(code) != 0; }
  // The record that stands under `code`; null when there is none.
  const Entry* find(const std::string& code) const {
    const auto found = kept_.find(code);
    return found == kept_.end() ? nullptr : &found->second;
  }

  // The records that stand, in the order of the files.
  std::vector<Entry> standing() const;

 private:
  std::unordered_map<std::string, Entry> kept_;
};

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_RECORDINDEX_H_
