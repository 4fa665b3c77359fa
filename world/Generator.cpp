// The generation driver: silent seasons, written seasons, and the writer
// thread that stores each month while the next is simulated.
#include "world/Generator.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <iterator>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "db/write/Writer.h"
#include "world/Dates.h"
#include "world/RaceDetail.h"
#include "world/Rows.h"
#include "world/Season.h"

namespace world {
namespace {

// How the public reads a race: a noisy view of each runner's strength,
// flattened so that outsiders are backed more than their chances deserve
// (backing every favourite returns about 78 % to win, popularities 9-12
// much less).
constexpr double kPublicNoise = 2.0;    // lengths
constexpr double kPublicFlatten = 0.84;
constexpr double kForecastNoise = 1.2;  // lengths, the forecaster's further error
constexpr double kCrowdNoise = 0.05;    // scatter of the stakes around the public view

// A quarter's races go to the store as one batch, one transaction: the
// runner, pedigree and index pages one month's races touch are mostly
// touched again the next month, and a larger transaction writes each of
// them to the log once instead of once a month. The store's page cache is
// raised while generating so that a quarter's changed pages, and most of
// the indexes they are found through, stay in memory.
constexpr int kMonthsPerBatch = 3;
constexpr int kGeneratingCacheMegabytes = 512;

// Batches go to the store on a thread of their own, at most one waiting.
class BatchWriter {
 public:
  explicit BatchWriter(ydb::Database& db) : writer_(db), thread_([this] { Run(); }) {}
  ~BatchWriter() { Finish(); }
  BatchWriter(const BatchWriter&) = delete;
  BatchWriter& operator=(const BatchWriter&) = delete;

  // Queues a batch; false once a write has failed.
  bool Put(ydb::Batch batch) {
    std::unique_lock<std::mutex> lock(mutex_);
    room_.wait(lock, [&] { return queue_.empty() || !status_.ok(); });
    if (!status_.ok()) return false;
    queue_.push_back(std::move(batch));
    ready_.notify_one();
    return true;
  }

  // Waits for the queued batches; the first failure, if any.
  ydb::Status Finish() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      closed_ = true;
    }
    ready_.notify_one();
    if (thread_.joinable()) thread_.join();
    return status_;
  }

 private:
  void Run() {
    for (;;) {
      ydb::Batch batch;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [&] { return !queue_.empty() || closed_; });
        if (queue_.empty()) return;
        batch = std::move(queue_.front());
        queue_.pop_front();
      }
      const ydb::Status s = writer_.write(batch);
      std::lock_guard<std::mutex> lock(mutex_);
      if (!s.ok() && status_.ok()) {
        status_ = s;
        queue_.clear();
      }
      room_.notify_one();
      if (!status_.ok()) return;
    }
  }

  ydb::Writer writer_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::condition_variable room_;
  std::deque<ydb::Batch> queue_;
  bool closed_ = false;
  ydb::Status status_;
  std::thread thread_;
};

// The win pool of a race in 100-yen units: bigger for better races and
// for the main race of the day.
std::int64_t WinPool(const RacePlan& plan, Random& show) {
  static const double kByClass[6] = {2.2e5, 2.2e5, 3.0e5, 3.8e5, 4.6e5, 6.0e5};
  double units = kByClass[static_cast<int>(plan.horse_class)];
  if (plan.jump()) units = 1.6e5;
  if (plan.listed) units = 9.0e5;
  if (plan.grade != kNoGrade) units = plan.grade % 3 == 0 ? 1.2e7 : (plan.grade % 3 == 1 ? 2.5e6 : 1.6e6);
  if (plan.number == 11) units *= 1.5;
  return static_cast<std::int64_t>(units * std::exp(show.Normal(0.0, 0.25)));
}

// A cheap fingerprint of a horse row, to write a horse again only when it changed.
std::uint64_t Fingerprint(const ydb::Horse& h) {
  const std::string text = h.code + "|" + h.sex + "|" + h.owner_code + "|" + h.trainer_code + "|" +
                           std::to_string(h.retired_date) + "|" + h.mark_code + "|" + h.name;
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 0x100000001B3ULL;
  }
  return hash;
}

// Turns the races of written seasons into batches of kMonthsPerBatch months.
class SeasonWriter : public RaceSink {
 public:
  SeasonWriter(BatchWriter& out, Summary& summary, std::uint64_t seed)
      : out_(out), summary_(summary), seed_(seed) {}

  bool Race(const World& world, const RaceRun& run) override {
    const std::uint64_t date = static_cast<std::uint64_t>(run.date);
    Random show(seed_, "show", {date, static_cast<std::uint64_t>(run.venue.place),
                                static_cast<std::uint64_t>(run.plan.number)});
    const RaceDetail detail = DescribeRace(world, run, show);

    std::vector<int> frames;
    std::vector<bool> running;
    std::vector<int> finish;
    for (const Starter& s : run.starters) {
      frames.push_back(s.frame);
      running.push_back(!s.scratched());
      finish.push_back(s.finish);
    }
    const double scale = LuckScale(run.plan);
    std::vector<double> view, forecast;
    for (const Starter& s : run.starters) {
      const double seen = s.strength + show.Normal(0.0, kPublicNoise);
      const double early = seen + show.Normal(0.0, kForecastNoise);
      view.push_back(s.scratched() ? 0.0 : std::exp(kPublicFlatten * seen / scale));
      forecast.push_back(s.scratched() ? 0.0 : std::exp(kPublicFlatten * early / scale));
    }
    const std::int64_t pool = WinPool(run.plan, show);
    PoolBook final_pools(frames, running);
    final_pools.Stake(view, pool, kCrowdNoise, show);
    PoolBook forecast_pools(frames, running);
    forecast_pools.Stake(forecast, pool, 0.0, show);
    std::vector<ydb::Payout> payouts = final_pools.Settle(finish, &summary_.pools);

    ydb::Race race = RaceRow(world, run, detail, final_pools, forecast_pools, std::move(payouts));
    summary_.races += 1;
    summary_.runners += static_cast<int>(race.runners.size());
    summary_.rows += RowCount(race);
    races_.push_back(std::move(race));
    for (const Starter& s : run.starters) Mark(s.horse);
    for (int id : run.plan.nominations) Mark(id);
    return true;
  }

  bool MonthDone(const World& world, int year, int month) override {
    const int last_day = AddDays(month == 12 ? MakeDate(year + 1, 1, 1) : MakeDate(year, month + 1, 1), -1);
    if (people_year_ != year) {
      people_year_ = year;
      for (const Owner& o : world.owners) batch_.owners.push_back(OwnerRow(o));
      for (const Breeder& b : world.breeders) batch_.breeders.push_back(BreederRow(b));
      for (const Trainer& t : world.trainers) batch_.trainers.push_back(TrainerRow(t));
      for (const Jockey& j : world.jockeys) batch_.jockeys.push_back(JockeyRow(world, j, last_day));
      summary_.rows += static_cast<std::int64_t>(batch_.owners.size() + batch_.breeders.size() +
                                                 batch_.trainers.size() + batch_.jockeys.size());
    }
    // Horses that left racing this month, having raced this season or the last.
    const int first_day = MakeDate(year, month, 1);
    for (std::size_t id = 0; id < world.horses.size(); ++id) {
      const Horse& h = world.horses[id];
      if (h.retired_date < first_day || h.retired_date > last_day || h.last_run_day < 0) continue;
      if (YearOf(DateOf(h.last_run_day)) >= year - 1) Mark(static_cast<int>(id));
    }
    std::sort(marked_.begin(), marked_.end());
    for (int id : marked_) {
      const Horse& h = world.horses[static_cast<std::size_t>(id)];
      const Stallion& sire = world.stallions[static_cast<std::size_t>(h.stallion)];
      const Mare& dam = world.mares[static_cast<std::size_t>(h.mare)];
      Add(sire.horse >= 0 ? HorseRow(world, sire.horse) : AncestorRow(world, sire.ancestor, "0"));
      Add(dam.horse >= 0 ? HorseRow(world, dam.horse) : AncestorRow(world, dam.ancestor, "1"));
      if (sires_.insert({sire.code, 1}).second) {
        batch_.sires.push_back(SireRow(sire));
        ++summary_.rows;
      }
    }
    for (int id : marked_) Add(HorseRow(world, id));
    for (int id : marked_) seen_[static_cast<std::size_t>(id)] = 0;
    marked_.clear();
    std::move(races_.begin(), races_.end(), std::back_inserter(batch_.races));
    races_.clear();
    const bool batch_ends = month % kMonthsPerBatch == 0 || month == 12;
    return batch_ends ? Flush() : true;
  }

  // Hands the whole months held to the writer; false once a write failed.
  bool Flush() {
    return out_.Put(std::exchange(batch_, ydb::Batch()));
  }

 private:
  void Mark(int horse) {
    if (static_cast<std::size_t>(horse) >= seen_.size()) seen_.resize(static_cast<std::size_t>(horse) + 1024, 0);
    if (seen_[static_cast<std::size_t>(horse)]) return;
    seen_[static_cast<std::size_t>(horse)] = 1;
    marked_.push_back(horse);
  }

  void Add(ydb::Horse row) {
    const std::uint64_t print = Fingerprint(row);
    auto [it, added] = written_.insert({row.code, print});
    if (!added && it->second == print) return;
    it->second = print;
    ++summary_.horses;
    summary_.rows += 1 + ydb::kPedigreeSize;
    batch_.horses.push_back(std::move(row));
  }

  BatchWriter& out_;
  Summary& summary_;
  std::uint64_t seed_;
  ydb::Batch batch_;                // whole months not yet handed to the writer
  std::vector<ydb::Race> races_;    // the month being run
  std::vector<int> marked_;
  std::vector<char> seen_;
  std::unordered_map<std::string, std::uint64_t> written_;  // horse code -> fingerprint
  std::unordered_map<std::string, int> sires_;              // sire codes written
  int people_year_ = 0;
};

std::string DateText(int date) {
  return ZeroPadded(YearOf(date), 4) + "-" + ZeroPadded(MonthOf(date), 2) + "-" + ZeroPadded(DayOf(date), 2);
}

}  // namespace

ydb::Status Generate(ydb::Database& db, const Options& options, const Progress& progress,
                     Summary* summary) {
  if (options.origin < 1990 || options.origin > 2090) {
    return ydb::Status::InvalidArgument("origin " + std::to_string(options.origin) + " is outside 1990-2090");
  }
  if (options.first_season < options.origin) {
    return ydb::Status::InvalidArgument("season " + std::to_string(options.first_season) +
                              " is before the world's origin " + std::to_string(options.origin));
  }
  if (options.last_season < options.first_season || options.last_season > 2099) {
    return ydb::Status::InvalidArgument("seasons " + std::to_string(options.first_season) + "-" +
                              std::to_string(options.last_season) + " are not a range of seasons");
  }
  // The data set keeps the world's seed and origin: another seed would
  // write other horses under the codes of those stored.
  ydb::Status claimed = ydb::Writer(db).claimWorld({options.seed, options.origin});
  if (!claimed.ok()) return claimed;
  const int start = options.origin - 3;
  int total = 0;
  for (int year = start; year <= options.last_season; ++year) total += Simulator::RaceDays(year);

  World world;
  world.seed = options.seed;
  Summary local;
  Simulator simulator(world, start);
  ydb::Status status = db.setCacheMegabytes(kGeneratingCacheMegabytes);
  if (!status.ok()) return status;
  BatchWriter out(db);
  SeasonWriter sink(out, local, options.seed);
  int done = 0;
  bool stopped = false;
  for (int year = start; year <= options.last_season && !stopped; ++year) {
    const bool written = year >= options.first_season;
    const std::string silent = "simulating " + std::to_string(year);
    auto day_done = [&](int date) {
      ++done;
      return !progress || progress(done, total, written ? DateText(date) : silent);
    };
    stopped = !simulator.RunSeason(year, written ? &sink : nullptr, day_done);
    if (written && !stopped) ++local.seasons;
  }
  // Generation stopped part way still stores the months it finished.
  if (stopped) sink.Flush();
  status = out.Finish();
  const ydb::Status restored = db.setCacheMegabytes(ydb::Database::kDefaultCacheMegabytes);
  if (status.ok()) status = restored;
  if (summary != nullptr) *summary = local;
  if (!status.ok()) return status;
  if (stopped) return ydb::Status::Aborted("generation stopped after " + std::to_string(local.seasons) + " seasons");
  return ydb::Status::Ok();
}

}  // namespace world
