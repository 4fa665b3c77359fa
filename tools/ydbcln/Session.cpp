// Opening the data set for a subcommand.
#include "Session.h"

#include <db/api/ydbbsn.h>
#include <text/sjis.h>

#include <filesystem>
#include <iostream>
#include <system_error>

#include "Printable.h"

namespace tool {
namespace {

std::filesystem::path StorePath(const std::string& dir) {
  return std::filesystem::path(dir) / ydb::DataSet::kStoreFile;
}

}  // namespace

bool RequireDataSet(const std::string& dir) {
  std::error_code ec;
  if (std::filesystem::exists(StorePath(dir), ec)) return true;
  std::cerr << "ydbcln: cannot open the data set in " << Quoted(dir)
            << ": there is none; make one with `ydbcln generate` or `ydbcln import DIR`\n";
  return false;
}

bool OpenDataSet(YHorseDB& db, const std::string& dir) {
  if (!RequireDataSet(dir)) return false;
  if (db.init(dir)) return true;
  std::cerr << "ydbcln: cannot open the data set in " << Quoted(dir) << ": "
            << Utf8(db.geterrmessage());
  const std::string detail = get_db_error();
  if (!detail.empty()) std::cerr << " (" << Reason(detail) << ")";
  std::cerr << "\n";
  return false;
}

std::unique_ptr<ydb::DataSet> OpenWhole(const std::string& dir, ydb::DataSet::Mode mode) {
  std::unique_ptr<ydb::DataSet> data_set;
  if (mode == ydb::DataSet::Mode::kOpenExisting && !RequireDataSet(dir)) return data_set;
  const ydb::Status s = ydb::DataSet::Open(dir, mode, &data_set);
  if (!s.ok()) std::cerr << "ydbcln: cannot open the data set in " << Quoted(dir) << ": " << Reason(s.message()) << "\n";
  return data_set;
}

NewDataSetGuard::NewDataSetGuard(const std::string& dir) : dir_(dir) {
  std::error_code ec;
  had_dir_ = std::filesystem::exists(dir, ec);
  had_store_ = std::filesystem::exists(StorePath(dir), ec);
}

NewDataSetGuard::~NewDataSetGuard() {
  if (keep_ || had_store_) return;
  std::error_code ec;
  const std::string store = StorePath(dir_).string();
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    std::filesystem::remove(store + suffix, ec);
  }
  if (!had_dir_) std::filesystem::remove(dir_, ec);  // only when empty
}

std::string Utf8(const std::string& sjis) { return Printable(ytext::to_utf8_lossy(sjis)); }

bool Sjis(const std::string& utf8, std::string* sjis) { return ytext::to_sjis(utf8, sjis); }

std::string Pad(const std::string& utf8, int columns) {
  int width = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    // Three-byte characters from U+1100 up are full-width, except the
    // half-width katakana U+FF61-U+FF9F (EF BD A1 - EF BE 9F).
    const bool halfwidth_kana = length == 3 && lead == 0xEF && i + 1 < utf8.size() &&
                                (static_cast<unsigned char>(utf8[i + 1]) == 0xBD ||
                                 static_cast<unsigned char>(utf8[i + 1]) == 0xBE);
    width += length >= 3 && !halfwidth_kana ? 2 : 1;
    i += length;
  }
  if (width >= columns) return utf8;
  return utf8 + std::string(static_cast<std::size_t>(columns - width), ' ');
}

}  // namespace tool
