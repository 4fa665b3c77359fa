// The writer on a disk that fails: every write of the store's files from
// the n-th on fails (a full disk, or a device error), for each n until the
// change gets through. A change that reports failure leaves the store as it
// was; one that reports success is whole; either way the store opens
// afterwards and passes SQLite's integrity check.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "db/base/model.h"
#include "db/store/Database.h"
#include "db/write/Writer.h"
#include "testing/SmallWorld.h"
#include "testing/TempDir.h"

namespace ydb {
namespace {

// A file system over the default one whose files refuse writes, truncations
// and syncs once `writes_left` of them have gone through, with `error`.
// Installed as the default, so every store opened meanwhile uses it.
class FaultyDisk {
 public:
  FaultyDisk() {
    real_ = sqlite3_vfs_find(nullptr);
    vfs_ = *real_;
    vfs_.zName = "faulty-disk";
    vfs_.szOsFile = static_cast<int>(sizeof(File)) + real_->szOsFile;
    vfs_.xOpen = &Open;
    sqlite3_vfs_register(&vfs_, 1);
  }
  ~FaultyDisk() {
    sqlite3_vfs_unregister(&vfs_);
    sqlite3_vfs_register(real_, 1);
  }

  // Lets `writes` more writes through, then fails each with `code`.
  static void Arm(int writes, int code) {
    writes_left_ = writes;
    error_ = code;
  }
  static void Disarm() { writes_left_ = -1; }

 private:
  struct File {
    sqlite3_file base;
    sqlite3_file* real;  // the default file system's file, just after this one
  };

  static sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real; }

  // False when this write is one the disk refuses.
  static bool Allowed() {
    if (writes_left_ < 0) return true;
    if (writes_left_ == 0) return false;
    --writes_left_;
    return true;
  }

  static int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* out) {
    File* file = reinterpret_cast<File*>(f);
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    const int rc = real_->xOpen(real_, name, file->real, flags, out);
    file->base.pMethods = file->real->pMethods != nullptr ? &methods_ : nullptr;
    return rc;
  }

  static int Close(sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); }
  static int Read(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
    return Real(f)->pMethods->xRead(Real(f), buffer, amount, offset);
  }
  static int Write(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
    if (!Allowed()) return error_;
    return Real(f)->pMethods->xWrite(Real(f), buffer, amount, offset);
  }
  static int Truncate(sqlite3_file* f, sqlite3_int64 size) {
    if (!Allowed()) return error_;
    return Real(f)->pMethods->xTruncate(Real(f), size);
  }
  // A sync that goes through does nothing: the test needs no durability,
  // and a real one per step makes it slow.
  static int Sync(sqlite3_file*, int) { return Allowed() ? SQLITE_OK : SQLITE_IOERR_FSYNC; }
  static int FileSize(sqlite3_file* f, sqlite3_int64* size) {
    return Real(f)->pMethods->xFileSize(Real(f), size);
  }
  static int Lock(sqlite3_file* f, int level) { return Real(f)->pMethods->xLock(Real(f), level); }
  static int Unlock(sqlite3_file* f, int level) {
    return Real(f)->pMethods->xUnlock(Real(f), level);
  }
  static int CheckReservedLock(sqlite3_file* f, int* out) {
    return Real(f)->pMethods->xCheckReservedLock(Real(f), out);
  }
  static int FileControl(sqlite3_file* f, int op, void* arg) {
    return Real(f)->pMethods->xFileControl(Real(f), op, arg);
  }
  static int SectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
  static int DeviceCharacteristics(sqlite3_file* f) {
    return Real(f)->pMethods->xDeviceCharacteristics(Real(f));
  }
  static int ShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
    return Real(f)->pMethods->xShmMap(Real(f), region, size, extend, out);
  }
  static int ShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return Real(f)->pMethods->xShmLock(Real(f), offset, n, flags);
  }
  static void ShmBarrier(sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); }
  static int ShmUnmap(sqlite3_file* f, int remove) {
    return Real(f)->pMethods->xShmUnmap(Real(f), remove);
  }

  // Version 2 methods: memory-mapped reads (version 3) are left out, so
  // that every change goes through Write.
  static inline const sqlite3_io_methods methods_ = {
      2,        &Close,    &Read,       &Write,  &Truncate,          &Sync,      &FileSize,
      &Lock,    &Unlock,   &CheckReservedLock,   &FileControl,       &SectorSize,
      &DeviceCharacteristics, &ShmMap, &ShmLock, &ShmBarrier,        &ShmUnmap,  nullptr,
      nullptr};

  static inline sqlite3_vfs* real_ = nullptr;
  static inline int writes_left_ = -1;
  static inline int error_ = SQLITE_FULL;
  sqlite3_vfs vfs_{};
};

// What a test compares before and after a change: the rows of the tables
// the changes below touch, and whether the store is whole.
struct Contents {
  std::string rows;
  bool whole = false;
  bool operator==(const Contents& o) const { return rows == o.rows && whole == o.whole; }
};

Contents Read(const std::string& path) {
  std::unique_ptr<Database> db;
  const Status s = Database::Open(path, Database::Mode::kOpenExisting, &db);
  EXPECT_TRUE(s.ok()) << s.ToString();
  Contents c;
  if (!s.ok()) return c;
  Statement& check = db->statement("PRAGMA integrity_check");
  c.whole = check.step() && check.column_text(0) == "ok";
  check.reset();
  for (const char* table : {"race", "runner", "payout", "horse", "theory", "check_mark", "ticket"}) {
    Statement& st = db->statement(std::string("SELECT count(*) FROM ") + table);
    c.rows += std::string(table) + "=" + (st.step() ? std::to_string(st.column_int(0)) : "?") + " ";
    st.reset();
  }
  return c;
}

// One change to the store, through the writer.
using Change = Status (*)(Writer&);

Status WriteTheNextWeeksRace(Writer& w) {
  Race next = ytest::MakeRace();
  next.key.date = 20240113;
  next.kai_day = 3;
  return w.write(next);
}
Status StoreTheory(Writer& w) {
  Theory theory;
  theory.code = -1;
  theory.title = "faulty";
  theory.items.push_back(TheoryItem{1, 60, 0, 0, 0});
  return w.storeTheory(&theory);
}
Status MarkAHorse(Writer& w) { return w.setCheckMark(CheckKind::kHorse, "2020011"); }

class FaultyDiskTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    std::unique_ptr<Database> db;
    Status s = Database::Open(path_, Database::Mode::kOpenOrCreate, &db);
    ASSERT_TRUE(s.ok()) << s.ToString();
    s = Writer(*db).write(ytest::MakeWorld());
    ASSERT_TRUE(s.ok()) << s.ToString();
  }

  // Runs `change` on a disk failing from the n-th write, for n = 0, 1, ...
  // until it succeeds.
  void FailEveryWay(Change change) {
    const int error = GetParam();
    int failed = 0;
    for (int n = 0; n < 400; ++n) {
      SCOPED_TRACE("writes let through: " + std::to_string(n));
      const Contents before = Read(path_);
      ASSERT_TRUE(before.whole);
      Status s;
      {
        std::unique_ptr<Database> db;
        s = Database::Open(path_, Database::Mode::kOpenExisting, &db);
        ASSERT_TRUE(s.ok()) << s.ToString();
        FaultyDisk::Arm(n, error);
        s = change(*std::make_unique<Writer>(*db));
      }  // closed on the failing disk: the close's checkpoint fails too
      FaultyDisk::Disarm();
      const Contents after = Read(path_);
      EXPECT_TRUE(after.whole);
      if (!s.ok()) {
        ++failed;
        EXPECT_EQ(after, before) << s.ToString();
        EXPECT_EQ(s.code(), Status::Code::kIOError) << s.ToString();
        EXPECT_FALSE(s.message().empty());
        continue;
      }
      EXPECT_GT(failed, 0) << "the change never met the failing disk";
      std::printf("the change failed at each of its first %d writes\n", failed);
      EXPECT_FALSE(after == before) << "a change reported done is in the store";
      return;
    }
    ADD_FAILURE() << "the change never got through";
  }

  ytest::TempDir dir_;
  const std::string path_ = dir_.str() + "/store.db";
  FaultyDisk disk_;
};

TEST_P(FaultyDiskTest, AFailedRaceWriteLeavesTheStoreAsItWas) { FailEveryWay(&WriteTheNextWeeksRace); }
TEST_P(FaultyDiskTest, AFailedTheoryOrMarkLeavesTheStoreAsItWas) {
  FailEveryWay(&StoreTheory);
  FailEveryWay(&MarkAHorse);
}

INSTANTIATE_TEST_SUITE_P(Errors, FaultyDiskTest, ::testing::Values(SQLITE_FULL, SQLITE_IOERR_WRITE),
                         [](const ::testing::TestParamInfo<int>& param) {
                           return std::string(param.param == SQLITE_FULL ? "DiskFull" : "WriteError");
                         });

}  // namespace
}  // namespace ydb
