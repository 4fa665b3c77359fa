// A window of each file, moved forward as records are asked for.
#include "exchange/jvdata/RecordSource.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace exchange {
namespace jvdata {
namespace {

// A window holds many records of any type (the longest, O6, is 83 KB).
constexpr std::int64_t kWindowBytes = 1 << 20;

}  // namespace

RecordSource::RecordSource(std::vector<std::string> paths)
    : paths_(std::move(paths)), windows_(paths_.size()) {}

RecordSource::~RecordSource() {
  for (const Window& w : windows_) {
    if (w.fd >= 0) ::close(w.fd);
  }
}

ydb::Status RecordSource::read(const Place& at, std::string_view* record) {
  const auto where = [&] { return paths_[at.file] + " line " + std::to_string(at.line); };
  Window& w = windows_[at.file];
  const std::int64_t end = at.offset + at.length;
  if (at.offset < w.start || end > w.start + static_cast<std::int64_t>(w.size)) {
    if (w.fd < 0) w.fd = ::open(paths_[at.file].c_str(), O_RDONLY | O_CLOEXEC);
    if (w.fd < 0) return ydb::Status::IOError("cannot open " + paths_[at.file] + ": " + std::strerror(errno));
    const std::size_t wanted = static_cast<std::size_t>(std::max<std::int64_t>(kWindowBytes, at.length));
    if (w.bytes.size() < wanted) w.bytes.resize(wanted);
    std::size_t got = 0;
    while (got < wanted) {
      const ssize_t n = ::pread(w.fd, &w.bytes[got], wanted - got,
                                static_cast<off_t>(at.offset + static_cast<std::int64_t>(got)));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return ydb::Status::IOError("cannot read " + where() + ": " + std::strerror(errno));
      if (n == 0) break;
      got += static_cast<std::size_t>(n);
    }
    w.size = got;
    w.start = at.offset;
  }
  const std::string_view bytes =
      std::string_view(w.bytes.data(), w.size).substr(static_cast<std::size_t>(at.offset - w.start));
  if (bytes.size() < at.length || bytes.substr(at.length - 2, 2) != "\r\n") {
    return ydb::Status::IOError(where() + ": the file changed while it was imported");
  }
  *record = bytes.substr(0, at.length - 2);
  return ydb::Status::Ok();
}

}  // namespace jvdata
}  // namespace exchange
