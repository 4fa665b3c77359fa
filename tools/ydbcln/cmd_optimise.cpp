// `ydbcln optimise --from DATE --to DATE --bet TYPE [rules]`: finds a theory
// by itself. Every run race of the range is ranked by every candidate item
// (a progress bar), then a genetic search bets theories of eight items on
// them for --generations generations, a line each; the best theory found is
// shown and stored. --save-table keeps the ranking for another search,
// --load-table uses one instead of ranking again. Ctrl-C while ranking
// stores nothing; during the search, the best theory so far is stored.
#include <db/api/ydbbsn.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Command.h"
#include "Display.h"
#include "Factors.h"
#include "Progress.h"
#include "RaceSource.h"
#include "Session.h"
#include "TheoryShow.h"
#include "TicketRules.h"

namespace tool {
namespace {

struct OptimiseRequest {
  std::string from, to;
  TicketRules rules;
  double hit_weight = 1.0;
  double return_weight = 0.0;
  std::string exclude;  // factor codes, comma-separated
  int generations = 30;
  std::int64_t seed = -1;  // the clock when not given
  std::string save_table, load_table;
  std::string title;
};

// One generation's best, as the callback reported it.
struct Generation {
  int number = 0;
  double hit_rate = 0.0;
  double return_rate = 0.0;
};

// What the library's callback reports to. The callback is a plain
// function, so it finds the run through this pointer, set while one runs.
struct SearchRun {
  ProgressBar* bar = nullptr;
  bool json = false;
  int generations = 0;
  std::vector<Generation> history;
  std::chrono::steady_clock::time_point started;
  bool interrupted = false;
};
SearchRun* current = nullptr;

int Report(int race, int races, const char* text, int generation, double hit, double ret) {
  SearchRun& run = *current;
  if (generation < 0) {  // the store, during a long read while ranking
    if (run.bar->interrupted()) run.interrupted = true;
    return run.interrupted ? 0 : 1;
  }
  if (generation == 0) {  // ranking race `race` of `races`
    if (!run.bar->update(race - 1, races, text != nullptr ? Utf8(text) : std::string())) {
      run.interrupted = true;
      return 0;
    }
    return 1;
  }
  run.history.push_back({generation, hit, ret});
  if (!run.json) {
    run.bar->clear();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - run.started).count();
    std::cout << "generation " << std::setw(4) << generation << "  hit rate " << std::fixed
              << std::setprecision(1) << std::setw(5) << hit << "%  return rate " << std::setw(6)
              << ret << "%";
    if (seconds > 0) std::cout << "  " << std::setprecision(2) << generation / seconds << " gen/s";
    std::cout << "\n" << std::defaultfloat;
    std::cout.flush();
  }
  if (!run.bar->update(generation, run.generations, "generation " + std::to_string(generation))) {
    run.interrupted = true;
    return 0;
  }
  return generation >= run.generations ? 0 : 1;
}

// The exclusion flags of "8,24": a flag at code - 1; throws a Refusal for a
// code outside the catalogue.
std::vector<char> ExcludedFactors(const std::string& text) {
  std::vector<char> flags(YTheoryMaker::kFlags, 0);
  if (text.empty()) return flags;
  for (int code : Numbers(text, ',', 0, "--exclude")) {
    if (code < 1 || code > YTheories::theorynomax) {
      throw Refusal("--exclude takes factor codes 1 to " +
                    std::to_string(YTheories::theorynomax) + ", not " + std::to_string(code));
    }
    flags[static_cast<std::size_t>(code - 1)] = 1;
  }
  return flags;
}

// The races of the range, one code after another as setrace takes them.
bool RangeRaces(YHorseDB& db, const OptimiseRequest& q, std::string* joined, int* count) {
  int from = 0, to = 0;
  if (!ParseDate(q.from, &from) || !ParseDate(q.to, &to)) {
    throw Refusal("--from and --to are dates YYYYMMDD of the calendar: " + q.from + " " + q.to);
  }
  if (from > to) throw Refusal("--from " + q.from + " is after --to " + q.to);
  std::vector<std::string> codes;
  if (!RaceCodes(db, from, to, &codes)) return false;
  for (const std::string& code : codes) *joined += code;
  *count = static_cast<int>(codes.size());
  return true;
}

nlohmann::json HistoryJson(const std::vector<Generation>& history) {
  nlohmann::json out = nlohmann::json::array();
  for (const Generation& g : history) {
    out.push_back({{"generation", g.number}, {"hit_rate", g.hit_rate}, {"return_rate", g.return_rate}});
  }
  return out;
}

int Optimise(const Options& options, const OptimiseRequest& q) {
  int bettype = 0;
  YTheoryOption option = {};
  std::vector<char> flags;
  std::string method;
  std::string title;
  try {
    bettype = TicketBetType(q.rules);
    option = TicketOption(q.rules, bettype, &method);
    flags = ExcludedFactors(q.exclude);
    if (q.load_table.empty() && (q.from.empty() || q.to.empty())) {
      throw Refusal("give --from and --to, or --load-table");
    }
    if (!q.load_table.empty() && (!q.from.empty() || !q.to.empty())) {
      throw Refusal("--load-table brings its own races: give no --from or --to");
    }
    if (q.generations < 1) throw Refusal("--generations must be at least 1");
    const std::string words = q.title.empty() ? "optimised " + method : q.title;
    if (!Sjis(words, &title) || title.size() > static_cast<std::size_t>(YTheory::kTitleSize)) {
      throw Refusal("--title must be at most 60 bytes in Shift_JIS");
    }
  } catch (const Refusal& e) {
    return Fail(e.what());
  }

  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  auto maker = std::make_unique<YTheoryMaker>(&db);
  maker->setnoitem(flags.data());
  if (maker->getitemcount() < GAPARAMS::kGenes) {
    return Fail("fewer than 8 candidate items are left after --exclude");
  }
  maker->setparam(bettype, &option, q.hit_weight, q.return_weight);
  const std::uint32_t seed =
      q.seed >= 0 ? static_cast<std::uint32_t>(q.seed) : static_cast<std::uint32_t>(std::time(nullptr));

  ProgressBar bar("optimise");
  SearchRun run;
  run.bar = &bar;
  run.json = options.json;
  run.generations = q.generations;
  current = &run;
  maker->setcallback(Report);

  if (!q.load_table.empty()) {
    std::string path = q.load_table;
    if (!maker->load(path.data())) {
      return Fail(q.load_table + ": not a ranking table of this candidate list, or damaged",
                  kExitNotFound);
    }
  } else {
    std::string joined;
    int count = 0;
    try {
      if (!RangeRaces(db, q, &joined, &count)) return StoreFailure();
    } catch (const Refusal& e) {
      return Fail(e.what());
    }
    if (count == 0) return Fail("no run races from " + q.from + " to " + q.to, kExitNotFound);
    maker->setrace(count, joined.data());
    const int ranked = maker->calc();
    bar.clear();
    if (run.interrupted) return Fail("interrupted while ranking; nothing stored", kExitInterrupted);
    if (ranked != 0) return Fail("cannot rank the races: " + Utf8(db.geterrmessage()), kExitNotFound);
  }
  if (!q.save_table.empty()) {
    std::string path = q.save_table;
    if (!maker->save(path.data())) return Fail("cannot write " + q.save_table, kExitNotFound);
  }

  maker->setseed(seed);
  run.started = std::chrono::steady_clock::now();
  maker->exec();
  bar.clear();
  YTheory theory(nullptr);
  if (!maker->gettheory(&theory)) {
    if (run.interrupted) return Fail("interrupted before any theory was judged", kExitInterrupted);
    return Fail("no theory hit anything in " + std::to_string(maker->getracecount()) + " races",
                kExitNotFound);
  }
  theory.settitle(title.c_str());
  theory.setcode(-1);  // gettheory cleared the code: stored as a new theory
  int item = -1;
  const YTheories::CheckFault fault = YTheories::findfault(theory.record(), &item);
  if (fault != YTheories::kValid) {
    return Fail("the theory found is refused: " + DescribeFault(fault, *theory.record(), item),
                kExitNotFound);
  }
  YTheories theories(&db);
  const int code = theories.search() < 0 ? -1 : theories.store(&theory);
  if (code < 0) {
    const std::string reason = get_db_error();
    return Fail("cannot store the theory found" + (reason.empty() ? "" : " (" + reason + ")"),
                kExitNotFound);
  }

  const EVALVALUE& best = maker->bestvalue();
  const std::string stopped = run.interrupted ? "interrupted" : "generations";
  if (options.json) {
    std::cout << nlohmann::json{{"seed", seed},
                                {"races", maker->getracecount()},
                                {"items", maker->getitemcount()},
                                {"stopped", stopped},
                                {"theory_code", code},
                                {"best",
                                 {{"hit_rate", best.hitrate},
                                  {"return_rate", best.returnrate},
                                  {"fitness", best.fitness}}},
                                {"theory", TheoryJson(theory, code)},
                                {"history", HistoryJson(run.history)}}
                     .dump(2)
              << "\n";
  } else {
    std::cout << maker->getracecount() << " races, " << maker->getitemcount()
              << " candidate items, seed " << seed << ", tickets: " << method << "\n";
    PrintTheory(theory, code, std::cout);
    std::cout << "Stored theory " << code << ".\n";
  }
  if (run.interrupted) {
    return Fail("interrupted after generation " + std::to_string(run.history.size()) +
                    "; the best theory so far is stored as " + std::to_string(code),
                kExitInterrupted);
  }
  return kExitDone;
}

}  // namespace

void RegisterOptimise(CLI::App& app, const Options& options, int* exit_code) {
  auto q = std::make_shared<OptimiseRequest>();
  CLI::App* cmd = app.add_subcommand(
      "optimise", "Find a theory by a genetic search over the run races of a range");
  cmd->add_option("--from", q->from, "First day of the run races, YYYYMMDD");
  cmd->add_option("--to", q->to, "Last day of the run races, YYYYMMDD");
  AddTicketOptions(cmd, &q->rules, true);
  cmd->add_option("--hit-weight", q->hit_weight, "Weight of the hit rate in the fitness")
      ->capture_default_str();
  cmd->add_option("--return-weight", q->return_weight, "Weight of the return rate in the fitness")
      ->capture_default_str();
  cmd->add_option("--exclude", q->exclude, "Factor codes left out, comma-separated (8,24)");
  cmd->add_option("--generations", q->generations, "Generations to run")->capture_default_str();
  cmd->add_option("--seed", q->seed, "Seed of the search (the clock when not given)")
      ->check(CLI::Range(std::int64_t{0}, std::int64_t{UINT32_MAX}));
  cmd->add_option("--save-table", q->save_table, "Save the ranking of the races to FILE");
  cmd->add_option("--load-table", q->load_table, "Search over a ranking saved before");
  cmd->add_option("--title", q->title, "Title of the stored theory");
  cmd->callback([&options, q, exit_code] { *exit_code = Optimise(options, *q); });
}

}  // namespace tool
