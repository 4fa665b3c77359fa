// `ydbcln generate --seasons A-B --seed N`: adds seasons of the synthetic
// race world to the data set, with a progress bar. Also the first step of
// the main job when the data directory holds no data set yet.
#include <db/derived/DataSet.h>
#include <db/store/Database.h>
#include <world/Generator.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "Command.h"
#include "Progress.h"

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
  std::error_code ec;
  std::filesystem::create_directories(data_dir, ec);
  const std::string path = (std::filesystem::path(data_dir) / "ydbcln.db").string();
  std::unique_ptr<ydb::Database> db;
  ydb::Status s = ydb::OpenDataSet(path, ydb::Database::Mode::kOpenOrCreate, &db);
  if (s.ok()) {
    world::Options options;
    options.first_season = first;
    options.last_season = last;
    options.seed = seed;
    ProgressBar bar("Generating " + std::to_string(first) + "-" + std::to_string(last));
    s = world::Generate(*db, options, [&bar](int done, int total, const std::string& what) {
      return bar.update(done, total, what);
    });
  }
  if (!s.ok()) {
    std::cerr << "ydbcln: cannot generate the seasons: " << s.message() << "\n";
    return 1;
  }
  return 0;
}

void RegisterGenerate(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("generate", "Add seasons of the synthetic race world");
  struct Arguments {
    std::string seasons = kDefaultSeasons;
    std::uint64_t seed = kDefaultSeed;
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
      std::cerr << "ydbcln: --seasons wants A-B, as 2019-2021, not " << args->seasons << "\n";
      *exit_code = 2;
      return;
    }
    *exit_code = GenerateWorld(options.data_dir, first, last, args->seed);
  });
}

}  // namespace tool
