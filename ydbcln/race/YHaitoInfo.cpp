// The payouts of one race and their file record.
#include "ydbcln/race/YHaitoInfo.h"

#include <cstdint>
#include <cstring>

namespace {

// The arrays of a payout record in file order, as (combinations, payouts,
// entries). Reading and writing walk the same list, so the two cannot
// disagree on the layout.
template <typename Info, typename Visit>
void each_pool(Info& info, Visit visit) {
  visit(info.wakuren_kumi, info.wakuren_haito, 3);
  visit(info.umaren_kumi, info.umaren_haito, 3);
  visit(info.wide_kumi, info.wide_haito, 7);
  visit(info.tansho_uma, info.tansho_haito, 3);
  visit(info.fukusho_uma, info.fukusho_haito, 5);
}

void put16(unsigned char*& at, unsigned short value) {
  at[0] = static_cast<unsigned char>(value & 0xFF);
  at[1] = static_cast<unsigned char>(value >> 8);
  at += 2;
}

void put32(unsigned char*& at, int value) {
  const std::uint32_t v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
  at += 4;
}

unsigned short get16(const unsigned char*& at) {
  const unsigned short value = static_cast<unsigned short>(at[0] | (at[1] << 8));
  at += 2;
  return value;
}

int get32(const unsigned char*& at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  at += 4;
  return static_cast<std::int32_t>(v);
}

// The file record of `info`.
void encode(const YHaitoInfo& info, unsigned char* record) {
  unsigned char* at = record;
  each_pool(info, [&at](const unsigned short* kumi, const int* haito, int n) {
    for (int i = 0; i < n; ++i) put16(at, kumi[i]);
    for (int i = 0; i < n; ++i) put32(at, haito[i]);
  });
}

}  // namespace

YHaitoInfo::YHaitoInfo() {
  each_pool(*this, [](unsigned short* kumi, int* haito, int n) {
    for (int i = 0; i < n; ++i) {
      kumi[i] = 0;
      haito[i] = 0;
    }
  });
}

YHaitoInfo::YHaitoInfo(const YHaitoInfo& other) = default;

YHaitoInfo& YHaitoInfo::operator=(const YHaitoInfo& other) = default;

YHaitoInfo::~YHaitoInfo() = default;

int YHaitoInfo::write(FILE* file) {
  if (file == nullptr) return 0;
  unsigned char record[kRecordSize];
  encode(*this, record);
  return std::fwrite(record, 1, sizeof record, file) == sizeof record ? kRecordSize : 0;
}

int YHaitoInfo::read(FILE* file) {
  if (file == nullptr) return 0;
  unsigned char record[kRecordSize];
  if (std::fread(record, 1, sizeof record, file) != sizeof record) return 0;
  const unsigned char* at = record;
  each_pool(*this, [&at](unsigned short* kumi, int* haito, int n) {
    for (int i = 0; i < n; ++i) kumi[i] = get16(at);
    for (int i = 0; i < n; ++i) haito[i] = get32(at);
  });
  return kRecordSize;
}

bool operator==(const YHaitoInfo& a, const YHaitoInfo& b) {
  // The record holds every member, each in a form that keeps its value.
  unsigned char x[YHaitoInfo::kRecordSize];
  unsigned char y[YHaitoInfo::kRecordSize];
  encode(a, x);
  encode(b, y);
  return std::memcmp(x, y, sizeof x) == 0;
}
