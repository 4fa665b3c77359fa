// Opening, validating and creating a store; the statement cache;
// transactions.
#include "db/store/Database.h"

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "db/store/Schema.h"
#include "db/store/SqliteStatus.h"

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

// Checks, on a read-only connection, that an existing file is a store of
// this component that this build can read. Nothing is written to the file.
// SQLite counts its memory under a global mutex on every allocation; the
// store reads no such statistics. The setting can only be made before
// SQLite starts: in a process that started it earlier, sqlite3_config
// answers SQLITE_MISUSE and the statistics simply stay on.
void SkipMemoryStatistics() {
  static const int rc = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  static_cast<void>(rc);
}

Status Validate(const std::string& path) {
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  if (rc != SQLITE_OK) {
    Status failed = SqliteStatus(rc, "cannot open " + path + ": " + SqliteMessage(db, rc));
    sqlite3_close(db);
    return failed;
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, Database::kBusyTimeoutMilliseconds);
  int application_id = 0;
  int version = 0;
  std::string error;
  Status result;
  rc = ReadPragma(db, "PRAGMA application_id", &application_id, &error);
  if (rc == SQLITE_ROW) rc = ReadPragma(db, "PRAGMA user_version", &version, &error);
  if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) {
    result = Status::Busy(path + " is held by another process: " + error);
  } else if (rc != SQLITE_ROW) {
    result = Status::Corruption(path + " is not a readable data set: " + error);
  } else if (application_id != kApplicationId) {
    result = Status::NotSupported(path + " is not a data set of this program");
  } else if (version > kSchemaVersion) {
    result = Status::NotSupported(path + " was written by a newer version (schema " +
                           std::to_string(version) + ", this build reads up to " +
                           std::to_string(kSchemaVersion) + ")");
  } else if (version < 1) {
    result = Status::Corruption(path + " has no schema version");
  }
  sqlite3_close(db);
  return result;
}

}  // namespace

Database::Database(std::string path, sqlite3* db) : path_(std::move(path)), db_(db) {}

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

  sqlite3* db = nullptr;
  // The library is used from one thread, so the connection needs no mutex
  // of its own around every call.
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (exists ? 0 : SQLITE_OPEN_CREATE);
  const int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    Status failed = SqliteStatus(rc, "cannot open " + path + ": " + SqliteMessage(db, rc));
    sqlite3_close(db);
    return failed;
  }
  std::unique_ptr<Database> opened(new Database(path, db));
  Status ready = opened->Initialise(!exists, upgrade);
  if (!ready.ok()) {
    opened.reset();
    if (!exists) std::filesystem::remove(path, ec);  // only a file we made
    return ready;
  }
  *out = std::move(opened);
  return Status::Ok();
}

Status Database::setCacheMegabytes(int megabytes) {
  // A negative cache_size is a size in KiB rather than a number of pages.
  const std::string sql = "PRAGMA cache_size = -" + std::to_string(megabytes * 1024);
  return exec(sql.c_str());
}

Status Database::Initialise(bool created, SchemaUpgrade upgrade) {
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, kBusyTimeoutMilliseconds);
  Status s = exec("PRAGMA foreign_keys = ON");
  if (s.ok()) s = exec("PRAGMA journal_mode = WAL");
  if (s.ok()) s = exec("PRAGMA synchronous = NORMAL");
  // Writing a month of races touches the runner indexes all over.
  if (s.ok()) s = setCacheMegabytes(kDefaultCacheMegabytes);
  if (!s.ok()) return s;
  if (!created) return Upgrade(upgrade);

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

Transaction::Transaction(Database& db) : db_(db) {
  begin_ = db_.exec("BEGIN IMMEDIATE");
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

}  // namespace ydb
