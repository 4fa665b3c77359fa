// A data set administered as a whole: the data directory's store opened or
// created, and what it holds counted. Seasons of the synthetic world are
// generated into an open DataSet (world/GenerateSeasons.h) and the exchange
// files written from and loaded into one (exchange/ExchangeFiles.h).
//
//   std::unique_ptr<ydb::DataSet> data;
//   ydb::Status s = ydb::DataSet::Open("data", ydb::DataSet::Mode::kOpenOrCreate, &data);
//   ydb::DataSetCounts counts;
//   if (s.ok()) s = data->count(&counts);
//
// A DataSet holds the store open until it is destroyed. It is apart from
// the session of the class library (YHorseDB), which opens the same store
// through its own connection; both may be open in one process. Not for use
// by two threads at once.
#ifndef YDB_API_DATASET_H_
#define YDB_API_DATASET_H_

#include <cstdint>
#include <memory>
#include <string>

#include "db/base/DataSetCounts.h"
#include "db/base/GeneratedWorld.h"
#include "db/base/Status.h"

namespace ydb {

class Database;

class DataSet {
 public:
  enum class Mode {
    kOpenExisting,  // the data set must exist
    kOpenOrCreate,  // a missing directory or store becomes a new, empty data set
  };

  // The name of the store file inside a data directory.
  static constexpr const char* kStoreFile = "ydbcln.db";

  // Opens the data set in the directory `dir`. Fails, saying why, when the
  // directory cannot be made, or the store is missing (kOpenExisting), is
  // not a data set, or was written by a newer version. An existing store
  // opened to be filled (kOpenOrCreate) has its pages checked first and is
  // refused as corrupt when one is damaged.
  static Status Open(const std::string& dir, Mode mode, std::unique_ptr<DataSet>* out);

  ~DataSet();
  DataSet(const DataSet&) = delete;
  DataSet& operator=(const DataSet&) = delete;

  // The store file's path.
  const std::string& path() const { return path_; }

  // Counts what the data set holds into *out.
  Status count(DataSetCounts* out);

  // The generated world the data set holds (its seed and origin) into
  // *out, with *found true; *found false for a data set that holds none
  // (imported only, or generated before worlds were recorded).
  Status world(GeneratedWorld* out, bool* found);

  // Names the records cut to their fields, asked for whole: a race's (by
  // its 12-digit race code), a horse's, and the horse's owner's and
  // breeder's (by the horse's 7-digit code).
  enum class Name { kRace, kHorse, kHorseOwner, kHorseBreeder };

  // The whole name `what` of `code` in UTF-8 into *utf8, as the store keeps
  // it; empty when there is no such race or horse, or it has no such name
  // (a code of another form is no error).
  Status wholeName(Name what, const std::string& code, std::string* utf8);

 private:
  friend Database& StoreOf(DataSet& data_set);  // db/api/DataSetStore.h

  DataSet(std::unique_ptr<Database> store, std::string path);

  std::unique_ptr<Database> store_;
  std::string path_;
};

}  // namespace ydb

#endif  // YDB_API_DATASET_H_
