// The records of a range's run races, read a month at a time, and each
// race's found among them.
#include "ydbcln/theory/engine/RangeRaces.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "db/api/ydbrange.h"
#include "ydbcln/race/HaitoFill.h"
#include "ydbcln/race/PayoutRec.h"
#include "ydbcln/race/RecordFields.h"
#include "ydbcln/session/YUtil.h"
#include "ydbcln/session/ydblib.h"
#include "ydbcln/theory/YTheoryResult.h"
#include "ydbcln/theory/engine/RangeRecs.h"

namespace ytheory {
namespace {

// The race order of a 12-digit race code at `code` (place 2, date 8,
// race number 2): date, then racecourse, then race number.
long long raceorder(const unsigned char* code) {
  const long long date = YUtil::getnum(const_cast<unsigned char*>(code) + 2, 8);
  const long long place = YUtil::getnum(const_cast<unsigned char*>(code), 2);
  const long long number = YUtil::getnum(const_cast<unsigned char*>(code) + 10, 2);
  return (date * 100 + place) * 100 + number;
}

std::string datetext(int date) { return std::to_string(date); }

// The forecast odds record of the range: race code, the count of the odds
// (2 digits) and the odds from byte 16.
constexpr int kForecastSize = 128;
constexpr int kForecastCount = 12;
constexpr int kForecastOdds = 16;

}  // namespace

RangeRaces::RangeRaces(int first, int last) : first_(first), last_(last) {}

const RangeRaces::Records* RangeRaces::Find(const std::string& code) {
  if (!yrace::is_race_code(code)) return nullptr;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(code.data());
  const int date = YUtil::getnum(const_cast<unsigned char*>(bytes) + 2, 8);
  if (date < first_ || date > last_) return nullptr;
  if (date / 100 != month_ && !ReadMonth(date)) return nullptr;
  const long long order = raceorder(bytes);
  auto at = std::lower_bound(records_.begin(), records_.end(), order,
                             [](const Records& r, long long o) { return r.order < o; });
  return at != records_.end() && at->order == order ? &*at : nullptr;
}

void RangeRaces::Records::forecastodds(int n, int* odds) const {
  for (int i = 0; i < n; ++i) {
    std::int32_t value = YTheoryResult::kNoOdds;
    if (i < forecastcount) std::memcpy(&value, forecast + 4 * i, 4);
    odds[i] = value;
  }
}

bool RangeRaces::ReadMonth(int date) {
  month_ = 0;
  records_.clear();
  const int from = std::max(first_, date / 100 * 100 + 1);
  const int to = std::min(last_, date / 100 * 100 + 31);
  races_.reset(get_race2date_range(datetext(from).c_str(), datetext(to).c_str()));
  runners_.reset(get_raceh2date_range(datetext(from).c_str(), datetext(to).c_str()));
  payouts_.reset(get_exprize2date_range(datetext(from).c_str(), datetext(to).c_str()));
  forecasts_.reset(get_yodds_tan2date_range(datetext(from).c_str(), datetext(to).c_str()));
  if (races_ == nullptr || runners_ == nullptr || payouts_ == nullptr || forecasts_ == nullptr) {
    return false;
  }

  // The four buffers are in race order: each race's runners, payout and
  // forecast records follow on from the last race's.
  const int races = yrace::record_count(races_.get(), racermrec::kSize);
  const int runners = yrace::record_count(runners_.get(), runnerentryrec::kSize);
  const int payouts = yrace::record_count(payouts_.get(), exprizerec::kSize);
  const int forecasts = yrace::record_count(forecasts_.get(), kForecastSize);
  records_.resize(static_cast<std::size_t>(races));
  int runner = 0;
  int payout = 0;
  int forecast = 0;
  for (int i = 0; i < races; ++i) {
    Records& r = records_[static_cast<std::size_t>(i)];
    unsigned char* race = yrace::record_at(races_.get(), racermrec::kSize, i);
    r.order = raceorder(race + racermrec::kRaceCode);
    r.race = reinterpret_cast<_tagRACERMREC*>(race);
    auto runnerorder = [&](int k) {
      return raceorder(yrace::record_at(runners_.get(), runnerentryrec::kSize, k) +
                       runnerentryrec::kRaceCode);
    };
    while (runner < runners && runnerorder(runner) < r.order) ++runner;
    r.runners = yrace::record_at(runners_.get(), runnerentryrec::kSize, runner);
    while (runner < runners && runnerorder(runner) == r.order) {
      ++runner;
      ++r.runnercount;
    }
    auto payoutorder = [&](int k) {
      return raceorder(yrace::record_at(payouts_.get(), exprizerec::kSize, k));
    };
    while (payout < payouts && payoutorder(payout) < r.order) ++payout;
    if (payout < payouts && payoutorder(payout) == r.order) {
      yrace::haito_from_payout_record(yrace::record_at(payouts_.get(), exprizerec::kSize, payout),
                                      &r.payouts);
    } else {
      yrace::haito_from_race_record(race, &r.payouts);
    }
    auto forecastorder = [&](int k) {
      return raceorder(yrace::record_at(forecasts_.get(), kForecastSize, k));
    };
    while (forecast < forecasts && forecastorder(forecast) < r.order) ++forecast;
    if (forecast < forecasts && forecastorder(forecast) == r.order) {
      unsigned char* odds = yrace::record_at(forecasts_.get(), kForecastSize, forecast);
      r.forecast = odds + kForecastOdds;
      r.forecastcount = YUtil::getnum(odds + kForecastCount, 2);
    }
  }
  month_ = date / 100;
  return true;
}

}  // namespace ytheory
