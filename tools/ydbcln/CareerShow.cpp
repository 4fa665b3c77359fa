// Runs as past-performance lines and run totals as tables, for the horse
// and people commands.
#include "CareerShow.h"

#include <cstdio>
#include <iostream>
#include <sstream>

#include "Session.h"

namespace tool {
namespace {

using Json = nlohmann::ordered_json;

// One row of a table: its label, a person's code, and its seven ints.
struct TotalRow {
  std::string label;
  std::string code;
  const int* counts;
};

std::string Number(int n, const char* unit) { return std::to_string(n) + unit; }

std::vector<TotalRow> Fixed(const int (*rows)[YRaceTotal::kRowSize],
                            const std::vector<std::string>& labels) {
  std::vector<TotalRow> out;
  for (std::size_t i = 0; i < labels.size(); ++i) out.push_back({labels[i], "", rows[i]});
  return out;
}

std::vector<TotalRow> People(const YJSTotal* people, int used) {
  std::vector<TotalRow> out;
  for (int i = 0; i < used; ++i) {
    const bool others = i == YRaceTotal::kPeople - 1;
    out.push_back({others ? "その他" : Utf8(people[i].name), people[i].code, people[i].total});
  }
  return out;
}

std::vector<std::string> Numbered(int count, const char* unit) {
  std::vector<std::string> labels;
  for (int i = 1; i <= count; ++i) labels.push_back(Number(i, unit));
  return labels;
}

std::vector<TotalRow> Popularity(const YRaceTotal& t) {
  std::vector<std::string> labels = Numbered(10, "番人気");
  labels.push_back("11番人気以下");
  return Fixed(t.ninki, labels);
}

std::vector<TotalRow> BodyWeight(const YRaceTotal& t) {
  std::vector<std::string> labels = {"400kg以下"};
  for (int i = 1; i <= 20; ++i) {
    labels.push_back(std::to_string(391 + 10 * i) + "-" + Number(400 + 10 * i, "kg"));
  }
  labels.push_back("601kg以上");
  return Fixed(t.bataiju, labels);
}

std::vector<TotalRow> Distance(const YRaceTotal& t) {
  static const char* const kGroups[8] = {"芝右", "芝左", "芝他", "芝計",
                                         "ダ右", "ダ左", "ダ他", "ダ計"};
  std::vector<std::string> bands = {"1000-1200m"};
  for (int b = 1; b <= 6; ++b) {
    bands.push_back(std::to_string(1001 + 200 * b) + "-" + Number(1200 + 200 * b, "m"));
  }
  bands.push_back("2401m以上");
  bands.push_back("計");
  std::vector<TotalRow> out;
  for (int g = 0; g < 8; ++g) {
    for (int b = 0; b < 9; ++b) {
      out.push_back({std::string(kGroups[g]) + " " + bands[static_cast<std::size_t>(b)], "",
                     t.distance[g][b]});
    }
  }
  out.push_back({"障害", "", t.jump});
  return out;
}

std::vector<TotalRow> Carried(const YRaceTotal& t) {
  std::vector<std::string> labels = {"50kg未満"};
  for (int kg = 50; kg <= 59; ++kg) {
    labels.push_back(std::to_string(kg) + ".0-" + std::to_string(kg) + ".9kg");
  }
  labels.push_back("60kg以上");
  return Fixed(t.futan, labels);
}

std::vector<TotalRow> Going(const YRaceTotal& t) {
  std::vector<std::string> labels;
  for (const char* track : {"芝", "ダ", "障"}) {
    for (const char* going : {"良", "稍重", "重", "不良"}) {
      labels.push_back(std::string(track) + going);
    }
  }
  return Fixed(t.trackgoing, labels);
}

// The groups of a run total, in table order.
struct Group {
  const char* name;   // as --by names it, and "by_<name>" in JSON
  const char* title;  // the text table's heading
  std::vector<TotalRow> (*rows)(const YRaceTotal&);
};

const Group kGroups[] = {
    {"course", "racecourse",
     [](const YRaceTotal& t) {
       return Fixed(t.place, {"札幌", "函館", "福島", "新潟", "東京", "中山", "中京", "京都",
                              "阪神", "小倉", "その他"});
     }},
    {"style", "running style",
     [](const YRaceTotal& t) { return Fixed(t.kyakushitsu, {"逃げ", "先行", "差し", "追込"}); }},
    {"month", "month", [](const YRaceTotal& t) { return Fixed(t.month, Numbered(12, "月")); }},
    {"jockey", "jockey", [](const YRaceTotal& t) { return People(t.jockey, t.jockeycount); }},
    {"trainer", "trainer", [](const YRaceTotal& t) { return People(t.stable, t.stablecount); }},
    {"popularity", "popularity", Popularity},
    {"weight", "body weight", BodyWeight},
    {"distance", "distance", Distance},
    {"carried", "weight carried", Carried},
    {"class", "class",
     [](const YRaceTotal& t) {
       return Fixed(t.classrank, {"新馬・未勝利", "1勝クラス", "2勝クラス", "3勝クラス",
                                  "オープン", "G3", "G2", "G1"});
     }},
    {"going", "track and going", Going},
    {"change", "weight change",
     [](const YRaceTotal& t) {
       return Fixed(t.zogen, {"+10kg以上", "+5〜+9kg", "+1〜+4kg", "±0", "-1〜-4kg",
                              "-5〜-9kg", "-10kg以下", "不明"});
     }},
    {"frame", "frame", [](const YRaceTotal& t) { return Fixed(t.waku, Numbered(8, "枠")); }},
    {"number", "horse number",
     [](const YRaceTotal& t) { return Fixed(t.umaban, Numbered(28, "番")); }},
    {"odds", "odds",
     [](const YRaceTotal& t) {
       return Fixed(t.odds, {"1.0-1.4", "1.5-1.9", "2.0-2.9", "3.0-4.9", "5.0-6.9", "7.0-9.9",
                             "10.0-19.9", "20.0-39.9", "40.0-59.9", "60.0-99.9", "100.0-"});
     }},
    {"pace", "pace",
     [](const YRaceTotal& t) { return Fixed(t.pace, {"Ｈ", "Ｍ", "Ｓ", "その他"}); }},
};
constexpr int kGroupCount = sizeof kGroups / sizeof kGroups[0];

int Runs(const int* r) { return r[0] + r[1] + r[2] + r[3]; }

}  // namespace

bool IsEntityCode(const std::string& code, std::size_t width) {
  if (code.size() != width) return false;
  for (char c : code) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

Json RunJson(const YRaceHorse& run, bool horse) {
  Json out = {{"race", run.racecode}};
  if (horse) {
    out["horse_code"] = run.horsecode;
    out["horse"] = Utf8(run.horsename);
  }
  out.update(Json{{"meeting", Utf8(run.kaisai)},
                  {"race_name", Utf8(run.racename)},
                  {"course", Utf8(run.track) + std::to_string(run.distance)},
                  {"going", Utf8(run.going)},
                  {"horse_number", run.horseno},
                  {"popularity", run.popularity},
                  {"order", Utf8(run.ordertext)},
                  {"jockey", Utf8(run.jockeyname)},
                  {"weight_carried", run.weightcarried / 10.0},
                  {"time", run.racetime},
                  {"remarks", Utf8(run.remarks)}});
  return out;
}

std::string RunLine(const YRaceHorse& run, bool horse) {
  char time[16] = "";
  if (run.racetime != 0) {
    std::snprintf(time, sizeof time, "%d:%04.1f", run.racetime / 600, run.racetime % 600 / 10.0);
  }
  std::string line = run.racecode.substr(2, 8) + " " + Pad(Utf8(run.kaisai), 10) + " " +
                     Pad(Utf8(run.racename), 22) + " ";
  if (horse) line += Pad(Utf8(run.horsename), 18) + " ";
  line += Pad(Utf8(run.track) + std::to_string(run.distance), 7) + " " + Pad(Utf8(run.going), 3) +
          " " + Pad(std::to_string(run.horseno) + "番", 5) + " " +
          Pad(std::to_string(run.popularity) + "人", 5) + " " + Pad(Utf8(run.ordertext), 3) +
          " " + Pad(Utf8(run.jockeyname), 10) + " " + time;
  if (!run.remarks.empty()) line += "  " + Utf8(run.remarks);
  return line;
}

void AddTotalsOptions(CLI::App* cmd, TotalsChoice* choice) {
  std::string names = "all";
  for (const Group& g : kGroups) names += std::string(", ") + g.name;
  cmd->add_option("--by", choice->by,
                  "Total the runs by these groups, comma-separated (default course): " + names);
  cmd->add_flag("--all-rows", choice->all_rows, "Show the rows without runs too");
}

bool TotalsGroups(const TotalsChoice& choice, std::vector<int>* groups, std::string* bad) {
  bool wanted[kGroupCount] = {};
  std::istringstream names(choice.by);
  std::string name;
  while (std::getline(names, name, ',')) {
    bool known = name == "all";
    for (int g = 0; g < kGroupCount; ++g) {
      if (name == "all" || name == kGroups[g].name) {
        wanted[g] = true;
        known = true;
      }
    }
    if (!known) {
      *bad = name;
      return false;
    }
  }
  groups->clear();
  for (int g = 0; g < kGroupCount; ++g) {
    if (wanted[g]) groups->push_back(g);
  }
  if (groups->empty()) *bad = choice.by;
  return !groups->empty();
}

void PrintTotals(const YRaceTotal& total, const std::vector<int>& groups, bool all_rows) {
  constexpr int kLabel = 20;
  for (int g : groups) {
    std::cout << "\n" << Pad(std::string("by ") + kGroups[g].title, kLabel)
              << " 1st 2nd 3rd out  runs   win  top2  top3\n";
    for (const TotalRow& row : kGroups[g].rows(total)) {
      const int* r = row.counts;
      if (Runs(r) == 0 && !all_rows) continue;
      char line[96];
      std::snprintf(line, sizeof line, " %3d %3d %3d %3d  %4d %5.1f %5.1f %5.1f", r[0], r[1],
                    r[2], r[3], Runs(r), r[4] / 10.0, r[5] / 10.0, r[6] / 10.0);
      std::cout << Pad(row.label, kLabel) << line << "\n";
    }
  }
}

void TotalsJson(const YRaceTotal& total, const std::vector<int>& groups, Json* out) {
  for (int g : groups) {
    Json rows = Json::array();
    for (const TotalRow& row : kGroups[g].rows(total)) {
      const int* r = row.counts;
      Json json = {{"label", row.label}};
      if (!row.code.empty()) json["code"] = row.code;
      json.update(Json{{"first", r[0]}, {"second", r[1]}, {"third", r[2]}, {"unplaced", r[3]},
                       {"runs", Runs(r)}, {"win_rate", r[4] / 10.0}, {"top2_rate", r[5] / 10.0},
                       {"top3_rate", r[6] / 10.0}});
      rows.push_back(json);
    }
    (*out)[std::string("by_") + kGroups[g].name] = rows;
  }
}

}  // namespace tool
