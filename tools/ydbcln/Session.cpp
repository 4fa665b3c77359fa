// Opening the data set for a subcommand.
#include "Session.h"

#include <db/api/ydbbsn.h>
#include <text/sjis.h>

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

std::string Utf8(const std::string& sjis) { return ytext::to_utf8_lossy(sjis); }

}  // namespace tool
