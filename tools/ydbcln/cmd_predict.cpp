// `ydbcln predict THEORY RACECODE`: a stored theory's prediction for one
// race: each factor's ranks and texts, the final order with its picks
// ◎ ○ ▲ △ ×, the tickets bought from it and, for a run race, the hits.
// `ydbcln predict THEORY --from DATE --to DATE`: the theory over every run
// race of the range, a line per race and the totals (YTheoryRangeTotals):
// how often its first runner won, the hit rate, stake, return and return
// rate.
//
// THEORY is a stored theory's code or its exact title. Tickets are bought
// with the options of `ydbcln tickets`; without --bet, the first runner of
// the order to win.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "Display.h"
#include "Factors.h"
#include "Printable.h"
#include "Progress.h"
#include "RaceShow.h"
#include "RaceSource.h"
#include "Session.h"
#include "TheoryLookup.h"
#include "TheoryPrinter.h"
#include "TicketRules.h"

namespace tool {
namespace {

struct PredictRequest {
  std::string theory;  // code or exact title
  std::string race;
  std::string from, to;
  bool card = false;
  bool nomination = false;
  std::string going, surface, distance;  // the race's conditions replaced
  TicketRules rules;
};

// The tickets asked for: the bet type, the option set and how in words.
struct TicketChoice {
  int bettype = 0;
  YTheoryOption option = {};
  std::string method;
};

TicketChoice ChooseTickets(TicketRules rules) {
  if (rules.bet.empty()) {
    rules.bet = "win";
    if (rules.box.empty()) rules.box = "1:1";
  }
  TicketChoice choice;
  choice.bettype = TicketBetType(rules);
  choice.option = TicketOption(rules, choice.bettype, &choice.method);
  return choice;
}

// `text` looked up in a table of the words (and digits) a user may type;
// throws a Refusal naming `option` and the words when it is none of them.
struct Word {
  const char* text;
  int value;
};
template <std::size_t N>
int Lookup(const Word (&words)[N], const std::string& text, const std::string& option) {
  std::string known;
  for (const Word& w : words) {
    if (text == w.text) return w.value;
    known += (known.empty() ? "" : ", ") + std::string(w.text);
  }
  throw Refusal(option + " is one of " + known + ": " + text);
}

// The race conditions given on the command line; `given` false when none
// was. The going stays -1 when only the surface or distance was given.
struct Conditions {
  bool given = false;
  int going = -1;
  tagYCalcInfo info = {-1, -1, 0, {0, 0, 0}, 0, {0, 0, 0}};
};

Conditions ReadConditions(const PredictRequest& q) {
  static const Word kGoings[] = {{"良", 0}, {"稍", 1}, {"稍重", 1}, {"重", 2}, {"不", 3},
                                 {"不良", 3}, {"0", 0},  {"1", 1},    {"2", 2},  {"3", 3}};
  static const Word kSurfaces[] = {{"dirt", 0}, {"turf", 1}, {"jump", 2}, {"ダート", 0},
                                   {"芝", 1},   {"障害", 2}, {"0", 0},    {"1", 1},
                                   {"2", 2}};
  Conditions c;
  if (!q.going.empty()) c.going = Lookup(kGoings, q.going, "--going");
  if (!q.surface.empty()) c.info.surface = Lookup(kSurfaces, q.surface, "--surface");
  if (!q.distance.empty()) {
    c.info.distance = Numbers(q.distance, ':', 1, "--distance")[0];
    if (c.info.distance < 100 || c.info.distance > 9999) {
      throw Refusal("--distance is in metres, 100 to 9999: " + q.distance);
    }
  }
  c.given = !q.going.empty() || !q.surface.empty() || !q.distance.empty();
  if (c.going >= 0) c.info.going = static_cast<std::uint8_t>(c.going);
  return c;
}

std::string Ranking(YTheory& theory) {
  return "theory " + std::to_string(theory.getcode()) + ": " + Utf8(theory.getname());
}

std::vector<FactorNote> Notes(YTheory& theory) {
  const std::vector<int> shares = theory.shares();
  std::vector<FactorNote> notes;
  for (int i = 0; i < theory.getitemcount() && i < YTheory::kMaxItems; ++i) {
    const int no = theory.getitemno(i);
    notes.push_back({no, theory.getitemvalue(i), shares[static_cast<std::size_t>(i)],
                     ItemParamWords(no, theory.getitemparam(i, 0), theory.getitemparam(i, 1))});
  }
  return notes;
}

int PredictRace(const Options& options, const PredictRequest& q) {
  if (!CheckRaceCode(q.race)) return 2;
  Conditions conditions;
  TicketChoice choice;
  try {
    conditions = ReadConditions(q);
    choice = ChooseTickets(q.rules);
  } catch (const Refusal& e) {
    return Fail(e.what());
  }
  YHorseDB db;
  YTheory theory(nullptr);
  if (!OpenWithTheory(db, options.data_dir, q.theory, &theory)) return 1;

  const int usecard = q.card || q.nomination ? 1 : 0;
  const int nomination = q.nomination ? 1 : 0;
  const std::string what = q.nomination ? "nominations for " + q.race
                           : q.card     ? "race card of " + q.race
                                        : "race " + q.race;
  auto engine = std::make_unique<YCalcTheory>(&db);
  tagYCalcInfo* info = conditions.given ? &conditions.info : nullptr;
  bool going_known = true;
  if (conditions.given && conditions.going < 0) {
    // The conditions replace the going too: keep the race's own, as a
    // theory of no factors reads it (a card may have none).
    YTheory none(nullptr);
    if (engine->exec(&none, q.race, usecard, nomination, nullptr, false) != 0) {
      return ReportNotLoaded(db, what);
    }
    conditions.info.going = static_cast<std::uint8_t>(engine->getresult()->going);
    going_known = !engine->getresult()->goingtext.empty();
  }
  if (engine->exec(&theory, q.race, usecard, nomination, info, false) != 0) {
    return ReportNotLoaded(db, what);
  }
  YTheoryResult& r = *engine->getresult();
  if (!going_known) r.goingtext.clear();

  ResultReport report;
  report.ranking = Ranking(theory);
  report.factors = Notes(theory);
  report.tell_no_data = true;
  report.bettype = choice.bettype;
  report.method = choice.method;
  report.tickets = nomination == 0;
  if (report.tickets) {
    engine->setkaime(choice.bettype, &choice.option);
    report.odds = ForecastOdds(db, r);
  }
  if (usecard == 0 && !HasResults(q.race, &report.run)) return StoreFailure();
  if (report.run) report.checked = r.settekichu(choice.bettype);

  if (options.json) {
    std::cout << TheoryResultJson(r, report).dump(2) << "\n";
  } else {
    PrintTheoryResult(r, report, std::cout);
  }
  return 0;
}

using Outcome = YTheoryRangeTotals::Outcome;

// Why a race is not counted, in words; empty when it is.
std::string SkipReason(const Outcome& o, int bettype) {
  switch (o.skip) {
    case YTheoryRangeTotals::kNotLoaded: return "the race cannot be loaded";
    case YTheoryRangeTotals::kNothingPaid: return "the race paid no " + BetName(bettype);
    default: return "";
  }
}

std::string Percent(double rate) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f%%", rate);
  return text;
}

void PrintOutcome(const Outcome& o, int bettype) {
  std::cout << o.code;
  if (o.skip != YTheoryRangeTotals::kCounted) {
    std::cout << "  not counted: " << SkipReason(o, bettype) << "\n";
    return;
  }
  std::cout << "  " << std::setw(2) << o.runners << " runners  first " << std::setw(2) << o.first
            << (o.won ? " won " : "     ");
  std::cout << "  tickets " << o.tickets << "  hits " << o.hits << "  return " << Yen(o.returned)
            << "\n";
}

nlohmann::json OutcomeJson(const Outcome& o, int bettype) {
  nlohmann::json out = {{"code", o.code},
                        {"counted", o.skip == YTheoryRangeTotals::kCounted},
                        {"runners", o.runners},
                        {"first", o.first},
                        {"first_won", o.won},
                        {"tickets", o.tickets},
                        {"hits", o.hits},
                        {"stake", o.stake()},
                        {"return", o.returned}};
  if (o.skip != YTheoryRangeTotals::kCounted) out["skipped"] = SkipReason(o, bettype);
  return out;
}

int PredictRange(const Options& options, const PredictRequest& q) {
  int from = 0, to = 0;
  if (!ParseDate(q.from, &from) || !ParseDate(q.to, &to)) {
    return Fail("--from and --to are dates YYYYMMDD of the calendar: " + q.from + " " + q.to);
  }
  if (from > to) return Fail("--from " + q.from + " is after --to " + q.to);
  if (q.card || q.nomination || !q.going.empty() || !q.surface.empty() || !q.distance.empty()) {
    return Fail("--card, --nomination, --going, --surface and --distance are for one race");
  }
  TicketChoice choice;
  try {
    choice = ChooseTickets(q.rules);
  } catch (const Refusal& e) {
    return Fail(e.what());
  }
  YHorseDB db;
  YTheory theory(nullptr);
  if (!OpenWithTheory(db, options.data_dir, q.theory, &theory)) return 1;
  std::vector<std::string> codes;
  if (!RaceCodes(db, from, to, &codes)) return StoreFailure();

  nlohmann::json races = nlohmann::json::array();
  YTheoryRangeTotals total;
  {
    ProgressBar bar("predict");
    auto engine = std::make_unique<YCalcTheory>(&db);
    bool interrupted = false;
    std::size_t told = 0;  // races added
    auto added = [&](std::size_t i) {
      told = i + 1;
      if (options.json) {
        races.push_back(OutcomeJson(total.last(), choice.bettype));
      } else {
        bar.clear();
        PrintOutcome(total.last(), choice.bettype);
        std::cout.flush();
      }
      const int done = static_cast<int>(i) + 1;
      if (done < static_cast<int>(codes.size()) &&
          !bar.update(done, static_cast<int>(codes.size()), codes[i + 1])) {
        interrupted = true;
        return false;
      }
      return true;
    };
    if (!codes.empty() && !bar.update(0, static_cast<int>(codes.size()), codes[0])) {
      bar.clear();
      return Fail("interrupted", kExitInterrupted);
    }
    if (total.addraces(&db, engine.get(), &theory, codes, choice.bettype, &choice.option,
                       added) != 0) {
      bar.clear();
      return ReportNotLoaded(db, "race " + codes[told]);
    }
    if (interrupted) {
      bar.clear();
      return Fail("interrupted", kExitInterrupted);
    }
    bar.update(static_cast<int>(codes.size()), static_cast<int>(codes.size()), "done");
  }

  const double rate = total.returnrate();
  if (options.json) {
    nlohmann::json out = {
        {"theory", {{"code", theory.getcode()}, {"title", Utf8(theory.getname())}}},
        {"from", from},
        {"to", to},
        {"bet", BetName(choice.bettype)},
        {"method", choice.method},
        {"races", races},
        {"total",
         {{"races", total.races},
          {"rank1_wins", total.firstwins},
          {"hit_races", total.hitraces},
          {"stake", total.stake},
          {"return", total.returned},
          {"return_rate", rate}}},
    };
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  char rate_text[32];
  std::snprintf(rate_text, sizeof rate_text, "%.1f%%", rate);
  std::cout << "\n" << Ranking(theory) << ", " << BetName(choice.bettype) << " " << choice.method
            << "\nRaces " << total.races << "  first won " << total.firstwins << " ("
            << Percent(total.firstwinrate()) << ")  hit races " << total.hitraces << " ("
            << Percent(total.hitrate()) << ")\nStake " << Yen(total.stake)
            << "  Return " << Yen(total.returned) << "  Return rate " << rate_text << "\n";
  return 0;
}

int Predict(const Options& options, const PredictRequest& q) {
  const bool range = !q.from.empty() || !q.to.empty();
  if (range && !q.race.empty()) return Fail("give a RACECODE or --from and --to, not both");
  if (range && (q.from.empty() || q.to.empty())) return Fail("a range takes both --from and --to");
  if (!range && q.race.empty()) return Fail("give a RACECODE, or --from and --to");
  return range ? PredictRange(options, q) : PredictRace(options, q);
}

}  // namespace

void RegisterPredict(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand(
      "predict", "A stored theory's prediction for a race, or its record over a range of races");
  auto q = std::make_shared<PredictRequest>();
  cmd->add_option("THEORY", q->theory, "The theory's code or exact title")->required();
  cmd->add_option("RACECODE", q->race, "Race code: place, date YYYYMMDD, race number");
  cmd->add_option("--from", q->from, "First day of a range of run races, YYYYMMDD");
  cmd->add_option("--to", q->to, "Last day of the range, YYYYMMDD");
  cmd->add_flag("--card", q->card, "Read the race from its card even when it has been run");
  cmd->add_flag("--nomination,--nominations", q->nomination,
                "Read the horses nominated for the race, before the draw");
  cmd->add_option("--going", q->going, "Judge the race on this going: 良, 稍, 重, 不 (or 0-3)");
  cmd->add_option("--surface", q->surface, "Judge the race on this surface: turf, dirt, jump");
  cmd->add_option("--distance", q->distance, "Judge the race at this distance, metres");
  AddTicketOptions(cmd, &q->rules, false);
  cmd->callback([&options, exit_code, q] { *exit_code = Predict(options, *q); });
}

}  // namespace tool
