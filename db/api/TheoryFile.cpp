// Encoding, checking and writing theory files.
#include "db/api/TheoryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"

namespace ydb {
namespace {

constexpr std::string_view kMagic = "YDBTHEOR";

// Versions above this are taken for damage rather than a newer program.
constexpr std::int32_t kLargestTheoryFileVersion = 1000;

// The bytes the checksum covers: everything before it.
std::size_t ChecksumOffset() {
  static const std::size_t offset = FieldOf(TheoryFileLayout(), "checksum").offset;
  return offset;
}

Status Errno(const std::string& what) { return Status::IOError(what + ": " + std::strerror(errno)); }

// Writes all of `bytes` to the open file `fd`.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
  return static_cast<std::uint32_t>(
      crc32_z(crc, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

std::string EncodeTheoryFile(const void* record) {
  const RecordLayout& layout = TheoryFileLayout();
  std::string image(layout.size(), '\0');
  RecordBuilder b(image.data(), layout);
  b.set_code("magic", kMagic);
  b.set_int("version", kTheoryFileVersion);
  b.set_raw("theory", std::string_view(static_cast<const char*>(record), TheoryLayout().size()));
  const std::uint32_t crc = Crc32(std::string_view(image).substr(0, ChecksumOffset()));
  b.set_int("checksum", static_cast<std::int32_t>(crc));
  return image;
}

Status DecodeTheoryFile(std::string_view image, std::string* record) {
  const RecordLayout& layout = TheoryFileLayout();
  const Field& version_field = FieldOf(layout, "version");
  if (image.size() < version_field.end()) return Status::Corruption("too short for a theory file");
  if (image.substr(0, kMagic.size()) != kMagic) return Status::Corruption("not a theory file");
  std::int32_t version = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    version |= static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<unsigned char>(image[version_field.offset + i]))
        << (8 * i));
  }
  // A file of this size whose checksum fails is damaged, whatever its
  // version field says; a newer program's file, whatever its size, is
  // named for what it is when its version is one a program could have
  // written.
  const bool our_size = image.size() == layout.size();
  const bool sound =
      our_size && static_cast<std::uint32_t>(RecordReader(image.data(), layout).integer("checksum").value_or(0)) ==
                      Crc32(image.substr(0, ChecksumOffset()));
  if (our_size && !sound) {
    return Status::Corruption("the checksum does not match: the file is damaged");
  }
  if (version > kTheoryFileVersion && version <= kLargestTheoryFileVersion) {
    return Status::NotSupported("written by a newer version (theory file version " +
                         std::to_string(version) + ")");
  }
  if (version != kTheoryFileVersion) {
    return Status::Corruption("the file is damaged: its version field reads " + std::to_string(version));
  }
  if (!our_size) {
    return Status::Corruption("a theory file is " + std::to_string(layout.size()) + " bytes, not " +
                         std::to_string(image.size()));
  }
  *record = std::string(RecordReader(image.data(), layout).bytes("theory"));
  return Status::Ok();
}

namespace {

// The file `path` names, a symbolic link followed, in *target; refused
// when that is anything but a regular file (a device, a FIFO, a directory)
// or a link to nothing. A path that names nothing is its own target.
Status RegularFileTarget(const std::string& path, std::string* target) {
  std::error_code ec;
  const auto link = std::filesystem::symlink_status(path, ec);
  if (!std::filesystem::exists(link)) {
    *target = path;
    return Status::Ok();
  }
  const auto state = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(state)) return Status::NotFound(path + " is a link to nothing");
  if (!std::filesystem::is_regular_file(state)) {
    return Status::InvalidArgument(path + " is not a regular file");
  }
  *target = std::filesystem::is_symlink(link) ? std::filesystem::canonical(path, ec).string() : path;
  if (ec) return Status::IOError("cannot follow " + path + ": " + ec.message());
  return Status::Ok();
}

}  // namespace

Status WriteFileWhole(const std::string& path, const std::vector<std::string_view>& pieces) {
  std::string target;
  Status checked = RegularFileTarget(path, &target);
  if (!checked.ok()) return checked;
  const std::string temporary = target + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return Errno("cannot create " + temporary);
  Status s;
  for (std::string_view piece : pieces) {
    if (s.ok() && !WriteAll(fd, piece)) s = Errno("cannot write " + temporary);
  }
  if (s.ok() && ::fsync(fd) != 0) s = Errno("cannot write " + temporary);
  if (::close(fd) != 0 && s.ok()) s = Errno("cannot write " + temporary);
  if (s.ok() && std::rename(temporary.c_str(), target.c_str()) != 0) {
    s = Errno("cannot rename " + temporary + " to " + target);
  }
  if (!s.ok()) ::unlink(temporary.c_str());
  return s;
}

Status ReadFileWhole(const std::string& path, std::size_t limit, std::string* bytes) {
  // Not blocking, so that a FIFO is refused rather than waited on.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Errno("cannot open " + path);
  struct stat state;
  if (::fstat(fd, &state) != 0 || !S_ISREG(state.st_mode)) {
    ::close(fd);
    return Status::InvalidArgument(path + " is not a regular file");
  }
  // Read straight into a string of the file's size (and one byte more, to
  // see a file that grew meanwhile), not through a buffer that doubles.
  const std::size_t expected = static_cast<std::size_t>(state.st_size);
  std::string data;
  Status s;
  if (expected > limit) {
    s = Status::InvalidArgument(path + " is larger than " + std::to_string(limit) + " bytes");
  }
  std::size_t size = 0;
  for (bool more = s.ok(); more;) {
    if (data.size() == size) data.resize(std::min(std::max(2 * size, expected + 1), limit + 1));
    const ssize_t n = ::read(fd, &data[size], data.size() - size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      s = Errno("cannot read " + path);
      break;
    }
    size += static_cast<std::size_t>(n);
    more = n > 0;
    if (size > limit) {
      s = Status::InvalidArgument(path + " is larger than " + std::to_string(limit) + " bytes");
      break;
    }
  }
  data.resize(size);
  ::close(fd);
  if (s.ok()) *bytes = std::move(data);
  return s;
}

}  // namespace ydb
