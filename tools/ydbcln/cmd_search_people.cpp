// `ydbcln search jockeys|trainers|sires [NAME]` and `ydbcln search damsires
// NAME`: the searches of people and sires. Readable options fill the
// search's conditions (which ones, affiliation or centre, age band, the
// figures of this year or of the career compared as '>=50', aptitudes,
// names); the conditions are compiled and run, and the rows found are
// printed in code order with their counts, rates and prize money. --text
// also prints the condition text. A condition the search refuses exits 2.
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <db/api/ydbbsn.h>
#include <text/sjis.h>

#include "Display.h"
#include "SearchOptions.h"
#include "Session.h"
#include "cmd_search.h"

namespace tool {
namespace {

// Everything the four subcommands read; each registers the options it takes.
struct Arguments {
  std::string name, which = "all", place, ages, qualification, allowance, stable;
  std::string distance, dirt, heavy, coats, sire, dam;
  int first_year = 0;
  std::vector<std::string> figures = std::vector<std::string>(12);
  bool text = false;
};

// A choice list option: its name, help, the names of its bits from
// `first_bit` on.
struct Choices {
  const char* option;
  const char* help;
  std::vector<std::string> names;
  int first_bit;
  std::string Arguments::*value;
};

// A compared option: its name, help and where it lands in `figures`.
struct Figure {
  const char* option;
  const char* help;
  int slot;
};

const std::vector<std::string> kWhich = {"all", "this-year", "ran", "none"};

// The figures of jockeys and trainers: slots 0-1 wins (career, this year),
// 2-4 this year's flat and jump runs and prize money, 5-10 the three rates
// (career, this year).
const Figure kPersonFigures[] = {
    {"--wins", "Career wins, compared: >=50, >50, <=50, <50, !=50", 0},
    {"--wins-this-year", "Wins this year, compared", 1},
    {"--flat-runs", "Runs on the flat this year, compared", 2},
    {"--jump-runs", "Runs over jumps this year, compared", 3},
    {"--prize", "Prize money this year in thousands of yen, compared", 4},
    {"--win-rate", "Career win rate in tenths of a percent, compared", 5},
    {"--win-rate-this-year", "Win rate this year", 6},
    {"--top2-rate", "Career rate of the first two", 7},
    {"--top2-rate-this-year", "Rate of the first two this year", 8},
    {"--top3-rate", "Career rate of the first three", 9},
    {"--top3-rate-this-year", "Rate of the first three this year", 10},
};
// The sires': the offspring's wins, win rate and rate of the first three.
const Figure kSireFigures[] = {
    {"--wins", "The offspring's wins, compared: >=100 ...", 0},
    {"--win-rate", "The offspring's win rate in tenths of a percent", 1},
    {"--top3-rate", "The offspring's rate of the first three", 2},
};

const Choices kJockeyChoices[] = {
    {"--affiliation", "栗東, 美浦, 招待 (a list)", {"美浦", "美浦", "栗東", "招待"}, 0,
     &Arguments::place},
    {"--age", "0-20, 21-25, 26-30, 31-35, 36-40, 41+ (a list)",
     {"0-20", "21-25", "26-30", "31-35", "36-40", "41+"}, 12, &Arguments::ages},
    {"--qualification", "平障, 平地, 障害 (a list)", {"平障", "平地", "障害"}, 0,
     &Arguments::qualification},
    {"--allowance", "1, 2, 3 kg apprentice allowance (a list)", {"1", "2", "3"}, 0,
     &Arguments::allowance},
};
const Choices kTrainerChoices[] = {
    {"--centre", "栗東, 美浦南, 美浦北, other (a list; 美浦北 takes in 美浦南)",
     {"美浦北", "美浦南", "栗東", "other"}, 0, &Arguments::place},
    {"--age", "0-30, 31-35, ..., 61-65, 66+ (a list)",
     {"0-30", "31-35", "36-40", "41-45", "46-50", "51-55", "56-60", "61-65", "66+"}, 14,
     &Arguments::ages},
};
const Choices kSireChoices[] = {
    {"--age", "7 to 14, 15+ (a list)", {"7", "8", "9", "10", "11", "12", "13", "14", "15+"}, 4,
     &Arguments::ages},
    {"--distance", "短, 中, 長 (a list)", {"短", "中", "長"}, 0, &Arguments::distance},
    {"--dirt", "◎, ○, △ (a list)", {"◎", "○", "△"}, 0, &Arguments::dirt},
    {"--heavy", "◎, ○, △ (a list)", {"◎", "○", "△"}, 0, &Arguments::heavy},
    {"--colour", "栗毛, 栃栗毛, 鹿毛, 黒鹿毛, 青鹿毛, 青毛, 芦毛, その他 (a list)",
     {"栗毛", "栃栗毛", "鹿毛", "黒鹿毛", "青鹿毛", "青毛", "芦毛", "その他"}, 0,
     &Arguments::coats},
};

// What the command line fills: T, the masks of `choices` in order, the
// compared figures as (value, operator) pairs. Fails with the message.
struct Filled {
  int t = 0;
  std::vector<int> masks;
  std::vector<std::pair<int, int>> figures;
  std::string error;
};

template <std::size_t C, std::size_t F>
Filled Fill(const Arguments& args, const Choices (&choices)[C], const Figure (&figures)[F]) {
  Filled f;
  std::string bad;
  int which = 0;
  if (!Mask(args.which, kWhich, &which, &bad) || which == 0 || (which & (which - 1)) != 0) {
    f.error = "--which wants one of all, this-year, ran, none";
    return f;
  }
  f.t = which == 1 ? 1 : which == 2 ? 2 : which == 4 ? 3 : 4;
  for (const Choices& c : choices) {
    int mask = -1;
    const std::string& list = args.*c.value;
    if (!list.empty() && !Mask(list, c.names, &mask, &bad)) {
      f.error = std::string(c.option) + " wants " + c.help + ", not '" + bad + "'";
      return f;
    }
    f.masks.push_back(mask == -1 ? -1 : mask << c.first_bit);
  }
  for (const Figure& g : figures) {
    std::pair<int, int> pair{0, 0};
    const std::string& text = args.figures[static_cast<std::size_t>(g.slot)];
    if (!text.empty() && !Pair(text, &pair.first, &pair.second)) {
      f.error = std::string(g.option) + " wants >=N, >N, <=N, <N or !=N, not '" + text + "'";
      return f;
    }
    f.figures.push_back(pair);
  }
  return f;
}

// The person conditions jockeys and trainers share, from `f`.
void PersonOf(const Arguments& args, const Filled& f, ysearch::PersonConditions* c) {
  c->name = ytext::to_sjis_lossy(args.name);
  c->t = f.t;
  c->p = f.masks[0];
  c->age = f.masks[1];
  c->an = args.first_year;
  const auto& g = f.figures;
  c->wins = g[1].second != 0 ? ysearch::ComparedIn{g[1].first, g[1].second, 1}
                             : ysearch::ComparedIn{g[0].first, g[0].second, 0};
  c->flat_runs = {g[2].first, g[2].second};
  c->jump_runs = {g[3].first, g[3].second};
  c->prize = {g[4].first, g[4].second};
  for (int i = 0; i < 3; ++i) {
    const auto& career = g[static_cast<std::size_t>(5 + 2 * i)];
    const auto& year = g[static_cast<std::size_t>(6 + 2 * i)];
    c->rate[i] = year.second != 0 ? ysearch::ComparedIn{year.first, year.second, 1}
                                  : ysearch::ComparedIn{career.first, career.second, 0};
  }
}

template <typename Row>
FoundRow PersonRow(Row* r) {
  return {r->getcode() + "  " + Column(r->getname(), 18) + " " +
              Column(r->getshozokustring(), 6) + " " + Text(r->getrnh()) + "  " +
              Text(r->gethnh()) + "  " + Text(r->getwin1pr()) + "  " + Text(r->gethhrplize()),
          {{"code", r->getcode()},
           {"name", Text(r->getname())},
           {"affiliation", Text(r->getshozokustring())},
           {"age", r->getage()},
           {"career", Trim(r->getrnh())},
           {"this_year", Trim(r->gethnh())},
           {"win_rate", r->getwin1prnum() / 10.0},
           {"top_three_rate", r->getwin3prnum() / 10.0},
           {"prize_this_year", Number(r->gethhrplize())}}};
}

// The request of a search of `Search`'s kind under the conditions `c`,
// or of options refused (`f.error`).
template <typename Search, typename Conditions>
SearchRequest Request(const char* kind, const Arguments& args, const Filled& f,
                      const Conditions& c) {
  SearchRequest request;
  request.kind = kind;
  if (!f.error.empty()) {
    request.refused = Fail(f.error);
    return request;
  }
  request.make = MakeWith<Search>(c);
  const bool text = args.text;
  request.run = [request, text](const Options& options) {
    return RunAndShow(options, request, text);
  };
  return request;
}

SearchRequest Jockeys(const Arguments& args) {
  const Filled f = Fill(args, kJockeyChoices, kPersonFigures);
  ysearch::JockeyConditions c;
  if (f.error.empty()) {
    PersonOf(args, f, &c);
    c.m = f.masks[2];
    c.sk = f.masks[3];
    c.stable = ytext::to_sjis_lossy(args.stable);
  }
  return Request<YSearchJockey>("jockeys", args, f, c);
}

SearchRequest Trainers(const Arguments& args) {
  const Filled f = Fill(args, kTrainerChoices, kPersonFigures);
  ysearch::PersonConditions c;
  if (f.error.empty()) PersonOf(args, f, &c);
  return Request<YSearchStable>("trainers", args, f, c);
}

SearchRequest Sires(const Arguments& args) {
  const Filled f = Fill(args, kSireChoices, kSireFigures);
  ysearch::SireConditions c;
  if (f.error.empty()) {
    c.name = ytext::to_sjis_lossy(args.name);
    c.t = f.t;
    c.age = f.masks[0];
    c.k = f.masks[1];
    c.d = f.masks[2];
    c.o = f.masks[3];
    c.color = f.masks[4];
    c.an = args.first_year;
    for (int i = 0; i < 3; ++i) {
      c.figure[i] = {f.figures[static_cast<std::size_t>(i)].first,
                     f.figures[static_cast<std::size_t>(i)].second};
    }
    c.sire_name = ytext::to_sjis_lossy(args.sire);
    c.dam_name = ytext::to_sjis_lossy(args.dam);
  }
  return Request<YSearchSire>("sires", args, f, c);
}

// The dam's sires are found by name at once: no conditions held, no kind
// the drill-down walks.
SearchRequest DamSires(const Arguments& args) {
  const Filled f = Fill(args, kSireChoices, kSireFigures);
  SearchRequest request;
  request.kind = "damsires";
  if (!f.error.empty()) {
    request.refused = Fail(f.error);
    return request;
  }
  request.run = [args, t = f.t](const Options& options) {
    YHorseDB db;
    if (!OpenDataSet(db, options.data_dir)) return 1;
    YSearchDimSire search(&db);
    const int found = search.exec(ytext::to_sjis_lossy(args.name), t);
    if (found < 0) return Fail(std::string("the search failed: ") + get_db_error(), 1);
    std::vector<FoundRow> rows;
    for (int i = 0; i < found; ++i) rows.push_back(RowOf(search.result(i)));
    const std::string& text = search.getconditiontext();
    ShowFound(options, "damsires", rows, args.text ? &text : nullptr);
    return 0;
  };
  return request;
}

template <std::size_t C, std::size_t F>
void AddOptions(CLI::App* app, Arguments* args, const Choices (&choices)[C],
                const Figure (&figures)[F]) {
  for (const Choices& c : choices) app->add_option(c.option, args->*c.value, c.help);
  for (const Figure& g : figures) {
    app->add_option(g.option, args->figures[static_cast<std::size_t>(g.slot)], g.help);
  }
}

CLI::App* AddKind(CLI::App* search, const char* name, const char* help, Arguments* args) {
  CLI::App* app = search->add_subcommand(name, help);
  app->add_option("name", args->name, "A name, or part of one (* and ? wildcards)");
  app->add_option("--which", args->which,
                  "all, this-year (with a run this year), ran (with a run), none (default all)");
  app->add_flag("--text", args->text, "Also print the condition text");
  app->fallthrough();
  return app;
}

}  // namespace

FoundRow RowOf(YJockeyList* jockey) { return PersonRow(jockey); }
FoundRow RowOf(YStableList* trainer) { return PersonRow(trainer); }

FoundRow RowOf(YSireList* r) {
  return {r->getcode() + "  " + Column(r->getname(), 18) + " " + std::to_string(r->getage()) +
              "  " + Column(r->getfather(), 18) + " " + Column(r->getmother(), 18) + " " +
              Text(r->getwin1p()) + " " + Text(r->getwin3p()),
          {{"code", r->getcode()},
           {"name", Text(r->getname())},
           {"age", r->getage()},
           {"sire", Text(r->getfather())},
           {"dam", Text(r->getmother())},
           {"win_rate", r->getwin1pnum() / 10.0},
           {"top_three_rate", r->getwin3pnum() / 10.0}}};
}

FoundRow RowOf(YDimSireList* r) {
  return {r->getcode() + "  " + Text(r->getname()),
          {{"code", r->getcode()}, {"name", Text(r->getname())}}};
}

void AddSearchPeople(CLI::App* parent, const TakeRequest& take) {
  struct Kind {
    const char* name;
    const char* help;
    SearchRequest (*request)(const Arguments&);
  };
  static const Kind kinds[] = {
      {"jockeys", "Find jockeys by their conditions", Jockeys},
      {"trainers", "Find trainers by their conditions", Trainers},
      {"sires", "Find sires by their conditions and their offspring's record", Sires},
      {"damsires", "Find the dam's sires of stored horses by name", DamSires},
  };
  for (const Kind& kind : kinds) {
    auto args = std::make_shared<Arguments>();
    CLI::App* app = AddKind(parent, kind.name, kind.help, args.get());
    const std::string name = kind.name;
    if (name == "jockeys" || name == "trainers") {
      app->add_option("--first-year", args->first_year, "First year licensed, from");
      if (name == "jockeys") {
        AddOptions(app, args.get(), kJockeyChoices, kPersonFigures);
        app->add_option("--stable", args->stable, "The stable's name, or part of it");
      } else {
        AddOptions(app, args.get(), kTrainerChoices, kPersonFigures);
      }
    } else if (name == "sires") {
      AddOptions(app, args.get(), kSireChoices, kSireFigures);
      app->add_option("--born-from", args->first_year, "Born in or after this year");
      app->add_option("--sire", args->sire, "The sire's own sire's name");
      app->add_option("--dam", args->dam, "The sire's dam's name");
    }
    const auto request = kind.request;
    app->callback([take, args, request] { take(request(*args)); });
  }
}

}  // namespace tool
