// Opening the data set for a subcommand.
#include "Session.h"

#include <db/api/ydbbsn.h>
#include <text/sjis.h>

#include <filesystem>
#include <iostream>

namespace tool {

bool OpenDataSet(YHorseDB& db, const std::string& dir) {
  if (db.init(dir)) return true;
  std::cerr << "ydbcln: cannot open the data set in " << dir << ": "
            << Utf8(db.geterrmessage());
  const std::string detail = get_db_error();
  if (!detail.empty()) std::cerr << " (" << detail << ")";
  std::cerr << "\n";
  return false;
}

std::unique_ptr<ydb::Database> OpenStore(const std::string& dir, ydb::Database::Mode mode) {
  std::error_code ec;
  if (mode == ydb::Database::Mode::kOpenOrCreate) std::filesystem::create_directories(dir, ec);
  std::unique_ptr<ydb::Database> db;
  const std::string path = (std::filesystem::path(dir) / "ydbcln.db").string();
  ydb::Status s = ydb::Database::Open(path, mode, &db);
  if (!s.ok()) std::cerr << "ydbcln: cannot open the data set in " << dir << ": " << s.message() << "\n";
  return db;
}

std::string Utf8(const std::string& sjis) { return ytext::to_utf8_lossy(sjis); }

}  // namespace tool
