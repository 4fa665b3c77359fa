// The stored theories of a session: loading, storing, deleting, and
// carrying them to and from theory files through the database library.
#include "ydbcln/theory/YTheories.h"

#include <cstdint>
#include <cstring>

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr int kTheorySize = static_cast<int>(sizeof(_tagTHEORYREC));
constexpr int kSummarySize = 68;  // the theory list: code, title, item count

// The code of a theory-list entry: its first int32, little-endian.
int summary_code(const unsigned char* entry) {
  std::int32_t code;
  std::memcpy(&code, entry, sizeof code);
  return code;
}

}  // namespace

YTheories::YTheories(YHorseDB* db) : db_(db) {}

YTheories::YTheories(const YTheories& other) = default;

YTheories& YTheories::operator=(const YTheories& other) = default;

YTheories::~YTheories() = default;

int YTheories::search() {
  theories_.clear();
  yrace::OwnedBuffer list(get_theory_all());
  if (!list) return -1;
  const int count = yrace::record_count(list.get(), kSummarySize);
  theories_.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int code = summary_code(yrace::record_at(list.get(), kSummarySize, i));
    yrace::OwnedBuffer one(get_theory(code));
    if (yrace::record_count(one.get(), kTheorySize) == 1) {
      theories_.emplace_back(reinterpret_cast<const _tagTHEORYREC*>(one.get()));
    }
  }
  return static_cast<int>(theories_.size());
}

int YTheories::gettheorycount() { return static_cast<int>(theories_.size()); }

YTheory* YTheories::gettheory(int i) {
  if (i < 0 || i >= gettheorycount()) return nullptr;
  return &theories_[static_cast<std::size_t>(i)];
}

YTheory* YTheories::gettheorybycode(int code) {
  for (YTheory& theory : theories_) {
    if (theory.getcode() == code) return &theory;
  }
  return nullptr;
}

int YTheories::savetheory(const char* path, int code) {
  YTheory* theory = gettheorybycode(code);
  if (theory == nullptr) return -1;
  return write_theory(path, theory->record()) == 0 ? 0 : -1;
}

int YTheories::loadtheory(const char* path) {
  _tagTHEORYREC record;
  {
    yrace::OwnedBuffer read(read_theory(path));
    if (yrace::record_count(read.get(), kTheorySize) != 1) return -1;
    std::memcpy(&record, read.get(), sizeof record);
  }
  if (!check(&record)) return -1;
  record.code = -1;
  if (set_theory(&record, 0) == -1) return -1;
  search();
  return record.code;
}

int YTheories::store(YTheory* theory) {
  if (theory == nullptr) return -1;
  _tagTHEORYREC copy = *theory->record();
  if (set_theory(&copy, 0) == -1) return -1;
  search();
  return copy.code;
}

void YTheories::reserved() {}

int YTheories::deletetheory(int code) {
  if (gettheorybycode(code) == nullptr) return -1;
  if (del_theory(code) == -1) return -1;
  search();
  return 0;
}
