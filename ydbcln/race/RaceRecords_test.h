// Helpers of the race tests: records built field by field through the
// layout registry, in record buffers as the database library hands them
// out, and Shift_JIS texts from UTF-8.
#ifndef YDBCLN_RACE_RACERECORDS_TEST_H_
#define YDBCLN_RACE_RACERECORDS_TEST_H_

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "testing/Sjis.h"
#include "ydbcln/session/ydblib.h"

namespace racetest {

using ytest::Sjis;

// `count` records of one layout in a record buffer, each emptied (blank)
// and filled through a builder; released when the object goes.
class Records {
 public:
  Records(const ydb::RecordLayout& layout, int count)
      : buffer_(alloc_data(static_cast<int>(layout.size()), count)) {
    for (int i = 0; i < count; ++i) {
      builders_.push_back(std::make_unique<ydb::RecordBuilder>(
          static_cast<unsigned char*>(buffer_.get()) + layout.size() * static_cast<std::size_t>(i),
          layout));
    }
  }

  // The builder of record i.
  ydb::RecordBuilder& at(int i) { return *builders_[static_cast<std::size_t>(i)]; }
  ydb::RecordBuilder& b() { return at(0); }

  // Whether every field set so far was written.
  ::testing::AssertionResult ok() const {
    for (const auto& builder : builders_) {
      if (!builder->status().ok()) return ::testing::AssertionFailure() << builder->status().message();
    }
    return ::testing::AssertionSuccess();
  }

  template <typename T>
  T* as() {
    return static_cast<T*>(buffer_.get());
  }

 private:
  struct Release {
    void operator()(void* p) const { release_data(p); }
  };
  std::unique_ptr<void, Release> buffer_;
  std::vector<std::unique_ptr<ydb::RecordBuilder>> builders_;
};

}  // namespace racetest

#endif  // YDBCLN_RACE_RACERECORDS_TEST_H_
