// The only way data enters a store. A Writer takes the plain values of
// model.h, checks them, and writes each call as one transaction: a call that
// fails, for bad input or in the database, leaves the store as it was and
// says why in its Status. Nothing here throws.
//
// Records are upserted by their key: writing a horse, a person or a race
// again replaces what was stored under that code. A race is written whole:
// its card, runners, nominations, odds, result, payouts and run comments
// replace everything stored for it; only the user's memos on its runs stay.
//
// Each call opens its own transaction, so a Writer is not used inside
// another transaction on the same store.
//
// What a record refers to must be in the store first (a race's horses,
// jockeys, trainers and owners; a horse's owner, breeder and trainer), or
// come earlier in the same Batch.
//
//   ydb::Writer writer(*db);
//   ydb::Status s = writer.write(batch);
//   if (!s.ok()) log(s.message());
#ifndef YDB_WRITE_WRITER_H_
#define YDB_WRITE_WRITER_H_

#include <array>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "db/base/GeneratedWorld.h"
#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/derived/DerivedData.h"
#include "db/store/Database.h"

namespace ydb {

class Writer {
 public:
  explicit Writer(Database& db) : db_(db), derived_(db) {}
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  // --- The data set: one transaction per call -------------------------------

  Status write(const Owner& owner);
  Status write(const Breeder& breeder);
  Status write(const Trainer& trainer);
  Status write(const Jockey& jockey);
  Status write(const Horse& horse);  // with its pedigree
  Status write(const Sire& sire);
  Status write(const Race& race);
  Status write(const std::vector<Race>& races);
  Status write(const Batch& batch);

  // The batch, then in the same transaction the races `removed` taken out
  // of the store, each with everything that hangs off it (runners, odds,
  // result, payouts, run comments and memos) and its meeting when no other
  // race is left on it. A race not stored is no error; one with bought
  // tickets is refused.
  Status write(const Batch& batch, const std::vector<RaceKey>& removed);

  // The people a record of the store can name, for removePerson.
  enum class Person { kOwner, kBreeder, kTrainer, kJockey };

  // Takes the owner, breeder, trainer or jockey `code` out of the store in
  // one transaction. Refused as an invalid argument, saying what refers to
  // it and nothing changed, while a horse, a run, a nomination, a jockey's
  // stable or the user's check mark names it. One not stored is no error;
  // *removed, when given, says whether there was one.
  Status removePerson(Person person, const std::string& code, bool* removed = nullptr);

  // Records that the data set holds the generated world `world`, before
  // any season of it is written: a data set that holds no world takes this
  // one; one that holds the same world is left as it is; one that holds
  // another (another seed or origin) is refused as an invalid argument,
  // saying which world it holds, and nothing is changed.
  Status claimWorld(const GeneratedWorld& world);

  // --- The user's data ---------------------------------------------------------

  // Sets or clears the user's check mark on a horse (7-digit code), a jockey
  // (5), a sire (7) or a stable (5) of the store. Setting a set mark and
  // clearing a clear one are no errors; *removed, when given, says whether
  // there was a mark to clear.
  Status setCheckMark(CheckKind kind, const std::string& code);
  Status clearCheckMark(CheckKind kind, const std::string& code, bool* removed = nullptr);

  // The user's memo on a horse's run in a race; an empty text removes it.
  Status setRunMemo(const RaceKey& race, const std::string& horse_code, const std::string& text);

  // Stores a theory: with code -1 as a new theory under the next code (codes
  // start at 1 and are never reused), with the code of a stored theory in
  // its place; any other code is an error. The code it was stored under is
  // written back into `*theory`.
  Status storeTheory(Theory* theory);
  // Deletes a stored theory; an unknown code is an error.
  Status deleteTheory(int code);

  // Bought tickets. Added and removed tickets are pending until
  // commitTickets; rollbackTickets discards every pending change. A pending
  // ticket is already seen by readers, a pending removal already hidden.
  // Removing takes away one ticket equal in all its fields, an uncommitted
  // one first; there must be one.
  Status addTicket(const Ticket& ticket);
  // Adds every ticket, in one transaction: all of them or, when one is
  // refused, none.
  Status addTickets(const std::vector<Ticket>& tickets);
  Status removeTicket(const Ticket& ticket);
  Status commitTickets();
  Status rollbackTickets();

 private:
  // The tables a record can refer to.
  enum class Table { kOwner, kBreeder, kTrainer, kJockey, kHorse, kSire };
  static constexpr std::size_t kTableCount = static_cast<std::size_t>(Table::kSire) + 1;  // kSire is the last

  // Runs `body` inside one transaction, committing only when it succeeds
  // (with the past-run buckets and results records it changed written
  // first) and turning any exception into a failed Status.
  Status transact(const std::function<Status()>& body);

  // The writes themselves, inside the caller's transaction.
  Status putOwner(const Owner& owner);
  Status putBreeder(const Breeder& breeder);
  Status putTrainer(const Trainer& trainer);
  Status putJockey(const Jockey& jockey);
  Status putHorse(const Horse& horse);
  Status putSire(const Sire& sire);
  Status putRace(const Race& race);
  Status dropRace(const RaceKey& key);  // RaceWriter.cpp
  Status putTicket(const Ticket& ticket);

  // Parts of putRace (RaceWriter.cpp).
  Status putMeeting(const Race& race, const std::string& what);
  Status checkReferences(const Race& race, const std::string& what);
  Status putRaceRow(const Race& race, const std::string& what);
  // `stored`: the store held the race before this write.
  Status putRaceChildren(const Race& race, bool stored, const std::string& what);
  Status putRunners(const Race& race, bool stored);
  Status putOdds(const Race& race, const OddsSet& odds, bool final);

  // Fails, naming `what`, unless `table` holds a row with this code.
  Status requireExists(Table table, const std::string& code, const std::string& what);
  // The codes of `table` in known_.
  std::unordered_set<std::string>& known(Table table) { return known_[static_cast<std::size_t>(table)]; }
  // Forgets every code found (a rollback takes back what its transaction wrote).
  void forgetKnown();
  // The table that holds the codes of `person`.
  static Table TableOf(Person person);

  Database& db_;
  DerivedData derived_;  // what the current transaction changes of the derived data
  // The codes found in, or written to, their tables by this Writer, a set
  // for each table: only removePerson takes a code out of a store (and out
  // of its set), so a code found once need not be looked up again, until a
  // rollback takes back what its transaction wrote (then all are forgotten). A person removed by another connection is
  // still refused by the store's foreign keys.
  std::array<std::unordered_set<std::string>, kTableCount> known_;
};

}  // namespace ydb

#endif  // YDB_WRITE_WRITER_H_
