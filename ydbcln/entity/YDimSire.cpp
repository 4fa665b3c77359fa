// YDimSire: the dam-sire record's code and name.
#include "ydbcln/entity/YDimSire.h"

#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"

YDimSire::YDimSire(YHorseDB* db, std::string& horsecode) : YMainObject(db) {
  if (db == nullptr) return;
  db->clearerror();
  if (horsecode.size() != static_cast<std::size_t>(sirerec::kCodeWidth)) return;
  void* fetched = get_umadimsire2code(horsecode.c_str());
  if (fetched == nullptr) {
    db->seterror(1002, "", 0);
    return;
  }
  yrace::OwnedBuffer buffer(fetched);
  if (get_rec_size(fetched) == 1 && yrace::record_count(fetched, umadimsire::kSize) == 1) {
    setmember(static_cast<const _tagUMADIMSIRE*>(fetched));
  }
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
