// One prediction theory held as its stored record.
#include "ydbcln/theory/YTheory.h"

#include <algorithm>
#include <cstring>

#include "text/sjis.h"
#include "ydbcln/session/YUtil.h"

YTheory::YTheory(const _tagTHEORYREC* record) {
  if (record != nullptr) {
    std::memcpy(&rec_, record, sizeof rec_);
  } else {
    std::memset(&rec_, 0, sizeof rec_);
    rec_.code = -1;
  }
}

YTheory::YTheory(const YTheory& other) = default;

YTheory& YTheory::operator=(const YTheory& other) = default;

YTheory::~YTheory() = default;

int YTheory::getcode() { return rec_.code; }

std::string YTheory::getname() {
  // A NUL ends the title as well: a record zeroed by clear() has none.
  const void* nul = std::memchr(rec_.title, '\0', sizeof rec_.title);
  const int length =
      nul != nullptr ? static_cast<int>(static_cast<const char*>(nul) - rec_.title) : kTitleSize;
  return YUtil::delendspc(reinterpret_cast<unsigned char*>(rec_.title), length);
}

int YTheory::getitemcount() { return rec_.count; }

int YTheory::getitemno(int i) { return has_item(i) ? rec_.item[i].no : -1; }

int YTheory::getitemvalue(int i) { return has_item(i) ? rec_.item[i].value : -1; }

int YTheory::getitemparam(int i, int k) {
  return has_item(i) && k >= 0 && k < 3 ? rec_.item[i].param[k] : -1;
}

void YTheory::setcode(int code) { rec_.code = code; }

void YTheory::settitle(const char* text) {
  std::memset(rec_.title, ' ', sizeof rec_.title);
  if (text == nullptr) return;
  const std::size_t length = ytext::cut_length(text, sizeof rec_.title);
  std::memcpy(rec_.title, text, length);
}

void YTheory::additem(int no, int value, int p0, int p1) {
  if (rec_.count < 0 || rec_.count >= kMaxItems) return;
  rec_.item[rec_.count] = _tagTHITEM{no, value, {p0, p1, 0}};
  ++rec_.count;
}

void YTheory::clear() { std::memset(&rec_, 0, sizeof rec_); }

std::vector<int> YTheory::shares() const {
  const int count = rec_.count < 0 ? 0 : std::min<int>(rec_.count, kMaxItems);
  std::vector<int> out(static_cast<std::size_t>(count), 0);
  long long total = 0;
  for (int i = 0; i < count; ++i) total += rec_.item[i].value;
  if (total < 1) return out;
  long long missing = 100;
  for (int i = 0; i < count; ++i) {
    out[static_cast<std::size_t>(i)] = static_cast<int>(rec_.item[i].value * 100LL / total);
    missing -= out[static_cast<std::size_t>(i)];
  }
  for (int i = 0; i < count && missing > 0; ++i, --missing) ++out[static_cast<std::size_t>(i)];
  return out;
}
