// `ydbcln tickets RACECODE --rank H1,H2,... --bet TYPE --box FIRST:COUNT ...`:
// ranks a race's runners in the order given (one factor, with the race's
// marks, frames and forecast odds breaking ties), buys tickets of one bet
// type from that order by the rules given, and for a run race checks them
// against its payouts.
#include <db/api/RecordBuffer.h>
#include <db/api/ydbbsn.h>

#include <iostream>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

#include "Command.h"
#include "Display.h"
#include "RaceShow.h"
#include "Session.h"
#include "TheoryPrinter.h"
#include "TicketRules.h"

namespace tool {
namespace {

// The command line: the race, the order of its runners and the ticket
// rules.
struct TicketsRequest {
  std::string race;
  std::string ranks;  // horse numbers, best first: "3,7,1"
  TicketRules rules;
};

// The payouts a result read, as setth_ex takes them.
YHaitoInfo Payouts(const YTheoryResult& r) {
  YHaitoInfo p;
  auto copy = [](const YTheoryResult::Payout* table, int n, unsigned short* keys, int* amounts) {
    for (int i = 0; i < n; ++i) {
      keys[i] = static_cast<unsigned short>(table[i].key);
      amounts[i] = table[i].amount;
    }
  };
  copy(r.wakuren, 3, p.wakuren_kumi, p.wakuren_haito);
  copy(r.umaren, 3, p.umaren_kumi, p.umaren_haito);
  copy(r.wide, 7, p.wide_kumi, p.wide_haito);
  copy(r.tansho, 3, p.tansho_uma, p.tansho_haito);
  copy(r.fukusho, 5, p.fukusho_uma, p.fukusho_haito);
  return p;
}

// Each runner's rank: its place in `order` (horse numbers), 0 when it is
// not listed.
std::vector<unsigned char> Ranks(const YTheoryResult& r, const std::string& order) {
  std::vector<unsigned char> ranks(static_cast<std::size_t>(r.runnercount), 0);
  std::set<int> seen;
  const std::vector<int> horses = Numbers(order, ',', 0, "--rank");
  if (horses.size() > 255) throw Refusal("--rank names more horses than can be ranked");
  for (std::size_t i = 0; i < horses.size(); ++i) {
    int slot = -1;
    for (int s = 0; s < r.runnercount; ++s) {
      if (r.horseno[s] == horses[i]) slot = s;
    }
    if (slot < 0) throw Refusal("--rank: no horse number " + std::to_string(horses[i]) + " runs");
    if (!seen.insert(horses[i]).second) {
      throw Refusal("--rank: horse " + std::to_string(horses[i]) + " is named twice");
    }
    ranks[static_cast<std::size_t>(slot)] = static_cast<unsigned char>(i + 1);
  }
  return ranks;
}

// Fills `r` with the race `code`: from its results when it has been run
// (the marks from its card), else from its card. False when it has
// neither.
bool LoadRace(const std::string& code, YTheoryResult* r, bool* run) {
  ydb::OwnedBuffer results(get_race2code_1_ex(code.c_str(), 1));
  if (get_rec_size(results.get()) == 1) {
    r->set(static_cast<_tagRACERMREC*>(results.get()), nullptr);
    *run = true;
    return true;
  }
  ydb::OwnedBuffer card(get_denma2code(code.c_str()));
  if (get_rec_size(card.get()) == 1) {
    r->set(static_cast<_tagRACEDREC*>(card.get()), nullptr, 0);
    *run = false;
    return true;
  }
  if (results == nullptr || card == nullptr) {
    throw std::runtime_error("the data set cannot be read: " + std::string(get_db_error()));
  }
  return false;
}

int Run(const Options& options, const TicketsRequest& q, std::ostream& out) {
  const int bettype = TicketBetType(q.rules);
  ResultReport report;
  report.bettype = bettype;
  report.ranking = "the order given";
  YTheoryOption option = TicketOption(q.rules, bettype, &report.method);

  if (!CheckRaceCode(q.race)) return kExitBadArguments;
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  auto result = std::make_unique<YTheoryResult>(&db);
  if (!LoadRace(q.race, result.get(), &report.run)) {
    return Fail("no race " + q.race + " in the data set", kExitNotFound);
  }
  if (result->runnercount == 0) return Fail("race " + q.race + " has no runners", kExitNotFound);

  std::vector<unsigned char> ranks = Ranks(*result, q.ranks);
  unsigned char* rows[1] = {ranks.data()};
  std::vector<int> marks(result->markcode, result->markcode + result->runnercount);
  std::vector<int> frames(result->frame, result->frame + result->runnercount);
  YHaitoInfo payouts = Payouts(*result);
  _tagTHITEM item{0, 100, {0, 0, 0}};
  std::string code = q.race;
  if (!result->setth_ex(code, &item, 1, result->runnercount, rows, marks.data(), frames.data(),
                        nullptr, payouts)) {
    throw Refusal("race " + q.race + " has more runners than can be ranked");
  }
  result->setkaime(bettype, &option);
  if (report.run) report.checked = result->settekichu(bettype);

  report.odds = ForecastOdds(db, *result);

  if (options.json) {
    out << TheoryResultJson(*result, report).dump(2) << "\n";
  } else {
    PrintTheoryResult(*result, report, out);
  }
  return 0;
}

// Runs the request; a refusal of its rules or ranks (a bad-arguments exit)
// or a store failure is one line on standard error.
int RunTickets(const Options& options, const TicketsRequest& request) {
  try {
    return Run(options, request, std::cout);
  } catch (const Refusal& e) {
    return Fail(e.what());
  } catch (const std::exception& e) {
    return Fail(e.what(), kExitNotFound);
  }
}

}  // namespace

void RegisterTickets(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand(
      "tickets", "Rank a race's runners in a given order and buy tickets from it");
  auto q = std::make_shared<TicketsRequest>();
  cmd->add_option("RACECODE", q->race, "Race code: place, date YYYYMMDD, race number")
      ->required();
  cmd->add_option("--rank", q->ranks, "Horse numbers, best first: 3,7,1 (the others rank last)")
      ->required();
  AddTicketOptions(cmd, &q->rules, true);
  cmd->callback([&options, exit_code, q] { *exit_code = RunTickets(options, *q); });
}

}  // namespace tool
