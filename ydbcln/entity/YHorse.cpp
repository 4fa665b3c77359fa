// YHorse: the horse record formatted once, its runs and pedigree.
#include "ydbcln/entity/YHorse.h"

#include <cstdio>

#include "ydbcln/entity/FetchRecord.h"
#include "ydbcln/entity/YHorseList.h"
#include "ydbcln/race/YBlood.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

namespace {

using namespace ydbumarec;

unsigned char* at(const _tagYDBUMAREC* rec, int offset) {
  return const_cast<unsigned char*>(rec->bytes) + offset;
}

std::string rate_text(int part, int starts) {
  static const std::string kPercent = yutil::sjis_table({"％"})[0];
  char text[16];
  std::snprintf(text, sizeof text, "%5.1f", starts == 0 ? 0.0 : part * 100.0 / starts);
  return text + kPercent;
}

}  // namespace

YHorse::YHorse(YHorseDB* db, std::string& horsecode) : YMainObject(db) {
  yentity::fetch_record<_tagYDBUMAREC>(db, horsecode, kCodeWidth, kSize, get_uma2code,
      [this](const _tagYDBUMAREC* record) { setmember(record); });
}

YHorse::YHorse(YHorseDB* db, YHorseList& row) : YMainObject(db) {
  if (row.record() != nullptr) setmember(row.record());
}

YHorse::YHorse(const YHorse& other) = default;

YHorse& YHorse::operator=(const YHorse& other) = default;

YHorse::~YHorse() = default;

YHorseDB* YHorse::getdb() const { return YMainObject::getdb(); }

void YHorse::print(std::ostream&) {}

void YHorse::setmember(const _tagYDBUMAREC* rec) {
  static const auto kWords = yutil::sjis_table({"歳", "生", "(", ")"});
  code = std::string(reinterpret_cast<const char*>(rec->bytes + kCode), kCodeWidth);
  name = YUtil::delendspc(at(rec, kName), kNameWidth);
  seibetu = YUtil::getseibetu(rec->bytes[kSex]);
  age = YUtil::getage(at(rec, kAge)) + kWords[0];
  stablecode = std::string(reinterpret_cast<const char*>(rec->bytes + kTrainerCode),
                           kTrainerCodeWidth);
  birthday = YUtil::getdate(at(rec, kBirthDate)) + kWords[1];
  owner = YUtil::delendspc(at(rec, kOwner), kOwnerWidth);
  color = YUtil::getcolor(at(rec, kColor));
  blood = YUtil::getblood(at(rec, kBreed));
  umakigou = YUtil::getmark(at(rec, kMark));
  seisansya = YUtil::delendspc(at(rec, kBreeder), kOwnerWidth);
  sanchi = YUtil::getbornplace(at(rec, kBirthplace));
  owner_s = YUtil::delendspc(at(rec, kOwnerShort), kOwnerShortWidth);
  seisansya_s = YUtil::delendspc(at(rec, kBreederShort), kOwnerShortWidth);
  fathercode = std::string(reinterpret_cast<const char*>(rec->bytes + kSireCode), kCodeWidth);
  father = YUtil::delendspc(at(rec, kSireName), kSireNameWidth);
  mother = YUtil::delendspc(at(rec, kDamName), kSireNameWidth);
  mothers_father = YUtil::delendspc(at(rec, kDamsSireName), kSireNameWidth);
  mothers_mother = YUtil::delendspc(at(rec, kDamsDamName), kSireNameWidth);
  rplize = YUtil::getyen(at(rec, kRplize), kRplizeWidth, 1);
  aplize = YUtil::getyen(at(rec, kAplize), kRplizeWidth, 1);
  addplize = YUtil::getyen(at(rec, kAddplize), kRplizeWidth, 1);
  stablename = YUtil::delendspc(at(rec, kTrainerName), kTrainerNameWidth);
  const std::string place =
      YUtil::getstableplace(rec->bytes[kStableAffiliation], at(rec, kStableLocation), false);
  stableplace = place.empty() ? std::string() : kWords[2] + place + kWords[3];
  distprop = kWords[2] + YUtil::getdistprop(rec->bytes[kDistanceAptitude]) + kWords[3];
  const int skills[4] = {kSkillHo, kSkillHd, kSkillSo, kSkillSd};
  for (int i = 0; i < 4; ++i) skill[i] = YUtil::getskill(rec->bytes[skills[i]]);
  mothercode = std::string(reinterpret_cast<const char*>(rec->bytes + kDamCode), kCodeWidth);
  srplize = YUtil::getyen(at(rec, kSrplize), kRplizeWidth, 1);
  saplize = YUtil::getyen(at(rec, kSaplize), kRplizeWidth, 1);

  // The career: the six groups summed position by position.
  int counts[4] = {0, 0, 0, 0};
  for (int i = 0; i < kFinishCountsCount; ++i) {
    counts[i % 4] += YUtil::getnum(at(rec, kFinishCounts + i * kFinishCountsWidth),
                                   kFinishCountsWidth);
  }
  const int starts = counts[0] + counts[1] + counts[2] + counts[3];
  win1p = rate_text(counts[0], starts);
  win2p = rate_text(counts[0] + counts[1], starts);
  win3p = rate_text(counts[0] + counts[1] + counts[2], starts);
  char text[32];
  std::snprintf(text, sizeof text, "%2d-%2d-%2d-%2d/%3d", counts[0], counts[1], counts[2],
                counts[3], starts);
  chakudosu = text;

  pedigree_ = std::make_shared<YBlood>(getdb(), code);
  check_ = ReadCheck(code, kCheckKind);
}

void YHorse::deletevector() { runs_.clear(); }

int YHorse::searchrace() {
  deletevector();
  if (code.size() != static_cast<std::size_t>(kCodeWidth)) return 0;
  return runs_.load(getdb(), get_uma_race2code(code.c_str()), &totals_);
}

int YHorse::getracecount() { return runs_.count(); }

bool YHorse::notfound() { return !code.empty(); }

YRaceHorse* YHorse::race(int i) { return runs_.at(i); }

bool YHorse::is_check() { return check_; }

int YHorse::set_check() { return ChangeCheck(code, kCheckKind, true, &check_); }

int YHorse::reset_check() { return ChangeCheck(code, kCheckKind, false, &check_); }

YRaceTotal* YHorse::total() { return &totals_; }

YBlood* YHorse::pedigree() { return pedigree_.get(); }
