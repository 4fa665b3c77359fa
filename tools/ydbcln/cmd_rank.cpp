// `ydbcln rank RACECODE [--factor CODE[:P1[:P2]]]...`: each runner's rank
// on each factor alone, at the parameters given (the catalogue's defaults
// for those left out), or on all 78 factors at their defaults when none is
// named. A race of more than 18 runners cannot be ranked this way.
#include <nlohmann/json.hpp>

#include <iomanip>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "Display.h"
#include "Factors.h"
#include "RaceShow.h"
#include "Session.h"
#include "TheoryPrinter.h"
#include "TicketRules.h"

namespace tool {
namespace {

struct RankRequest {
  std::string race;
  std::vector<std::string> factors;  // CODE[:P1[:P2]] each
};

// "CODE[:P1[:P2]]" as an item of weight 100, the parameters left out
// taking the factor's defaults; throws a Refusal naming the rule broken.
_tagTHITEM ParseFactor(const std::string& text) {
  const std::vector<int> numbers = Numbers(text, ':', 0, "--factor");
  if (numbers.empty() || numbers.size() > 3) {
    throw Refusal("--factor takes CODE[:P1[:P2]], not " + text);
  }
  int params[2] = {0, 0};
  YTheories::getdefault(numbers[0], params[0], params[1]);
  for (std::size_t k = 1; k < numbers.size(); ++k) params[k - 1] = numbers[k];
  YTheory single(nullptr);
  single.additem(numbers[0], 100, params[0], params[1]);
  int item = -1;
  const YTheories::CheckFault fault = YTheories::findfault(single.record(), &item);
  if (fault != YTheories::kValid) {
    throw Refusal("--factor " + text + ": " + DescribeFault(fault, *single.record(), item));
  }
  return single.record()->item[0];
}

// The items asked for, or every factor at its defaults.
std::vector<_tagTHITEM> Items(const RankRequest& q) {
  if (q.factors.size() > static_cast<std::size_t>(YTheories::theorynomax)) {
    throw Refusal("at most 78 factors are ranked at once");
  }
  std::vector<_tagTHITEM> items;
  for (const std::string& text : q.factors) items.push_back(ParseFactor(text));
  if (!q.factors.empty()) return items;
  for (int no = 1; no <= YTheories::theorynomax; ++no) {
    _tagTHITEM item{no, 100, {0, 0, 0}};
    YTheories::getdefault(no, item.param[0], item.param[1]);
    items.push_back(item);
  }
  return items;
}

void PrintRanks(const YTheoryResult& r, const std::vector<_tagTHITEM>& items,
                const unsigned char (*ranks)[YCalcTheory::kRankRow]) {
  PrintRaceHeader(r, std::cout);
  std::cout << "\nRunners:";
  for (int s = 0; s < r.runnercount; ++s) {
    std::cout << (s % 4 == 0 ? "\n " : "") << std::setw(3) << r.horseno[s] << " "
              << Column(r.horsename[s], 18);
  }
  std::cout << "\n\n" << Pad("   Factor", 53) << " ";
  for (int s = 0; s < r.runnercount; ++s) std::cout << std::setw(3) << r.horseno[s];
  std::cout << "\n";
  for (std::size_t i = 0; i < items.size(); ++i) {
    const _tagTHITEM& item = items[i];
    const std::string words = ItemParamWords(item.no, item.param[0], item.param[1]);
    std::cout << std::setw(2) << item.no << " "
              << Pad(Pad(FactorName(item.no), 22) + (words.empty() ? "" : " " + words), 50) << " ";
    for (int s = 0; s < r.runnercount; ++s) std::cout << std::setw(3) << RankText(ranks[i][s]);
    std::cout << "\n";
  }
}

nlohmann::json RanksJson(const YTheoryResult& r, const std::vector<_tagTHITEM>& items,
                         const unsigned char (*ranks)[YCalcTheory::kRankRow]) {
  using nlohmann::json;
  json runners = json::array();
  for (int s = 0; s < r.runnercount; ++s) {
    runners.push_back({{"horse", r.horseno[s]}, {"name", Utf8(r.horsename[s])}});
  }
  json factors = json::array();
  for (std::size_t i = 0; i < items.size(); ++i) {
    json row = json::array();
    for (int s = 0; s < r.runnercount; ++s) row.push_back(ranks[i][s]);
    factors.push_back({{"factor", items[i].no},
                       {"name", FactorName(items[i].no)},
                       {"parameters", {items[i].param[0], items[i].param[1]}},
                       {"ranks", row}});
  }
  return {{"race", RaceJson(r)}, {"runners", runners}, {"factors", factors}};
}

int Run(const Options& options, const RankRequest& q) {
  if (!CheckRaceCode(q.race)) return 2;
  std::vector<_tagTHITEM> items;
  try {
    items = Items(q);
  } catch (const Refusal& e) {
    return Fail(e.what());
  }
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  // The race with its runners, as the engine reads it: a theory of no
  // factors ranks nothing.
  auto engine = std::make_unique<YCalcTheory>(&db);
  YTheory none(nullptr);
  if (engine->exec(&none, q.race, 0, 0, nullptr, false) != 0) {
    return ReportNotLoaded(db, "race " + q.race);
  }
  const YTheoryResult& r = *engine->getresult();
  if (r.runnercount > YCalcTheory::kRankRow) {
    return Fail("race " + q.race + " has " + std::to_string(r.runnercount) +
                    " runners; ranking on single factors takes at most 18",
                1);
  }
  unsigned char ranks[YTheories::theorynomax][YCalcTheory::kRankRow];
  std::string code = q.race;
  if (engine->allrank(items.data(), static_cast<int>(items.size()), code, ranks) != 0) {
    return ReportNotLoaded(db, "race " + q.race);
  }
  if (options.json) {
    std::cout << RanksJson(r, items, ranks).dump(2) << "\n";
  } else {
    PrintRanks(r, items, ranks);
  }
  return 0;
}

}  // namespace

void RegisterRank(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand(
      "rank", "Rank a race's runners on each factor alone (all 78 at their defaults by default)");
  auto q = std::make_shared<RankRequest>();
  cmd->add_option("RACECODE", q->race, "Race code: place, date YYYYMMDD, race number")
      ->required();
  cmd->add_option("--factor", q->factors,
                  "A factor as CODE[:P1[:P2]], parameters left out at their defaults; repeatable");
  cmd->callback([&options, exit_code, q] { *exit_code = Run(options, *q); });
}

}  // namespace tool
