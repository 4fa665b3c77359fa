// A consistent snapshot of a store written into a directory.
#include "exchange/Snapshot.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace exchange {

ydb::Status WriteSnapshot(ydb::Database& db, const std::string& dir, const std::string& what,
                          const std::function<ydb::Status()>& write) {
  try {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return ydb::Status::IOError("cannot create " + dir + ": " + ec.message());
    ydb::Transaction snapshot(db);
    if (!snapshot.begin_status().ok()) {
      return snapshot.begin_status().Within("cannot read the store");
    }
    return write().Within(what);
  } catch (const std::exception& e) {
    return ydb::Status::IOError(what + " abandoned: " + e.what());
  } catch (...) {
    return ydb::Status::IOError(what + " abandoned: unknown exception");
  }
}

}  // namespace exchange
