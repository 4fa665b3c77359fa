// The ticket options of the subcommands that buy tickets from a final
// order (tickets, predict): the bet type and the rules that choose the
// tickets, as typed on the command line, and the option set they make.
#ifndef YDBCLN_TOOL_TICKETRULES_H_
#define YDBCLN_TOOL_TICKETRULES_H_

#include <CLI/CLI.hpp>
#include <ydbcln/ydbcln.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tool {

// A refusal of the command line, said in one line.
struct Refusal : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The rules, each as typed ("1:4"); empty when not given.
struct TicketRules {
  std::string bet;      // quinella, bracket, wide, win, place
  std::string box;      // FIRST:COUNT
  std::string nagashi;  // AXIS:FIRST:COUNT
  std::string leader;   // MARGIN:COUNT
  std::string top_two;  // MARGIN
  bool reverse = false;           // box and single horses by reverse rank
  bool axis_reverse = false;      // nagashi axis by reverse rank
  bool partners_reverse = false;  // nagashi partners by reverse rank
};

// Adds --bet (required when `bet_required`), --box, --nagashi, --leader,
// --top-two and the three reverse flags to `cmd`, read into *rules.
void AddTicketOptions(CLI::App* cmd, TicketRules* rules, bool bet_required);

// "a:b:c" as exactly `count` integers (any number for count 0); throws a
// Refusal naming `option` for anything else.
std::vector<int> Numbers(const std::string& text, char separator, std::size_t count,
                         const std::string& option);

// The bet type of rules.bet (YTheoryResult::BetType) and the option set
// the rules ask for, with how the tickets are chosen in words in *method
// ("box 1:4"). Throws a Refusal for an unknown bet type or rules that do
// not fit it.
int TicketBetType(const TicketRules& rules);
YTheoryOption TicketOption(const TicketRules& rules, int bettype, std::string* method);

}  // namespace tool

#endif  // YDBCLN_TOOL_TICKETRULES_H_
