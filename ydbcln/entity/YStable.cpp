// YStable: the stable record formatted once, and the runners of a period.
#include "ydbcln/entity/YStable.h"

#include "ydbcln/entity/EntityTexts.h"
#include "ydbcln/entity/FetchRecord.h"
#include "ydbcln/entity/PersonFigures.h"
#include "ydbcln/entity/YStableList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

namespace {

// The display texts, copied and emptied alike.
const yentity::Texts<YStable, 21> kTexts = {
    &YStable::kana, &YStable::code, &YStable::name, &YStable::age, &YStable::birthday,
    &YStable::hhrplize, &YStable::hhrplize2, &YStable::hsrplize, &YStable::hsrplize2,
    &YStable::hnh, &YStable::hns, &YStable::rnh, &YStable::rns, &YStable::win1ph,
    &YStable::win2ph, &YStable::win3ph, &YStable::win1pr, &YStable::win2pr, &YStable::win3pr,
    &YStable::firstyear, &YStable::stableplace};

}  // namespace

YStable::YStable(YHorseDB* db, std::string& stablecode) : YMainObject(db) {
  yentity::fetch_record<_tagSTABLEREC>(
      db, stablecode, jockeyrec::kCodeWidth, stablerec::kSize, get_stable2code,
      [this](const _tagSTABLEREC* record) { setmember(record); },
      [this] { empty(); });
}

YStable::YStable(YHorseDB* db, YStableList& row) : YMainObject(db) {
  yentity::take_record(
      db, row.record(), [this](const _tagSTABLEREC* record) { setmember(record); },
      [this] { empty(); });
}

YStable::YStable(const YStable& other) : YMainObject(other) { copy_from(other); }

YStable& YStable::operator=(const YStable& other) {
  if (this != &other) {
    YMainObject::operator=(other);
    copy_from(other);
  }
  return *this;
}

YStable::~YStable() = default;

void YStable::copy_from(const YStable& other) {
  ysession::guarded(
      getdb(), 0,
      [&] {
        yentity::copy_texts(this, other, kTexts);
        career_ = other.career_;
        return 0;
      },
      [this] { empty(); });
}

void YStable::empty() noexcept {
  yentity::clear_texts(this, kTexts);
  career_.reset();
}

YHorseDB* YStable::getdb() const { return YMainObject::getdb(); }

void YStable::print(std::ostream&) {}

void YStable::setmember(const _tagSTABLEREC* record) {
  using namespace jockeyrec;  // the opening fields are the jockey record's
  static const auto kWords = yutil::sjis_table({"歳", "生", "年"});
  unsigned char* rec = const_cast<unsigned char*>(record->bytes);
  kana = YUtil::delendspc(rec + kKana, kKanaWidth);
  code = std::string(reinterpret_cast<const char*>(rec + kCode), kCodeWidth);
  name = YUtil::delendspc(rec + kName, kNameWidth);
  age = YUtil::gethumanage(rec + kBirthDate, kBirthDateWidth);
  if (!age.empty()) age += kWords[0];
  birthday = YUtil::getdate(rec + kBirthDate) + kWords[1];
  set_person_figures(rec, kStableOffsets, this);
  firstyear = YUtil::delendspc(rec + stablerec::kFirstYear, kFirstYearWidth);
  if (!firstyear.empty()) firstyear += kWords[2];
  stableplace =
      YUtil::getstableplace(rec[stablerec::kAffiliation], rec + stablerec::kLocation, true);
  career_.read_check(code, kCheckKind);
}

void YStable::deletevector() { career_.clear(); }

int YStable::searchrace(int mode, int n) {
  deletevector();
  if (code.size() != static_cast<std::size_t>(jockeyrec::kCodeWidth)) return 0;
  return career_.load_guarded(
      getdb(), [&] { return fetch_period_runs(get_stable_race2code, code, mode, n); });
}

int YStable::getracecount() { return career_.count(); }

YRaceHorse* YStable::race(int i) { return career_.at(i); }

bool YStable::is_check() { return career_.checked(); }

int YStable::set_check() { return career_.change_check(code, kCheckKind, true); }

int YStable::reset_check() { return career_.change_check(code, kCheckKind, false); }

YRaceTotal* YStable::total() { return career_.totals(); }
