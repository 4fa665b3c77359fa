// Times, margins, laps, corners and comments of a run race.
#include "world/RaceDetail.h"

#include <algorithm>
#include <cmath>

#include "world/Courses.h"

namespace world {
namespace {

constexpr int kTenthsPerLength = 2;  // a length is 0.2 s

// The share of a runner's distance behind the leader at the last corner
// that it still has to make up from the 600 m pole: the field is closer
// together there than the corner's order strings it out, so that the
// fastest last 600 m mostly belongs to a horse that finishes in front.
constexpr double kGapAt600 = 0.55;

// The passing order at a corner as printed: horses side by side in
// brackets, a gap of two lengths or more marked "-", of five or more "=".
std::string PassingOrder(const std::vector<std::pair<double, int>>& by_gap) {
  std::string text;
  std::size_t i = 0;
  while (i < by_gap.size()) {
    // Side by side: within a third of a length, three abreast at most.
    std::size_t j = i + 1;
    while (j < by_gap.size() && j - i < 3 && by_gap[j].first - by_gap[j - 1].first < 0.35) ++j;
    if (i > 0) {
      const double gap = by_gap[i].first - by_gap[i - 1].first;
      text += gap >= 5.0 ? "=" : (gap >= 2.0 ? "-" : ",");
    }
    if (j - i > 1) text += "(";
    for (std::size_t k = i; k < j; ++k) {
      if (k > i) text += ",";
      text += std::to_string(by_gap[k].second);
    }
    if (j - i > 1) text += ")";
    i = j;
  }
  return text;
}

// How a race over this course is usually run, on the scale of a race's
// pace: sprints, on dirt above all, go off fast and finish slowly; turf
// races over middle distances are run slowly and finish fast.
double UsualPace(const Layout& layout) {
  const int d = layout.distance;
  if (layout.surface == Surface::kDirt) return d <= 1400 ? 3.3 : (d <= 1800 ? 1.1 : 0.6);
  return d <= 1400 ? 1.5 : (d <= 1600 ? 0.4 : -0.7);
}

const char* Pick(Random& show, std::initializer_list<const char*> options) {
  const int k = show.Below(static_cast<int>(options.size()));
  return *(options.begin() + k);
}

// Where a horse raced, as a comment puts it.
const char* Position(Random& show, int position, int runners) {
  if (position <= 1) return Pick(show, {"逃げて", "ハナを切って", "先手を取って"});
  if (position <= std::max(3, runners / 4)) return Pick(show, {"好位から", "先行して", "好位追走から"});
  if (position <= runners * 2 / 3) return Pick(show, {"中団から", "中団追走から", "道中は中団で"});
  return Pick(show, {"後方から", "後方待機から", "最後方から"});
}

const char* Outcome(Random& show, int finish, bool led) {
  if (finish == 1) {
    return led ? Pick(show, {"押し切って快勝", "逃げ切り", "粘り込んで勝利"})
               : Pick(show, {"抜け出して快勝", "差し切り", "鋭く伸びて勝利"});
  }
  if (finish <= 3) return Pick(show, {"よく伸びたが届かず", "しぶとく粘った", "惜しい競馬"});
  if (finish <= 6) return Pick(show, {"差を詰めたが及ばず", "掲示板は確保", "もうひと伸び欠いた"});
  return Pick(show, {"見せ場なし", "直線伸びを欠いた", "失速", "伸び切れず"});
}

std::string RunComment(Random& show, const Starter& s, int last_corner, int runners) {
  if (s.accident == ydb::Accident::kFell) return "落馬";
  if (s.accident == ydb::Accident::kPulledUp) return "競走中止";
  if (s.accident == ydb::Accident::kScratched) return "出走取消";
  if (s.accident == ydb::Accident::kExcluded) return "競走除外";
  std::string text;
  if (s.days_off > 120) text += "休み明け。";
  if (s.weight_change && *s.weight_change >= 10) text += "馬体増。";
  if (s.weight_change && *s.weight_change <= -10) text += "馬体減。";
  text += Position(show, last_corner, runners);
  text += Outcome(show, s.finish == 0 ? runners : s.finish, last_corner <= 1);
  text += "。";
  if (s.accident == ydb::Accident::kDisqualified) text += "失格。";
  if (s.accident == ydb::Accident::kDemoted) text += "進路妨害により降着。";
  return text;
}

}  // namespace

void MarginOf(double lengths, int* whole, std::string* code) {
  *whole = 0;
  code->clear();
  if (lengths < 0.1) { *code = "0"; return; }   // ハナ
  if (lengths < 0.25) { *code = "1"; return; }  // アタマ
  if (lengths < 0.4) { *code = "2"; return; }   // クビ
  if (lengths < 0.625) { *code = "3"; return; } // 1/2
  if (lengths < 0.875) { *code = "5"; return; } // 3/4
  if (lengths > 10.0) { *code = "7"; return; }  // 大差
  // Quarters up to a length and three quarters, halves from two lengths to
  // three and a half, then whole lengths: the margins the judges give.
  const double step = lengths < 1.875 ? 0.25 : (lengths < 3.75 ? 0.5 : 1.0);
  const double rounded = std::round(lengths / step) * step;
  *whole = static_cast<int>(rounded);
  const double fraction = rounded - *whole;
  if (fraction > 0.7) *code = "5";
  else if (fraction > 0.4) *code = "3";
  else if (fraction > 0.1) *code = "4";
}

std::vector<int> Laps(int distance, int time, double pace, Random& show) {
  const int count = (distance + 100) / 200;
  const bool short_first = (distance / 100) % 2 == 1;
  const double slope = 0.04 * std::clamp(pace, -4.0, 4.0);
  std::vector<double> shape(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) {
    double f;
    if (k == 0) {
      f = short_first ? 0.54 : 1.02;  // from the stalls
    } else {
      const double x = count > 2 ? static_cast<double>(k - 1) / (count - 2) : 1.0;
      f = 1.0 - slope * (1.0 - 2.0 * x);
      if (k == 1) f *= 0.94;          // into full stride
      if (k == count - 1) f *= 1.012;
    }
    shape[static_cast<std::size_t>(k)] = f * (1.0 + show.Normal(0.0, 0.01));
  }
  double total = 0.0;
  for (double f : shape) total += f;
  std::vector<int> laps(static_cast<std::size_t>(count));
  int sum = 0;
  for (int k = 0; k < count; ++k) {
    laps[static_cast<std::size_t>(k)] =
        static_cast<int>(std::lround(time * shape[static_cast<std::size_t>(k)] / total));
    sum += laps[static_cast<std::size_t>(k)];
  }
  // Rounding leaves a tenth or two over or short: the middle laps take it.
  for (int k = count / 2; sum != time; k = (k + 1) % count) {
    if (k == 0) continue;
    const int step = sum < time ? 1 : -1;
    laps[static_cast<std::size_t>(k)] += step;
    sum += step;
  }
  return laps;
}

RaceDetail DescribeRace(const World& world, const RaceRun& run, Random& show) {
  RaceDetail detail;
  const Layout& layout = *run.plan.layout;
  const Course& course = CourseAt(run.venue.place);
  const int n = run.runners();
  const int d = layout.distance;
  const bool jump = run.plan.jump();
  detail.runners.resize(static_cast<std::size_t>(n));
  detail.pace = run.pace > 0.5 ? "0" : (run.pace < -0.5 ? "2" : "1");

  // Times at the line from the lengths between the horses.
  const int t0 = run.winner_time;
  double behind = 0.0;
  for (std::size_t k = 0; k < run.arrivals.size(); ++k) {
    RunnerDetail& r = detail.runners[static_cast<std::size_t>(run.arrivals[k])];
    behind += run.gaps[k];
    r.time = t0 + static_cast<int>(std::lround(behind * kTenthsPerLength));
    if (k == 0) continue;
    if (run.dead_heat[k]) {
      r.margin_code = "8";
    } else {
      MarginOf(run.gaps[k], &r.margin_lengths, &r.margin_code);
    }
    r.margin_time = std::min(997, r.time - t0);
  }
  if (run.arrivals.size() > 1) {
    const RunnerDetail& second = detail.runners[static_cast<std::size_t>(run.arrivals[1])];
    detail.runners[static_cast<std::size_t>(run.arrivals[0])].margin_time = std::min(997, second.time - t0);
  }

  // Sectional times of the leader.
  if (jump) {
    detail.last_mile = static_cast<int>(std::lround(t0 * 1600.0 / d * 0.98));
    detail.last_800 = static_cast<int>(std::lround(t0 * 800.0 / d * 0.97));
    detail.last_600 = static_cast<int>(std::lround(t0 * 600.0 / d * 0.97));
  } else if (t0 > 0) {
    detail.laps = Laps(d, t0, run.pace + UsualPace(layout), show);
    const std::vector<int>& L = detail.laps;
    const std::size_t m = L.size();
    auto first = [&](std::size_t laps) {
      int s = 0;
      for (std::size_t i = 0; i < laps && i < m; ++i) s += L[i];
      return s;
    };
    const bool short_first = (d / 100) % 2 == 1;
    auto half = [&](std::size_t i) { return i < m ? (L[i] + 1) / 2 : 0; };
    detail.first_600 = first(3) + (short_first ? half(3) : 0);
    detail.first_800 = first(4) + (short_first ? half(4) : 0);
    detail.first_1000 = first(5) + (short_first ? half(5) : 0);
    detail.last_600 = L[m - 1] + L[m - 2] + L[m - 3];
    detail.last_800 = detail.last_600 + L[m - 4];
  }

  // Positions at the corners: from early speed towards the finishing place.
  const int corner_count = course.corners(layout);
  std::vector<double> early(static_cast<std::size_t>(n), 0.0), late(static_cast<std::size_t>(n), 0.0);
  std::vector<int> stop(static_cast<std::size_t>(n), 99);
  double mean_e = 0.0, mean_l = 0.0;
  int running = 0;
  for (int i = 0; i < n; ++i) {
    const Starter& s = run.starters[static_cast<std::size_t>(i)];
    if (s.scratched()) continue;
    ++running;
    early[static_cast<std::size_t>(i)] = world.horses[static_cast<std::size_t>(s.horse)].genes.early +
                                          show.Normal(0.0, 0.7) - 0.03 * s.number;
    late[static_cast<std::size_t>(i)] = s.arrival > 0 ? -s.arrival : -(n + 2);
    if (!s.finished()) stop[static_cast<std::size_t>(i)] = 1 + show.Below(std::max(1, corner_count));
    mean_e += early[static_cast<std::size_t>(i)];
    mean_l += late[static_cast<std::size_t>(i)];
  }
  mean_e /= std::max(1, running);
  mean_l /= std::max(1, running);
  double sd_e = 0.0, sd_l = 0.0;
  for (int i = 0; i < n; ++i) {
    if (run.starters[static_cast<std::size_t>(i)].scratched()) continue;
    sd_e += std::pow(early[static_cast<std::size_t>(i)] - mean_e, 2);
    sd_l += std::pow(late[static_cast<std::size_t>(i)] - mean_l, 2);
  }
  sd_e = std::sqrt(sd_e / std::max(1, running)) + 1e-9;
  sd_l = std::sqrt(sd_l / std::max(1, running)) + 1e-9;
  const double spread = 3.0 * std::sqrt(d / 1600.0);
  static const double kWeights4[4] = {0.12, 0.25, 0.45, 0.7};
  static const double kWeights2[2] = {0.4, 0.7};
  static const int kCodes4[4] = {12, 2, 3, 4};
  static const int kCodes2[2] = {3, 4};
  std::vector<double> last_gap(static_cast<std::size_t>(n), 0.0);
  std::vector<int> last_position(static_cast<std::size_t>(n), 0);
  for (int c = 0; c < corner_count; ++c) {
    const double w = corner_count == 4 ? kWeights4[c] : kWeights2[c];
    std::vector<std::pair<double, int>> order;
    for (int i = 0; i < n; ++i) {
      const Starter& s = run.starters[static_cast<std::size_t>(i)];
      if (s.scratched() || stop[static_cast<std::size_t>(i)] <= c) continue;
      const double score = (1.0 - w) * (early[static_cast<std::size_t>(i)] - mean_e) / sd_e +
                           w * (late[static_cast<std::size_t>(i)] - mean_l) / sd_l + show.Normal(0.0, 0.2);
      order.push_back({score, i});
    }
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<std::pair<double, int>> by_gap;
    const int slot = corner_count == 4 ? c : c + 2;
    for (std::size_t k = 0; k < order.size(); ++k) {
      const int i = order[k].second;
      const double gap = (order.front().first - order[k].first) * spread;
      by_gap.push_back({gap, run.starters[static_cast<std::size_t>(i)].number});
      detail.runners[static_cast<std::size_t>(i)].corners[static_cast<std::size_t>(slot)] = static_cast<int>(k) + 1;
      last_gap[static_cast<std::size_t>(i)] = gap;
      last_position[static_cast<std::size_t>(i)] = static_cast<int>(k) + 1;
    }
    if (!by_gap.empty()) {
      ydb::Corner corner;
      corner.position_code = corner_count == 4 ? kCodes4[c] : kCodes2[c];
      corner.passing_order = PassingOrder(by_gap);
      detail.corners.push_back(corner);
    }
  }

  // Each runner's own sectionals, speed figure, path and comment.
  const double par = ParTime(course, layout.surface, d) *
                     GoingFactor(layout.surface == Surface::kDirt ? Surface::kDirt : Surface::kTurf, run.going);
  const int lead_at_600 = t0 - detail.last_600;
  for (int i = 0; i < n; ++i) {
    const Starter& s = run.starters[static_cast<std::size_t>(i)];
    RunnerDetail& r = detail.runners[static_cast<std::size_t>(i)];
    const int position = corner_count > 0 ? last_position[static_cast<std::size_t>(i)] : std::max(1, s.arrival);
    if (s.finished() && t0 > 0) {
      const int own_600 = r.time - lead_at_600 -
                          static_cast<int>(std::lround(kGapAt600 * last_gap[static_cast<std::size_t>(i)] * kTenthsPerLength));
      r.last_600 = std::clamp(own_600, detail.last_600 - 25, 999);
      if (!jump) {
        const double early_gap = std::max(0.0, (mean_e + 2.0 * sd_e - early[static_cast<std::size_t>(i)]) / sd_e) * 1.5;
        r.first_600 = std::min(999, detail.first_600 + static_cast<int>(std::lround(early_gap * kTenthsPerLength)));
      }
      r.speed_index = std::clamp(static_cast<int>(std::lround(80.0 + (par - r.time / 10.0) * 10000.0 / d)), 0, 999);
      const int path = std::clamp(position * 5 / std::max(1, running) + show.Between(-1, 1), 0, 4);
      r.straight_path = std::to_string(path);
    }
    r.comment = RunComment(show, s, std::max(1, position), running);
    std::string marks;
    for (int k = 0; k < 3; ++k) {
      const int v = std::clamp(static_cast<int>(std::lround(3.0 + s.form / 1.5 + show.Normal(0.0, 1.0))), 1, 5);
      marks += show.Chance(0.15) ? ' ' : static_cast<char>('0' + v);
    }
    r.training_marks = marks;
  }

  // The race comment names the first three.
  auto number_of = [&](int finish) -> const Starter* {
    for (const Starter& s : run.starters) {
      if (s.finish == finish) return &s;
    }
    return nullptr;
  };
  const Starter* winner = number_of(1);
  if (winner != nullptr) {
    const std::string& name = world.ancestors[static_cast<std::size_t>(
        world.horses[static_cast<std::size_t>(winner->horse)].ancestor)].name;
    const int w = static_cast<int>(winner - run.starters.data());
    const int wpos = corner_count > 0 ? last_position[static_cast<std::size_t>(w)] : 2;
    detail.comment = "勝った" + std::to_string(winner->number) + "番" + name + "は" +
                     Position(show, std::max(1, wpos), running) + Outcome(show, 1, wpos <= 1) + "。";
    const Starter* second = number_of(2);
    const Starter* third = number_of(3);
    if (second != nullptr && third != nullptr) {
      detail.comment += "\n2着に" + std::to_string(second->number) + "番、3着に" +
                        std::to_string(third->number) + "番が入った。";
    }
  }

  // The card's expectation: the par of the course for the class.
  if (!jump) {
    static const double kClassSeconds[6] = {1.6, 1.6, 0.6, 0.2, 0.0, -0.3};
    double expected = ParTime(course, layout.surface, d) *
                      GoingFactor(layout.surface == Surface::kDirt ? Surface::kDirt : Surface::kTurf, run.going) +
                      kClassSeconds[static_cast<int>(run.plan.horse_class)] * std::sqrt(d / 1600.0);
    if (run.plan.grade != kNoGrade) expected -= 0.6;
    detail.forecast_time = static_cast<int>(std::lround(expected * 10.0));
    detail.forecast_last_600 = static_cast<int>(
        std::lround(expected * 10.0 * 600.0 / d * (layout.surface == Surface::kTurf ? 0.94 : 0.99)));
  }
  return detail;
}

}  // namespace world
