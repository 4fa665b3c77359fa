// Call counts and test-made failures of the database operations, and the
// C hooks of ydbtest.h that set them.
#include "db/api/OperationGuard.h"

#include <functional>
#include <map>
#include <string>

#include "db/api/ydbtest.h"

namespace ydb {
namespace {

// Process-wide, like the session: the library is used from one thread.
struct Guards {
  std::map<std::string, int, std::less<>> calls;
  // Operations made to fail, each with the number of calls it still
  // answers normally (0: it fails now).
  std::map<std::string, int, std::less<>> failing;
};

Guards& TheGuards() {
  static Guards guards;
  return guards;
}

}  // namespace

bool EnterOperation(const char* operation) {
  Guards& g = TheGuards();
  const std::string_view name = operation;
  auto counted = g.calls.find(name);
  if (counted == g.calls.end()) counted = g.calls.emplace(std::string(name), 0).first;
  ++counted->second;
  if (g.failing.empty()) return true;
  auto failing = g.failing.find(name);
  if (failing == g.failing.end()) return true;
  if (failing->second > 0) {
    --failing->second;
    return true;
  }
  return false;
}

}  // namespace ydb

extern "C" {

void ydb_test_fail(const char* operation) { ydb_test_fail_after(operation, 0); }

void ydb_test_fail_after(const char* operation, int calls) {
  auto& failing = ydb::TheGuards().failing;
  if (operation == nullptr) {
    failing.clear();
    return;
  }
  failing[operation] = calls > 0 ? calls : 0;
}

int ydb_test_call_count(const char* operation) {
  if (operation == nullptr) return 0;
  const auto& calls = ydb::TheGuards().calls;
  const auto found = calls.find(std::string_view(operation));
  return found != calls.end() ? found->second : 0;
}

void ydb_test_reset_counts(void) { ydb::TheGuards().calls.clear(); }

}  // extern "C"
