// The theory file: one theory record carried from one data set to another
// (THEORYFILE in db/layout/LAYOUTS.md: a magic, a version, the 232 bytes of
// the record, and a CRC-32 over them).
#ifndef YDB_API_THEORYFILE_H_
#define YDB_API_THEORYFILE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/base/Status.h"

namespace ydb {

// The version this build writes and the highest it reads.
constexpr int kTheoryFileVersion = 1;

// CRC-32 (IEEE 802.3, reflected; zlib's) of `bytes`, going on from `crc`,
// the checksum of the bytes before them (0 for none), so that a file
// written in pieces is checked piece by piece.
std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

// The file image of the THEORYREC at `record`.
std::string EncodeTheoryFile(const void* record);

// The THEORYREC held by a file image. Refused, with the reason: an image of
// another size, another magic, another version or a checksum that does not
// match. A newer version is named as such only when the file could be one
// (a version up to 1000, and no failed checksum on an image of this
// version's size); otherwise the file is called damaged.
Status DecodeTheoryFile(std::string_view image, std::string* record);

// Writes `pieces`, one after another, to `path` under a temporary name
// beside it, synced, then
// renamed into place: a failure leaves no file at `path` that was not
// there, and no temporary file. A symbolic link is followed: the file it
// names is replaced and the link stays. A path naming anything but a
// regular file (a device, a FIFO, a directory) is refused untouched.
Status WriteFileWhole(const std::string& path, const std::vector<std::string_view>& pieces);

// The contents of the regular file at `path`, refused when it holds more
// than `limit` bytes or is not a regular file (a FIFO is not waited on).
Status ReadFileWhole(const std::string& path, std::size_t limit, std::string* bytes);

}  // namespace ydb

#endif  // YDB_API_THEORYFILE_H_
