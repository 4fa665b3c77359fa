// The factor catalogue: the 78 factors a theory can combine as the factor
// registry (engine/FactorRegistry.h) describes them, their Shift_JIS
// texts, the name table built from the texts, and the validation of a
// theory record against the catalogue.
//
// The texts are converted from the registry's UTF-8 once, when the library
// is loaded.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "text/sjis.h"
#include "ydbcln/theory/YTheories.h"
#include "ydbcln/theory/engine/FactorRegistry.h"

namespace {

constexpr int kRows = YTheories::theorynomax + 1;

// The factor whose text has no final CR LF.
constexpr int kNoFinalLineEnd = 38;

// The Shift_JIS catalogue text of every factor.
std::array<std::string, kRows> BuildTexts() {
  std::array<std::string, kRows> texts;
  for (int no = 1; no < kRows; ++no) {
    const ytheory::Factor* f = ytheory::FindFactor(no);
    std::string text = std::string(f->name) + "\r\n" + f->description;
    if (no != kNoFinalLineEnd) text += "\r\n";
    texts[static_cast<std::size_t>(no)] = ytext::to_sjis_lossy(text);
  }
  return texts;
}

const std::array<std::string, kRows> kSjisTexts = BuildTexts();

// Points YTheories::desc at the converted texts; runs when the library is
// loaded, after kSjisTexts above.
struct DescInit {
  DescInit() {
    for (int no = 0; no < kRows; ++no) {
      YTheories::desc[no] = kSjisTexts[static_cast<std::size_t>(no)].c_str();
    }
  }
};
const DescInit kDescInit;

// Fills the name table the first time it is asked for: each factor's name
// is its text up to the first CR.
void BuildNames() {
  if (YTheories::itemnamecount == YTheories::theorynomax) return;
  for (int no = 1; no < kRows; ++no) {
    YTheories::ItemName& entry = YTheories::itemname[no - 1];
    std::memset(&entry, 0, sizeof entry);
    entry.no = no;
    const std::string& text = kSjisTexts[static_cast<std::size_t>(no)];
    const std::size_t length = std::min(text.find('\r'), sizeof entry.name - 1);
    std::memcpy(entry.name, text.data(), length);
  }
  YTheories::itemnamecount = YTheories::theorynomax;
}

bool IsCode(int no) { return no >= 0 && no < kRows; }

}  // namespace

// YTheories::param_table is drawn from the registry's rows (engine/FactorRegistry.cpp).
const char* YTheories::desc[kRows] = {};
YTheories::ItemName YTheories::itemname[YTheories::theorynomax] = {};
int YTheories::itemnamecount = 0;

int YTheories::getitemcount() {
  BuildNames();
  return itemnamecount;
}

int YTheories::getitemno(int i) {
  BuildNames();
  return i >= 0 && i < itemnamecount ? itemname[i].no : -1;
}

std::string YTheories::getitemname(int i) {
  BuildNames();
  return i >= 0 && i < itemnamecount ? std::string(itemname[i].name) : std::string();
}

std::string YTheories::getitemname_no(int no) {
  BuildNames();
  // The table holds factor `no` at no - 1 (BuildNames).
  return no >= 1 && no <= itemnamecount ? std::string(itemname[no - 1].name) : std::string();
}

int YTheories::getcategory(int i) {
  BuildNames();
  return i >= 0 && i < itemnamecount ? param_table[itemname[i].no][kCategory] : -1;
}

int YTheories::getcategory_no(int no) { return IsCode(no) ? param_table[no][kCategory] : -1; }

int YTheories::getlabel_no(int no) { return IsCode(no) ? param_table[no][kLabel] : -1; }

int YTheories::getcategory2_no(int no) { return IsCode(no) ? param_table[no][kGroup] : -1; }

void YTheories::getparams(int no, int& t1, int& t2) {
  if (!IsCode(no)) return;
  t1 = param_table[no][kParamType1];
  t2 = param_table[no][kParamType2];
}

void YTheories::getdefault(int no, int& d1, int& d2) {
  if (!IsCode(no)) return;
  d1 = param_table[no][kParamDefault1];
  d2 = param_table[no][kParamDefault2];
}

const char* YTheories::getdesc(int no) { return IsCode(no) ? desc[no] : nullptr; }

bool YTheories::isvalidparam(int type, int value) {
  if (type < 0 || type > 3) return false;
  const std::vector<int>& values = ytheory::ParamValues(static_cast<ytheory::ParamKind>(type));
  return std::find(values.begin(), values.end(), value) != values.end();
}

bool YTheories::check(_tagTHEORYREC* record) { return findfault(record, nullptr) == kValid; }

YTheories::CheckFault YTheories::findfault(_tagTHEORYREC* record, int* item_index) {
  if (record == nullptr) return kNoRecord;
  if (record->count < 1 || record->count > YTheory::kMaxItems) return kItemCount;
  for (int i = 0; i < record->count; ++i) {
    if (item_index != nullptr) *item_index = i;
    _tagTHITEM& item = record->item[i];
    if (item.no < 1 || item.no > theorynomax) return kFactor;
    if (item.value < 1 || item.value > 100) return kWeight;
    for (int k = 0; k < 2; ++k) {
      const int type = param_table[item.no][kParamType1 + k];
      if (type == 0) {
        item.param[k] = 0;
      } else if (!isvalidparam(type, item.param[k])) {
        return k == 0 ? kParam1 : kParam2;
      }
    }
  }
  return kValid;
}
