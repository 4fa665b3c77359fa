// The odds of a race and their popularity orders.
#include "ydbcln/race/YOdds.h"

#include <cstring>
#include <ostream>

#include "ydbcln/race/OddsRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/race/SortedOddsRec.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil_tables.h"
#include "ydbcln/session/ydblib.h"

namespace {

enum Pool { kWinPool = 0, kBracketPool = 1, kQuinellaPool = 2 };
constexpr int kPools = 3;

// The value of an odds field, or kNoValue when it holds a mark or is absent.
int odds_value(const unsigned char* field, int width) {
  if (field == nullptr || !yrace::is_digit(field[0])) return YOdds::kNoValue;
  return static_cast<int>(mui(field, width));
}

// An odds field as the odds board shows it: the digits with leading zeros
// blanked and a point before the tenths ("00123" is "  12.3"), a star for
// '*', ﾄﾘｹｼ for a scratched horse, nothing for any other mark.
std::string odds_text(const unsigned char* field, int width) {
  static const auto kMarks = yutil::sjis_table({"☆", "ﾄﾘｹｼ"});
  if (field == nullptr) return "";
  if (field[0] == '*') return kMarks[0];
  if (field[0] == '/') return kMarks[1];
  if (!yrace::is_digit(field[0])) return "";
  std::string text = yrace::raw(field, width);
  for (char& c : text) {
    if (c != '0') break;
    c = ' ';
  }
  text.insert(text.size() - 1, ".");
  return text;
}

}  // namespace

YOdds::YOdds(YHorseDB* db, const std::string& racekey, int runners, bool final_odds)
    : YSubObject(db), tosu_(runners) {
  if (db != nullptr) setmember(racekey, final_odds);
}

YOdds::YOdds(const YOdds& other) : YSubObject(other), tosu_(other.tosu_) {
  *this = other;
}

YOdds& YOdds::operator=(const YOdds& other) {
  if (this == &other) return *this;
  YSubObject::operator=(other);
  tosu_ = other.tosu_;
  void* odds = dup_data(other.odds_);
  void* ninki[kPools] = {};
  bool copied = (odds != nullptr) == (other.odds_ != nullptr);
  for (int k = 0; k < kPools; ++k) {
    ninki[k] = dup_data(other.ninki_[k]);
    copied = copied && (ninki[k] != nullptr) == (other.ninki_[k] != nullptr);
  }
  clear();
  if (!copied) {
    release_data(odds);
    for (void* buffer : ninki) release_data(buffer);
    if (getdb() != nullptr) getdb()->seterror(YHorseDB::kOutOfMemory, "", 0);
    return *this;
  }
  odds_ = odds;
  for (int k = 0; k < kPools; ++k) ninki_[k] = ninki[k];
  return *this;
}

YOdds::~YOdds() { clear(); }

void YOdds::clear() {
  release_data(odds_);
  odds_ = nullptr;
  for (void*& buffer : ninki_) {
    release_data(buffer);
    buffer = nullptr;
  }
}

void YOdds::setmember(const std::string& racekey, bool final_odds) {
  clear();
  YHorseDB* db = getdb();
  if (!ysession::ready(db)) return;
  yrace::OwnedBuffer copy(alloc_data(oddsrec::kSize, 1));
  if (copy == nullptr) {
    db->seterror(YHorseDB::kOutOfMemory, "", 0);
    return;
  }
  yrace::OwnedBuffer buffer(get_odds2code_ex(racekey.c_str(), final_odds ? 1 : 0));
  if (buffer == nullptr) {
    db->seterror(YHorseDB::kDatabaseError, "", 0);
    return;
  }
  if (yrace::record_count(buffer.get(), oddsrec::kSize) != 1) return;
  std::memcpy(copy.get(), buffer.get(), oddsrec::kSize);
  yrace::OwnedBuffer ninki[kPools];
  for (int k = 0; k < kPools; ++k) {
    ninki[k].reset(make_sorted_odds(buffer.get(), k));
    if (ninki[k] == nullptr) {
      db->seterror(YHorseDB::kDatabaseError, "", 0);
      return;
    }
    // An empty pool is kept as no buffer.
    if (yrace::record_count(ninki[k].get(), sortedoddsrec::kSize) == 0) ninki[k].reset();
  }
  odds_ = copy.release();
  for (int k = 0; k < kPools; ++k) ninki_[k] = ninki[k].release();
}

const unsigned char* YOdds::winfield(int n) const {
  if (odds_ == nullptr || n < 1 || n > tosu_ || n > oddsrec::kWinOddsCount) return nullptr;
  return static_cast<const unsigned char*>(odds_) + oddsrec::kWinOdds +
         oddsrec::kWinOddsWidth * (n - 1);
}

const unsigned char* YOdds::bracketfield(int a, int b) const {
  if (odds_ == nullptr || a < 1 || b > oddsrec::kFrames || a > b) return nullptr;
  return static_cast<const unsigned char*>(odds_) + oddsrec::kBracketOdds +
         oddsrec::kBracketOddsWidth * oddsrec::bracket_index(a, b);
}

const unsigned char* YOdds::quinellafield(int a, int b) const {
  if (odds_ == nullptr || a < 1 || a >= b || b > tosu_ || b > oddsrec::kWinOddsCount) {
    return nullptr;
  }
  return static_cast<const unsigned char*>(odds_) + oddsrec::kQuinellaOdds +
         oddsrec::kQuinellaOddsWidth * oddsrec::quinella_index(a, b);
}

const unsigned char* YOdds::popular(int kind, int rank) const {
  if (rank < 0 || rank >= yrace::record_count(ninki_[kind], sortedoddsrec::kSize)) {
    return nullptr;
  }
  return yrace::record_at(ninki_[kind], sortedoddsrec::kSize, rank);
}

const unsigned char* YOdds::popularwin(int rank, int& horse) const {
  const unsigned char* entry = popular(kWinPool, rank);
  if (entry == nullptr) return nullptr;
  using namespace sortedoddsrec;
  horse = static_cast<int>(mui(entry + kWinHorseNumber, kWinHorseNumberWidth));
  return entry + sortedoddsrec::kOdds;
}

const unsigned char* YOdds::popularpair(int kind, int rank, int& first, int& second) const {
  const unsigned char* entry = popular(kind, rank);
  if (entry == nullptr) return nullptr;
  using namespace sortedoddsrec;
  first = static_cast<int>(mui(entry + kFirstNumber, kFirstNumberWidth));
  second = static_cast<int>(mui(entry + kSecondNumber, kSecondNumberWidth));
  return entry + sortedoddsrec::kOdds;
}

int YOdds::gettosu() { return tosu_; }

void YOdds::tansho(int n, std::string& odds) { odds = odds_text(winfield(n), oddsrec::kWinOddsWidth); }

void YOdds::tansho(int n, int& odds) { odds = odds_value(winfield(n), oddsrec::kWinOddsWidth); }

void YOdds::wakuren(int a, int b, std::string& odds) {
  odds = odds_text(bracketfield(a, b), oddsrec::kBracketOddsWidth);
}

void YOdds::wakuren(int a, int b, int& odds) {
  odds = odds_value(bracketfield(a, b), oddsrec::kBracketOddsWidth);
}

void YOdds::umaren(int a, int b, std::string& odds) {
  odds = odds_text(quinellafield(a, b), oddsrec::kQuinellaOddsWidth);
}

void YOdds::umaren(int a, int b, int& odds) {
  odds = odds_value(quinellafield(a, b), oddsrec::kQuinellaOddsWidth);
}

bool YOdds::is_umaren() { return tosu_ > 8; }

int YOdds::ninki_tancnt() { return yrace::record_count(ninki_[kWinPool], sortedoddsrec::kSize); }

int YOdds::ninki_wakcnt() {
  return yrace::record_count(ninki_[kBracketPool], sortedoddsrec::kSize);
}

int YOdds::ninki_umacnt() {
  return yrace::record_count(ninki_[kQuinellaPool], sortedoddsrec::kSize);
}

void YOdds::ninki_tansho(int rank, int& horse, std::string& odds) {
  odds = odds_text(popularwin(rank, horse), sortedoddsrec::kOddsWidth);
}

void YOdds::ninki_tansho(int rank, int& horse, int& odds) {
  odds = odds_value(popularwin(rank, horse), sortedoddsrec::kOddsWidth);
}

void YOdds::ninki_wakuren(int rank, int& first, int& second, std::string& odds) {
  odds = odds_text(popularpair(kBracketPool, rank, first, second), sortedoddsrec::kOddsWidth);
}

void YOdds::ninki_wakuren(int rank, int& first, int& second, int& odds) {
  odds = odds_value(popularpair(kBracketPool, rank, first, second), sortedoddsrec::kOddsWidth);
}

void YOdds::ninki_umaren(int rank, int& first, int& second, std::string& odds) {
  odds = odds_text(popularpair(kQuinellaPool, rank, first, second), sortedoddsrec::kOddsWidth);
}

void YOdds::ninki_umaren(int rank, int& first, int& second, int& odds) {
  odds = odds_value(popularpair(kQuinellaPool, rank, first, second), sortedoddsrec::kOddsWidth);
}

bool YOdds::isexist() { return odds_ != nullptr; }

std::string YOdds::desc() {
  static const auto kTexts = yutil::sjis_table({"予想オッズ", "前売りオッズ ", "発表"});
  if (odds_ == nullptr) return "";
  const unsigned char* r = static_cast<const unsigned char*>(odds_);
  switch (r[oddsrec::kKind]) {
    case '0':
      return kTexts[0];
    case '1':
      return kTexts[1] + yrace::raw(r + oddsrec::kAnnounced, 2) + ":" +
             yrace::raw(r + oddsrec::kAnnounced + 2, 2) + kTexts[2];
    default:
      return "";
  }
}

void YOdds::print(std::ostream&) {}
