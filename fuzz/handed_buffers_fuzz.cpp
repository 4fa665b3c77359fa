// Buffers a program hands back to the database component, and condition
// texts run against a store, from any bytes. Each call either refuses (null)
// or answers a buffer of its own records; nothing crashes or leaks, and no
// call writes to the store.
//
// An input is: a byte choosing the call, two bytes giving a record size (1
// to 1024), a byte splitting the rest between two buffers, a number some
// calls take (a code list's kind, a count of places), then the bytes of the
// records (of a condition text, for the calls that take one). The
// store is the first race days of a generated world, made once in a
// temporary directory and opened as a program opens it.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "db/api/DataSet.h"
#include "db/api/ybl.h"
#include "db/api/ydbbsn.h"
#include "db/api/ydbcross.h"
#include "db/api/yddb.h"
#include "world/GenerateSeasons.h"

namespace {

using Call = void* (*)(const void* a, const void* b, int number);

#define YDB_CROSS_CALL(a, ak, b, bk) \
  [](const void* x, const void* y, int) { return sc_##a##_##b(x, y); },

const Call kCalls[] = {
    [](const void* a, const void*, int) { return get_racecode2race(a); },
    [](const void* a, const void*, int) { return get_race2dt(a); },
    [](const void* a, const void*, int) { return get_uma2dt(a); },
    [](const void* a, const void*, int n) { return get_otherdata(a, n % 7); },
    [](const void* a, const void*, int) { return get_race2cmd_sp1(a); },
    [](const void* a, const void*, int n) { return get_race2cmd_sp2(a, n % 5); },
    [](const void* a, const void* b, int) { return add_cmd(a, b); },
    [](const void* a, const void*, int) { return get_uma2cmd_sp(a); },
    [](const void* a, const void*, int) { return get_jockey2cmd_sp(a); },
    [](const void* a, const void*, int) { return get_stable2cmd_sp(a); },
    [](const void* a, const void*, int) { return get_sire2cmd_sp(a); },
    YDB_CROSS_SEARCHES(YDB_CROSS_CALL)};
#undef YDB_CROSS_CALL

// The calls that take a condition text instead of buffers.
using TextCall = void* (*)(const char* text);
const TextCall kTextCalls[] = {get_race2cmd, get_uma2cmd, get_jockey2cmd, get_stable2cmd,
                               get_sire2cmd};

std::string dir;
std::string store;

void RemoveStore() {
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

// The store and its write-ahead log as they stand: sizes and change times.
std::string Stamp() {
  std::string stamp;
  for (const std::string& file : {store, store + "-wal"}) {
    struct stat state {};
    if (::stat(file.c_str(), &state) == 0) {
      stamp += std::to_string(state.st_size) + "/" + std::to_string(state.st_mtim.tv_sec) + "." +
               std::to_string(state.st_mtim.tv_nsec) + " ";
    }
  }
  return stamp;
}

// Generates the first race days of 2015 into a new directory and opens them.
bool OpenStore() {
  char made[] = "/tmp/ydbcln-fuzz-XXXXXX";
  if (::mkdtemp(made) == nullptr) return false;
  dir = made;
  std::atexit(RemoveStore);
  {
    std::unique_ptr<ydb::DataSet> data_set;
    if (!ydb::DataSet::Open(dir, ydb::DataSet::Mode::kOpenOrCreate, &data_set).ok()) return false;
    world::Options options;
    options.first_season = options.last_season = world::kDefaultOrigin;
    options.until = 20150105;
    if (!world::Generate(*data_set, options).ok()) return false;
  }
  store = dir + "/" + ydb::DataSet::kStoreFile;
  const std::string path = dir + "/";
  return init_db(path.c_str(), 0) == 0 && YDB_start(get_mdb_path()) != 0 &&
         init_db(path.c_str(), 1) == 0;
}

// A buffer of `size`-byte records holding `length` bytes of `bytes` (the
// last record cut short is left out).
void* Buffer(const std::uint8_t* bytes, std::size_t length, int size) {
  const int count = static_cast<int>(length / static_cast<std::size_t>(size));
  void* buffer = alloc_data(size, count);
  if (buffer != nullptr && count > 0) std::memcpy(buffer, bytes, static_cast<std::size_t>(count) * size);
  return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool opened = OpenStore();
  if (!opened) std::abort();
  constexpr std::size_t kHead = 5;
  if (size < kHead) return 0;
  static const std::string before = Stamp();
  const int choice = data[0];
  const int record_size = 1 + (data[1] | data[2] << 8) % 1024;
  const std::size_t length = size - kHead;
  const std::size_t split = length * data[3] / 255;
  const int number = data[4];
  const std::uint8_t* rest = data + kHead;
  constexpr int kBufferCalls = static_cast<int>(sizeof kCalls / sizeof kCalls[0]);
  constexpr int kTextCallCount = static_cast<int>(sizeof kTextCalls / sizeof kTextCalls[0]);

  void* answer = nullptr;
  if (choice % (kBufferCalls + kTextCallCount) < kBufferCalls) {
    // A null first buffer stands for every record of its kind: asked for
    // when the split leaves the first buffer nothing.
    void* a = split == 0 ? nullptr : Buffer(rest, split, record_size);
    void* b = Buffer(rest + split, length - split, record_size);
    answer = kCalls[choice % (kBufferCalls + kTextCallCount)](a, b, number);
    release_data(a);
    release_data(b);
  } else {
    const std::string text(reinterpret_cast<const char*>(rest), length);
    answer = kTextCalls[choice % (kBufferCalls + kTextCallCount) - kBufferCalls](text.c_str());
  }
  release_data(answer);
  if (Stamp() != before) std::abort();  // a read wrote to the store
  return 0;
}
