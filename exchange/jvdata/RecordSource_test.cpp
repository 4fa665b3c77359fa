// Reading records again at their places: any order across windows of the
// file gives each record's own bytes, and a file changed since it was read
// is an I/O error naming the file and line.
#include "exchange/jvdata/RecordSource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "exchange/jvdata/HandBuilt_test.h"
#include "testing/TempDir.h"

namespace exchange {
namespace jvdata {
namespace {

TEST(RecordSourceTest, RecordsComeBackInAnyOrderUntilTheFileChanges) {
  ytest::TempDir dir;
  const std::string path = (dir.path() / "O6.txt").string();
  // Thirty records of 83 KB, 2.5 MB: more than one window.
  std::vector<Place> places;
  std::string text;
  for (int i = 0; i < 30; ++i) {
    const std::string record = Line("O6", 83285, {{11, std::to_string(1000 + i)}});
    places.push_back({0, static_cast<std::uint32_t>(record.size()), static_cast<std::int64_t>(text.size()), i + 1});
    text += record;
  }
  std::ofstream(path, std::ios::binary) << text;

  RecordSource source({path});
  for (const int i : {29, 0, 1, 15, 14, 28}) {
    std::string_view record;
    const ydb::Status s = source.read(places[static_cast<std::size_t>(i)], &record);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(record.size(), 83283u);
    EXPECT_EQ(record.substr(11, 4), std::to_string(1000 + i)) << "record " << i;
  }

  std::filesystem::resize_file(path, text.size() - 1000);
  RecordSource changed({path});
  std::string_view record;
  const ydb::Status s = changed.read(places.back(), &record);
  EXPECT_TRUE(s.IsIOError());
  EXPECT_EQ(s.message(), path + " line 30: the file changed while it was imported");
}

}  // namespace
}  // namespace jvdata
}  // namespace exchange
