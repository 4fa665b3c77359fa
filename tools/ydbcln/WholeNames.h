// Whole names for the commands that have room to show them: the records the
// library reads cut a long race, horse, owner or breeder name to their
// fields, while the data set keeps it whole.
#ifndef YDBCLN_TOOL_WHOLENAMES_H_
#define YDBCLN_TOOL_WHOLENAMES_H_

#include <db/api/DataSet.h>

#include <memory>
#include <string>
#include <utility>

namespace tool {

class WholeNames {
 public:
  // Reads the data set in `data_dir` when asked; a data set that cannot be
  // opened leaves every name as shown.
  explicit WholeNames(std::string data_dir) : data_dir_(std::move(data_dir)) {}

  // `shown`, a name as a record gave it (printable UTF-8), or the whole
  // name of `code` when the data set keeps a longer one that begins with
  // it; made printable.
  std::string of(ydb::DataSet::Name what, const std::string& code, const std::string& shown);

 private:
  std::string data_dir_;
  std::unique_ptr<ydb::DataSet> data_;
  bool opened_ = false;
};

}  // namespace tool

#endif  // YDBCLN_TOOL_WHOLENAMES_H_
