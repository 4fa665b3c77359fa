// Reading records again from where an import found them (RecordIndex.h),
// through a window of each file, so that records read in the order of
// their files cost one read of the disk per window.
#ifndef YDB_EXCHANGE_JVDATA_RECORDSOURCE_H_
#define YDB_EXCHANGE_JVDATA_RECORDSOURCE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/base/Status.h"
#include "exchange/jvdata/RecordIndex.h"

namespace exchange {
namespace jvdata {

class RecordSource {
 public:
  // The files of the import, by the index Place::file counts in.
  explicit RecordSource(std::vector<std::string> paths);
  ~RecordSource();
  RecordSource(const RecordSource&) = delete;
  RecordSource& operator=(const RecordSource&) = delete;

  // The record at `at`, without its CR LF, in *record until the next call.
  // Fails, naming the file and line, when the file cannot be read or no
  // longer holds a record of that length there (changed since it was read).
  ydb::Status read(const Place& at, std::string_view* record);

 private:
  struct Window {
    int fd = -1;
    std::int64_t start = 0;
    std::string bytes;     // the buffer, kept at its largest size
    std::size_t size = 0;  // how much of it holds the file from `start`
  };

  std::vector<std::string> paths_;
  std::vector<Window> windows_;
};

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_RECORDSOURCE_H_
