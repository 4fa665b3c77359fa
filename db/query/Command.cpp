// Writing, reading and combining search command buffers.
#include "db/query/Command.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "db/base/RecordBuffer.h"
#include "db/query/Parser.h"

namespace ydb {
namespace {

constexpr char kMagic[4] = {'S', 'C', 'M', 'D'};
constexpr std::uint32_t kVersion = 2;
constexpr std::size_t kHeader = 20;

std::uint32_t Read(const unsigned char* p, std::size_t width) {
  std::uint32_t v = 0;
  for (std::size_t i = width; i > 0; --i) v = (v << 8) | p[i - 1];
  return v;
}

void Write(std::string* out, std::uint32_t v, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) out->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint32_t Checksum(const unsigned char* p, std::size_t size) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) {
    h ^= p[i];
    h *= 16777619u;
  }
  return h;
}

Status Refuse(const std::string& why) {
  return Status::InvalidArgument("not a search command: " + why);
}

}  // namespace

Status MakeCommand(const Condition& condition, void** buffer) {
  if (condition.groups.empty() || condition.groups.size() > kMaxGroups) {
    return Status::InvalidArgument("a command combines 1 to " + std::to_string(kMaxGroups) +
                                   " conditions");
  }
  std::string body;
  for (const Group& g : condition.groups) {
    Write(&body, static_cast<std::uint32_t>(g.kind), 2);
    Write(&body, static_cast<std::uint32_t>(g.text.size()), 2);
    body += g.text;
  }
  std::string record(kMagic, sizeof kMagic);
  Write(&record, kVersion, 2);
  Write(&record, static_cast<std::uint32_t>(condition.kind), 2);
  Write(&record, static_cast<std::uint32_t>(kHeader + body.size()), 4);
  Write(&record, static_cast<std::uint32_t>(condition.groups.size()), 2);
  Write(&record, 0, 2);
  Write(&record, Checksum(reinterpret_cast<const unsigned char*>(body.data()), body.size()), 4);
  record += body;
  void* out = AllocateRecords(static_cast<int>(record.size()), 1);
  if (out == nullptr) return Status::IOError("out of memory");
  std::memcpy(out, record.data(), record.size());
  *buffer = out;
  return Status::Ok();
}

Status ReadCommand(const void* buffer, Condition* out) {
  *out = Condition();
  if (buffer == nullptr) return Refuse("no buffer");
  const int size = RecordSize(buffer);
  if (RecordCount(buffer) != 1 || size < static_cast<int>(kHeader)) {
    return Refuse("a buffer of another shape");
  }
  const auto* p = static_cast<const unsigned char*>(buffer);
  const auto length = static_cast<std::size_t>(size);
  if (std::memcmp(p, kMagic, sizeof kMagic) != 0) return Refuse("no mark of a command");
  if (Read(p + 4, 2) != kVersion) return Refuse("a command of another version");
  if (Read(p + 8, 4) != length) return Refuse("a command of another length");
  if (Read(p + 14, 2) != 0) return Refuse("a command of another layout");
  if (Read(p + 16, 4) != Checksum(p + kHeader, length - kHeader)) return Refuse("a changed command");
  const std::uint32_t groups = Read(p + 12, 2);
  if (groups == 0 || groups > kMaxGroups) return Refuse("a command of " + std::to_string(groups) + " conditions");
  const auto kind = static_cast<SearchKind>(Read(p + 6, 2));
  Condition condition;
  condition.kind = kind;
  std::size_t at = kHeader;
  for (std::uint32_t g = 0; g < groups; ++g) {
    if (at + 4 > length) return Refuse("a condition cut short");
    const auto group_kind = static_cast<SearchKind>(Read(p + at, 2));
    const std::size_t size_of_text = Read(p + at + 2, 2);
    at += 4;
    if (at + size_of_text > length) return Refuse("a condition cut short");
    if (group_kind != kind && !CombinesAcross(kind, group_kind)) {
      return Refuse("a condition of a kind it does not take");
    }
    Condition one;
    const Status s = ParseCondition(
        group_kind, std::string_view(reinterpret_cast<const char*>(p + at), size_of_text), &one);
    if (!s.ok()) return Refuse(s.message());
    condition.groups.push_back(std::move(one.groups.front()));
    at += size_of_text;
  }
  if (at != length) return Refuse("bytes after its conditions");
  *out = std::move(condition);
  return Status::Ok();
}

bool CombinesAcross(SearchKind held, SearchKind added) {
  switch (held) {
    case SearchKind::kHorse:
    case SearchKind::kSire:
    case SearchKind::kJockey:
    case SearchKind::kStable:
      return added == SearchKind::kRace;
    case SearchKind::kRace:
      return added == SearchKind::kSire;
    case SearchKind::kDamSire:
      return false;
  }
  return false;
}

Status CombineCommands(const void* held, const void* added, void** buffer) {
  Condition a;
  Condition b;
  Status s = ReadCommand(held, &a);
  if (s.ok()) s = ReadCommand(added, &b);
  if (!s.ok()) return s;
  if (a.kind != b.kind) {
    if (!CombinesAcross(a.kind, b.kind)) {
      return Status::InvalidArgument("commands of these two kinds do not combine");
    }
    for (const Group& g : b.groups) {
      if (g.kind != b.kind) {
        return Status::InvalidArgument("a command combined across kinds holds its own kind alone");
      }
    }
  }
  if (a.groups.size() + b.groups.size() > kMaxGroups) {
    return Status::InvalidArgument("a command combines at most " + std::to_string(kMaxGroups) +
                                   " conditions");
  }
  for (Group& g : b.groups) a.groups.push_back(std::move(g));
  return MakeCommand(a, buffer);
}

}  // namespace ydb
