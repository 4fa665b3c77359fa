// Opening the data set for a subcommand.
#include "Session.h"

#include <db/api/ydbbsn.h>
#include <db/derived/DataSet.h>
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
  ydb::Status s = ydb::OpenDataSet(path, mode, &db);
  if (!s.ok()) std::cerr << "ydbcln: cannot open the data set in " << dir << ": " << s.message() << "\n";
  return db;
}

std::string Utf8(const std::string& sjis) { return ytext::to_utf8_lossy(sjis); }

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
