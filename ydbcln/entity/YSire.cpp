// YSire: the sire record formatted once, and its offspring's runs.
#include "ydbcln/entity/YSire.h"

#include "ydbcln/entity/FetchRecord.h"
#include "ydbcln/entity/PersonFigures.h"
#include "ydbcln/entity/YSireList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

using namespace sirerec;

YSire::YSire(YHorseDB* db, std::string& sirecode) : YMainObject(db) {
  yentity::fetch_record<_tagSIREREC>(db, sirecode, kCodeWidth, kSize, get_sire2code,
      [this](const _tagSIREREC* record) { setmember(record); });
}

YSire::YSire(YHorseDB* db, YSireList& row) : YMainObject(db) {
  if (row.record() != nullptr) setmember(row.record());
}

YSire::YSire(const YSire& other) = default;

YSire& YSire::operator=(const YSire& other) = default;

YSire::~YSire() = default;

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
  check_ = ReadCheck(code, kCheckKind);
}

void YSire::deletevector() { runs_.clear(); }

int YSire::searchrace(int mode, int n) {
  std::string from, to;
  run_period(mode, n, &from, &to);
  deletevector();
  if (code.size() != static_cast<std::size_t>(kCodeWidth)) return 0;
  return runs_.load(getdb(), get_sire_race2code(code.c_str(), from.c_str(), to.c_str()),
                    &totals_);
}

int YSire::getracecount() { return runs_.count(); }

YRaceHorse* YSire::race(int i) { return runs_.at(i); }

bool YSire::is_check() { return check_; }

int YSire::set_check() { return ChangeCheck(code, kCheckKind, true, &check_); }

int YSire::reset_check() { return ChangeCheck(code, kCheckKind, false, &check_); }

YRaceTotal* YSire::total() { return &totals_; }
