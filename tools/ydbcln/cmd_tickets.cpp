// `ydbcln tickets RACECODE --rank H1,H2,... --bet TYPE --box FIRST:COUNT ...`:
// ranks a race's runners in the order given (one factor, with the race's
// marks, frames and forecast odds breaking ties), buys tickets of one bet
// type from that order by the rules given, and for a run race checks them
// against its payouts.
#include <db/api/ybl.h>
#include <db/api/ydbbsn.h>

#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "Command.h"
#include "Session.h"
#include "TheoryPrinter.h"

namespace tool {
namespace {

using O = YTheoryOption;

// The command line: the race, the order of its runners, the rules that
// choose the tickets (each as typed: "1:4"; empty when not given).
struct TicketsRequest {
  std::string race;
  std::string ranks;    // horse numbers, best first: "3,7,1"
  std::string bet;      // quinella, bracket, wide, win, place
  std::string box;      // FIRST:COUNT
  std::string nagashi;  // AXIS:FIRST:COUNT
  std::string leader;   // MARGIN:COUNT
  std::string top_two;  // MARGIN
  bool reverse = false;           // box and single horses by reverse rank
  bool axis_reverse = false;      // nagashi axis by reverse rank
  bool partners_reverse = false;  // nagashi partners by reverse rank
};

struct ReleaseData {
  void operator()(void* buffer) const { release_data(buffer); }
};
using Buffer = std::unique_ptr<void, ReleaseData>;

// A refusal of the command line, said in one line.
struct Refusal : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// "a:b:c" as exactly `count` integers.
std::vector<int> Numbers(const std::string& text, char separator, std::size_t count,
                         const std::string& option) {
  std::vector<int> numbers;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, separator)) {
    std::size_t used = 0;
    int value = 0;
    try {
      value = std::stoi(part, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (part.empty() || used != part.size()) throw Refusal(option + " takes numbers: " + text);
    numbers.push_back(value);
  }
  if (count != 0 && numbers.size() != count) {
    throw Refusal(option + " takes " + std::to_string(count) + " numbers: " + text);
  }
  return numbers;
}

// The option set the request asks for: the pair blocks alike (a small
// field buys horse pairs as frame pairs), or the single-horse block.
YTheoryOption Option(const TicketsRequest& q, int bettype, std::string* method) {
  YTheoryOption option = {};
  if (bettype == YTheoryResult::kWin || bettype == YTheoryResult::kPlace) {
    if (q.box.empty() || !q.nagashi.empty() || !q.leader.empty() || !q.top_two.empty()) {
      throw Refusal("win and place tickets are bought with --box 1:COUNT only");
    }
    const std::vector<int> box = Numbers(q.box, ':', 2, "--box");
    if (box[0] != 1) throw Refusal("win and place tickets are bought from rank 1: --box 1:COUNT");
    option.block[O::kSingleBlock][O::kBoxOrder] = q.reverse ? O::kByReverseRank : O::kByRank;
    option.block[O::kSingleBlock][O::kBoxFirst] = box[1];
    *method = "ranks 1 to " + std::to_string(box[1]);
    return option;
  }
  if (q.box.empty() && q.nagashi.empty() && q.leader.empty() && q.top_two.empty()) {
    throw Refusal("say how to buy: --box, --nagashi, --leader or --top-two");
  }
  int* f = option.block[O::kPairBlock];
  std::vector<std::string> words;
  if (!q.leader.empty()) {
    const std::vector<int> leader = Numbers(q.leader, ':', 2, "--leader");
    f[O::kLeaderOn] = 1;
    f[O::kLeaderMargin] = leader[0];
    f[O::kLeaderCount] = leader[1];
    words.push_back("leader " + q.leader);
  }
  if (!q.top_two.empty()) {
    f[O::kTopTwoOn] = 1;
    f[O::kTopTwoMargin] = Numbers(q.top_two, ':', 1, "--top-two")[0];
    words.push_back("top two " + q.top_two);
  }
  if (!q.box.empty()) {
    const std::vector<int> box = Numbers(q.box, ':', 2, "--box");
    f[O::kMethod] = O::kBox;
    f[O::kBoxOrder] = q.reverse ? O::kByReverseRank : O::kByRank;
    f[O::kBoxFirst] = box[0];
    f[O::kBoxCount] = box[1];
    words.push_back(std::string("box ") + q.box + (q.reverse ? " by reverse rank" : ""));
  } else if (!q.nagashi.empty()) {
    const std::vector<int> nagashi = Numbers(q.nagashi, ':', 3, "--nagashi");
    f[O::kMethod] = O::kNagashi;
    f[O::kAxisOrder] = q.axis_reverse ? O::kByReverseRank : O::kByRank;
    f[O::kPartnerOrder] = q.partners_reverse ? O::kByReverseRank : O::kByRank;
    f[O::kAxisRank] = nagashi[0];
    f[O::kPartnerFirst] = nagashi[1];
    f[O::kPartnerCount] = nagashi[2];
    words.push_back("nagashi " + q.nagashi);
  } else {
    // No method to fall back on when no rule applies: buy nothing.
    f[O::kMethod] = O::kBox;
  }
  std::copy(std::begin(option.block[O::kPairBlock]), std::end(option.block[O::kPairBlock]),
            std::begin(option.block[O::kFrameBlock]));
  for (std::size_t i = 0; i < words.size(); ++i) *method += (i == 0 ? "" : ", then ") + words[i];
  return option;
}

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
  Buffer results(get_race2code_1_ex(code.c_str(), 1));
  if (get_rec_size(results.get()) == 1) {
    r->set(static_cast<_tagRACERMREC*>(results.get()), nullptr);
    *run = true;
    return true;
  }
  Buffer card(get_denma2code(code.c_str()));
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
  const int bettype = BetType(q.bet);
  if (bettype < 0) throw Refusal("--bet is one of quinella, bracket, wide, win, place: " + q.bet);
  ResultReport report;
  report.bettype = bettype;
  report.ranking = "the order given";
  YTheoryOption option = Option(q, bettype, &report.method);

  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  auto result = std::make_unique<YTheoryResult>(&db);
  if (q.race.size() != 12 || q.race.find_first_not_of("0123456789") != std::string::npos ||
      !LoadRace(q.race, result.get(), &report.run)) {
    throw Refusal("no race " + q.race + " in the data set");
  }
  if (result->runnercount == 0) throw Refusal("race " + q.race + " has no runners");

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

  YOdds odds(&db, code, result->runnercount, false);
  for (int s = 0; s < result->runnercount; ++s) {
    int value = YTheoryResult::kNoOdds;
    odds.tansho(result->horseno[s], value);
    report.odds.push_back(value);
  }

  if (options.json) {
    out << TheoryResultJson(*result, report).dump(2) << "\n";
  } else {
    PrintTheoryResult(*result, report, out);
  }
  return 0;
}

// Runs the request; a refusal or failure is one line on standard error
// and exit code 1.
int RunTickets(const Options& options, const TicketsRequest& request) {
  try {
    return Run(options, request, std::cout);
  } catch (const std::exception& e) {
    std::cerr << "ydbcln tickets: " << e.what() << "\n";
    return 1;
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
  cmd->add_option("--bet", q->bet, "quinella, bracket, wide, win or place")->required();
  auto* box = cmd->add_option("--box", q->box, "Every pair of ranks FIRST on: FIRST:COUNT");
  auto* nagashi = cmd->add_option("--nagashi", q->nagashi,
                                  "The runner at rank AXIS with the ranks FIRST on: AXIS:FIRST:COUNT");
  box->excludes(nagashi);
  cmd->add_option("--leader", q->leader,
                  "When the leader's score leads by MARGIN: it with ranks 2 to COUNT: MARGIN:COUNT");
  cmd->add_option("--top-two", q->top_two,
                  "When the second's score leads the third by MARGIN: the leader with the second");
  cmd->add_flag("--reverse", q->reverse, "Box and single horses by reverse rank (the last is 1)");
  cmd->add_flag("--axis-reverse", q->axis_reverse, "Nagashi: the axis by reverse rank");
  cmd->add_flag("--partners-reverse", q->partners_reverse, "Nagashi: the partners by reverse rank");
  cmd->callback([&options, exit_code, q] { *exit_code = RunTickets(options, *q); });
}

}  // namespace tool
