// Call counts, test-made failures and test-made short buffers of the
// database operations, and the C hooks of ydbtest.h that set them.
#include "db/api/OperationGuard.h"

#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "db/api/ybl.h"
#include "db/api/ydbtest.h"
#include "db/base/RecordBuffer.h"

namespace ydb {
namespace {

// Process-wide, like the session: the library is used from one thread.
struct Guards {
  std::map<std::string, int, std::less<>> calls;
  // Operations made to fail, each with the number of calls it still
  // answers normally (0: it fails now).
  std::map<std::string, int, std::less<>> failing;
  // Operations whose buffers keep at most this many records.
  std::map<std::string, int, std::less<>> kept;
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

void* LeaveOperation(const char* operation, void* buffer) {
  const auto& kept = TheGuards().kept;
  if (buffer == nullptr || kept.empty()) return buffer;
  const auto found = kept.find(std::string_view(operation));
  if (found == kept.end() || get_rec_size(buffer) <= found->second) return buffer;
  const int width = get_rec_width(buffer);
  void* cut = ydb::AllocateRecords(width, found->second);
  if (cut != nullptr) {
    std::memcpy(cut, buffer,
                static_cast<std::size_t>(width) * static_cast<std::size_t>(found->second));
  }
  release_data(buffer);
  return cut;
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

void ydb_test_keep_records(const char* operation, int count) {
  auto& kept = ydb::TheGuards().kept;
  if (operation == nullptr) {
    kept.clear();
  } else if (count < 0) {
    kept.erase(std::string(operation));
  } else {
    kept[operation] = count;
  }
}

}  // extern "C"
