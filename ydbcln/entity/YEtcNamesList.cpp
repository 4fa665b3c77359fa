// YEtcNamesList: a name-search row copied out of its record.
#include "ydbcln/entity/YEtcNamesList.h"

#include "ydbcln/entity/SireRec.h"
#include "ydbcln/session/OutOfMemory.h"
#include "ydbcln/session/YUtil.h"

namespace {

constexpr int kLongNameWidth = 40;  // the name-only records of types 5 and 6

}  // namespace

YEtcNamesList::YEtcNamesList(YHorseDB* db, const void* rec, int type) : YList(db), type_(type) {
  if (rec == nullptr) return;
  auto* bytes = static_cast<unsigned char*>(const_cast<void*>(rec));
  if (type >= 1 && type <= 4) {
    code_ = std::string(reinterpret_cast<const char*>(bytes + umadimsire::kCode),
                        sirerec::kCodeWidth);
    name_ = YUtil::delendspc(bytes + umadimsire::kName, umadimsire::kNameWidth);
    hascode_ = true;
  } else if (type == 5 || type == 6) {
    name_ = YUtil::delendspc(bytes, kLongNameWidth);
  }
}

YEtcNamesList::YEtcNamesList(YHorseDB* db, char* name, char* code, int type)
    : YList(db), name_(name != nullptr ? name : ""), code_(code != nullptr ? code : ""),
      hascode_(!code_.empty()), type_(type) {}

YEtcNamesList::YEtcNamesList(const YEtcNamesList& other) : YList(other) { *this = other; }

YEtcNamesList& YEtcNamesList::operator=(const YEtcNamesList& other) {
  if (this == &other) return *this;
  YList::operator=(other);
  type_ = other.type_;
  ysession::guarded(getdb(), 0, [&] {
    name_ = other.name_;
    code_ = other.code_;
    hascode_ = other.hascode_;
    return 0;
  }, [this] {
    name_.clear();
    code_.clear();
    hascode_ = false;
  });
  return *this;
}

YEtcNamesList::~YEtcNamesList() = default;

bool YEtcNamesList::iscode() { return hascode_; }

std::string YEtcNamesList::getname() { return name_; }

std::string YEtcNamesList::getcode() { return code_; }

int YEtcNamesList::gettype() { return type_; }
