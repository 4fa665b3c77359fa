// What every subcommand of the program shares: the global options, the exit
// codes and the way a subcommand registers itself.
#ifndef YDBCLN_TOOL_COMMAND_H_
#define YDBCLN_TOOL_COMMAND_H_

#include <CLI/CLI.hpp>

#include <cstdint>
#include <string>

namespace tool {

// The global options, read before or after the subcommand's name.
struct Options {
  std::string data_dir = "data";  // the data set's directory
  bool json = false;              // machine-readable output
  int today = 0;                  // today's date YYYYMMDD; 0: the clock
};

// Exit codes, the same for every subcommand.
constexpr int kExitDone = 0;
constexpr int kExitNotFound = 1;       // what was asked for is not there, or the store failed
constexpr int kExitBadArguments = 2;   // a malformed command line, code, date or rule
constexpr int kExitInterrupted = 130;  // stopped by SIGINT during long work

// Each subcommand file defines one of these; main() calls them all. The
// subcommand stores its exit code in *exit_code when it runs.
void RegisterInfo(CLI::App& app, const Options& options, int* exit_code);
void RegisterGenerate(CLI::App& app, const Options& options, int* exit_code);
void RegisterExchange(CLI::App& app, const Options& options, int* exit_code);
void RegisterPedigree(CLI::App& app, const Options& options, int* exit_code);
void RegisterTickets(CLI::App& app, const Options& options, int* exit_code);
void RegisterFactors(CLI::App& app, const Options& options, int* exit_code);
void RegisterTheory(CLI::App& app, const Options& options, int* exit_code);
void RegisterDay(CLI::App& app, const Options& options, int* exit_code);
void RegisterRunner(CLI::App& app, const Options& options, int* exit_code);
void RegisterOdds(CLI::App& app, const Options& options, int* exit_code);
void RegisterPayouts(CLI::App& app, const Options& options, int* exit_code);
void RegisterCard(CLI::App& app, const Options& options, int* exit_code);
void RegisterResult(CLI::App& app, const Options& options, int* exit_code);
void RegisterPredict(CLI::App& app, const Options& options, int* exit_code);
void RegisterRank(CLI::App& app, const Options& options, int* exit_code);
void RegisterOptimise(CLI::App& app, const Options& options, int* exit_code);
void RegisterReturns(CLI::App& app, const Options& options, int* exit_code);
void RegisterWorldReport(CLI::App& app, const Options& options, int* exit_code);
void RegisterHorse(CLI::App& app, const Options& options, int* exit_code);
// `jockey`, `trainer` and `sire`.
void RegisterPeople(CLI::App& app, const Options& options, int* exit_code);
void RegisterCheck(CLI::App& app, const Options& options, int* exit_code);
void RegisterSearch(CLI::App& app, const Options& options, int* exit_code);
void RegisterDrill(CLI::App& app, const Options& options, int* exit_code);
void RegisterBet(CLI::App& app, const Options& options, int* exit_code);
void RegisterMoney(CLI::App& app, const Options& options, int* exit_code);
void RegisterTotals(CLI::App& app, const Options& options, int* exit_code);
void RegisterFind(CLI::App& app, const Options& options, int* exit_code);

// The default world: the seasons and seed the main job generates into an
// empty data directory.
inline const char* const kDefaultSeasons = "2022-2024";
constexpr std::uint64_t kDefaultSeed = 1;

// Generates seasons first..last of the world of `seed` into the data set
// in `data_dir` (created when missing); with `until` (YYYYMMDD) the world
// up to that day and the next weekend's cards instead, from the day after
// the latest results stored or from season `first`. 0 on success (also
// when the data set holds the world up to `until` already), else 1 with a
// line on standard error (kExitInterrupted when stopped by SIGINT).
int GenerateWorld(const std::string& data_dir, int first, int last, std::uint64_t seed, int until = 0);

// Shows what the data set holds; 0 on success.
int ShowInfo(const Options& options);

// Shows the race day `date_text` (YYYYMMDD), or the latest one when empty:
// its venues and races with places and payouts, from the results or, with
// `cards`, from the race cards; `shortkey` asks for each venue's results by
// the bare venue key; `month` lists the race days of the month holding the
// day instead. 0 on success.
int ShowDay(const Options& options, const std::string& date_text, bool cards = false,
            bool shortkey = false, bool month = false);

}  // namespace tool

#endif  // YDBCLN_TOOL_COMMAND_H_
