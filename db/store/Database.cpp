// Opening, validating and creating a store; the statement cache;
// transactions.
#include "db/store/Database.h"

#include <sqlite3.h>

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "db/store/Schema.h"
#include "db/store/SchemaIndexes.h"
#include "db/store/SqliteStatus.h"
#include "db/store/WaitNotice.h"

namespace ydb {
namespace {

std::string SqliteMessage(sqlite3* db, int rc) {
  return db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
}

// Reads one integer pragma into *value; otherwise SQLite's result code,
// with its message in *error. A lock met on the way (another process
// opening, closing or checkpointing the store, which SQLite does not always
// wait for through the busy handler) is waited for up to the busy timeout.
int ReadPragma(sqlite3* db, const char* sql, int* value, std::string* error) {
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(Database::kBusyTimeoutMilliseconds);
  for (;;) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
      *value = sqlite3_column_int(stmt, 0);
    } else {
      *error = sqlite3_errmsg(db);
    }
    sqlite3_finalize(stmt);
    const bool locked = (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
    if (!locked || std::chrono::steady_clock::now() >= deadline) return rc;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::atomic<WaitNotice> wait_notice{nullptr};

// BEGIN IMMEDIATE on `db`, waiting for another process's write up to the
// busy timeout; a long wait is told to the wait notice.
Status BeginWriting(Database& db) {
  const WaitNotice notice = wait_notice;
  if (notice == nullptr) return db.exec("BEGIN IMMEDIATE");
  // The wait in two parts, the first short, so that a long one is told.
  const auto wait_up_to = [&db](int milliseconds) {
    return db.exec(("PRAGMA busy_timeout = " + std::to_string(milliseconds)).c_str());
  };
  Status s = wait_up_to(kWaitNoticeMilliseconds);
  if (s.ok()) s = db.exec("BEGIN IMMEDIATE");
  if (s.IsBusy()) {
    notice(db.path());
    s = wait_up_to(Database::kBusyTimeoutMilliseconds - kWaitNoticeMilliseconds);
    if (s.ok()) s = db.exec("BEGIN IMMEDIATE");
  }
  wait_up_to(Database::kBusyTimeoutMilliseconds);  // sets a number; cannot fail
  return s;
}

// SQLite counts its memory under a global mutex on every allocation; the
// store reads no such statistics. The setting can only be made before
// SQLite starts: in a process that started it earlier, sqlite3_config
// answers SQLITE_MISUSE and the statistics simply stay on.
void SkipMemoryStatistics() {
  static const int rc = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  static_cast<void>(rc);
}

// The big-endian 4-byte number at `at` of a database header.
std::uint32_t HeaderNumber(const unsigned char* header, int at) {
  return static_cast<std::uint32_t>(header[at]) << 24 | static_cast<std::uint32_t>(header[at + 1]) << 16 |
         static_cast<std::uint32_t>(header[at + 2]) << 8 | header[at + 3];
}

// The checks of an identity (application id and schema version) that every
// open makes: from the file's header before SQLite opens it, and again
// through SQLite, which sees what the write-ahead log holds too.
Status CheckIdentity(const std::string& path, std::uint32_t application_id, std::int32_t version) {
  if (application_id != static_cast<std::uint32_t>(kApplicationId)) {
    return Status::NotSupported(path + " is not a data set of this program");
  }
  if (version > kSchemaVersion) {
    return Status::NotSupported(path + " was written by a newer version (schema " +
                                std::to_string(version) + ", this build reads up to " +
                                std::to_string(kSchemaVersion) + ")");
  }
  if (version < 1) return Status::Corruption(path + " has no schema version");
  return Status::Ok();
}

// Checks that an existing file is a store of this component that this
// build can read, from its 100-byte header alone: SQLite is not asked to
// open a file that is refused, so nothing is written beside it (no -wal or
// -shm file) nor into it. A store with a log beside it is checked for its
// identity only once open.
Status Validate(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Status::IOError("cannot read " + path + ": " + std::strerror(errno));
  unsigned char header[100] = {};
  in.read(reinterpret_cast<char*>(header), sizeof header);
  const auto got = in.gcount();
  static const char kMagic[] = "SQLite format 3";  // with its NUL, 16 bytes
  if (got < static_cast<std::streamsize>(sizeof header) ||
      std::memcmp(header, kMagic, sizeof kMagic) != 0) {
    return Status::Corruption(path + " is not a readable data set: " +
                              (got == 0 ? "the file is empty" : "it is not a SQLite database"));
  }
  const unsigned page = header[16] << 8 | header[17];
  const bool page_ok = page == 1 || (page >= 512 && page <= 32768 && (page & (page - 1)) == 0);
  if (!page_ok || header[18] < 1 || header[18] > 2 || header[19] < 1 || header[19] > 2) {
    return Status::Corruption(path + " is not a readable data set: its header is damaged");
  }
  // With a log beside it, the header may not yet hold what was committed
  // (a new store's identity among it): Identify checks it once open.
  std::error_code ec;
  if (std::filesystem::exists(path + "-wal", ec)) return Status::Ok();
  return CheckIdentity(path, HeaderNumber(header, 68),
                       static_cast<std::int32_t>(HeaderNumber(header, 60)));
}

// Whether `path` may be written: this process has the right to, and the
// owner has not taken every write permission away (which a process that
// may write anything, such as root's, honours too).
bool Writable(const std::filesystem::path& path) {
  std::error_code ec;
  const auto permissions = std::filesystem::status(path, ec).permissions();
  const auto write = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                     std::filesystem::perms::others_write;
  return !ec && (permissions & write) != std::filesystem::perms::none &&
         access(path.c_str(), W_OK) == 0;
}

// Whether the store `path` may be written, and files made beside it (the
// write-ahead log and its index).
bool MayWrite(const std::string& path) {
  const std::filesystem::path file(path);
  return Writable(file) && Writable(file.has_parent_path() ? file.parent_path() : ".");
}

// `path` as a URI that opens it immutable: SQLite takes no lock and makes
// no file beside it.
std::string ImmutableUri(const std::string& path) {
  std::string uri = "file:";
  for (const char c : std::filesystem::absolute(path).string()) {
    if (c == '%' || c == '?' || c == '#') {
      static const char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(c);
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 15];
    } else {
      uri += c;
    }
  }
  return uri + "?immutable=1";
}

}  // namespace

void SetWaitNotice(WaitNotice notice) { wait_notice = notice; }

Database::Database(std::string path, sqlite3* db, bool read_only)
    : path_(std::move(path)), db_(db), read_only_(read_only) {}

Database::~Database() {
  statements_.clear();  // finalize before closing
  assembled_.clear();
  sqlite3_close(db_);
}

int Database::CurrentSchemaVersion() { return kSchemaVersion; }

Status Database::Open(const std::string& path, Mode mode, std::unique_ptr<Database>* out,
                      SchemaUpgrade upgrade) {
  SkipMemoryStatistics();
  out->reset();
  std::error_code ec;
  const auto state = std::filesystem::status(path, ec);
  const bool exists = std::filesystem::exists(state);
  if (exists && !std::filesystem::is_regular_file(state)) {
    return Status::InvalidArgument(path + " is not a file");
  }
  if (!exists && mode == Mode::kOpenExisting) {
    return Status::NotFound(path + " does not exist");
  }
  if (exists) {
    Status valid = Validate(path);
    if (!valid.ok()) return valid;
  }

  // A store this process may not write (the file's or the directory's
  // permissions) is opened for reading. With no log beside it, it is
  // opened as immutable, since SQLite could not make the log's index.
  const bool read_only = exists && !MayWrite(path);
  std::string name = path;
  // The library is used from one thread, so the connection needs no mutex
  // of its own around every call.
  int flags = SQLITE_OPEN_NOMUTEX;
  if (!read_only) {
    flags |= SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE);
  } else {
    flags |= SQLITE_OPEN_READONLY;
    if (!std::filesystem::exists(path + "-wal", ec)) {
      flags |= SQLITE_OPEN_URI;
      name = ImmutableUri(path);
    }
  }
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    Status failed = SqliteStatus(rc, "cannot open " + path + ": " + SqliteMessage(db, rc));
    sqlite3_close(db);
    return failed;
  }
  std::unique_ptr<Database> opened(new Database(path, db, read_only));
  Status ready = opened->Initialise(!exists, upgrade);
  if (!ready.ok()) {
    opened.reset();
    if (!exists) std::filesystem::remove(path, ec);  // only a file we made
    return ready;
  }
  *out = std::move(opened);
  return Status::Ok();
}

void Database::setProgressHook(ProgressHook hook) {
  progress_hook_ = std::move(hook);
  progress_steps_ = 0;
  progress_last_ = std::chrono::steady_clock::now();
  interruptions_ = 0;
  sqlite3_progress_handler(db_, progress_hook_ ? kProgressSteps : 0,
                           progress_hook_ ? &Database::OnProgress : nullptr, this);
}

int Database::OnProgress(void* self) {
  Database& db = *static_cast<Database*>(self);
  db.progress_steps_ += kProgressSteps;
  const auto now = std::chrono::steady_clock::now();
  if (now - db.progress_last_ < std::chrono::milliseconds(kProgressMilliseconds)) return 0;
  const bool go_on = db.progress_hook_(db.progress_steps_);
  // The interval runs from the end of the hook's call: the time the hook
  // itself takes never shortens the quiet time before it is told again.
  db.progress_last_ = std::chrono::steady_clock::now();
  if (go_on) return 0;
  ++db.interruptions_;
  return 1;
}

Status Database::setCacheMegabytes(int megabytes) {
  // A negative cache_size is a size in KiB rather than a number of pages.
  const std::string sql = "PRAGMA cache_size = -" + std::to_string(megabytes * 1024);
  return exec(sql.c_str());
}

Status Database::setCheckpointPages(int pages) {
  const std::string sql = "PRAGMA wal_autocheckpoint = " + std::to_string(pages);
  return exec(sql.c_str());
}

Status Database::Initialise(bool created, SchemaUpgrade upgrade) {
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, kBusyTimeoutMilliseconds);
  Status s = exec("PRAGMA foreign_keys = ON");
  if (s.ok()) s = exec("PRAGMA synchronous = NORMAL");
  // Writing a month of races touches the runner indexes all over.
  if (s.ok()) s = setCacheMegabytes(kDefaultCacheMegabytes);
  if (!s.ok()) return s;
  if (!created) {
    // The file is switched to the write-ahead log only once it is known to
    // be a store of ours at the current schema: a refused file keeps its
    // header as it was.
    s = Identify();
    if (s.ok()) s = Upgrade(upgrade);
    if (s.ok() && !read_only_) s = exec("PRAGMA journal_mode = WAL");
    if (s.ok() && !read_only_) s = RestoreIndexes();
    return s;
  }

  s = exec("PRAGMA journal_mode = WAL");
  if (!s.ok()) return s;
  Transaction create(*this);
  if (!create.begin_status().ok()) return create.begin_status();
  s = exec(SchemaSql());
  if (s.ok()) {
    s = exec(("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str());
  }
  if (s.ok()) s = exec(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
  if (!s.ok()) return s;
  return create.commit();
}

// A load killed part-way may have left the store without the indexes it
// set aside. They are built again here, unless another process is writing
// the store at this moment (a load under way builds them at its end).
Status Database::RestoreIndexes() {
  std::vector<std::string> missing;
  Status s = MissingIndexes(*this, &missing);
  if (!s.ok() || missing.empty()) return s;
  sqlite3_busy_timeout(db_, 0);
  s = exec("BEGIN IMMEDIATE");
  sqlite3_busy_timeout(db_, kBusyTimeoutMilliseconds);
  if (s.IsBusy()) return Status::Ok();
  if (s.ok()) s = CreateIndexes(*this, missing);
  if (s.ok()) return exec("COMMIT");
  exec("ROLLBACK");
  return s;
}

Status Database::Identify() {
  int application_id = 0;
  int version = 0;
  std::string error;
  int rc = ReadPragma(db_, "PRAGMA application_id", &application_id, &error);
  if (rc == SQLITE_ROW) rc = ReadPragma(db_, "PRAGMA user_version", &version, &error);
  if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) {
    return Status::Busy(path_ + " is held by another process: " + error);
  }
  if (rc != SQLITE_ROW) return Status::Corruption(path_ + " is not a readable data set: " + error);
  return CheckIdentity(path_, static_cast<std::uint32_t>(application_id), version);
}

// The store's user_version; 0 when it cannot be read (with the reason in *status).
int Database::SchemaVersion(Status* status) {
  Statement& read = statement("PRAGMA user_version");
  const int version = read.step() ? static_cast<int>(read.column_int(0)) : 0;
  *status = read.status();
  read.reset();
  return version;
}

Status Database::Upgrade(SchemaUpgrade upgrade) {
  Status s;
  const int found = SchemaVersion(&s);
  if (found >= kSchemaVersion || !s.ok()) return s;
  if (read_only_) {
    return Status::NotSupported(path_ + " has schema " + std::to_string(found) +
                                " and is read-only: it is upgraded only where it may be written");
  }
  if (upgrade == nullptr) {
    return Status::NotSupported(path_ + " has schema " + std::to_string(found) +
                                " and is opened without its upgrade");
  }
  Transaction transaction(*this);
  if (!transaction.begin_status().ok()) return transaction.begin_status();
  const int version = SchemaVersion(&s);  // again, now that no one else can write
  if (!s.ok() || version >= kSchemaVersion) return s;
  s = upgrade(*this, version);
  if (s.ok()) s = exec(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
  if (!s.ok()) {
    return s.Within("cannot upgrade " + path_ + " from schema " + std::to_string(version));
  }
  return transaction.commit();
}

Statement& Database::statement(std::string_view sql) {
  auto found = statements_.find(sql);
  if (found == statements_.end()) {
    found = statements_.emplace(std::string(sql), std::make_unique<Statement>(db_, sql)).first;
  }
  found->second->reset();
  return *found->second;
}

Statement& Database::assembled_statement(std::string_view sql) {
  auto found = assembled_.find(sql);
  if (found == assembled_.end()) {
    if (assembled_.size() >= kAssembledStatements) {
      auto oldest = assembled_.begin();
      for (auto it = assembled_.begin(); it != assembled_.end(); ++it) {
        if (it->second.last_used < oldest->second.last_used) oldest = it;
      }
      assembled_.erase(oldest);
    }
    found = assembled_.emplace(std::string(sql),
                               Assembled{std::make_unique<Statement>(db_, sql), 0}).first;
  }
  found->second.last_used = ++assembled_clock_;
  found->second.statement->reset();
  return *found->second.statement;
}

namespace {

void CallTextFunction(sqlite3_context* context, int /*argc*/, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
    sqlite3_result_null(context);
    return;
  }
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  const int size = sqlite3_value_bytes(argv[0]);
  const Database::TextFunction function =
      *static_cast<const Database::TextFunction*>(sqlite3_user_data(context));
  try {
    const std::string result = function(std::string_view(text == nullptr ? "" : text,
                                                         static_cast<std::size_t>(size)));
    sqlite3_result_text(context, result.data(), static_cast<int>(result.size()),
                        SQLITE_TRANSIENT);
  } catch (...) {
    sqlite3_result_error_nomem(context);
  }
}

}  // namespace

Status Database::defineTextFunction(const char* name, TextFunction function) {
  if (functions_.count(name) != 0) return Status::Ok();
  TextFunction& held = functions_[name];
  held = function;
  const int rc = sqlite3_create_function_v2(
      db_, name, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, &held,
      CallTextFunction, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    functions_.erase(name);
    return SqliteStatus(rc, std::string("cannot define ") + name);
  }
  return Status::Ok();
}

Status Database::exec(const char* sql) {
  char* message = nullptr;
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
  if (rc == SQLITE_OK) return Status::Ok();
  std::string text = message != nullptr ? message : sqlite3_errstr(rc);
  sqlite3_free(message);
  return SqliteStatus(rc, text);
}

bool Database::in_transaction() const { return sqlite3_get_autocommit(db_) == 0; }

Status Database::checkPages() {
  Statement& check = statement("PRAGMA quick_check(1)");
  std::string verdict = check.step() ? std::string(check.column_text(0)) : std::string();
  Status s = check.status();
  check.reset();
  if (!s.ok()) return s.Within(path_ + " cannot be checked");
  if (verdict != "ok") return Status::Corruption(path_ + " is damaged: " + verdict);
  return Status::Ok();
}

Transaction::Transaction(Database& db) : db_(db) {
  if (db_.read_only()) {
    begin_ = Status::NotSupported(db_.path() + " is read-only here: nothing can be written to it");
    return;
  }
  begin_ = BeginWriting(db_);
  if (begin_.IsBusy()) {
    begin_ = Status::Busy("another process is writing to " + db_.path() + "; gave up after " +
                          std::to_string(Database::kBusyTimeoutMilliseconds / 1000) +
                          " s of waiting");
  }
  open_ = begin_.ok();
}

Transaction::~Transaction() {
  if (open_) db_.exec("ROLLBACK");
}

Status Transaction::commit() {
  if (!open_) return Status::InvalidArgument("no transaction to commit");
  Status s = db_.exec("COMMIT");
  if (s.ok()) open_ = false;
  return s;
}

ReadSnapshot::ReadSnapshot(Database& db) : db_(db) {
  if (!db_.in_transaction()) open_ = db_.statement("BEGIN").run().ok();
}

ReadSnapshot::~ReadSnapshot() {
  // A read transaction ends alike by either; a commit refused (a statement
  // still stepping) is rolled back.
  if (open_ && !db_.statement("COMMIT").run().ok()) db_.exec("ROLLBACK");
}

}  // namespace ydb
