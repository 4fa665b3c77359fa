// YHorse: the horse record formatted once, its runs and pedigree.
#include "ydbcln/entity/YHorse.h"

#include <cstdio>

#include "ydbcln/entity/EntityTexts.h"
#include "ydbcln/entity/FetchRecord.h"
#include "ydbcln/entity/YHorseList.h"
#include "ydbcln/race/YBlood.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

namespace {

using namespace ydbumarec;

// The display texts, copied and emptied alike.
const yentity::Texts<YHorse, 32> kTexts = {
    &YHorse::code, &YHorse::name, &YHorse::seibetu, &YHorse::age, &YHorse::stablecode,
    &YHorse::stablename, &YHorse::birthday, &YHorse::owner, &YHorse::color, &YHorse::blood,
    &YHorse::umakigou, &YHorse::seisansya, &YHorse::sanchi, &YHorse::fathercode, &YHorse::father,
    &YHorse::mother, &YHorse::mothers_father, &YHorse::mothers_mother, &YHorse::rplize,
    &YHorse::aplize, &YHorse::addplize, &YHorse::srplize, &YHorse::saplize, &YHorse::win1p,
    &YHorse::win2p, &YHorse::win3p, &YHorse::chakudosu, &YHorse::owner_s, &YHorse::seisansya_s,
    &YHorse::stableplace, &YHorse::distprop, &YHorse::mothercode};

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
      [this](const _tagYDBUMAREC* record) { setmember(record); },
      [this] { empty(); });
}

YHorse::YHorse(YHorseDB* db, YHorseList& row) : YMainObject(db) {
  yentity::take_record(
      db, row.record(), [this](const _tagYDBUMAREC* record) { setmember(record); },
      [this] { empty(); });
}

YHorse::YHorse(const YHorse& other) : YMainObject(other) { copy_from(other); }

YHorse& YHorse::operator=(const YHorse& other) {
  if (this != &other) {
    YMainObject::operator=(other);
    copy_from(other);
  }
  return *this;
}

YHorse::~YHorse() = default;

void YHorse::copy_from(const YHorse& other) {
  ysession::guarded(
      getdb(), 0,
      [&] {
        yentity::copy_texts(this, other, kTexts);
        for (int i = 0; i < 4; ++i) skill[i] = other.skill[i];
        pedigree_ = other.pedigree_;
        career_ = other.career_;
        return 0;
      },
      [this] { empty(); });
}

void YHorse::empty() noexcept {
  yentity::clear_texts(this, kTexts);
  for (std::string& s : skill) s.clear();
  pedigree_.reset();
  career_.reset();
}

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
  // A pedigree the store failed to read leaves the horse empty, as a
  // failed fetch of the horse itself does.
  if (getdb() != nullptr && getdb()->geterrstatus() == YHorseDB::kDatabaseError) {
    empty();
    return;
  }
  career_.read_check(code, kCheckKind);
}

void YHorse::deletevector() { career_.clear(); }

int YHorse::searchrace() {
  deletevector();
  if (code.size() != static_cast<std::size_t>(kCodeWidth)) return 0;
  return career_.load_guarded(
      getdb(), [&] { return get_uma_race2code(code.c_str()); });
}

int YHorse::getracecount() { return career_.count(); }

bool YHorse::notfound() { return !code.empty(); }

YRaceHorse* YHorse::race(int i) { return career_.at(i); }

bool YHorse::is_check() { return career_.checked(); }

int YHorse::set_check() { return career_.change_check(code, kCheckKind, true); }

int YHorse::reset_check() { return career_.change_check(code, kCheckKind, false); }

YRaceTotal* YHorse::total() { return career_.totals(); }

YBlood* YHorse::pedigree() { return pedigree_.get(); }
