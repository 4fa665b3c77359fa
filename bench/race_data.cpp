// The speed of reading race data through the library on ten generated
// seasons (about 34,000 races): a race day with its rows, the runners of a
// result with their opponents and comments, the odds of a full field, the
// payouts of every race, and the payout file.
//
// The seasons are generated once into a data directory that later runs
// reuse (BenchWorld.h).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "BenchWorld.h"
#include "testing/TempDir.h"
#include "world/Generator.h"
#include "ydbcln/race/HaitoFill.h"
#include "ydbcln/race/RaceListRec.h"
#include "ydbcln/race/RaceResultRec.h"
#include "ydbcln/race/RecordBuffer.h"
#include "ydbcln/race/ResultRunnerRec.h"
#include "ydbcln/ydbcln.h"

namespace {

constexpr int kFirstSeason = world::kDefaultOrigin;
const int kLastSeason = bench::LastSeason();
constexpr int kRacesPerVenue = 12;

// What the benchmarks read, found once before they run.
struct BenchData {
  YHorseDB db;
  std::vector<std::string> codes;  // every race with results, in date order
  int day = 0;                     // a day of three venues of twelve races
  std::string full_field;          // a race of 18 runners
};

BenchData* data = nullptr;

// Every race with results, and the day and race the benchmarks read.
bool Survey(BenchData* d) {
  for (int year = kFirstSeason; year <= kLastSeason; ++year) {
    yrace::OwnedBuffer days(get_racelist2date_ex(std::to_string(year).c_str(), 0));
    for (int i = 0; i < yrace::record_count(days.get(), racelistrec::kSize); ++i) {
      const unsigned char* day = yrace::record_at(days.get(), racelistrec::kSize, i);
      int venues = 0, full_venues = 0;
      for (int k = 0; k < racelistrec::kVenuePlaceCodeCount; ++k) {
        const unsigned char* entry =
            day + racelistrec::kVenuePlaceCode + racelistrec::kVenuePlaceCodeStride * k;
        if (entry[0] == 0) continue;
        ++venues;
        const std::string venue(reinterpret_cast<const char*>(entry), racelistrec::kVenueKeyWidth);
        yrace::OwnedBuffer races(get_race2code_1_ex(venue.c_str(), 1));
        const int count = yrace::record_count(races.get(), racermrec::kSize);
        if (count == kRacesPerVenue) ++full_venues;
        for (int r = 0; r < count; ++r) {
          unsigned char* race = yrace::record_at(races.get(), racermrec::kSize, r);
          d->codes.emplace_back(reinterpret_cast<const char*>(race), racermrec::kRaceCodeWidth);
          if (d->full_field.empty() && YUtil::getnum(race + racermrec::kRunnerCount, 2) == 18) {
            d->full_field = d->codes.back();
          }
        }
      }
      if (d->day == 0 && venues == 3 && full_venues == 3) {
        d->day = YUtil::getnum(const_cast<unsigned char*>(day), racelistrec::kDateWidth);
      }
    }
  }
  std::cerr << d->codes.size() << " races; the day " << d->day << "; the race " << d->full_field
            << "\n";
  return !d->codes.empty() && d->day != 0 && !d->full_field.empty();
}

// A race day as a day screen reads it: the date's venues, then the rows of
// the twelve races of each venue from their codes, with the long texts.
void BM_RaceDay(benchmark::State& state) {
  for (auto _ : state) {
    YMainraceList day(&data->db, data->day, 1);
    int rows = 0;
    for (int i = 0; i < day.getplacecount(); ++i) {
      for (int n = 1; n <= kRacesPerVenue; ++n) {
        const std::string code = day.getcode(i) + (n < 10 ? "0" : "") + std::to_string(n);
        YRaceList row(&data->db, code, true);
        rows += row.getno() != 0;
      }
    }
    if (rows != 36) state.SkipWithError("the day lost a race");
  }
}

// The records of a result that a results screen fetches: the race and its
// runners.
void BM_ResultRecords(benchmark::State& state) {
  const std::string& code = data->full_field;
  for (auto _ : state) {
    yrace::OwnedBuffer race(get_race2code_1_ex(code.c_str(), 1));
    yrace::OwnedBuffer runners(get_race2code_2(code.c_str(), 1));
    if (yrace::record_count(runners.get(), racerhrec::kSize) != 18) state.SkipWithError("not 18");
  }
}

// The runners of a result built from those records, each with its
// opponent, comment and memo.
void BM_ResultRunners(benchmark::State& state) {
  const std::string& code = data->full_field;
  yrace::OwnedBuffer race(get_race2code_1_ex(code.c_str(), 1));
  yrace::OwnedBuffer runners(get_race2code_2(code.c_str(), 1));
  const int count = yrace::record_count(runners.get(), racerhrec::kSize);
  if (count != 18) state.SkipWithError("not a full field");
  for (auto _ : state) {
    std::size_t texts = 0;
    for (int i = 0; i < count; ++i) {
      YRaceHorse h(&data->db, static_cast<_tagRACERMREC*>(race.get()),
                   static_cast<_tagRACERHREC*>(runners.get()), i);
      texts += h.geth1name().size() + h.get_rcomment().size() + h.get_rmemo().size();
    }
    benchmark::DoNotOptimize(texts);
  }
}

void BM_Odds(benchmark::State& state) {
  for (auto _ : state) {
    YOdds odds(&data->db, data->full_field, 18, true);
    if (!odds.isexist()) state.SkipWithError("no odds");
  }
}

// The payouts of every race of the ten seasons.
void BM_PayoutFill(benchmark::State& state) {
  for (auto _ : state) {
    YHaitoInfo info;
    std::size_t filled = 0;
    for (const std::string& code : data->codes) filled += yrace::fill_haito(&data->db, code, &info);
    if (filled != data->codes.size()) state.SkipWithError("a race without payouts");
  }
  state.counters["races"] = static_cast<double>(data->codes.size());
}

// The payout file of every race: written, then read back.
std::vector<YHaitoInfo> AllPayouts() {
  std::vector<YHaitoInfo> all(data->codes.size());
  for (std::size_t i = 0; i < all.size(); ++i) yrace::fill_haito(&data->db, data->codes[i], &all[i]);
  return all;
}

void BM_PayoutFileWrite(benchmark::State& state) {
  std::vector<YHaitoInfo> all = AllPayouts();
  ytest::TempDir dir;
  const std::string path = dir.str() + "/payouts";
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::size_t bytes = 0;
    for (YHaitoInfo& info : all) bytes += static_cast<std::size_t>(info.write(f));
    if (f == nullptr || std::fclose(f) != 0 || bytes != all.size() * YHaitoInfo::kRecordSize) {
      state.SkipWithError("cannot write the file");
    }
  }
  state.counters["records"] = static_cast<double>(all.size());
}

void BM_PayoutFileRead(benchmark::State& state) {
  std::vector<YHaitoInfo> all = AllPayouts();
  ytest::TempDir dir;
  const std::string path = dir.str() + "/payouts";
  std::FILE* out = std::fopen(path.c_str(), "wb");
  for (YHaitoInfo& info : all) info.write(out);
  if (out != nullptr) std::fclose(out);
  std::vector<YHaitoInfo> read(all.size());
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::size_t n = 0;
    while (n < read.size() && read[n].read(f) == YHaitoInfo::kRecordSize) ++n;
    if (f != nullptr) std::fclose(f);
    if (n != all.size()) state.SkipWithError("cannot read the file back");
  }
  state.counters["records"] = static_cast<double>(all.size());
}

// Medians of nine repetitions; the payout fill of every race, a second
// long, runs once in each of five.
void Repeated(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_RaceDay)->Apply(Repeated);
BENCHMARK(BM_ResultRecords)->Apply(Repeated);
BENCHMARK(BM_ResultRunners)->Apply(Repeated);
BENCHMARK(BM_Odds)->Apply(Repeated);
BENCHMARK(BM_PayoutFill)->Apply(Repeated)->Iterations(1)->Repetitions(5);
BENCHMARK(BM_PayoutFileWrite)->Apply(Repeated);
BENCHMARK(BM_PayoutFileRead)->Apply(Repeated);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  BenchData d;
  const std::string error = bench::Open(d.db);
  if (!error.empty()) {
    std::cerr << error << "\n";
    return 1;
  }
  if (!Survey(&d)) {
    std::cerr << "the data set lacks the day or race the benchmarks read\n";
    return 1;
  }
  data = &d;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  data = nullptr;
  return 0;
}
