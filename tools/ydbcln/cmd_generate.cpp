// `ydbcln generate --seasons A-B --seed N`: adds seasons of the synthetic
// race world to the data set, with a progress bar; `--until YYYYMMDD` runs
// the world up to that day with the next weekend as race cards, continuing
// a data set from the day after its latest results. Also the first step of
// the main job when the data directory holds no data set yet.
#include <db/base/GeneratedWorld.h>
#include <world/GenerateSeasons.h>

#include <iostream>
#include <filesystem>
#include <memory>
#include <string>

#include "Command.h"
#include "Printable.h"
#include "Progress.h"
#include "RaceSource.h"
#include "Session.h"

namespace tool {
namespace {

// Reads "2019-2021" or "2019" into a season range; false for anything else.
bool ParseSeasons(const std::string& text, int* first, int* last) {
  const auto dash = text.find('-');
  try {
    std::size_t used = 0;
    *first = std::stoi(text.substr(0, dash), &used);
    if (used != (dash == std::string::npos ? text.size() : dash)) return false;
    if (dash == std::string::npos) {
      *last = *first;
      return true;
    }
    const std::string rest = text.substr(dash + 1);
    *last = std::stoi(rest, &used);
    return used == rest.size() && *first <= *last;
  } catch (const std::exception&) {
    return false;
  }
}

// The latest day with results in the data set in `data_dir`, 0 when it
// holds none or does not exist yet; false, having said why, when it cannot
// be read.
bool StoredUntil(const std::string& data_dir, int* date) {
  *date = 0;
  if (!std::filesystem::exists(std::filesystem::path(data_dir) / ydb::DataSet::kStoreFile)) return true;
  YHorseDB db;
  return OpenDataSet(db, data_dir) && LatestRaceDay(db, false, date);
}

std::string DayText(int date) {
  const std::string digits = std::to_string(date);
  return digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" + digits.substr(6, 2);
}

}  // namespace

int GenerateWorld(const std::string& data_dir, int first, int last, std::uint64_t seed, int until) {
  world::Options options;
  options.first_season = first;
  options.last_season = last;
  options.seed = seed;
  options.until = until;
  if (until != 0) {
    if (!StoredUntil(data_dir, &options.resume_after)) return kExitNotFound;
    if (options.resume_after != 0) options.first_season = options.resume_after / 10000;
  }
  NewDataSetGuard made(data_dir);
  auto data_set = OpenWhole(data_dir, ydb::DataSet::Mode::kOpenOrCreate);
  if (data_set == nullptr) return kExitNotFound;
  const std::string from = options.resume_after != 0 ? DayText(options.resume_after) : std::to_string(first);
  ProgressBar bar("Generating " + (until != 0 ? from + " to " + DayText(until) : std::to_string(first) + "-" +
                                                                                   std::to_string(last)));
  const ydb::Status s =
      world::Generate(*data_set, options, [&bar](int done, int total, const std::string& what) {
        return bar.update(done, total, what);
      });
  if (!s.ok() && bar.interrupted()) {
    bar.clear();
    made.keep();
    std::cerr << "ydbcln: interrupted; the whole months generated are kept\n";
    return kExitInterrupted;
  }
  if (!s.ok()) {
    std::cerr << "ydbcln: cannot generate the world: " << Reason(s.message()) << "\n";
    return kExitNotFound;
  }
  made.keep();
  if (until != 0 && until <= options.resume_after) {
    std::cout << "The data set holds the world up to " << DayText(options.resume_after)
              << " already; nothing generated.\n";
  }
  return kExitDone;
}

void RegisterGenerate(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("generate", "Add seasons of the synthetic race world");
  struct Arguments {
    std::string seasons = kDefaultSeasons;
    std::string seed = std::to_string(kDefaultSeed);
    std::string until;
  };
  // The callback owns the arguments, so they live as long as the command.
  auto args = std::make_shared<Arguments>();
  cmd->add_option("--seasons", args->seasons,
                  "Seasons to add, as A-B (from " + std::to_string(world::kDefaultOrigin) + ")")
      ->capture_default_str();
  cmd->add_option("--seed", args->seed, "Seed of the world")->capture_default_str();
  cmd->add_option("--until", args->until,
                  "Run the world up to and including this day (YYYYMMDD), the next race weekend as "
                  "cards without results; continues the data set from the day after its latest "
                  "results, or starts it with the first of --seasons");
  cmd->callback([&options, exit_code, args] {
    int first = 0, last = 0;
    if (!ParseSeasons(args->seasons, &first, &last)) {
      std::cerr << "ydbcln: --seasons wants A-B, as 2019-2021, not " << Quoted(args->seasons) << "\n";
      *exit_code = kExitBadArguments;
      return;
    }
    std::uint64_t seed = 0;
    if (!ydb::ParseSeed(args->seed, &seed)) {
      std::cerr << "ydbcln: --seed wants a whole number from 0 to " << ydb::kLargestSeed
                << ", not " << Quoted(args->seed) << "\n";
      *exit_code = kExitBadArguments;
      return;
    }
    int until = 0;
    if (!args->until.empty() && !ParseDate(args->until, &until)) {
      std::cerr << "ydbcln: --until wants a day as YYYYMMDD, such as 20241228, not " << Quoted(args->until)
                << "\n";
      *exit_code = kExitBadArguments;
      return;
    }
    *exit_code = GenerateWorld(options.data_dir, first, last, seed, until);
  });
}

}  // namespace tool
