// ydbcln: the command-line program over the library. The global options
// stand before or after the subcommand's name. Without a subcommand, the
// main job: the data set in the data directory is shown with its latest
// race day, after generating the default world into it when the directory
// holds none.
#include <CLI/CLI.hpp>
#include <db/api/DataSet.h>
#include <db/api/ydbbsn.h>
#include <db/api/yddb.h>

#include <filesystem>
#include <iostream>

#include "Command.h"
#include "Printable.h"

namespace {

int MainJob(const tool::Options& options) {
  const auto store = std::filesystem::path(options.data_dir) / ydb::DataSet::kStoreFile;
  if (!std::filesystem::exists(store)) {
    const int first = std::stoi(std::string(tool::kDefaultSeasons).substr(0, 4));
    const int last = std::stoi(std::string(tool::kDefaultSeasons).substr(5, 4));
    const int status = tool::GenerateWorld(options.data_dir, first, last, tool::kDefaultSeed);
    if (status != 0) return status;
  }
  const int status = tool::ShowInfo(options);
  if (status != 0 || options.json) return status;
  std::cout << "\n";
  return tool::ShowDay(options, "");
}

// A command kept waiting by another process writing to the data set says
// so, once, on standard error (it waits up to 10 s, then fails).
void SayWaiting(const char* store) {
  std::cerr << "ydbcln: waiting for another process writing to the data set in "
            << tool::Quoted(std::filesystem::path(store).parent_path().string()) << "…\n";
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"ydbcln: analyse JRA flat and jump racing"};
  tool::Options options;
  app.add_option("--data", options.data_dir, "Directory of the data set")
      ->capture_default_str()
      ->check([](const std::string& dir) {
        return dir.empty() ? std::string("names no directory") : std::string();
      });
  app.add_flag("--json", options.json, "Print JSON for scripts");
  app.add_option("--today", options.today, "Take this date (YYYYMMDD) as today")
      ->check([](const std::string& date) {
        return date.size() == 8 && date.find_first_not_of("0123456789") == std::string::npos
                   ? std::string()
                   : std::string("is not a date YYYYMMDD");
      });
  // Today is fixed before any subcommand runs; the library and the data set
  // read the same switch.
  app.parse_complete_callback([&options] {
    if (set_today(options.today) != 0) {
      throw CLI::ValidationError("--today", std::to_string(options.today) + " is no calendar day");
    }
  });
  // Subcommands inherit this: an option a subcommand does not know, such as
  // --data after its name, goes to the program's own options.
  app.fallthrough();
  app.require_subcommand(0, 1);
  // A mistyped command line is one line on standard error.
  app.failure_message([](const CLI::App*, const CLI::Error& e) {
    return "ydbcln: " + std::string(e.what()) + " (see --help)\n";
  });

  YDB_set_wait_notice(SayWaiting);

  int exit_code = 0;
  tool::RegisterInfo(app, options, &exit_code);
  tool::RegisterGenerate(app, options, &exit_code);
  tool::RegisterExchange(app, options, &exit_code);
  tool::RegisterPedigree(app, options, &exit_code);
  tool::RegisterTickets(app, options, &exit_code);
  tool::RegisterFactors(app, options, &exit_code);
  tool::RegisterTheory(app, options, &exit_code);
  tool::RegisterDay(app, options, &exit_code);
  tool::RegisterRunner(app, options, &exit_code);
  tool::RegisterOdds(app, options, &exit_code);
  tool::RegisterPayouts(app, options, &exit_code);
  tool::RegisterCard(app, options, &exit_code);
  tool::RegisterResult(app, options, &exit_code);
  tool::RegisterPredict(app, options, &exit_code);
  tool::RegisterRank(app, options, &exit_code);
  tool::RegisterOptimise(app, options, &exit_code);
  tool::RegisterReturns(app, options, &exit_code);
  tool::RegisterWorldReport(app, options, &exit_code);
  tool::RegisterHorse(app, options, &exit_code);
  tool::RegisterPeople(app, options, &exit_code);
  tool::RegisterCheck(app, options, &exit_code);
  tool::RegisterSearch(app, options, &exit_code);
  tool::RegisterDrill(app, options, &exit_code);
  tool::RegisterBet(app, options, &exit_code);
  tool::RegisterMoney(app, options, &exit_code);
  tool::RegisterTotals(app, options, &exit_code);
  tool::RegisterFind(app, options, &exit_code);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help is no error; everything else CLI11 refuses is a bad argument.
    return app.exit(e) == 0 ? tool::kExitDone : tool::kExitBadArguments;
  }
  if (app.get_subcommands().empty()) return MainJob(options);
  return exit_code;
}
