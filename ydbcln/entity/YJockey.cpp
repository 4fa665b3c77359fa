// YJockey: the jockey record formatted once, and the rides of a period.
#include "ydbcln/entity/YJockey.h"

#include "ydbcln/entity/EntityTexts.h"
#include "ydbcln/entity/FetchRecord.h"
#include "ydbcln/entity/PersonFigures.h"
#include "ydbcln/entity/YJockeyList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/YUtil_tables.h"

namespace {

using namespace jockeyrec;

// The display texts, copied and emptied alike.
const yentity::Texts<YJockey, 26> kTexts = {
    &YJockey::qualify, &YJockey::kana, &YJockey::code, &YJockey::name, &YJockey::age,
    &YJockey::shozoku, &YJockey::stablecode, &YJockey::stablename, &YJockey::birthday,
    &YJockey::minarai, &YJockey::hhrplize, &YJockey::hhrplize2, &YJockey::hsrplize,
    &YJockey::hsrplize2, &YJockey::hnh, &YJockey::hns, &YJockey::rnh, &YJockey::rns,
    &YJockey::win1ph, &YJockey::win2ph, &YJockey::win3ph, &YJockey::win1pr, &YJockey::win2pr,
    &YJockey::win3pr, &YJockey::firstyear, &YJockey::stableplace};

// The text of `code` among `codes` ("0123"), empty for any other.
template <std::size_t N>
std::string by_code(unsigned char code, const char* codes, const std::array<std::string, N>& texts) {
  for (std::size_t i = 0; i < N; ++i) {
    if (codes[i] == static_cast<char>(code)) return texts[i];
  }
  return std::string();
}

}  // namespace

YJockey::YJockey(YHorseDB* db, std::string& jockeycode) : YMainObject(db) {
  yentity::fetch_record<_tagJOCKEYREC>(db, jockeycode, kCodeWidth, kSize, get_jockey2code,
      [this](const _tagJOCKEYREC* record) { setmember(record); },
      [this] { empty(); });
}

YJockey::YJockey(YHorseDB* db, YJockeyList& row) : YMainObject(db) {
  yentity::take_record(
      db, row.record(), [this](const _tagJOCKEYREC* record) { setmember(record); },
      [this] { empty(); });
}

YJockey::YJockey(const YJockey& other) : YMainObject(other) { copy_from(other); }

YJockey& YJockey::operator=(const YJockey& other) {
  if (this != &other) {
    YMainObject::operator=(other);
    copy_from(other);
  }
  return *this;
}

YJockey::~YJockey() = default;

void YJockey::copy_from(const YJockey& other) {
  ysession::guarded(
      getdb(), 0,
      [&] {
        yentity::copy_texts(this, other, kTexts);
        career_ = other.career_;
        return 0;
      },
      [this] { empty(); });
}

void YJockey::empty() noexcept {
  yentity::clear_texts(this, kTexts);
  career_.reset();
}

YHorseDB* YJockey::getdb() const { return YMainObject::getdb(); }

void YJockey::print(std::ostream&) {}

void YJockey::setmember(const _tagJOCKEYREC* record) {
  static const auto kQualify = yutil::sjis_table({"資格なし", "平・障", "平地", "障害"});
  static const auto kShozoku = yutil::sjis_table({"西", "東", "招"});
  static const auto kMinarai = yutil::sjis_table({"見習1kg減", "見習2kg減", "見習3kg減"});
  static const auto kWords = yutil::sjis_table({"歳", "生", "年", "フリー", "(", ")"});
  unsigned char* rec = const_cast<unsigned char*>(record->bytes);
  qualify = by_code(rec[kQualification], "0123", kQualify);
  kana = YUtil::delendspc(rec + kKana, kKanaWidth);
  code = std::string(reinterpret_cast<const char*>(rec + kCode), kCodeWidth);
  name = YUtil::delendspc(rec + kName, kNameWidth);
  age = YUtil::gethumanage(rec + kBirthDate, kBirthDateWidth);
  if (!age.empty()) age += kWords[0];
  shozoku = by_code(rec[kAffiliation], "123", kShozoku);
  stablecode = std::string(reinterpret_cast<const char*>(rec + kStableCode), kCodeWidth);
  const bool freelance = stablecode == "00000";
  stablename = freelance ? kWords[3] : YUtil::delendspc(rec + kStableName, kStableNameWidth);
  birthday = YUtil::getdate(rec + kBirthDate) + kWords[1];
  minarai = by_code(rec[kApprentice], "123", kMinarai);
  set_person_figures(rec, kJockeyOffsets, this);
  firstyear = YUtil::delendspc(rec + kFirstYear, kFirstYearWidth);
  if (!firstyear.empty()) firstyear += kWords[2];
  const std::string place =
      YUtil::getstableplace(rec[kStableAffiliation], rec + kStableLocation, false);
  stableplace = place.empty() || freelance ? std::string() : kWords[4] + place + kWords[5];
  career_.read_check(code, kCheckKind);
}

void YJockey::deletevector() { career_.clear(); }

int YJockey::searchrace(int mode, int n) {
  deletevector();
  if (code.size() != static_cast<std::size_t>(kCodeWidth)) return 0;
  return career_.load_guarded(
      getdb(), [&] { return fetch_period_runs(get_jockey_race2code, code, mode, n); });
}

int YJockey::getracecount() { return career_.count(); }

YRaceHorse* YJockey::race(int i) { return career_.at(i); }

bool YJockey::is_check() { return career_.checked(); }

int YJockey::set_check() { return career_.change_check(code, kCheckKind, true); }

int YJockey::reset_check() { return career_.change_check(code, kCheckKind, false); }

YRaceTotal* YJockey::total() { return career_.totals(); }
