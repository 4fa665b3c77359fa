// YDimSire: the dam-sire record's code and name.
#include "ydbcln/entity/YDimSire.h"

#include "ydbcln/entity/EntityTexts.h"
#include "ydbcln/entity/FetchRecord.h"
#include "ydbcln/entity/YDimSireList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"

namespace {

// The display texts, copied and emptied alike.
const yentity::Texts<YDimSire, 2> kTexts = {
    &YDimSire::code, &YDimSire::name};

}  // namespace

YDimSire::YDimSire(YHorseDB* db, std::string& horsecode) : YMainObject(db) {
  yentity::fetch_record<_tagUMADIMSIRE>(
      db, horsecode, sirerec::kCodeWidth, umadimsire::kSize, get_umadimsire2code,
      [this](const _tagUMADIMSIRE* record) { setmember(record); },
      [this] { empty(); });
}

YDimSire::YDimSire(YHorseDB* db, YDimSireList& row) : YMainObject(db) {
  yentity::take_record(
      db, row.record(), [this](const _tagUMADIMSIRE* record) { setmember(record); },
      [this] { empty(); });
}

YDimSire::YDimSire(const YDimSire& other) : YMainObject(other) { copy_from(other); }

YDimSire& YDimSire::operator=(const YDimSire& other) {
  if (this != &other) {
    YMainObject::operator=(other);
    copy_from(other);
  }
  return *this;
}

YDimSire::~YDimSire() = default;

void YDimSire::copy_from(const YDimSire& other) {
  ysession::guarded(
      getdb(), 0,
      [&] {
        yentity::copy_texts(this, other, kTexts);
        return 0;
      },
      [this] { empty(); });
}

void YDimSire::empty() noexcept { yentity::clear_texts(this, kTexts); }

YHorseDB* YDimSire::getdb() const { return YMainObject::getdb(); }

void YDimSire::print(std::ostream&) {}

void YDimSire::setmember(const _tagUMADIMSIRE* rec) {
  code = std::string(reinterpret_cast<const char*>(rec->bytes + umadimsire::kCode),
                     sirerec::kCodeWidth);
  name = YUtil::delendspc(const_cast<unsigned char*>(rec->bytes) + umadimsire::kName,
                          umadimsire::kNameWidth);
}
