// The name search over horses, sires, dams, owners, breeders and
// birthplaces.
#include "ydbcln/search/YSearchEtcNames.h"

#include <cstdio>
#include <new>

#include "text/sjis.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr int kCodedRecordSize = 41;  // UMADIMSIRE: code 7, name 34
constexpr int kNameRecordSize = 40;   // NAMEREC: a breeder's name
constexpr int kBirthplaceTable = 6;   // the code table of birthplaces
constexpr int kBirthplaceCodes = 256;
constexpr int kNameRoom = 41;         // a birthplace name and its NUL

}  // namespace

YSearchEtcNames::YSearchEtcNames(YHorseDB* db) : YMainObject(db) {}

YSearchEtcNames::YSearchEtcNames(const YSearchEtcNames& other) : YMainObject(other) {
  *this = other;
}

YSearchEtcNames& YSearchEtcNames::operator=(const YSearchEtcNames& other) {
  if (this == &other) return *this;
  YMainObject::operator=(other);
  deletevector();
  try {
    // Each row made again from its texts, which lets a failing allocation
    // out to here (a row's copy would keep it, leaving the row empty).
    for (const auto& row : other.rows_) {
      std::string name = row->getname(), code = row->getcode();
      rows_.push_back(std::make_unique<YEtcNamesList>(getdb(), name.data(), code.data(), row->gettype()));
    }
  } catch (const std::bad_alloc&) {
    deletevector();
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
  }
  return *this;
}

YSearchEtcNames::~YSearchEtcNames() = default;

int YSearchEtcNames::exec(int kind, char* text) {
  deletevector();
  if (!ysession::ready(getdb())) return -1;
  if (kind < 1 || kind > kBirthplaceTable || text == nullptr || *text == '\0') return 0;
  try {
    return kind == kBirthplaceTable ? frombirthplaces(text) : fromrecords(kind, text);
  } catch (const std::bad_alloc&) {
    deletevector();
    getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
    return -1;
  }
}

int YSearchEtcNames::fromrecords(int kind, const char* text) {
  void* found = nullptr;
  if (kind == 1) {
    found = get_umahm(text);
  } else if (kind <= 3) {
    found = get_sirefm(text, kind == 3);
  } else {
    found = get_umabase(text, kind == 5);
  }
  yrace::OwnedBuffer names(found);
  if (names == nullptr) {
    getdb()->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  const int size = kind == 5 ? kNameRecordSize : kCodedRecordSize;
  const int n = yrace::record_count(names.get(), size);
  for (int i = 0; i < n; ++i) {
    rows_.push_back(std::make_unique<YEtcNamesList>(getdb(), yrace::record_at(names.get(), size, i), kind));
  }
  return n;
}

int YSearchEtcNames::frombirthplaces(const char* text) {
  for (int code = 0; code < kBirthplaceCodes; ++code) {
    char name[kNameRoom];
    if (get_ncode2val(kBirthplaceTable, code, name, kNameRoom) != 0 || name[0] == '\0') continue;
    if (!ytext::search_matches(name, text)) continue;
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03d", code);
    rows_.push_back(std::make_unique<YEtcNamesList>(getdb(), name, digits, kBirthplaceTable));
  }
  return get_list_cnt();
}

YEtcNamesList* YSearchEtcNames::result(int i) {
  if (i < 0 || i >= get_list_cnt()) return nullptr;
  return rows_[static_cast<std::size_t>(i)].get();
}

int YSearchEtcNames::get_list_cnt() { return static_cast<int>(rows_.size()); }

void YSearchEtcNames::deletevector() { rows_.clear(); }
