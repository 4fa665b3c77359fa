// A horse's pedigree, copied out of its pedigree record into display text.
#include "ydbcln/race/YBlood.h"

#include <ostream>

#include "ydbcln/race/PedigreeRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"

namespace {

constexpr std::size_t kHorseCodeWidth = 7;

bool imported(const unsigned char* origin) { return *origin != pedrec::kFoaledInJapan; }

}  // namespace

YBlood::YBlood(YHorseDB* db, const std::string& horsecode) : YSubObject(db) { setmember(horsecode); }

YBlood::YBlood(const YBlood& other) = default;

YBlood& YBlood::operator=(const YBlood& other) = default;

YBlood::~YBlood() = default;

bool YBlood::exist() { return !code.empty(); }

void YBlood::print(std::ostream&) {}

void YBlood::setmember(const std::string& horsecode) {
  using namespace pedrec;
  code.clear();
  name.clear();
  for (YBloodFM& p : parent) p = YBloodFM();
  for (std::string& a : ancestor) a.clear();

  YHorseDB* db = getdb();
  if (horsecode.size() != kHorseCodeWidth || !ysession::ready(db)) return;
  yrace::OwnedBuffer buffer(get_ped2code(horsecode.c_str()));
  if (buffer == nullptr) {
    db->seterror(YHorseDB::kDatabaseError, "", 0);
    return;
  }
  if (yrace::record_count(buffer.get(), kSize) == 0) return;
  unsigned char* record = yrace::record_at(buffer.get(), kSize, 0);

  code = horsecode;
  name = YUtil::delendspc(record + kHorseName, kHorseNameWidth);
  for (int p = 0; p < kParents; ++p) {
    unsigned char* at = record + kParentOriginStride * p;
    YBloodFM& fm = parent[p];
    fm.name = YUtil::delendspc(at + kParentName, kParentNameWidth);
    fm.name2 = YUtil::delendspc(at + kParentLatinName, kParentLatinNameWidth);
    if (imported(at + kParentOrigin)) {
      fm.name += '*';
      if (!fm.name2.empty()) fm.name2 += '*';
    }
    fm.text4 = yrace::raw(at + kParentBirthYear, kParentBirthYearWidth);
    fm.color = YUtil::getcolor(at + kParentColor);
  }
  for (int a = 0; a < kAncestors; ++a) {
    unsigned char* at = record + kAncestorOriginStride * a;
    ancestor[a] = YUtil::delendspc(at + kAncestorName, kAncestorNameWidth);
    if (imported(at + kAncestorOrigin) && !ancestor[a].empty()) ancestor[a] += '*';
  }
}
