// Reading the ticket options typed on the command line into an option set.
#include "TicketRules.h"

#include <algorithm>
#include <sstream>

#include "TheoryPrinter.h"

namespace tool {

using O = YTheoryOption;

void AddTicketOptions(CLI::App* cmd, TicketRules* rules, bool bet_required) {
  cmd->add_option("--bet", rules->bet, "quinella, bracket, wide, win or place")
      ->required(bet_required);
  auto* box = cmd->add_option("--box", rules->box, "Every pair of ranks FIRST on: FIRST:COUNT");
  auto* nagashi =
      cmd->add_option("--nagashi", rules->nagashi,
                      "The runner at rank AXIS with the ranks FIRST on: AXIS:FIRST:COUNT");
  box->excludes(nagashi);
  cmd->add_option("--leader", rules->leader,
                  "When the leader's score leads by MARGIN: it with ranks 2 to COUNT: MARGIN:COUNT");
  cmd->add_option("--top-two", rules->top_two,
                  "When the second's score leads the third by MARGIN: the leader with the second");
  cmd->add_flag("--reverse", rules->reverse,
                "Box and single horses by reverse rank (the last is 1)");
  cmd->add_flag("--axis-reverse", rules->axis_reverse, "Nagashi: the axis by reverse rank");
  cmd->add_flag("--partners-reverse", rules->partners_reverse,
                "Nagashi: the partners by reverse rank");
}

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
    throw Refusal(option + " takes " +
                  (count == 1 ? std::string("a number") : std::to_string(count) + " numbers") +
                  ": " + text);
  }
  return numbers;
}

int TicketBetType(const TicketRules& rules) {
  const int bettype = BetType(rules.bet);
  if (bettype < 0) {
    throw Refusal("--bet is one of quinella, bracket, wide, win, place: " + rules.bet);
  }
  return bettype;
}

// The pair blocks alike (a small field buys horse pairs as frame pairs),
// or the single-horse block.
YTheoryOption TicketOption(const TicketRules& q, int bettype, std::string* method) {
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

}  // namespace tool
