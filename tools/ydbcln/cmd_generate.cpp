// `ydbcln generate --seasons A-B --seed N`: adds seasons of the synthetic
// race world to the data set, with a progress bar. Also the first step of
// the main job when the data directory holds no data set yet.
#include <db/base/GeneratedWorld.h>
#include <world/GenerateSeasons.h>

#include <iostream>
#include <memory>
#include <string>

#include "Command.h"
#include "Printable.h"
#include "Progress.h"
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

}  // namespace

int GenerateWorld(const std::string& data_dir, int first, int last, std::uint64_t seed) {
  NewDataSetGuard made(data_dir);
  auto data_set = OpenWhole(data_dir, ydb::DataSet::Mode::kOpenOrCreate);
  if (data_set == nullptr) return kExitNotFound;
  world::Options options;
  options.first_season = first;
  options.last_season = last;
  options.seed = seed;
  ProgressBar bar("Generating " + std::to_string(first) + "-" + std::to_string(last));
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
    std::cerr << "ydbcln: cannot generate the seasons: " << Reason(s.message()) << "\n";
    return kExitNotFound;
  }
  made.keep();
  return kExitDone;
}

void RegisterGenerate(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("generate", "Add seasons of the synthetic race world");
  struct Arguments {
    std::string seasons = kDefaultSeasons;
    std::string seed = std::to_string(kDefaultSeed);
  };
  // The callback owns the arguments, so they live as long as the command.
  auto args = std::make_shared<Arguments>();
  cmd->add_option("--seasons", args->seasons,
                  "Seasons to add, as A-B (from " + std::to_string(world::kDefaultOrigin) + ")")
      ->capture_default_str();
  cmd->add_option("--seed", args->seed, "Seed of the world")->capture_default_str();
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
    *exit_code = GenerateWorld(options.data_dir, first, last, seed);
  });
}

}  // namespace tool
