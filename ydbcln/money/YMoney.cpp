// YMoney: settling a year's tickets into balance series and record lists.
#include "ydbcln/money/YMoney.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "ydbcln/money/_tagBUYTICKETREC.h"
#include "ydbcln/race/HaitoFill.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/YRaceList.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"

namespace {

constexpr double kNoMaximum = -1e35;
constexpr double kNoMinimum = 1e35;
constexpr int kMonths = 12;

std::string CodeOf(const unsigned char* ticket) {
  return std::string(reinterpret_cast<const char*>(ticket + buyticketrec::kRaceCode),
                     buyticketrec::kRaceCodeWidth);
}

int DateOf(unsigned char* ticket) {
  return YUtil::getnum(ticket + buyticketrec::kRaceDate, buyticketrec::kRaceDateWidth);
}

// The bet type of a ticket: its digit less '/'; a blank digit counts as 0.
int TypeOf(const unsigned char* ticket) {
  const unsigned char digit = ticket[buyticketrec::kBetType];
  return (digit == ' ' ? '0' : digit) - buyticketrec::kTypeDigitBase;
}

// Adds `value` to the point of `key` in `series` (kept unordered until the
// series is finished).
void AddToPoint(std::vector<YMoneyGraph>& series, int key, double value) {
  for (YMoneyGraph& point : series) {
    if (point.key == key) {
      point.value += value;
      return;
    }
  }
  series.emplace_back(key, value);
}

// Orders a series, sets its running totals and finds its extremes.
void FinishSeries(std::vector<YMoneyGraph>& series, double* max, double* min) {
  std::sort(series.begin(), series.end());
  double total = 0;
  for (YMoneyGraph& point : series) {
    total += point.value;
    point.total = total;
    *max = std::max({*max, point.value, point.total});
    *min = std::min({*min, point.value, point.total});
  }
}

// Adds `rec` to the sum kept under `key`, starting the sum from `first`.
template <typename Key>
void AddToSum(std::map<Key, YMoneyRecord>& sums, const Key& key, const YMoneyRecord& first,
              const YMoneyRecord& rec) {
  auto found = sums.find(key);
  if (found == sums.end()) {
    found = sums.emplace(key, first).first;
    found->second.staked = 0;
    found->second.returned = 0;
    found->second.balance = 0;
    found->second.tickets = 0;
    found->second.hits = 0;
  }
  found->second.add(rec);
}

template <typename Key>
std::vector<YMoneyRecord> Values(const std::map<Key, YMoneyRecord>& sums) {
  std::vector<YMoneyRecord> out;
  for (const auto& entry : sums) out.push_back(entry.second);
  std::stable_sort(out.begin(), out.end());
  return out;
}

}  // namespace

YMoney::YMoney(YHorseDB* db) : db_(db) { clear(); }

YMoney::~YMoney() = default;

void YMoney::clear() {
  stakedtext_.clear();
  returnedtext_.clear();
  staked_ = 0;
  returned_ = 0;
  for (int set = 0; set < kSets; ++set) {
    for (int s = 0; s < kSeries; ++s) {
      graph_[set][s].clear();
      max_[set][s] = kNoMaximum;
      min_[set][s] = kNoMinimum;
    }
  }
  for (auto& group : records_) {
    for (auto& list : group) list.clear();
  }
}

int YMoney::exec(int year) {
  clear();
  yrace::OwnedBuffer tickets(get_buy_ticket2year(std::to_string(year).c_str()));
  if (tickets == nullptr) {
    if (db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
    return -1;
  }
  const int count = yrace::record_count(tickets.get(), buyticketrec::kSize);
  if (count > 0) {
    Cache cache;
    auto* records = static_cast<unsigned char*>(tickets.get());
    setgraph(records, count, cache);
    setrec(records, count, cache);
  }
  stakedtext_ = YUtil::getyen(static_cast<unsigned int>(staked_), 10);
  returnedtext_ = YUtil::getyen(static_cast<unsigned int>(std::llround(returned_)), 10);
  return 0;
}

const YHaito& YMoney::race(const std::string& code, Cache& cache) {
  auto found = cache.find(code);
  if (found != cache.end()) return found->second;
  YHaito settled(code);
  yrace::OwnedBuffer record(get_race2code_1_ex(code.c_str(), 1));
  if (record == nullptr && db_ != nullptr) db_->seterror(YHorseDB::kDatabaseError, "", 0);
  if (yrace::record_count(record.get(), racermrec::kSize) == 1 &&
      yrace::fill_haito(db_, code, &settled.pay)) {
    YRaceList row(db_, static_cast<_tagRACERMREC*>(record.get()), true);
    settled.date = row.getdate();
    settled.raceno = row.getno();
    settled.horsecount = row.gethorsecount();
    settled.classnum = row.getclassnum();
    settled.kaisai = row.getlongkaisai();
    settled.racename = row.getlongracename();
    settled.raceclass = row.getlongraceclass();
  }
  return cache.emplace(code, settled).first->second;
}

bool YMoney::getshushi(unsigned char* ticket, int& staked, double& returned, double& balance,
                       YMoneyRecord* record, Cache& cache) {
  const std::string code = CodeOf(ticket);
  const YHaito& settled = race(code, cache);
  if (settled.date == 0) return false;
  const int type = TypeOf(ticket);
  const int first = YUtil::getnum(ticket + buyticketrec::kFirstNumber,
                                  buyticketrec::kFirstNumberWidth);
  const int second = YUtil::getnum(ticket + buyticketrec::kSecondNumber,
                                   buyticketrec::kSecondNumberWidth);
  staked = YUtil::getnum(ticket + buyticketrec::kCount, buyticketrec::kCountWidth) * 10;
  returned = settled.payout(type, first, second) * staked * 0.01;
  balance = returned - staked;
  if (record != nullptr) {
    record->date = DateOf(ticket);
    record->racecode = code;
    record->kaisai = settled.kaisai;
    record->racename = settled.racename;
    record->classname = settled.raceclass;
    record->type = type;
    record->first = first;
    record->second = second;
    record->staked = staked;
    record->returned = returned;
    record->balance = balance;
    record->tickets = 1;
    record->hits = returned > 0 ? 1 : 0;
    record->setrates();
  }
  return true;
}

void YMoney::setgraph(unsigned char* records, int count, Cache& cache) {
  for (int n = 0; n < count; ++n) {
    unsigned char* ticket = records + static_cast<long>(buyticketrec::kSize) * n;
    int staked = 0;
    double returned = 0, balance = 0;
    if (!getshushi(ticket, staked, returned, balance, nullptr, cache)) continue;
    staked_ += staked;
    returned_ += returned;
    const int date = DateOf(ticket);
    const int type = TypeOf(ticket);
    for (const int s : {0, type}) {
      if (s < 0 || s >= kSeries) continue;
      AddToPoint(graph_[0][s], date, balance);
      AddToPoint(graph_[1][s], (date / 100 % 100) * 100, balance);
    }
  }
  for (int s = 0; s < kSeries; ++s) {
    for (int month = 1; month <= kMonths; ++month) AddToPoint(graph_[1][s], month * 100, 0);
    for (int set = 0; set < kSets; ++set) FinishSeries(graph_[set][s], &max_[set][s], &min_[set][s]);
  }
}

void YMoney::setrec(unsigned char* records, int count, Cache& cache) {
  std::map<std::string, YMoneyRecord> races[kGroups], venues[kGroups];
  std::map<int, YMoneyRecord> days[kGroups], months[kGroups], years[kGroups];
  for (int n = 0; n < count; ++n) {
    unsigned char* ticket = records + static_cast<long>(buyticketrec::kSize) * n;
    int staked = 0;
    double returned = 0, balance = 0;
    YMoneyRecord rec;
    if (!getshushi(ticket, staked, returned, balance, &rec, cache)) continue;
    for (const int g : {0, rec.type}) {
      if (g < 0 || g >= kGroups) continue;
      records_[g][0].push_back(rec);
      YMoneyRecord key = rec;
      key.type = g;
      key.first = 0;
      key.second = 0;
      AddToSum(races[g], std::to_string(rec.date) + rec.racecode, key, rec);
      YMoneyRecord day = key;
      day.racecode.clear();
      day.kaisai.clear();
      day.racename.clear();
      day.classname.clear();
      AddToSum(days[g], rec.date, day, rec);
      YMoneyRecord month = day;
      month.date = rec.date / 100 * 100 + 1;
      AddToSum(months[g], month.date, month, rec);
      YMoneyRecord year = day;
      year.date = rec.date / 10000 * 10000 + 101;
      AddToSum(years[g], year.date, year, rec);
      YMoneyRecord venue = year;
      venue.racecode = rec.racecode.substr(0, 2);
      venue.kaisai = YUtil::getplace(ticket + buyticketrec::kRaceCode, false);
      AddToSum(venues[g], venue.racecode, venue, rec);
    }
  }
  for (int g = 0; g < kGroups; ++g) {
    std::stable_sort(records_[g][0].begin(), records_[g][0].end());
    records_[g][1] = Values(races[g]);
    records_[g][2] = Values(days[g]);
    records_[g][3] = Values(months[g]);
    std::vector<YMoneyRecord> by_venue;
    for (const auto& entry : venues[g]) by_venue.push_back(entry.second);
    records_[g][4] = by_venue;
    records_[g][5] = Values(years[g]);
  }
}

int YMoney::getgraphcount(int set, int series) {
  return isseries(set, series) ? static_cast<int>(graph_[set][series].size()) : -1;
}

YMoneyGraph* YMoney::getgraphdata(int set, int series, int i) {
  if (!isseries(set, series) || i < 0 || i >= getgraphcount(set, series)) return nullptr;
  return &graph_[set][series][i];
}

double YMoney::getgraphmax(int set, int series) {
  return isseries(set, series) ? max_[set][series] : -1.0;
}

double YMoney::getgraphmin(int set, int series) {
  return isseries(set, series) ? min_[set][series] : -1.0;
}

int YMoney::getrecordcount(int group, int series) {
  return islist(group, series) ? static_cast<int>(records_[group][series].size()) : -1;
}

YMoneyRecord* YMoney::getrecord(int group, int series, int i) {
  if (!islist(group, series) || i < 0 || i >= getrecordcount(group, series)) return nullptr;
  return &records_[group][series][i];
}
