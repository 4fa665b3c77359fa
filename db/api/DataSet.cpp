// Opening a data set's store and counting what it holds.
#include "db/api/DataSet.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "db/api/DataSetStore.h"
#include "db/base/RaceKey.h"
#include "db/derived/DataSet.h"
#include "db/read/Reader.h"
#include "db/store/Database.h"

namespace ydb {

Status DataSet::Open(const std::string& dir, Mode mode, std::unique_ptr<DataSet>* out) {
  if (mode == Mode::kOpenOrCreate) {
    std::error_code made;
    std::filesystem::create_directories(dir, made);
    if (made) return Status::IOError("cannot make the directory " + dir + ": " + made.message());
  }
  const std::string path = (std::filesystem::path(dir) / kStoreFile).string();
  std::error_code ec;
  const bool existed = std::filesystem::exists(path, ec);
  std::unique_ptr<Database> store;
  Status s = OpenDataSet(path,
                         mode == Mode::kOpenOrCreate ? Database::Mode::kOpenOrCreate
                                                     : Database::Mode::kOpenExisting,
                         &store);
  if (s.ok() && existed && mode == Mode::kOpenOrCreate) s = store->checkPages();
  if (!s.ok()) return s;
  out->reset(new DataSet(std::move(store), path));
  return Status::Ok();
}

DataSet::DataSet(std::unique_ptr<Database> store, std::string path)
    : store_(std::move(store)), path_(std::move(path)) {}

DataSet::~DataSet() = default;

Status DataSet::count(DataSetCounts* out) { return Reader(*store_).summary(out); }

Status DataSet::world(GeneratedWorld* out, bool* found) {
  return Reader(*store_).generatedWorld(out, found);
}

Status DataSet::wholeName(Name what, const std::string& code, std::string* utf8) {
  utf8->clear();
  Statement* st = nullptr;
  if (what == Name::kRace) {
    RaceKey key;
    if (!RaceKey::Parse(code, &key).ok()) return Status::Ok();
    st = &store_->statement(
        "SELECT name FROM race WHERE race_date = ?1 AND place = ?2 AND race_no = ?3");
    st->bind(1, key.date);
    st->bind(2, key.place);
    st->bind(3, key.number);
  } else {
    static const char* const kSql[] = {
        "SELECT name FROM horse WHERE code = ?1",
        "SELECT o.name FROM horse h JOIN owner o ON o.code = h.owner_code WHERE h.code = ?1",
        "SELECT b.name FROM horse h JOIN breeder b ON b.code = h.breeder_code WHERE h.code = ?1",
    };
    st = &store_->statement(kSql[static_cast<int>(what) - static_cast<int>(Name::kHorse)]);
    st->bind(1, code);
  }
  if (st->step()) *utf8 = std::string(st->column_text(0));
  const Status s = st->status();
  st->reset();
  return s;
}

Database& StoreOf(DataSet& data_set) { return *data_set.store_; }

}  // namespace ydb
