// The database session: two-phase start of the database library around the
// engine start, the error state and its fixed messages.
#include "ydbcln/session/YHorseDB.h"

#include "text/sjis.h"
#include "ydbcln/session/ydblib.h"

namespace {

// Initialised sessions in the process. The database library is stopped when
// the last of them terminates.
int g_initialised_sessions = 0;

}  // namespace

const std::string YHorseDB::msg[5] = {
    ytext::to_sjis_lossy("初期化されていません"),
    ytext::to_sjis_lossy("データベースでエラーが発生しました"),
    ytext::to_sjis_lossy("メモリが確保できません"),
    ytext::to_sjis_lossy("パラメータが不正です"),
    ytext::to_sjis_lossy("初期化済みです"),
};

YHorseDB::YHorseDB() : initialised_(false), status_(0), detail_(), detail_number_(0) {}

YHorseDB::YHorseDB(const YHorseDB& other)
    : initialised_(other.initialised_),
      status_(other.status_),
      detail_(other.detail_),
      detail_number_(other.detail_number_) {
  if (initialised_) ++g_initialised_sessions;
}

YHorseDB& YHorseDB::operator=(const YHorseDB& other) {
  if (this == &other) return *this;
  if (other.initialised_) ++g_initialised_sessions;
  term();
  initialised_ = other.initialised_;
  status_ = other.status_;
  detail_ = other.detail_;
  detail_number_ = other.detail_number_;
  return *this;
}

YHorseDB::~YHorseDB() { term(); }

bool YHorseDB::init(const std::string& dir) {
  if (initialised_) {
    seterror(kAlreadyInitialised, "", 0);
    return false;
  }
  std::string directory = dir;
  if (directory.empty() || directory.back() != '\\') directory += '\\';
  if (init_db(directory.c_str(), 0) != 0) {
    seterror(kDatabaseError, "", 0);
    return false;
  }
  if (YDB_start(get_mdb_path()) == 0) {
    seterror(kDatabaseError, "", 0);
    return false;
  }
  if (init_db(directory.c_str(), 1) != 0) {
    YDB_end();
    seterror(kDatabaseError, "", 0);
    return false;
  }
  initialised_ = true;
  ++g_initialised_sessions;
  return true;
}

void YHorseDB::term() {
  if (initialised_ && --g_initialised_sessions == 0) {
    term_db_ex();
    YDB_end();
  }
  initialised_ = false;
}

bool YHorseDB::isinit() { return initialised_; }

void YHorseDB::seterror(int status, const std::string& detail, int detail_number) {
  status_ = status;
  detail_ = detail;
  detail_number_ = detail_number;
}

void YHorseDB::clearerror() { seterror(0, "", 0); }

int YHorseDB::geterrstatus() { return status_; }

std::string YHorseDB::geterrmessage() {
  if (status_ < kNotInitialised || status_ > kAlreadyInitialised) return "";
  return msg[status_ - kNotInitialised];
}

void YHorseDB::getyear(int& first, int& last) {
  if (!initialised_) return;
  first = get_1st_year();
  last = get_last_year();
}

void YHorseDB::getyear_denma(int& first, int& last) {
  if (!initialised_) return;
  first = get_1st_year_den();
  last = get_last_year_den();
}

bool YHorseDB::is1stinstance() { return is_1stinstance() != 0; }

bool YHorseDB::ismoneydataexist() { return is_buy_data() != 0; }

void YHorseDB::begin_resulttotal() { begin_result_total(); }

void YHorseDB::end_resulttotal() { end_result_total(); }

bool YHorseDB::is_resulttotal() { return is_result_total(0) != 0; }
