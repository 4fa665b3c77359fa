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

#include "db/write/BulkLoad.h"
#include "db/write/Writer.h"
#include "world/Calendar.h"
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
constexpr double kPublicFlatten = 0.86;
constexpr double kForecastNoise = 1.2;  // lengths, the forecaster's further error
constexpr double kCrowdNoise = 0.05;    // scatter of the stakes around the public view

// Half a season's races go to the store as one batch, one transaction: the
// runner, pedigree, bucket and totals pages one month's races touch are
// mostly touched again the next months, and a larger transaction writes
// each of them to the log once instead of once a month (ten seasons took
// about 10 % less time than in quarters, for some 190 MB more memory). The
// generation is a bulk load whose page cache holds a batch's changed pages
// and most of the indexes they are found through.
constexpr int kMonthsPerBatch = 6;
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

// What a race card shows before the race: the result, the odds and the
// payouts, the body weights of the day, the run comments and the pace are
// taken away; the runners, the nominations and the forecast odds stay.
void KeepCardOnly(ydb::Race* race) {
  race->result.reset();
  race->pace.clear();
  for (ydb::Runner& runner : race->runners) {
    runner.result.reset();
    runner.body_weight = 0;
    runner.weight_change.reset();
    runner.comment.clear();
  }
}

// Turns the races of written seasons into batches of kMonthsPerBatch
// months. A world that runs up to a day (Options::until) is written with
// results up to that day and as race cards for its next weekend; a
// continued one (Options::resume_after) from the day after what is stored.
class SeasonWriter : public RaceSink {
 public:
  SeasonWriter(BatchWriter& out, Summary& summary, const Options& options, int last_day)
      : out_(out),
        summary_(summary),
        seed_(options.seed),
        resume_after_(options.resume_after),
        until_(options.until),
        last_day_(last_day) {}

  bool Race(const World& world, const RaceRun& run) override {
    last_race_date_ = run.date;
    if (run.date <= resume_after_) return true;
    const bool card = until_ != 0 && run.date > until_;
    if (card && !cards_) {
      // The results end here: the month of the last results day is closed
      // before any card race is run, so no horse is written as the races
      // to come leave it.
      cards_ = true;
      if (closed_month_ != YearOf(until_) * 100 + MonthOf(until_)) CloseMonth(world, YearOf(until_), MonthOf(until_));
    }
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
    std::vector<ydb::Payout> payouts = final_pools.Settle(finish, card ? nullptr : &summary_.pools);

    ydb::Race race = RaceRow(world, run, detail, final_pools, forecast_pools, std::move(payouts));
    if (card) KeepCardOnly(&race);
    summary_.races += 1;
    summary_.runners += static_cast<int>(race.runners.size());
    summary_.rows += RowCount(race);
    races_.push_back(std::move(race));
    if (card) {
      // A card's horses as they stand before the race.
      for (const Starter& s : run.starters) AddWithParents(world, s.horse);
      for (int id : run.plan.nominations) AddWithParents(world, id);
    } else {
      for (const Starter& s : run.starters) Mark(s.horse);
      for (int id : run.plan.nominations) Mark(id);
    }
    return true;
  }

  bool MonthDone(const World& world, int year, int month) override {
    if (last_race_date_ <= resume_after_) return true;
    if (cards_) {
      AddPeople(world, year, month);
    } else {
      CloseMonth(world, year, month);
    }
    std::move(races_.begin(), races_.end(), std::back_inserter(batch_.races));
    races_.clear();
    const bool batch_ends = month % kMonthsPerBatch == 0 || month == 12 || last_race_date_ == last_day_;
    return batch_ends ? Flush() : true;
  }

  // Hands the whole months held to the writer; false once a write failed.
  bool Flush() {
    return out_.Put(std::exchange(batch_, ydb::Batch()));
  }

 private:
  // The people, written once a year with its first month; the apprentice
  // allowances as they stand at the end of that month.
  void AddPeople(const World& world, int year, int month) {
    if (month != 1 || people_year_ == year) return;
    people_year_ = year;
    const int last_day = LastDayOfMonth(year, month);
    for (const Owner& o : world.owners) batch_.owners.push_back(OwnerRow(o));
    for (const Breeder& b : world.breeders) batch_.breeders.push_back(BreederRow(b));
    for (const Trainer& t : world.trainers) batch_.trainers.push_back(TrainerRow(t));
    for (const Jockey& j : world.jockeys) batch_.jockeys.push_back(JockeyRow(world, j, last_day));
    summary_.rows += static_cast<std::int64_t>(batch_.owners.size() + batch_.breeders.size() +
                                               batch_.trainers.size() + batch_.jockeys.size());
  }

  // The people of a year's first month, and every horse that ran, was
  // nominated or left racing in the month, with its sire and dam.
  void CloseMonth(const World& world, int year, int month) {
    closed_month_ = year * 100 + month;
    AddPeople(world, year, month);
    // Horses that left racing this month, having raced this season or the last.
    const int first_day = MakeDate(year, month, 1);
    const int last_day = LastDayOfMonth(year, month);
    for (std::size_t id = 0; id < world.horses.size(); ++id) {
      const Horse& h = world.horses[id];
      if (h.retired_date < first_day || h.retired_date > last_day || h.last_run_day < 0) continue;
      if (YearOf(DateOf(h.last_run_day)) >= year - 1) Mark(static_cast<int>(id));
    }
    std::sort(marked_.begin(), marked_.end());
    for (int id : marked_) AddParents(world, id);
    for (int id : marked_) Add(HorseRow(world, id));
    for (int id : marked_) seen_[static_cast<std::size_t>(id)] = 0;
    marked_.clear();
  }

  static int LastDayOfMonth(int year, int month) {
    return AddDays(month == 12 ? MakeDate(year + 1, 1, 1) : MakeDate(year, month + 1, 1), -1);
  }

  void Mark(int horse) {
    if (static_cast<std::size_t>(horse) >= seen_.size()) seen_.resize(static_cast<std::size_t>(horse) + 1024, 0);
    if (seen_[static_cast<std::size_t>(horse)]) return;
    seen_[static_cast<std::size_t>(horse)] = 1;
    marked_.push_back(horse);
  }

  // A horse's sire and dam, and the sire's row the first time.
  void AddParents(const World& world, int id) {
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

  void AddWithParents(const World& world, int id) {
    AddParents(world, id);
    Add(HorseRow(world, id));
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
  int resume_after_;                // races up to this day are stored already
  int until_;                       // races after this day are written as cards; 0: none
  int last_day_;                    // the last race day of the generation
  bool cards_ = false;              // the results have ended, cards are being written
  int last_race_date_ = 0;
  int closed_month_ = 0;            // year * 100 + month of the last month closed
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
  // The last race day generated: the end of the last season, or the end of
  // the weekend after `until`, whose races are written as cards.
  int last_day = MakeDate(options.last_season, 12, 31);
  if (options.until != 0) {
    if (YearOf(options.until) < options.first_season || YearOf(options.until) > 2098) {
      return ydb::Status::InvalidArgument("day " + std::to_string(options.until) + " is not in the seasons from " +
                                          std::to_string(options.first_season));
    }
    last_day = NextRaceWeekend(options.until).back();
  } else if (options.last_season < options.first_season || options.last_season > 2099) {
    return ydb::Status::InvalidArgument("seasons " + std::to_string(options.first_season) + "-" +
                              std::to_string(options.last_season) + " are not a range of seasons");
  }
  // The data set keeps the world's seed and origin: another seed would
  // write other horses under the codes of those stored.
  ydb::Status claimed = ydb::Writer(db).claimWorld({options.seed, options.origin});
  if (!claimed.ok()) return claimed;
  if (summary != nullptr) *summary = Summary();
  if (options.until != 0 && options.until <= options.resume_after) return ydb::Status::Ok();
  const int start = options.origin - 3;
  const int last_season = YearOf(last_day);
  // Seasons before these are run silently.
  const int first_written = std::max(options.first_season, YearOf(options.resume_after));
  int total = 0;
  for (int year = start; year <= last_season; ++year) total += Simulator::RaceDays(year, last_day);

  World world;
  world.seed = options.seed;
  Summary local;
  Simulator simulator(world, start);
  ydb::BulkLoad load(db, kGeneratingCacheMegabytes);
  ydb::Status status = load.begin();
  if (!status.ok()) return status;
  BatchWriter out(db);
  SeasonWriter sink(out, local, options, last_day);
  int done = 0;
  bool stopped = false;
  for (int year = start; year <= last_season && !stopped; ++year) {
    const bool written = year >= first_written;
    const std::string silent = "simulating " + std::to_string(year);
    auto day_done = [&](int date) {
      ++done;
      return !progress || progress(done, total, written ? DateText(date) : silent);
    };
    stopped = !simulator.RunSeason(year, written ? &sink : nullptr, day_done, last_day);
    if (written && !stopped) ++local.seasons;
  }
  // Generation stopped part way still stores the months it finished.
  if (stopped) sink.Flush();
  status = out.Finish();
  const ydb::Status ended = load.finish();
  if (status.ok()) status = ended;
  if (summary != nullptr) *summary = local;
  if (!status.ok()) return status;
  if (stopped) return ydb::Status::Aborted("generation stopped after " + std::to_string(local.seasons) + " seasons");
  return ydb::Status::Ok();
}

}  // namespace world
