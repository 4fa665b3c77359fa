// The process-wide data-set session: directory, store, instance lock.
//
// Every process that opens a data set holds a shared POSIX lock on byte 0
// of the lock file beside the store for as long as it is open. A process is
// the first instance when no other process holds such a lock, which F_GETLK
// answers without disturbing anyone's lock.
#include "db/api/SessionState.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "db/derived/DataSet.h"

namespace ydb {
namespace {

struct flock LockOnFirstByte(short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 1;
  return lock;
}

}  // namespace

std::string NormaliseDirectory(const std::string& dir) {
  std::string path = dir;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path.empty() ? "." : path;
}

SessionState& SessionState::Get() {
  // Made once and never destroyed, so that a session object of static
  // storage made before it (a YHorseDB at namespace scope) can still end its
  // session at exit; the data set is closed at exit all the same, and
  // stopping twice does nothing.
  static SessionState* const state = [] {
    auto* made = new SessionState;
    std::atexit([] { Get().Stop(); });
    return made;
  }();
  return *state;
}

Status SessionState::ChooseDirectory(const char* dir) {
  if (dir == nullptr) return Status::InvalidArgument("no data directory given");
  const std::string path = NormaliseDirectory(dir);
  std::error_code ec;
  if (!std::filesystem::is_directory(path, ec)) {
    return Status::NotFound("data directory " + path + " does not exist");
  }
  store_path_ = (std::filesystem::path(path) / kStoreFileName).string();
  return Status::Ok();
}

Status SessionState::Start(const char* path) {
  if (path == nullptr || *path == '\0') return Status::InvalidArgument("no store path given");
  if (database_ != nullptr) return Status::InvalidArgument("a data set is already open");
  std::unique_ptr<Database> opened;
  Status s = OpenDataSet(path, Database::Mode::kOpenOrCreate, &opened);
  if (!s.ok()) return s;

  const std::string lock_path = std::string(path) + ".lock";
  const int fd = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return Status::IOError("cannot open " + lock_path + ": " + std::strerror(errno));
  struct flock shared = LockOnFirstByte(F_RDLCK);
  if (::fcntl(fd, F_SETLKW, &shared) != 0) {
    Status failed = Status::IOError("cannot lock " + lock_path + ": " + std::strerror(errno));
    ::close(fd);
    return failed;
  }
  database_ = std::move(opened);
  lock_fd_ = fd;
  InstallProgressHook();
  return Status::Ok();
}

void SessionState::SetProgressCallback(ProgressCallback callback) {
  progress_ = callback;
  interruptions_ = 0;
  InstallProgressHook();
}

void SessionState::InstallProgressHook() {
  if (database_ == nullptr) return;
  if (progress_ == nullptr) {
    database_->setProgressHook(nullptr);
    return;
  }
  database_->setProgressHook([this](std::uint64_t steps) {
    const int reported = static_cast<int>(std::min<std::uint64_t>(steps, INT_MAX));
    if (progress_(reported, 0, nullptr, -1, 0.0, 0.0) != 0) return true;
    ++interruptions_;
    return false;
  });
}

Status SessionState::Ready() {
  if (database_ == nullptr) return Status::InvalidArgument("the store is not open");
  if (database_->path() != store_path_) {
    return Status::InvalidArgument("the open store " + database_->path() +
                         " is not the data set chosen, " + store_path_);
  }
  ready_ = true;
  return Status::Ok();
}

void SessionState::Stop() {
  ready_ = false;
  result_total = false;
  result_total_snapshot = false;
  database_.reset();
  if (lock_fd_ >= 0) ::close(lock_fd_);  // closing drops the lock
  lock_fd_ = -1;
}

bool SessionState::OtherProcessHasOpen() const {
  if (lock_fd_ < 0) return false;
  struct flock probe = LockOnFirstByte(F_WRLCK);
  if (::fcntl(lock_fd_, F_GETLK, &probe) != 0) return true;  // cannot tell: assume shared
  return probe.l_type != F_UNLCK;
}

}  // namespace ydb
