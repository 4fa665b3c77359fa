// YDimSire: the dam-sire record's code and name.
#include "ydbcln/entity/YDimSire.h"

#include "ydbcln/entity/FetchRecord.h"
#include "ydbcln/entity/YDimSireList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"

YDimSire::YDimSire(YHorseDB* db, std::string& horsecode) : YMainObject(db) {
  yentity::fetch_record<_tagUMADIMSIRE>(
      db, horsecode, sirerec::kCodeWidth, umadimsire::kSize, get_umadimsire2code,
      [this](const _tagUMADIMSIRE* record) { setmember(record); });
}

YDimSire::YDimSire(YHorseDB* db, YDimSireList& row) : YMainObject(db) {
  if (row.record() != nullptr) setmember(row.record());
}

YDimSire::YDimSire(const YDimSire& other) = default;

YDimSire& YDimSire::operator=(const YDimSire& other) = default;

YDimSire::~YDimSire() = default;

YHorseDB* YDimSire::getdb() const { return YMainObject::getdb(); }

void YDimSire::print(std::ostream&) {}

void YDimSire::setmember(const _tagUMADIMSIRE* rec) {
  code = std::string(reinterpret_cast<const char*>(rec->bytes + umadimsire::kCode),
                     sirerec::kCodeWidth);
  name = YUtil::delendspc(const_cast<unsigned char*>(rec->bytes) + umadimsire::kName,
                          umadimsire::kNameWidth);
}
