// A session object of static storage at namespace scope, made before the
// database component's own session state: its data set opens, and the
// program ends cleanly when the object is destroyed at exit, after the
// state it ends (a program of this shape once freed memory twice at exit).
// A program of its own, for the order of construction to be its first.
#include <cstdio>
#include <memory>
#include <string>

#include "db/derived/DataSet.h"
#include "testing/TempDir.h"
#include "ydbcln/session/YHorseDB.h"

namespace {

YHorseDB session;  // constructed before main, before the component's state

}  // namespace

int main() {
  ytest::TempDir dir;
  {
    std::unique_ptr<ydb::Database> store;
    if (!ydb::OpenDataSet(dir.str() + "/ydbcln.db", ydb::Database::Mode::kOpenOrCreate, &store)
             .ok()) {
      std::fprintf(stderr, "cannot make an empty data set\n");
      return 1;
    }
  }
  if (!session.init(dir.str())) {
    std::fprintf(stderr, "the static session did not open the data set\n");
    return 1;
  }
  return 0;  // the session ends when `session` is destroyed at exit
}
