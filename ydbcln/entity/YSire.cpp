// YSire: the sire record formatted once, and its offspring's runs.
#include "ydbcln/entity/YSire.h"

#include "ydbcln/entity/EntityTexts.h"
#include "ydbcln/entity/FetchRecord.h"
#include "ydbcln/entity/PersonFigures.h"
#include "ydbcln/entity/YSireList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

using namespace sirerec;

namespace {

// The display texts, copied and emptied alike.
const yentity::Texts<YSire, 12> kTexts = {
    &YSire::code, &YSire::name, &YSire::birthyear, &YSire::age, &YSire::distprop,
    &YSire::skill_omo, &YSire::skill_dirt, &YSire::color, &YSire::sanchi, &YSire::father,
    &YSire::mother, &YSire::deathyear};

}  // namespace

YSire::YSire(YHorseDB* db, std::string& sirecode) : YMainObject(db) {
  yentity::fetch_record<_tagSIREREC>(db, sirecode, kCodeWidth, kSize, get_sire2code,
      [this](const _tagSIREREC* record) { setmember(record); },
      [this] { empty(); });
}

YSire::YSire(YHorseDB* db, YSireList& row) : YMainObject(db) {
  yentity::take_record(
      db, row.record(), [this](const _tagSIREREC* record) { setmember(record); },
      [this] { empty(); });
}

YSire::YSire(const YSire& other) : YMainObject(other) { copy_from(other); }

YSire& YSire::operator=(const YSire& other) {
  if (this != &other) {
    YMainObject::operator=(other);
    copy_from(other);
  }
  return *this;
}

YSire::~YSire() = default;

void YSire::copy_from(const YSire& other) {
  ysession::guarded(
      getdb(), 0,
      [&] {
        yentity::copy_texts(this, other, kTexts);
        career_ = other.career_;
        return 0;
      },
      [this] { empty(); });
}

void YSire::empty() noexcept {
  yentity::clear_texts(this, kTexts);
  career_.reset();
}

YHorseDB* YSire::getdb() const { return YMainObject::getdb(); }

void YSire::print(std::ostream&) {}

void YSire::setmember(const _tagSIREREC* record) {
  static const auto kWords = yutil::sjis_table({"年生", "歳", "距離", "年死亡"});
  unsigned char* rec = const_cast<unsigned char*>(record->bytes);
  code = std::string(reinterpret_cast<const char*>(rec + kCode), kCodeWidth);
  name = YUtil::delendspc(rec + kName, kNameWidth);
  const std::string born = YUtil::delendspc(rec + kBirthYear, kBirthYearWidth);
  birthyear = born.empty() ? std::string() : born + kWords[0];
  age = born.empty() ? std::string()
                     : YUtil::getage(YUtil::getcurrentyear() - YUtil::getnum(rec + kBirthYear,
                                                                              kBirthYearWidth)) +
                           kWords[1];
  distprop = YUtil::getdistprop(rec[kDistanceAptitude]) + kWords[2];
  skill_omo = YUtil::getskill(rec[kSkillOmo]);
  skill_dirt = YUtil::getskill(rec[kSkillDirt]);
  color = YUtil::getcolor(rec + kColor);
  sanchi = YUtil::getbornplace(rec + kBirthplace);
  father = YUtil::delendspc(rec + kSireName, kNameWidth);
  mother = YUtil::delendspc(rec + kDamName, kNameWidth);
  deathyear = YUtil::delendspc(rec + kDeathYear, kBirthYearWidth);
  if (!deathyear.empty()) deathyear += kWords[3];
  career_.read_check(code, kCheckKind);
}

void YSire::deletevector() { career_.clear(); }

int YSire::searchrace(int mode, int n) {
  deletevector();
  if (code.size() != static_cast<std::size_t>(kCodeWidth)) return 0;
  return career_.load_guarded(
      getdb(), [&] { return fetch_period_runs(get_sire_race2code, code, mode, n); });
}

int YSire::getracecount() { return career_.count(); }

YRaceHorse* YSire::race(int i) { return career_.at(i); }

bool YSire::is_check() { return career_.checked(); }

int YSire::set_check() { return career_.change_check(code, kCheckKind, true); }

int YSire::reset_check() { return career_.change_check(code, kCheckKind, false); }

YRaceTotal* YSire::total() { return career_.totals(); }
