// The entity records and runs against the render world: every count and
// prize figure of every horse, jockey, trainer and sire equals what a walk
// of the written races finds by the finishing rule; the year groups follow
// the fixed today; the runs of a person come latest first within their
// dates, found through the buckets and the race index, never a scan.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "db/layout/Layouts.h"
#include "db/render/EntityRecordRenderer.h"
#include "db/render/EntityRuns.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderWorld_test.h"
#include "testing/FixedToday.h"
#include "testing/QueryPlan.h"

namespace ydb {
namespace {

using ytest::Records;

// What the batch says one entity's runs add up to, walked race by race.
struct Tally {
  std::array<FinishCounts, kSurfaces> career{};
  std::array<FinishCounts, kSurfaces> year{};
  std::array<std::int64_t, kSurfaces> prize{};
  std::array<std::int64_t, kSurfaces> year_prize{};
  std::array<std::int64_t, kSurfaces> year_added{};
};

// Tallies of every entity of one kind, keyed by code; `code_of` names the
// runner's entity (empty: none).
template <typename CodeOf>
std::map<std::string, Tally> TallyRuns(const Batch& batch, int year, CodeOf code_of) {
  std::map<std::string, Tally> tallies;
  for (const Race& race : batch.races) {
    if (!race.result) continue;
    const std::size_t surface = race.race_kind == "0" ? 2 : race.track_code == "1" ? 1 : 0;
    for (const Runner& r : race.runners) {
      if (!r.result) continue;
      const std::string& accident = r.result->accident_code;
      if (accident == "34" || accident == "35") continue;  // never started
      const std::string code = code_of(r);
      if (code.empty()) continue;
      const int pos = r.result->finish_pos;
      const std::size_t k = pos >= 1 && pos <= 3 ? static_cast<std::size_t>(pos - 1) : 3;
      Tally& t = tallies[code];
      ++t.career[surface][k];
      t.prize[surface] += r.result->prize_money;
      if (race.key.date / 10000 == year) {
        ++t.year[surface][k];
        t.year_prize[surface] += r.result->prize_money;
        t.year_added[surface] += r.result->added_money;
      }
    }
  }
  return tallies;
}

FinishCounts Sum(const FinishCounts& a, const FinishCounts& b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2], a[3] + b[3]};
}

// Four counts of a repeated field from occurrence `first`.
FinishCounts CountsOf(const RecordReader& r, const char* field, std::size_t first) {
  FinishCounts c{};
  for (std::size_t k = 0; k < 4; ++k) c[k] = r.number(field, first + k).value_or(-1);
  return c;
}

class EntityRecordsTest : public ytest::RenderStoreTest {
 protected:
  const Batch batch_ = ytest::MakeRenderWorld();
};

constexpr int kYear = 2024;  // the render world's races are of 2023 and 2024

TEST_F(EntityRecordsTest, PeoplesCountsAreTheirRunsByFinishAndTheYearIsTodays) {
  const ytest::FixedToday today(20240301);
  const auto jockeys = TallyRuns(batch_, kYear, [](const Runner& r) { return r.jockey_code; });
  const auto trainers = TallyRuns(batch_, kYear, [](const Runner& r) { return r.trainer_code; });
  ASSERT_EQ(jockeys.size(), 2u);
  struct Person {
    const std::map<std::string, Tally>& tallies;
    Status (*render)(Database&, std::string_view, void**);
    const RecordLayout& layout;
  };
  for (const Person& p : {Person{jockeys, RenderJockey, JockeyLayout()},
                          Person{trainers, RenderStable, StableLayout()}}) {
    for (const auto& [code, t] : p.tallies) {
      SCOPED_TRACE(code);
      Records rec;
      ASSERT_TRUE(p.render(*db_, code, rec.out()).ok());
      ASSERT_EQ(rec.count(), 1);
      const std::string bytes = rec[0];
      const RecordReader r(bytes.data(), p.layout);
      EXPECT_EQ(r.trimmed("code"), code);
      EXPECT_EQ(CountsOf(r, "rh_counts", 0), Sum(t.career[0], t.career[1]));
      EXPECT_EQ(CountsOf(r, "rs_counts", 0), t.career[2]);
      EXPECT_EQ(CountsOf(r, "hh_counts", 0), Sum(t.year[0], t.year[1]));
      EXPECT_EQ(CountsOf(r, "hs_counts", 0), t.year[2]);
      EXPECT_EQ(r.number("year"), kYear);
      EXPECT_EQ(r.number("hhrplize"), (t.year_prize[0] + t.year_prize[1]) / 1000);
      EXPECT_EQ(r.number("hhrplize2"), (t.year_added[0] + t.year_added[1]) / 1000);
      EXPECT_EQ(r.number("hsrplize"), t.year_prize[2] / 1000);
    }
  }
  // The trainer's runs of 2023 are in the career counts and not the year's.
  const Tally& trainer = trainers.at("02001");
  EXPECT_NE(Sum(trainer.career[0], trainer.career[1]), Sum(trainer.year[0], trainer.year[1]));

  // A year later nothing is of the current year: the groups read zero.
  const ytest::FixedToday next_year(20250101);
  Records rec;
  ASSERT_TRUE(RenderJockey(*db_, "01002", rec.out()).ok());
  const std::string bytes = rec[0];
  const RecordReader r(bytes.data(), JockeyLayout());
  EXPECT_EQ(r.number("year"), 2025);
  EXPECT_EQ(CountsOf(r, "hh_counts", 0), (FinishCounts{0, 0, 0, 0}));
}

TEST_F(EntityRecordsTest, HorsesAndSiresCountTheirRunsBySurface) {
  const ytest::FixedToday today(20240301);
  std::map<std::string, std::string> sire_of;
  for (const Horse& h : batch_.horses) sire_of[h.code] = h.pedigree[kSire].code;
  const auto horses = TallyRuns(batch_, kYear, [](const Runner& r) { return r.horse_code; });
  const auto sires =
      TallyRuns(batch_, kYear, [&](const Runner& r) { return sire_of[r.horse_code]; });
  ASSERT_GT(horses.size(), 20u);
  for (const auto& [code, t] : horses) {
    SCOPED_TRACE(code);
    Records rec;
    ASSERT_TRUE(RenderHorse(*db_, code, rec.out()).ok());
    ASSERT_EQ(rec.count(), 1);
    const std::string bytes = rec[0];
    const RecordReader r(bytes.data(), HorseLayout());
    // Groups 0 turf, 1 dirt, 2 jumps, the others zero.
    EXPECT_EQ(CountsOf(r, "finish_counts", 0), t.career[1]);
    EXPECT_EQ(CountsOf(r, "finish_counts", 4), t.career[0]);
    EXPECT_EQ(CountsOf(r, "finish_counts", 8), t.career[2]);
    for (std::size_t g = 3; g < 6; ++g) {
      EXPECT_EQ(CountsOf(r, "finish_counts", 4 * g), (FinishCounts{0, 0, 0, 0}));
    }
    EXPECT_EQ(r.number("rplize"), t.prize[0] + t.prize[1]);
    EXPECT_EQ(r.number("srplize"), t.prize[2]);
    EXPECT_EQ(r.number("age"), kYear - 2020);  // born 2020
  }
  ASSERT_EQ(sires.count("1990001"), 1u);
  Records rec;
  ASSERT_TRUE(RenderSire(*db_, "1990001", rec.out()).ok());
  ASSERT_EQ(rec.count(), 1);
  const std::string bytes = rec[0];
  const RecordReader r(bytes.data(), SireLayout());
  const Tally& t = sires.at("1990001");
  EXPECT_EQ(CountsOf(r, "offspring_counts", 0), t.career[1]);
  EXPECT_EQ(CountsOf(r, "offspring_counts", 4), t.career[0]);
  EXPECT_EQ(CountsOf(r, "offspring_counts", 8), t.career[2]);
  EXPECT_TRUE(r.blank("birth_year"));  // not known
}

// Many horses at once (the searches and the cross searches): the records
// RenderHorse gives one by one, in the order asked, a code twice twice, a
// code of no horse or no code at all none.
TEST_F(EntityRecordsTest, ManyHorsesAtOnceAreEachHorsesOwnRecordInTheOrderAsked) {
  const ytest::FixedToday today(20240301);
  std::vector<std::string> codes;
  for (const Horse& h : batch_.horses) codes.push_back(h.code);
  std::reverse(codes.begin(), codes.end());
  codes.insert(codes.begin() + 1, {codes[0], "2099999", "20x", ""});
  std::string expected;
  int count = 0;
  for (const std::string& code : codes) {
    Records one;
    ASSERT_TRUE(RenderHorse(*db_, code, one.out()).ok());
    for (int i = 0; i < one.count(); ++i, ++count) expected += one[i];
  }
  Records all;
  ASSERT_TRUE(RenderHorses(*db_, codes, all.out()).ok());
  ASSERT_EQ(all.count(), count);
  std::string got;
  for (int i = 0; i < all.count(); ++i) got += all[i];
  EXPECT_EQ(got, expected);
}

// (Codes of no horse or person at all: the fetch tests.)
TEST_F(EntityRecordsTest, AnEntityTheStoreLacksHasNoRecordAndADamSireIsFoundByItsFoals) {
  Records rec;
  // A horse that stands at stud without a sire row is no sire record.
  ASSERT_TRUE(RenderSire(*db_, "1990002", rec.out()).ok());
  EXPECT_EQ(rec.count(), 0);
  // 1990002 is the dam's sire of the small world's horses; 1990001 their sire.
  ASSERT_TRUE(RenderDamSire(*db_, "1990002", rec.out()).ok());
  ASSERT_EQ(rec.count(), 1);
  EXPECT_EQ(rec[0], "1990002" + ytest::Sjis("ノーザンスター", 34));
  ASSERT_TRUE(RenderDamSire(*db_, "1990001", rec.out()).ok());
  EXPECT_EQ(rec.count(), 0);
}

TEST_F(EntityRecordsTest, RunsOfAPersonComeLatestFirstWithinTheirDates) {
  const auto race_code = [](const std::string& record) { return record.substr(1, 12); };
  const auto date_of = [&](const std::string& record) { return race_code(record).substr(2, 8); };
  Records all;
  ASSERT_TRUE(RenderEntityResults(*db_, PastRunKind::kTrainer, "02001", 20230101, 20241231,
                                  all.out()).ok());
  ASSERT_GT(all.count(), 10);
  for (int i = 1; i < all.count(); ++i) {
    const std::string a = all[i - 1];
    const std::string b = all[i];
    EXPECT_GE(date_of(a), date_of(b));
    if (date_of(a) == date_of(b)) {
      EXPECT_GE(a.substr(11, 2), b.substr(11, 2));
    }
    // No runner that never started: the scratched horse of the dead heat.
    EXPECT_NE(a.substr(387, 2), "34");
  }
  // The range takes in both ends and nothing beyond.
  Records one_day;
  ASSERT_TRUE(RenderEntityResults(*db_, PastRunKind::kJockey, "01002", 20231224, 20231224,
                                  one_day.out()).ok());
  ASSERT_EQ(one_day.count(), 2);
  EXPECT_EQ(race_code(one_day[0]), "052023122411");
  Records none;
  ASSERT_TRUE(RenderEntityResults(*db_, PastRunKind::kJockey, "01002", 20231225, 20240105,
                                  none.out()).ok());
  EXPECT_EQ(none.count(), 0);
}

TEST_F(EntityRecordsTest, RunsAreFoundThroughTheBucketsAndTheKeptRecordsKey) {
  const std::string details =
      ytest::PlanOf(*db_, EntityBucketsQuery()) + ytest::PlanOf(*db_, KeptRunQuery());
  EXPECT_NE(details.find("SEARCH past_run_bucket USING PRIMARY KEY (kind=? AND code=?"),
            std::string::npos) << details;
  EXPECT_NE(details.find("SEARCH runner_result_record USING PRIMARY KEY (race_date=? AND "
                         "place=? AND race_no=? AND horse_no=?)"),
            std::string::npos) << details;
  EXPECT_EQ(details.find("SCAN"), std::string::npos) << details;

  // Many horses' figures: the codes asked first, each horse's rows by key.
  const std::string order = ytest::PlanOf(*db_, HorsesTotalsQuery());
  const std::size_t by_key = order.find("SEARCH t USING PRIMARY KEY (kind=? AND code=?)");
  ASSERT_NE(by_key, std::string::npos) << order;
  EXPECT_LT(order.find("SCAN k"), by_key) << order;
}

TEST(EntityCountsTest, ACountTooBigForItsDigitsReadsAllNines) {
  EXPECT_EQ(Saturated(99, 2), 99);
  EXPECT_EQ(Saturated(100, 2), 99);
  EXPECT_EQ(Saturated(-5, 3), 0);
}

}  // namespace
}  // namespace ydb
