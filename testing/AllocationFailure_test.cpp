// The library's classes when memory runs short. Each operation runs with
// its n-th allocation failing, for n = 0, 1, ... until it runs through (the
// list rows also with their n-th record allocation failing, the copies of
// records the library makes through the database component). A run
// that meets the failure ends as the class promises: the session's status
// 1003 (or 1002 when the failure met the store's side) and nothing held,
// never a crash or an exception let out; the sanitizer pass checks that it
// frees what it took. A run that does not meet it gives what an undisturbed
// run gives.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "db/api/ydbbsn.h"
#include "db/api/ydbtest.h"
#include "testing/FailingNew.h"
#include "ydbcln/entity/YDimSire.h"
#include "ydbcln/entity/YEtcNamesList.h"
#include "ydbcln/entity/YHorse.h"
#include "ydbcln/entity/YHorseList.h"
#include "ydbcln/entity/YJockey.h"
#include "ydbcln/entity/YSire.h"
#include "ydbcln/entity/YStable.h"
#include "ydbcln/race/RaceStore_test.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/YBlood.h"
#include "ydbcln/race/YDayDenma.h"
#include "ydbcln/race/YDaySeiseki.h"
#include "ydbcln/race/YDenma.h"
#include "ydbcln/race/YMainraceList.h"
#include "ydbcln/race/YOdds.h"
#include "ydbcln/race/YSeiseki.h"
#include "ydbcln/money/YRaceTotalEx.h"
#include "ydbcln/money/YResultTotal.h"
#include "ydbcln/search/YSearchDetailRace.h"
#include "ydbcln/search/YSearchDown.h"

namespace {

const std::string kRace = "052024010611";

class AllocationFailure : public racetest::RaceStore {
 public:
  void SetUp() override {
    RaceStore::SetUp();
    Write();
  }

  // What fails: an allocation of the program (operator new), or a record
  // allocation of the database component (alloc_data and dup_data, the
  // n-th call of each and every one after it).
  enum class Failing { kAllocation, kRecordAllocation };

  static void FailAfter(Failing failing, long n) {
    if (failing == Failing::kAllocation) {
      ytest::FailAllocationAfter(n);
      return;
    }
    ydb_test_reset_counts();
    ydb_test_fail_after("alloc_data", static_cast<int>(n));
    ydb_test_fail_after("dup_data", static_cast<int>(n));
  }

  // Everything succeeds again; whether the failure set for the n-th was reached.
  static bool Allow(Failing failing, long n) {
    if (failing == Failing::kAllocation) return ytest::AllowAllocations();
    ydb_test_fail(nullptr);
    return ydb_test_call_count("alloc_data") > n || ydb_test_call_count("dup_data") > n;
  }

  // Runs `count` (an operation answering how many rows it holds) under
  // every failing allocation in turn. A class that reports failure only
  // through its content (`silent`) leaves the status at 0.
  template <typename Count>
  void FailEachAllocation(const char* what, Count count, bool silent = false,
                          Failing failing = Failing::kAllocation) {
    db_.clearerror();
    const int expected = count();
    ASSERT_GT(expected, 0) << what;
    ASSERT_EQ(db_.geterrstatus(), 0) << what;
    int failed = 0;
    for (long n = 0; n < 100000; ++n) {
      db_.clearerror();
      int got = -2;
      bool escaped = false;
      FailAfter(failing, n);
      try {
        got = count();
      } catch (...) {
        escaped = true;
      }
      const bool reached = Allow(failing, n);
      const int status = db_.geterrstatus();
      const std::string where = std::string(what) + ", allocation " + std::to_string(n) + " failing";
      ASSERT_FALSE(escaped) << where << ": an exception left the library";
      if (!reached) {
        EXPECT_EQ(got, expected) << where;
        EXPECT_EQ(status, 0) << where;
        std::printf("%s: %d %sallocations, each failing in turn\n", what, failed,
                    failing == Failing::kAllocation ? "" : "record ");
        return;
      }
      ++failed;
      if (got == expected && status == 0) continue;  // the failure was absorbed
      if (silent) {
        EXPECT_EQ(status, 0) << where;
      } else {
        EXPECT_TRUE(status == 1003 || status == 1002) << where << ": status " << status;
      }
      EXPECT_LE(got, 0) << where;
      if (HasFailure()) return;
    }
    ADD_FAILURE() << what << " never ran through";
  }

  // The race search's command and results holding the world's one race.
  void FindTheRace(YSearchDetailRace* races) {
    _tagYDetailRaceInfo info{};
    info.period = {20240101, 20241231, 1023, 0};
    ASSERT_EQ(races->setparam(0, &info, nullptr, nullptr, nullptr, nullptr, 0, 0), 0);
    ASSERT_EQ(races->search(), 1);
  }
};

TEST_F(AllocationFailure, ResultsAndCardsHoldAllOrNothing) {
  FailEachAllocation("results", [&] { return YSeiseki(&db_, kRace).gethorsecount(); });
  FailEachAllocation("card", [&] { return YDenma(&db_, kRace).gethorsecount(); });
  YSeiseki results(&db_, kRace);
  YDenma card(&db_, kRace);
  FailEachAllocation("a copy of the results", [&] { return YSeiseki(results).gethorsecount(); });
  FailEachAllocation("a copy of the card", [&] { return YDenma(card).gethorsecount(); });
}

TEST_F(AllocationFailure, DaysOddsAndPedigreesHoldAllOrNothing) {
  FailEachAllocation(
      "a day's list", [&] { return YMainraceList(&db_, 20240106, 1).getplacecount(); }, true);
  YMainraceList day(&db_, 20240106, 1);
  FailEachAllocation("a day's results", [&] { return YDaySeiseki(&db_, &day, false).getracecount(0); });
  FailEachAllocation("a day's cards", [&] { return YDayDenma(&db_, &day).getracecount(0); });
  FailEachAllocation("odds", [&] { return YOdds(&db_, kRace, 9, true).ninki_umacnt(); });
  FailEachAllocation("a pedigree", [&] { return YBlood(&db_, "2020011").exist() ? 1 : 0; });
}

TEST_F(AllocationFailure, ARaceSearchHoldsEveryRaceFoundOrNone) {
  _tagYDetailRaceInfo info{};
  info.period.from = 20240101;
  info.period.to = 20241231;
  info.period.places = 1023;  // every racecourse
  auto search = [&](int tk) {
    YSearchDetailRace s(&db_);
    return s.execrace(0, &info, nullptr, nullptr, nullptr, nullptr, 0, tk) < 0 ? -1
                                                                              : s.get_list_cnt();
  };
  FailEachAllocation("a race search", [&] { return search(0); });
  // The small world's race has a scratched runner (accident 34, bit 8).
  FailEachAllocation("a race search by runner conditions", [&] { return search(1 << 8); });
  YSearchDetailRace found(&db_);
  found.execrace(0, &info, nullptr, nullptr, nullptr, nullptr, 0, 0);
  FailEachAllocation("a copy of a race search",
                     [&] { return YSearchDetailRace(found).get_list_cnt(); });
}

TEST_F(AllocationFailure, TotalsHoldAllOrNothing) {
  YSearchDetailRace races(&db_);
  FindTheRace(&races);
  FailEachAllocation("the runs of a result total", [&] {
    YResultTotal total(&db_);
    return total.setcondition(&races) < 0 ? -1 : total.getracehorsecount();
  });
  YResultTotal total(&db_);
  ASSERT_EQ(total.setcondition(&races), 0);
  FailEachAllocation("a result total by horse",
                     [&] { return total.exec(0) < 0 ? -1 : total.getresultcount(); });
  FailEachAllocation("a result total by course",
                     [&] { return total.exec(14) < 0 ? -1 : total.getresultcount(); });
  FailEachAllocation("the search race totals", [&] {
    YRaceTotalEx totals(&db_);
    return totals.exec(static_cast<_tagRACERMREC*>(races.getorgdata(0)), races.getparam()) < 0
               ? -1
               : totals.getracecnt();
  });
}

TEST_F(AllocationFailure, ADrillDownMakesItsWholeSearchOrNone) {
  YSearchDetailRace races(&db_);
  FindTheRace(&races);
  FailEachAllocation("the horses of the races found", [&] {
    YSearchHorse any(&db_);
    const std::unique_ptr<YSearchHorse> horses(YSearchDown(&db_).exec(&any, &races));
    return horses == nullptr ? -1 : horses->get_list_cnt();
  });
  FailEachAllocation("the runs of the races found", [&] {
    YSearchRaceHorse none(&db_);
    const std::unique_ptr<YSearchRaceHorse> runs(YSearchDown(&db_).search(&none, &races));
    return runs == nullptr ? -1 : runs->get_list_cnt();
  });
}

// A jockey, trainer or sire counts 1 when found, and its runs of 2024.
template <typename Entity>
int PersonAndRuns(Entity& entity) {
  return entity.code.empty() ? 0 : 1 + entity.searchrace(2, 2024);
}

// Built from its code, copied, and assigned over an empty object, an
// entity holds its record and runs whole or nothing.
template <typename Entity, typename Count>
void EachWayOfBuilding(AllocationFailure& test, YHorseDB& db, const char* what,
                       const std::string& code, Count count) {
  const std::string name(what);
  test.FailEachAllocation((name + " from its code").c_str(), [&] {
    std::string key = code;
    Entity entity(&db, key);
    return count(entity);
  });
  std::string key = code;
  Entity original(&db, key);
  ASSERT_GT(count(original), 0) << what;
  auto held = [](Entity& e) { return e.code.empty() ? 0 : 1 + e.getracecount(); };
  test.FailEachAllocation((name + " copied").c_str(), [&] {
    Entity copy(original);
    return held(copy);
  });
  test.FailEachAllocation((name + " assigned").c_str(), [&] {
    std::string none;
    Entity target(&db, none);
    target = original;
    return held(target);
  });
}

TEST_F(AllocationFailure, EntitiesHoldTheirRecordAndRunsWholeOrNothing) {
  EachWayOfBuilding<YHorse>(*this, db_, "a horse", "2020011", [](YHorse& horse) {
    return horse.code.empty() ? 0 : 1 + horse.searchrace();
  });
  EachWayOfBuilding<YJockey>(*this, db_, "a jockey", "01001", PersonAndRuns<YJockey>);
  EachWayOfBuilding<YStable>(*this, db_, "a trainer", "02001", PersonAndRuns<YStable>);
  EachWayOfBuilding<YSire>(*this, db_, "a sire", "1990001", PersonAndRuns<YSire>);
  FailEachAllocation("a dam-sire", [&] {
    std::string code = "1990002";
    return YDimSire(&db_, code).code.empty() ? 0 : 1;
  });
}

// A row copied, and assigned over a copy of `empty` (a row of its kind
// without record), holds its record whole or, with 1003, none, under each
// failing allocation and each failing record allocation in turn.
template <typename Row>
void EachWayOfCopying(AllocationFailure& test, const char* what, const Row& row, const Row& empty) {
  using Failing = AllocationFailure::Failing;
  const auto held = [](Row& r) { return r.getcode().empty() ? 0 : 1; };
  for (const Failing failing : {Failing::kAllocation, Failing::kRecordAllocation}) {
    const std::string name(what);
    test.FailEachAllocation((name + " copied").c_str(), [&] {
      Row copy(row);
      return held(copy);
    }, false, failing);
    test.FailEachAllocation((name + " assigned").c_str(), [&] {
      Row target(empty);
      target = row;
      return held(target);
    }, false, failing);
  }
}

// A row over the one record `buffer` holds; the buffer outlives it.
template <typename Row, typename Record>
Row RowOver(YHorseDB* db, const yrace::OwnedBuffer& buffer) {
  EXPECT_EQ(get_rec_size(buffer.get()), 1);
  return Row(db, static_cast<const Record*>(buffer.get()));
}

// The rows of horses, jockeys, trainers, sires and dam-sires copy their
// record through one helper (RowRecord); the horse's row stands for them.
TEST_F(AllocationFailure, ListRowsCopiedHoldTheirRecordOrNone) {
  const yrace::OwnedBuffer horse(get_uma2code("2020011"));
  EachWayOfCopying(*this, "a horse row", RowOver<YHorseList, _tagYDBUMAREC>(&db_, horse),
                   YHorseList());
  // A name longer than a string holds without allocating.
  char name[] = "\x83\x54\x83\x93\x83\x76\x83\x8b\x83\x6c\x81\x5b\x83\x80\x83\x8d\x83\x93\x83\x4f";
  char code[] = "2020011";
  EachWayOfCopying(*this, "a name row", YEtcNamesList(&db_, name, code, 1),
                   YEtcNamesList(&db_, static_cast<const void*>(nullptr), 1));
}

}  // namespace
