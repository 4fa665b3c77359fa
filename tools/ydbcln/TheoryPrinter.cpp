// Showing a theory result on a terminal or as JSON.
#include "TheoryPrinter.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <iterator>
#include <numeric>

#include "Display.h"
#include "Session.h"

namespace tool {
namespace {

// By the theory's bet type (YTheoryResult::BetType).
const char* const kBetNames[] = {"quinella", "bracket", "wide", "win", "place"};
const char* const kPoolNames[] = {"馬連", "枠連", "ワイド", "単勝", "複勝"};

bool IsBetType(int bettype) {
  return bettype >= YTheoryResult::kQuinella && bettype <= YTheoryResult::kPlace;
}

std::string MarkText(int code) {
  switch (code) {
    case 1: return "◎";
    case 2: return "○";
    case 3: return "▲";
    case 4: return "△";
    case 5: return "×";
    case 10: return "消";
    default: return "";
  }
}

// The picks of the final order: ◎ ○ ▲ △ × on its first five runners not
// marked 消, by slot.
std::vector<std::string> Picks(const YTheoryResult& r) {
  static const char* const kPicks[] = {"◎", "○", "▲", "△", "×"};
  std::vector<std::string> picks(static_cast<std::size_t>(std::max(r.runnercount, 0)));
  std::size_t given = 0;
  for (int s : FinalOrder(r)) {
    if (given == std::size(kPicks)) break;
    if (!r.excluded[s]) picks[static_cast<std::size_t>(s)] = kPicks[given++];
  }
  return picks;
}

// The width of factor column c: its heading and its widest text, in
// Shift_JIS bytes (a byte takes one column of the terminal).
std::size_t TextWidth(const YTheoryResult& r, int item, int c) {
  std::size_t width = r.heading[item][c].size();
  for (int s = 0; s < r.runnercount; ++s) width = std::max(width, r.text[item][s][c].size());
  return width;
}

// Each factor: its name, weight and parameters, then per runner its rank
// and texts under the factor's headings.
void PrintFactors(const YTheoryResult& r, const ResultReport& report, std::ostream& out) {
  for (int i = 0; i < r.itemcount && static_cast<std::size_t>(i) < report.factors.size(); ++i) {
    const FactorNote& note = report.factors[static_cast<std::size_t>(i)];
    const int columns = std::clamp(r.columncount[i], 0, YTheoryResult::kColumns);
    out << "\nFactor " << i + 1 << ": " << note.factor << " " << Utf8(r.itemname[i])
        << "  weight " << note.weight << " (share " << note.share << ")";
    if (!note.parameters.empty()) out << ", " << note.parameters;
    out << "\n  No  " << Pad("Horse", 18) << "  Rank";
    std::vector<std::size_t> widths;
    for (int c = 0; c < columns; ++c) {
      widths.push_back(TextWidth(r, i, c));
      out << "  " << RightColumn(r.heading[i][c], widths.back());
    }
    out << "\n";
    for (int s = 0; s < r.runnercount; ++s) {
      char number[8];
      std::snprintf(number, sizeof number, "  %2d  ", r.horseno[s]);
      out << number << Column(r.horsename[s], 18) << "  " << std::setw(4) << RankText(r.rank[i][s]);
      for (int c = 0; c < columns; ++c) {
        out << "  " << RightColumn(r.text[i][s][c], widths[static_cast<std::size_t>(c)]);
      }
      out << "\n";
    }
  }
}

nlohmann::json FactorsJson(const YTheoryResult& r, const ResultReport& report) {
  using nlohmann::json;
  json factors = json::array();
  for (int i = 0; i < r.itemcount && static_cast<std::size_t>(i) < report.factors.size(); ++i) {
    const FactorNote& note = report.factors[static_cast<std::size_t>(i)];
    const int columns = std::clamp(r.columncount[i], 0, YTheoryResult::kColumns);
    json headings = json::array();
    for (int c = 0; c < columns; ++c) headings.push_back(Text(r.heading[i][c]));
    json runners = json::array();
    for (int s = 0; s < r.runnercount; ++s) {
      json texts = json::array();
      for (int c = 0; c < columns; ++c) texts.push_back(Text(r.text[i][s][c]));
      runners.push_back({{"horse", r.horseno[s]}, {"rank", r.rank[i][s]}, {"texts", texts}});
    }
    factors.push_back({{"factor", note.factor},
                       {"name", Utf8(r.itemname[i])},
                       {"weight", note.weight},
                       {"share", note.share},
                       {"parameters", note.parameters},
                       {"headings", headings},
                       {"runners", runners}});
  }
  return factors;
}

bool HasOdds(const ResultReport& report, int slot) {
  return static_cast<std::size_t>(slot) < report.odds.size() &&
         report.odds[static_cast<std::size_t>(slot)] != YTheoryResult::kNoOdds;
}

std::string Decimal(long long tenths) {
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string Fixed(double value, const char* format) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

double RateOf(const YTheoryResult& r) {
  return ReturnRate(static_cast<long long>(r.ticketcount) * kStake, Returned(r));
}

}  // namespace

std::string Yen(long long amount) {
  std::string digits = std::to_string(amount);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), ",");
  }
  return digits + "円";
}

double ReturnRate(long long stake, long long returned) {
  return stake == 0 ? 0.0 : 100.0 * static_cast<double>(returned) / static_cast<double>(stake);
}

std::string RankText(int rank) { return rank == 0 ? "-" : std::to_string(rank); }

std::string BetName(int bettype) { return IsBetType(bettype) ? kBetNames[bettype] : ""; }

int BetType(const std::string& name) {
  for (int i = YTheoryResult::kQuinella; IsBetType(i); ++i) {
    if (name == kBetNames[i]) return i;
  }
  return -1;
}

std::string Combination(int key) {
  if (key > 10000) return std::to_string(key - 10000);
  if (key < 100) return std::to_string(key / 10) + "-" + std::to_string(key % 10);
  return std::to_string(key / 100) + "-" + std::to_string(key % 100);
}

long long Returned(const YTheoryResult& r) {
  long long total = 0;
  for (int i = 0; i < r.hitcount; ++i) total += r.hitamount[i];
  return total;
}

std::vector<int> FinalOrder(const YTheoryResult& r) {
  std::vector<int> slots(static_cast<std::size_t>(std::max(r.runnercount, 0)));
  std::iota(slots.begin(), slots.end(), 0);
  std::stable_sort(slots.begin(), slots.end(),
                   [&r](int a, int b) { return r.finalrank[a] < r.finalrank[b]; });
  return slots;
}

std::vector<int> ForecastOdds(YHorseDB& db, const YTheoryResult& r) {
  YOdds odds(&db, r.racekey, r.runnercount, false);
  std::vector<int> values;
  for (int s = 0; s < r.runnercount; ++s) {
    int value = YTheoryResult::kNoOdds;
    odds.tansho(r.horseno[s], value);
    values.push_back(value);
  }
  return values;
}

void PrintRaceHeader(const YTheoryResult& r, std::ostream& out) {
  out << r.racekey << "  " << Utf8(r.datetext) << "  " << Utf8(r.kaisaitext) << "  "
      << Utf8(r.racename) << "\n"
      << Utf8(r.conditions) << "  " << Utf8(r.coursetext);
  if (!r.goingtext.empty()) out << "  " << Utf8(r.goingtext);
  out << "\n";
}

nlohmann::json RaceJson(const YTheoryResult& r) {
  return {{"code", r.racekey},
          {"date", Utf8(r.datetext)},
          {"meeting", Utf8(r.kaisaitext)},
          {"name", Utf8(r.racename)},
          {"conditions", Utf8(r.conditions)},
          {"course", Utf8(r.coursetext)},
          {"going", Utf8(r.goingtext)}};
}

bool NoFactorData(const YTheoryResult& r) {
  if (r.itemcount <= 0) return false;
  for (int i = 0; i < r.itemcount; ++i) {
    for (int s = 0; s < r.runnercount; ++s) {
      if (r.rank[i][s] != 0) return false;
    }
  }
  return true;
}

void PrintTheoryResult(const YTheoryResult& r, const ResultReport& report, std::ostream& out) {
  PrintRaceHeader(r, out);
  PrintFactors(r, report, out);
  if (report.tell_no_data && NoFactorData(r)) {
    out << "\nNo factor had data for any runner: the theory ranked none of them.\n";
  }
  out << "\nFinal order (" << report.ranking << ")\n"
      << "  Rank  No  Fr  Pick  Mark   Score   Odds  Horse\n";
  const std::vector<std::string> picks = Picks(r);
  for (int s : FinalOrder(r)) {
    char line[96];
    std::snprintf(line, sizeof line, "  %4d  %2d  %2d  ", r.finalrank[s], r.horseno[s], r.frame[s]);
    out << line << Pad(picks[static_cast<std::size_t>(s)], 4) << "  "
        << Pad(MarkText(r.markcode[s]), 4)
        << Fixed(r.score[s], "%7.2f") << "  "
        << (HasOdds(report, s) ? Fixed(report.odds[static_cast<std::size_t>(s)] / 10.0, "%5.1f")
                               : std::string("    -"))
        << "  " << Utf8(r.horsename[s]) << "\n";
  }

  if (!report.tickets) return;
  out << "\nTickets: " << kPoolNames[report.bettype] << ", " << report.method << ": "
      << r.ticketcount << (r.ticketcount == 1 ? " ticket" : " tickets")
      << (r.cutdown ? " (cut down to keep the count)" : "") << "\n";
  for (int t = 0; t < r.ticketcount; ++t) {
    out << "  " << Pad(Combination(r.ticketkey[t]), 6) << "ranks "
        << Combination(r.ticketrank[t]) << "\n";
  }

  if (!report.run) {
    out << "\nThe race has not been run: no hits to check.\n";
    return;
  }
  if (!report.checked) {
    out << "\nThe race paid no " << kPoolNames[report.bettype] << ": no hits to check.\n";
    return;
  }
  out << "\nHits: " << r.hitcount << "\n";
  for (int h = 0; h < r.hitcount; ++h) {
    out << "  " << Pad(Combination(r.hitkey[h]), 6) << Yen(r.hitamount[h]) << "\n";
  }
  out << "Stake " << Yen(static_cast<long long>(r.ticketcount) * kStake) << "  Return "
      << Yen(Returned(r)) << "  Return rate " << Fixed(RateOf(r), "%.1f") << "%\n";
}

nlohmann::json TheoryResultJson(const YTheoryResult& r, const ResultReport& report) {
  using nlohmann::json;
  json order = json::array();
  const std::vector<std::string> picks = Picks(r);
  for (int s : FinalOrder(r)) {
    order.push_back({
        {"rank", r.finalrank[s]},
        {"horse", r.horseno[s]},
        {"frame", r.frame[s]},
        {"pick", picks[static_cast<std::size_t>(s)]},
        {"mark", MarkText(r.markcode[s])},
        {"excluded", r.excluded[s]},
        {"score", r.score[s]},
        {"forecast_odds", HasOdds(report, s) ? json(Decimal(report.odds[static_cast<std::size_t>(s)]))
                                             : json(nullptr)},
        {"name", Utf8(r.horsename[s])},
    });
  }
  json tickets = json::array();
  for (int t = 0; t < r.ticketcount; ++t) {
    tickets.push_back({{"combination", Combination(r.ticketkey[t])},
                       {"ranks", Combination(r.ticketrank[t])}});
  }
  json out = {
      {"race", RaceJson(r)},
      {"ranking", report.ranking},
      {"factors", FactorsJson(r, report)},
      {"order", order},
      {"bet", report.tickets ? json(BetName(report.bettype)) : json(nullptr)},
      {"method", report.method},
      {"tickets", tickets},
      {"cut_down", r.cutdown},
      {"run", report.run},
  };
  if (report.tell_no_data) out["no_data"] = NoFactorData(r);
  if (report.run) {
    json hits = json::array();
    for (int h = 0; h < r.hitcount; ++h) {
      hits.push_back({{"combination", Combination(r.hitkey[h])}, {"payout", r.hitamount[h]}});
    }
    out["paid"] = report.checked;
    out["hits"] = hits;
    out["stake"] = static_cast<long long>(r.ticketcount) * kStake;
    out["return"] = Returned(r);
    out["return_rate"] = RateOf(r);
  }
  return out;
}

}  // namespace tool
