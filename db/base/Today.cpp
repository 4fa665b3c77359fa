// The switch between the clock and a fixed day.
#include "db/base/Today.h"

#include <atomic>
#include <ctime>

#include "db/base/Date.h"

namespace ydb {
namespace {

// 0 while today comes from the clock.
std::atomic<int> fixed_day{0};

int ClockDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return 0;
  return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

}  // namespace

int Today() {
  const int fixed = fixed_day.load(std::memory_order_relaxed);
  return fixed != 0 ? fixed : ClockDate();
}

bool SetToday(int date) {
  if (date != 0 && !IsCalendarDate(date)) return false;
  fixed_day.store(date, std::memory_order_relaxed);
  return true;
}

}  // namespace ydb
