// `ydbcln returns THEORY --from DATE --to DATE --bet TYPE [rules]`: how a
// stored theory would have paid over the run races of a range. Behind a
// progress bar the return analysis runs the theory on every race, buys the
// tickets the rules choose and checks them; then the summary and the seven
// tables (course, age condition, class, going, distance on dirt and on
// turf, jump races) are shown as the library makes them. --hits lists the
// races with a hit, --json gives the numbers, --plot draws a chart.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "Display.h"
#include "Progress.h"
#include "RaceShow.h"
#include "RaceSource.h"
#include "ReturnsChart.h"
#include "Session.h"
#include "TheoryLookup.h"
#include "TheoryPrinter.h"
#include "TicketRules.h"

namespace tool {
namespace {

struct ReturnsRequest {
  std::string theory;
  std::string from, to;
  TicketRules rules;
  bool hits = false;
  std::string plot;
};

const char* const kCourses[] = {"札幌", "函館", "福島", "新潟", "東京",
                                "中山", "中京", "京都", "阪神", "小倉"};
const char* const kAges[] = {"2歳", "3歳", "3歳上", "4歳上", "障害"};
const char* const kClasses[] = {"新馬", "未勝利", "1勝", "2勝", "3勝", "オープン", "G3", "G2", "G1"};
const char* const kGoings[] = {"良", "稍重", "重", "不良"};
const char* const kDistances[] = {"～1200m",     "1201～1400m", "1401～1600m",
                                  "1601～1800m", "1801～2000m", "2001～2200m",
                                  "2201～2400m", "2401m～",     "計"};
const char* const kJump[] = {"障害"};

// The return analysis keeping each counted race's stake and return, as the
// overall total takes them in, beside the totals it shows.
class ReturnTally : public YKaishu {
 public:
  struct Race {
    std::string code;
    long long staked = 0;
    long long returned = 0;
  };

  using YKaishu::YKaishu;

  const std::vector<Race>& races() const { return races_; }
  const YKaishuTotal& overall() const { return total_; }
  const YKaishuTotal* course_totals() const { return course_; }
  const YKaishuTotal* age_totals() const { return age_; }
  const YKaishuTotal* class_totals() const { return class_; }
  const YKaishuTotal* going_totals() const { return going_; }
  const YKaishuTotal* distance_totals(int track) const { return distance_[track]; }
  const YKaishuTotal* jump_totals() const { return &jump_; }

 protected:
  void addtototal(YKaishuTotal* total, int index, YTheoryResult* result) override {
    const YKaishuTotal before = total_;
    YKaishu::addtototal(total, index, result);
    if (total == &total_) {
      races_.push_back({result->racekey, total_.staked - before.staked,
                        total_.returned - before.returned});
    }
  }

 private:
  std::vector<Race> races_;
};

// A table: its name, its rows' labels, the library's texts and totals.
struct Table {
  const char* key;    // in --json
  const char* title;  // shown
  std::vector<std::string> labels;
  const std::string (*texts)[YKaishu::kColumns];
  const YKaishuTotal* totals;
};

template <std::size_t N>
std::vector<std::string> Labels(const char* const (&labels)[N]) {
  return std::vector<std::string>(labels, labels + N);
}

std::vector<Table> Tables(const ReturnTally& k) {
  return {
      {"course", "Course", Labels(kCourses), k.course, k.course_totals()},
      {"age", "Age condition", Labels(kAges), k.age, k.age_totals()},
      {"class", "Class", Labels(kClasses), k.classes, k.class_totals()},
      {"going", "Going", Labels(kGoings), k.going, k.going_totals()},
      {"dirt", "Distance, dirt", Labels(kDistances), k.distance[0], k.distance_totals(0)},
      {"turf", "Distance, turf", Labels(kDistances), k.distance[1], k.distance_totals(1)},
      {"jump", "Jump races", Labels(kJump), &k.jump, k.jump_totals()},
  };
}

double Rate(long long part, long long whole) {
  return whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole);
}

nlohmann::json TotalJson(const YKaishuTotal& t) {
  return {{"races", t.races},
          {"hit_races", t.hitraces},
          {"stake", t.staked},
          {"return", t.returned},
          {"largest", t.largest},
          {"hit_rate", Rate(t.hitraces, t.races)},
          {"return_rate", Rate(t.returned, t.staked)}};
}

// "1-2" for the final ranks a ticket held (smaller × 100 + larger, or a
// single rank + 10000).
std::string Ranks(int ranks) {
  if (ranks >= 10000) return std::to_string(ranks - 10000);
  return std::to_string(ranks / 100) + "-" + std::to_string(ranks % 100);
}

// The cumulative balance at the end of each race day.
std::vector<BalanceDay> Balance(const std::vector<ReturnTally::Race>& races) {
  std::vector<BalanceDay> days;
  long long balance = 0;
  for (const ReturnTally::Race& r : races) {
    const int date = std::stoi(r.code.substr(2, 8));
    balance += r.returned - r.staked;
    if (days.empty() || days.back().date != date) days.push_back({date, 0});
    days.back().balance = balance;
  }
  return days;
}

ChartPanel Panel(const std::string& title, const std::vector<std::string>& labels,
                 const YKaishuTotal* totals, std::size_t rows) {
  ChartPanel panel{title, {}};
  for (std::size_t r = 0; r < rows; ++r) {
    const YKaishuTotal& t = totals[r];
    panel.categories.push_back({labels[r], t.races, Rate(t.hitraces, t.races),
                                Rate(t.returned, t.staked)});
  }
  return panel;
}

bool Plot(const std::string& path, const std::string& title, const ReturnTally& k) {
  std::vector<ChartPanel> panels = {
      Panel("競馬場別", Labels(kCourses), k.course_totals(), YKaishu::kCourses),
      Panel("クラス別", Labels(kClasses), k.class_totals(), YKaishu::kClasses),
  };
  // Dirt and turf side by side, without their totals.
  ChartPanel distance = Panel("距離別 (ダート / 芝)", Labels(kDistances), k.distance_totals(0),
                              YKaishu::kDistanceTotal);
  for (ChartCategory& c : distance.categories) c.label = "ダ" + c.label;
  ChartPanel turf = Panel("", Labels(kDistances), k.distance_totals(1), YKaishu::kDistanceTotal);
  for (ChartCategory& c : turf.categories) distance.categories.push_back({"芝" + c.label, c.races, c.hit_rate, c.return_rate});
  panels.push_back(distance);
  return WriteReturnsChart(path, title, panels, Balance(k.races()));
}

ProgressBar* bar = nullptr;

int Report(int index, int count, const char* text) {
  return bar->update(index - 1, count, text != nullptr ? Utf8(text) : std::string()) ? 1 : 0;
}

void PrintTable(const Table& t) {
  std::cout << "\n" << std::left << std::setw(16) << t.title << std::right << std::setw(7)
            << "Races" << std::setw(7) << "Hits" << std::setw(10) << "Hit rate" << std::setw(12)
            << "Return rate" << "\n";
  for (std::size_t r = 0; r < t.labels.size(); ++r) {
    std::cout << Pad(t.labels[r], 16);
    const std::string* row = t.texts[r];
    std::cout << std::setw(7) << Utf8(row[0]) << std::setw(7) << Utf8(row[1]) << std::setw(10)
              << Utf8(row[2]) << std::setw(12) << Utf8(row[3]) << "\n";
  }
}

int Returns(const Options& options, const ReturnsRequest& q) {
  int from = 0, to = 0;
  if (!ParseDate(q.from, &from) || !ParseDate(q.to, &to)) {
    return Fail("--from and --to are dates YYYYMMDD of the calendar: " + q.from + " " + q.to);
  }
  if (from > to) return Fail("--from " + q.from + " is after --to " + q.to);
  int bettype = 0;
  YTheoryOption option = {};
  std::string method;
  try {
    bettype = TicketBetType(q.rules);
    option = TicketOption(q.rules, bettype, &method);
  } catch (const Refusal& e) {
    return Fail(e.what());
  }
  YHorseDB db;
  YTheory theory(nullptr);
  if (!OpenWithTheory(db, options.data_dir, q.theory, &theory)) return kExitNotFound;
  std::vector<std::string> codes;
  if (!RaceCodes(db, from, to, &codes)) return StoreFailure();
  std::string joined;
  for (const std::string& code : codes) joined += code;

  ReturnTally kaishu(&db);
  int status = 0;
  {
    ProgressBar progress("returns");
    bar = &progress;
    kaishu.setcallback(Report);
    status = kaishu.exec(&theory, bettype, &option, static_cast<int>(codes.size()), &joined[0]);
    progress.clear();
    bar = nullptr;
  }
  if (status == 1) {
    return Fail("interrupted at race " + kaishu.getstoppedrace() + "; nothing shown",
                kExitInterrupted);
  }
  if (status != 0) return ReportNotLoaded(db, "race " + kaishu.getstoppedrace());
  kaishu.setcondstring(nullptr, &theory);

  const std::vector<Table> tables = Tables(kaishu);
  const std::string title = Utf8(theory.getname());
  if (!q.plot.empty() &&
      !Plot(q.plot, title + " " + BetName(bettype) + " " + method + " " + q.from + "-" + q.to,
            kaishu)) {
    return Fail("cannot write " + q.plot, kExitNotFound);
  }
  if (options.json) {
    nlohmann::json out = {
        {"theory", {{"code", theory.getcode()}, {"title", title}}},
        {"from", from},
        {"to", to},
        {"bet", BetName(bettype)},
        {"method", method},
        {"summary", TotalJson(kaishu.overall())},
    };
    for (const Table& t : tables) {
      nlohmann::json rows = nlohmann::json::array();
      for (std::size_t r = 0; r < t.labels.size(); ++r) {
        nlohmann::json row = TotalJson(t.totals[r]);
        row["label"] = t.labels[r];
        rows.push_back(row);
      }
      out["tables"][t.key] = rows;
    }
    out["hits"] = nlohmann::json::array();
    for (int i = 0; i < kaishu.gettekicnt(); ++i) {
      out["hits"].push_back({{"code", kaishu.get_tekichucode(i)},
                             {"bet", BetName(kaishu.get_tekichu_kind(i))},
                             {"max_payout", kaishu.get_tekichu_maxdiv(i)},
                             {"max_ranks", Ranks(kaishu.get_tekichu_maxrank(i))},
                             {"min_payout", kaishu.get_tekichu_mindiv(i)},
                             {"min_ranks", Ranks(kaishu.get_tekichu_minrank(i))}});
    }
    std::cout << out.dump(2) << "\n";
    return kExitDone;
  }

  std::cout << "Theory " << theory.getcode() << ": " << title << ", " << BetName(bettype) << " "
            << method << ", " << q.from << " to " << q.to << "\n"
            << "Races " << Utf8(kaishu.summary[0]) << "  hit races " << Utf8(kaishu.summary[1])
            << "  hit rate " << Utf8(kaishu.summary[5]) << "\n"
            << "Stake " << Utf8(kaishu.summary[2]) << "  Return " << Utf8(kaishu.summary[3])
            << "  Largest payout " << Utf8(kaishu.summary[4]) << "  Return rate "
            << Utf8(kaishu.summary[6]) << "\n";
  for (const Table& t : tables) PrintTable(t);
  if (q.hits) {
    std::cout << "\nRaces with a hit\n";
    for (int i = 0; i < kaishu.gettekicnt(); ++i) {
      std::cout << kaishu.gettekicode(i) << "  " << BetName(kaishu.get_tekichu_kind(i))
                << "  largest " << Yen(kaishu.get_tekichu_maxdiv(i)) << " ("
                << Ranks(kaishu.get_tekichu_maxrank(i)) << ")  smallest "
                << Yen(kaishu.get_tekichu_mindiv(i)) << " ("
                << Ranks(kaishu.get_tekichu_minrank(i)) << ")\n";
    }
  }
  return kExitDone;
}

}  // namespace

void RegisterReturns(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand(
      "returns", "How a stored theory would have paid over the run races of a range, by category");
  auto q = std::make_shared<ReturnsRequest>();
  cmd->add_option("THEORY", q->theory, "The theory's code or exact title")->required();
  cmd->add_option("--from", q->from, "First day of the run races, YYYYMMDD")->required();
  cmd->add_option("--to", q->to, "Last day of the run races, YYYYMMDD")->required();
  AddTicketOptions(cmd, &q->rules, true);
  cmd->add_flag("--hits", q->hits, "List the races with a hit");
  cmd->add_option("--plot", q->plot, "Draw the rates and the balance into FILE.svg");
  cmd->callback([&options, exit_code, q] { *exit_code = Returns(options, *q); });
}

}  // namespace tool
