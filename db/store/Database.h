// One open store: a SQLite file holding one data set, at the current schema
// version. Opening checks that the file is a store of this component and not
// one written by a newer schema, and has one written by an older schema
// upgraded by the caller's upgrade in one transaction; it never modifies a
// file it refuses, nor leaves a file beside it: the header is read before
// SQLite opens the file, and a store is switched to its write-ahead log only
// once it has passed. A store this process may not write is opened for
// reading. Data sets are opened through OpenDataSet (db/derived/DataSet.h),
// which gives the upgrade.
//
// Several processes may hold one store open at once. Readers never wait
// for each other nor for a writer (the store keeps a write-ahead log). A
// connection that meets a lock all the same (another process opening,
// closing or checkpointing the store, or writing when this one wants to
// write) waits for it up to kBusyTimeoutMilliseconds and only then fails
// with a busy status; opening retries its first reads within that limit
// too.
#ifndef YDB_STORE_DATABASE_H_
#define YDB_STORE_DATABASE_H_

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "db/base/Status.h"
#include "db/store/Statement.h"

namespace ydb {

class Database {
 public:
  enum class Mode {
    kOpenExisting,  // the file must exist
    kOpenOrCreate,  // a missing file becomes a new, empty store
  };

  // Brings the open store `db` from schema version `from` (at least 1) to
  // the current one, inside the transaction Open holds.
  using SchemaUpgrade = Status (*)(Database& db, int from);

  // Opens (or creates) the store at `path`. A store of an older schema is
  // upgraded by `upgrade`, or refused as not supported when there is none.
  // On failure `*out` is left null and the file is as it was.
  static Status Open(const std::string& path, Mode mode, std::unique_ptr<Database>* out,
                     SchemaUpgrade upgrade = nullptr);

  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  const std::string& path() const { return path_; }

  // Whether the store was opened for reading only, because this process
  // may not write the file or its directory. Every transaction on it fails
  // with a not-supported status that says so; a store of an older schema
  // is refused, since its upgrade would write.
  bool read_only() const { return read_only_; }

  // The cached prepared statement for `sql`, reset and unbound. The SQL must
  // be a constant of the caller: the cache is keyed by its text.
  Statement& statement(std::string_view sql);

  // The prepared statement for SQL assembled at run time (a search's, from
  // fixed fragments with every value bound), reset and unbound. These are
  // kept apart, the kAssembledStatements most recently used, so that ever
  // new texts never grow the cache; a statement handed out stays good until
  // that many other texts have been asked for.
  static constexpr std::size_t kAssembledStatements = 64;
  Statement& assembled_statement(std::string_view sql);

  // Makes `function` callable from SQL as `name(text)`: deterministic, one
  // argument, read as UTF-8 text; NULL gives NULL. A name already defined
  // on this connection is left as it is.
  using TextFunction = std::string (*)(std::string_view);
  Status defineTextFunction(const char* name, TextFunction function);

  // Runs SQL that takes no parameters (schema, pragmas, transactions).
  Status exec(const char* sql);
  // Whether a transaction (a read or a write) is open on the connection.
  bool in_transaction() const;

  // Reads every page of the store and checks it (SQLite's quick check,
  // about a second a season): ok for a whole store, otherwise a corruption
  // status with the first fault found. Bulk writers run it before they
  // write, so that nothing is added to a damaged store.
  Status checkPages();

  // The page cache of this connection, kDefaultCacheMegabytes when opened. A
  // bulk load raises it while it writes, so that the pages a large
  // transaction changes stay in memory until its commit, and sets it back.
  static constexpr int kDefaultCacheMegabytes = 64;
  Status setCacheMegabytes(int megabytes);

  // The pages the write-ahead log holds before a commit folds it into the
  // file, kDefaultCheckpointPages when opened. A bulk load raises it while
  // it writes, so that the pages its transactions change again and again
  // (indexes, totals, buckets) are folded in once every few transactions
  // rather than after each; every commit stays whole in the log, so a
  // process killed part-way leaves the store as of its last commit.
  static constexpr int kDefaultCheckpointPages = 1000;
  Status setCheckpointPages(int pages);

  // Watching long statements: while a hook is set, SQLite hands control to
  // the connection every kProgressSteps virtual-machine steps, and the
  // hook is called with the steps taken since it was set, never sooner than
  // kProgressMilliseconds after its previous call returned. When it answers false the statement running is
  // interrupted (it fails with an interrupted status) and the interruption
  // is counted. Setting a hook, or none, starts the count and the clock
  // again.
  using ProgressHook = std::function<bool(std::uint64_t steps)>;
  // A hundred: a read of kept records (a race's runners) takes a few
  // hundred steps, and a statement shorter than kProgressSteps is never
  // stopped; the call costs a clock read.
  static constexpr int kProgressSteps = 100;
  static constexpr int kProgressMilliseconds = 100;
  void setProgressHook(ProgressHook hook);
  int interruptions() const { return interruptions_; }

  // How long a connection waits for a lock held by another process before
  // it gives up: 10 s.
  static constexpr int kBusyTimeoutMilliseconds = 10000;

  // The schema version this build reads and writes.
  static int CurrentSchemaVersion();

 private:
  Database(std::string path, struct sqlite3* db, bool read_only);
  Status Initialise(bool created, SchemaUpgrade upgrade);
  // Checks, through the connection, the store's application id and schema
  // version (the header may be older than what the log holds).
  Status Identify();
  // Brings an existing store of an older schema to the current one.
  Status Upgrade(SchemaUpgrade upgrade);
  Status RestoreIndexes();
  int SchemaVersion(Status* status);
  static int OnProgress(void* self);

  std::string path_;
  struct sqlite3* db_;
  bool read_only_;
  std::map<std::string, std::unique_ptr<Statement>, std::less<>> statements_;
  struct Assembled {
    std::unique_ptr<Statement> statement;
    std::uint64_t last_used = 0;
  };
  std::map<std::string, Assembled, std::less<>> assembled_;
  std::uint64_t assembled_clock_ = 0;
  std::map<std::string, TextFunction> functions_;  // nodes stay put: SQLite holds them
  ProgressHook progress_hook_;
  std::uint64_t progress_steps_ = 0;
  std::chrono::steady_clock::time_point progress_last_{};
  int interruptions_ = 0;
};

// Runs a block of writes as one transaction: commits when commit() is
// called, rolls back when it goes out of scope otherwise. Beginning waits
// for another process's transaction up to the busy timeout, then fails with
// a busy status that says so.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  const Status& begin_status() const { return begin_; }
  Status commit();

 private:
  Database& db_;
  Status begin_;
  bool open_ = false;
};

// Reads a block of statements from one snapshot of the store: begins a read
// transaction unless one is open already, and ends it when it goes out of
// scope. Besides showing every statement of the block one state of the data
// set while another process writes, it spares each statement taking and
// releasing the store's file locks (a fetch stepping a statement once a run
// took them thousands of times).
class ReadSnapshot {
 public:
  explicit ReadSnapshot(Database& db);
  ~ReadSnapshot();
  ReadSnapshot(const ReadSnapshot&) = delete;
  ReadSnapshot& operator=(const ReadSnapshot&) = delete;

 private:
  Database& db_;
  bool open_ = false;
};

}  // namespace ydb

#endif  // YDB_STORE_DATABASE_H_
