// `ydbcln search horses [NAME] [options]`: the horse search. The options
// fill the search's conditions (which horses, sex, age, coat, the names of
// parents and people, the career's counts and prize money compared); the
// condition text is compiled and run, and the horses found are printed in
// code order with their trainer, parents and career. --text also prints the
// condition text. A condition the search refuses exits 2 with the reason.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <db/api/ydbbsn.h>
#include <text/sjis.h>

#include "Display.h"
#include "SearchOptions.h"
#include "cmd_search.h"

namespace tool {
namespace {

struct Arguments {
  std::string name;
  std::string which = "all";   // all, training, retired, marked
  std::string sexes, ages, coats;
  std::string names[ysearch::kHorseTexts];  // sire, dam, trainer, dam's sire, owner, breeder
  std::string pairs[ysearch::kHorsePairs];  // ">=3" ...
  bool text = false;
};

// The pair options, in the search's order of pair keys.
const char* const kPairOptions[ysearch::kHorsePairs][2] = {
    {"--flat-wins", "Wins on the flat, compared: >=3, >3, <=3, <3, !=3"},
    {"--flat-starts", "Starts on the flat, compared"},
    {"--jump-wins", "Wins over jumps, compared"},
    {"--jump-starts", "Starts over jumps, compared"},
    {"--prize", "Prize money won in units of 10,000 yen, compared"},
    {"--starts", "Starts, compared"},
    {"--wins", "Wins, compared"},
    {"--seconds", "Seconds, compared"},
    {"--thirds", "Thirds, compared"},
};

const char* const kNameOptions[ysearch::kHorseTexts][2] = {
    {"--sire", "The sire's name, or part of it"}, {"--dam", "The dam's name"},
    {"--trainer", "The trainer's name"},          {"--dams-sire", "The dam's sire's name"},
    {"--owner", "The owner's name"},              {"--breeder", "The breeder's name"},
};

// The horse conditions of the options: 0, or exit 2 after a line naming
// the option refused.
int Conditions(const Arguments& args, ysearch::HorseConditions* out) {
  ysearch::HorseConditions& c = *out;
  std::string bad;
  const std::vector<std::string> which = {"all", "training", "retired", "marked"};
  int t = 0;
  if (!Mask(args.which, which, &t, &bad) || t == 0 || (t & (t - 1)) != 0) {
    return Fail("--which wants one of all, training, retired, marked");
  }
  c.t = t == 1 ? 1 : t == 2 ? 2 : t == 4 ? 3 : 4;
  c.name = ytext::to_sjis_lossy(args.name);
  if (!args.sexes.empty() && !Mask(args.sexes, {"牡", "牝", "セン"}, &c.sex, &bad)) {
    return Fail("--sex wants 牡, 牝 or セン, not '" + bad + "'");
  }
  if (!args.ages.empty() &&
      !Mask(args.ages, {"3", "4", "5", "6", "7", "8", "9", "10+"}, &c.age, &bad)) {
    return Fail("--age wants 3 to 9 or 10+, not '" + bad + "'");
  }
  if (!args.coats.empty() &&
      !Mask(args.coats, {"栗毛", "栃栗毛", "鹿毛", "黒鹿毛", "青鹿毛", "青毛", "芦毛", "その他"},
            &c.color, &bad)) {
    return Fail("--colour wants 栗毛, 栃栗毛, 鹿毛, 黒鹿毛, 青鹿毛, 青毛, 芦毛 or その他, not '" +
                bad + "'");
  }
  for (int i = 0; i < ysearch::kHorsePairs; ++i) {
    if (!args.pairs[i].empty() && !Pair(args.pairs[i], &c.value[i], &c.op[i])) {
      return Fail(std::string(kPairOptions[i][0]) + " wants >=N, >N, <=N, <N or !=N, not '" +
                  args.pairs[i] + "'");
    }
  }
  for (int i = 0; i < ysearch::kHorseTexts; ++i) c.text[i] = ytext::to_sjis_lossy(args.names[i]);
  return 0;
}

}  // namespace

FoundRow RowOf(YHorseList* h) {
  return {h->getcode() + "  " + Column(h->getname(), 20) + " " + Text(h->getseibetustring()) +
              std::to_string(h->getage()) + "  " + Column(h->getstable(), 18) + " " +
              Column(h->getfather(), 20) + " " + Column(h->getmother(), 20) + " " +
              Text(h->getchakudosu()),
          {{"code", h->getcode()},
           {"name", Text(h->getname())},
           {"sex", Text(h->getseibetustring())},
           {"age", h->getage()},
           {"trainer", Text(h->getstable())},
           {"sire", Text(h->getfather())},
           {"dam", Text(h->getmother())},
           {"record", Trim(h->getchakudosu())},
           {"top_two_rate", h->getwin2pnum() / 10.0},
           {"top_three_rate", h->getwin3pnum() / 10.0}}};
}

void AddSearchHorses(CLI::App* parent, const TakeRequest& take) {
  CLI::App* horses = parent->add_subcommand("horses", "Find horses by their conditions");
  auto args = std::make_shared<Arguments>();
  horses->add_option("name", args->name, "A horse's name, or part of one (* and ? wildcards)");
  horses->add_option("--which", args->which, "all, training, retired or marked (default all)");
  horses->add_option("--sex", args->sexes, "牡, 牝, セン (a list)");
  horses->add_option("--age", args->ages, "3 to 9, 10+ (a list)");
  horses->add_option("--colour", args->coats,
                     "栗毛, 栃栗毛, 鹿毛, 黒鹿毛, 青鹿毛, 青毛, 芦毛, その他 (a list)");
  for (int i = 0; i < ysearch::kHorseTexts; ++i) {
    horses->add_option(kNameOptions[i][0], args->names[i], kNameOptions[i][1]);
  }
  for (int i = 0; i < ysearch::kHorsePairs; ++i) {
    horses->add_option(kPairOptions[i][0], args->pairs[i], kPairOptions[i][1]);
  }
  horses->add_flag("--text", args->text, "Also print the condition text");
  horses->fallthrough();
  horses->callback([take, args] {
    ysearch::HorseConditions c;
    SearchRequest request;
    request.kind = "horses";
    request.refused = Conditions(*args, &c);
    request.make = MakeWith<YSearchHorse>(c);
    request.run = [args, request](const Options& options) {
      return RunAndShow(options, request, args->text);
    };
    take(std::move(request));
  });
}

}  // namespace tool
