// The optimiser's save file: the races, the score table and the payouts
// with a trailer (magic, version, CRC-32), written beside the target and
// renamed over it, and read back only when every count and the checksum
// agree.
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "db/api/TheoryFile.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/theory/YTheoryMaker.h"

namespace {

constexpr char kMagic[4] = {'Y', 'T', 'M', 'S'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kCodeWidth = 12;
constexpr std::size_t kHead = 2 + 4;        // item count, race count
constexpr std::size_t kTrailer = 4 + 4 + 4;  // magic, version, checksum
// Larger files are not read: ten seasons of every candidate item come to
// about half of this.
constexpr std::size_t kLargestFile = std::size_t{4} << 30;

void put(std::string* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t get(const char* at, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(at[i])) << (8 * i);
  }
  return value;
}

bool all_digits(std::string_view code) {
  for (char c : code) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

bool YTheoryMaker::save(char* path) {
  if (!ready_ || path == nullptr) return false;
  const std::size_t races = races_.size();
  // The table goes to the file as it lies in memory: the head, the table,
  // the payouts and the trailer are written one after another, the
  // checksum taken piece by piece.
  std::string head;
  head.reserve(kHead + races * kCodeWidth);
  put(&head, static_cast<std::uint32_t>(items_.size()), 2);
  put(&head, static_cast<std::uint32_t>(races), 4);
  for (const std::string& code : races_) head.append(code, 0, kCodeWidth);
  const std::string_view table(reinterpret_cast<const char*>(table_.data()), table_.size());
  std::string payouts(races * YHaitoInfo::kRecordSize, '\0');
  if (races > 0) {
    FILE* memory = fmemopen(payouts.data(), payouts.size(), "wb");
    if (memory == nullptr) return false;
    bool whole = true;
    for (YHaitoInfo& info : payouts_) whole = whole && info.write(memory) == YHaitoInfo::kRecordSize;
    whole = std::fclose(memory) == 0 && whole;
    if (!whole) return false;
  }
  const std::uint32_t checksum = ydb::Crc32(payouts, ydb::Crc32(table, ydb::Crc32(head)));
  std::string trailer(kMagic, sizeof kMagic);
  put(&trailer, kVersion, 4);
  put(&trailer, checksum, 4);
  return ydb::WriteFileWhole(path, {head, table, payouts, trailer}).ok();
}

bool YTheoryMaker::load(char* path) {
  clear_table();
  races_.clear();
  payouts_.clear();
  setyosoumark();
  std::string file;
  if (path == nullptr || !ydb::ReadFileWhole(path, kLargestFile, &file).ok()) return false;
  if (file.size() < kHead + kTrailer) return false;
  const std::size_t body_size = file.size() - kTrailer;
  const char* trailer = file.data() + body_size;
  if (std::memcmp(trailer, kMagic, sizeof kMagic) != 0) return false;
  if (get(trailer + 4, 4) != kVersion) return false;
  if (get(trailer + 8, 4) != ydb::Crc32(std::string_view(file.data(), body_size))) return false;

  const std::size_t items = get(file.data(), 2);
  const std::size_t races = get(file.data() + 2, 4);
  if (items != items_.size()) return false;
  // The counts must account for the body exactly, checked before anything
  // is allocated (a count of 2^31 races is refused here).
  const std::size_t per_race = kCodeWidth + items * kRow + YHaitoInfo::kRecordSize;
  if (races > (std::numeric_limits<std::size_t>::max() - kHead) / per_race ||
      kHead + races * per_race != body_size) {
    return false;
  }
  const char* at = file.data() + kHead;
  std::vector<std::string> codes;
  std::vector<YHaitoInfo> payouts(races);
  try {
    codes.reserve(races);
    for (std::size_t r = 0; r < races; ++r, at += kCodeWidth) {
      codes.emplace_back(at, kCodeWidth);
      if (!all_digits(codes.back())) return false;
    }
    table_.assign(reinterpret_cast<const unsigned char*>(at),
                  reinterpret_cast<const unsigned char*>(at) + races * items * kRow);
  } catch (const std::bad_alloc&) {
    clear_table();
    if (db_ != nullptr) db_->seterror(YHorseDB::kOutOfMemory, "", 0);
    return false;
  }
  at += races * items * kRow;
  if (races > 0) {
    FILE* memory = fmemopen(const_cast<char*>(at), races * YHaitoInfo::kRecordSize, "rb");
    if (memory == nullptr) {
      clear_table();
      return false;
    }
    for (YHaitoInfo& info : payouts) info.read(memory);
    std::fclose(memory);
  }
  races_ = std::move(codes);
  payouts_ = std::move(payouts);
  setyosoumark();
  ready_ = true;
  return true;
}
