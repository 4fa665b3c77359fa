// The files of the exchange format and their columns, described once and
// used three ways: to name the columns of the header row, to write a
// record's fields, and to read and check them. Each file's columns are a
// function that hands every column of a record, in order, to a visitor:
//
//   void OwnerColumns(ColumnVisitor& v, ydb::Owner& o) {
//     v.digits("code", o.code, 6, kRequired);
//     v.text("name", o.name, kRequired);
//     ...
//   }
//
// The kinds of column say how a value is written and what it may hold;
// FORMAT.md describes every file in these terms.
#ifndef YDB_EXCHANGE_COLUMNS_H_
#define YDB_EXCHANGE_COLUMNS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/base/model.h"
#include "db/codes/CodeTables.h"

namespace exchange {

// Whether a column may be left empty. An empty optional column is the
// model's "none": an empty code or text, a 0 that means "not known".
enum Need { kOptional, kRequired };

class ColumnVisitor {
 public:
  virtual ~ColumnVisitor() = default;

  // Free text (UTF-8).
  virtual void text(const char* name, std::string& value, Need need) = 0;
  // A code of exactly `width` digits (horse 7, jockey and trainer 5, ...).
  virtual void digits(const char* name, std::string& value, int width, Need need) = 0;
  // A one-character code out of `allowed`.
  virtual void choice(const char* name, std::string& value, const char* allowed, Need need) = 0;
  // A code of one of the code tables, in its field form.
  virtual void tableCode(const char* name, std::string& value, ydb::CodeKind kind,
                         Need need) = 0;
  // One of `words`, kept as its index (0 for the first).
  virtual void word(const char* name, int& index, const std::vector<std::string>& words) = 0;
  // An integer from lo to hi. Optional columns need lo > 0: empty is 0.
  virtual void integer(const char* name, int& value, int lo, int hi, Need need) = 0;
  // An integer from lo to hi, or empty for none (0 is a value here).
  virtual void optionalInteger(const char* name, std::optional<int>& value, int lo, int hi) = 0;
  // Yen; empty reads as 0.
  virtual void money(const char* name, std::int64_t& value) = 0;
  // Tenths written as a decimal with one digit after the point. Optional
  // columns need lo > 0: empty is 0.
  virtual void tenths(const char* name, int& value, int lo, int hi, Need need) = 0;
  // Tenths, or empty for none (0 is a value here).
  virtual void optionalTenths(const char* name, std::optional<int>& value, int lo, int hi) = 0;
  // A date YYYY-MM-DD, kept as YYYYMMDD; empty is 0 when optional.
  virtual void date(const char* name, int& value, Need need) = 0;
  // A clock time HH:MM, kept as HHMM; empty is 0 (00:00 cannot be told from it).
  virtual void clock(const char* name, int& value) = 0;
  // 0 or 1.
  virtual void flag(const char* name, bool& value) = 0;
};

// --- The files ----------------------------------------------------------------

// The files of the format, in the order they are read: what a row refers
// to is read before it.
enum class File {
  kOwners, kBreeders, kTrainers, kJockeys, kHorses, kPedigrees, kSires,
  kRaces, kReferenceTimes, kRunners, kComments, kNominations, kOddsSets, kOdds,
  kLaps, kCorners, kPayouts,
};
constexpr int kFileCount = 17;

// "owners.csv", ...
const char* FileName(File file);

// The pedigree positions as written: S, D, SS, SD, DS, DD, SSS ... DDD, in
// the order of ydb::PedigreePosition.
const std::vector<std::string>& PedigreePositions();

// The columns of a file's header row.
std::vector<std::string> HeaderOf(File file);

// The columns of each file. Rows of a race begin with its key.
void RaceKeyColumns(ColumnVisitor& v, ydb::RaceKey& key);

void OwnerColumns(ColumnVisitor& v, ydb::Owner& owner);
void BreederColumns(ColumnVisitor& v, ydb::Breeder& breeder);
void TrainerColumns(ColumnVisitor& v, ydb::Trainer& trainer);
void JockeyColumns(ColumnVisitor& v, ydb::Jockey& jockey);
void HorseColumns(ColumnVisitor& v, ydb::Horse& horse);

// One known ancestor of a horse; `position` indexes Horse::pedigree.
struct PedigreeRow {
  std::string horse_code;
  int position = 0;
  ydb::Ancestor ancestor;
};
void PedigreeColumns(ColumnVisitor& v, PedigreeRow& row);

void SireColumns(ColumnVisitor& v, ydb::Sire& sire);

// The race's card, its result flag and, when it has a result, the result's
// own columns (sectional times and comment; empty when there is none).
void RaceColumns(ColumnVisitor& v, ydb::Race& race, bool& has_result, ydb::RaceResult& result);

struct ReferenceTimeRow {
  ydb::RaceKey key;
  int slot = 0;  // 1-3
  ydb::ReferenceTime time;
};
void ReferenceTimeColumns(ColumnVisitor& v, ReferenceTimeRow& row);

// A runner: its card columns, then its result columns (all empty for a
// race without a result).
struct RunnerRow {
  ydb::RaceKey key;
  ydb::Runner runner;
};
void RunnerColumns(ColumnVisitor& v, RunnerRow& row);
void RunnerResultColumns(ColumnVisitor& v, ydb::RunnerResult& result);

struct CommentRow {
  ydb::RaceKey key;
  std::string horse_code;
  std::string text;
};
void CommentColumns(ColumnVisitor& v, CommentRow& row);

struct NominationRow {
  ydb::RaceKey key;
  int entry_no = 0;  // from 1, in nomination order
  ydb::Nomination nomination;
};
void NominationColumns(ColumnVisitor& v, NominationRow& row);

// The odds of a race before the result (final false) or its final odds.
struct OddsSetRow {
  ydb::RaceKey key;
  bool final = false;
  std::string kind;
  int announced = 0;
};
void OddsSetColumns(ColumnVisitor& v, OddsSetRow& row);

struct OddsRow {
  ydb::RaceKey key;
  bool final = false;
  ydb::OddsEntry entry;
};
void OddsColumns(ColumnVisitor& v, OddsRow& row);

struct LapRow {
  ydb::RaceKey key;
  int lap_no = 0;
  int time = 0;
};
void LapColumns(ColumnVisitor& v, LapRow& row);

struct CornerRow {
  ydb::RaceKey key;
  int seq = 0;
  ydb::Corner corner;
};
void CornerColumns(ColumnVisitor& v, CornerRow& row);

struct PayoutRow {
  ydb::RaceKey key;
  int seq = 0;  // order within the pool, from 1
  ydb::Payout payout;
};
void PayoutColumns(ColumnVisitor& v, PayoutRow& row);

}  // namespace exchange

#endif  // YDB_EXCHANGE_COLUMNS_H_
