// The exchange importer on any bytes: the first byte picks the file of the
// format, the rest is its text, loaded into a data set the process keeps
// (rows that load stay for the next inputs to refer to). A refused import
// must leave the data set as it was.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "db/api/DataSet.h"
#include "exchange/Columns.h"
#include "exchange/ExchangeFiles.h"

namespace {

namespace fs = std::filesystem;

// A data set and a directory for the file, made once per process.
struct Bench {
  fs::path root;
  std::unique_ptr<ydb::DataSet> data;

  Bench() {
    root = fs::temp_directory_path() / ("ydbcln-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(root / "in");
    if (!ydb::DataSet::Open((root / "data").string(), ydb::DataSet::Mode::kOpenOrCreate, &data).ok()) {
      std::abort();
    }
  }
  ~Bench() {
    data.reset();
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

// What the data set holds, in one number that any loaded row changes.
std::int64_t Held(ydb::DataSet& data) {
  ydb::DataSetCounts counts;
  if (!data.count(&counts).ok()) std::abort();
  return counts.races + counts.jockeys + counts.trainers + counts.sires;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Bench bench;
  if (size == 0) return 0;
  const auto file = static_cast<exchange::File>(data[0] % exchange::kFileCount);
  const fs::path in = bench.root / "in";
  for (const auto& entry : fs::directory_iterator(in)) fs::remove(entry.path());
  std::ofstream(in / exchange::FileName(file), std::ios::binary)
      .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  const std::int64_t before = Held(*bench.data);
  const ydb::Status s = exchange::Import(*bench.data, in.string());
  if (!s.ok() && (s.message().empty() || Held(*bench.data) != before)) std::abort();
  return 0;
}
