// The return analysis drawn: rate panels by category and the balance line.
#include "ReturnsChart.h"

#include <algorithm>

#include "Svg.h"

namespace tool {
namespace {

constexpr double kWidth = 960;
constexpr double kLeft = 60, kRight = 940;
constexpr double kPanelHeight = 230;  // plot 170, labels and title around it
constexpr double kTop = 40;
constexpr char kBar[] = "#4a7ab5";
constexpr char kDot[] = "#e08a1e";
constexpr char kMark[] = "#c0392b";
constexpr char kAxis[] = "#888";

std::string Percent(double value) { return std::to_string(static_cast<long long>(value)) + "%"; }

// One panel of categories with its top at `top`.
void DrawPanel(SvgDocument& svg, const ChartPanel& panel, double top) {
  const double bottom = top + 170;
  double highest = 100;
  for (const ChartCategory& c : panel.categories) {
    if (c.races > 0) highest = std::max({highest, c.return_rate, c.hit_rate});
  }
  const double ceiling = RoundUp(highest * 1.05, 100);
  LinearScale y(0, ceiling, bottom, top + 10);
  BandScale x(static_cast<int>(panel.categories.size()), kLeft, kRight);
  svg.text(kLeft, top, panel.title, SvgDocument::kStart, 14);
  svg.line(kLeft, bottom, kRight, bottom, kAxis);
  svg.text(kLeft - 6, y(0) + 4, "0%", SvgDocument::kEnd, 10);
  svg.text(kLeft - 6, y(ceiling) + 4, Percent(ceiling), SvgDocument::kEnd, 10);
  for (std::size_t i = 0; i < panel.categories.size(); ++i) {
    const ChartCategory& c = panel.categories[i];
    const int band = static_cast<int>(i);
    svg.text(x.middle(band), bottom + 16, c.label, SvgDocument::kMiddle, 10);
    if (c.races == 0) continue;
    svg.rect(x.start(band), y(c.return_rate), x.width(), y(0) - y(c.return_rate), kBar);
    svg.circle(x.middle(band), y(c.hit_rate), 3.5, kDot);
  }
  svg.line(kLeft, y(100), kRight, y(100), kMark, true);
  svg.text(kRight, y(100) - 4, "100%", SvgDocument::kEnd, 10, kMark);
}

// The cumulative balance by race day, with its top at `top`.
void DrawBalance(SvgDocument& svg, const std::vector<BalanceDay>& days, double top) {
  const double bottom = top + 170;
  svg.text(kLeft, top, "収支累計 (円)", SvgDocument::kStart, 14);
  long long low = 0, high = 0;
  for (const BalanceDay& d : days) {
    low = std::min(low, d.balance);
    high = std::max(high, d.balance);
  }
  LinearScale y(static_cast<double>(low), static_cast<double>(high == low ? low + 1 : high),
                bottom, top + 10);
  LinearScale x(0, days.size() > 1 ? static_cast<double>(days.size() - 1) : 1, kLeft, kRight);
  svg.line(kLeft, y(0), kRight, y(0), kAxis, true);
  svg.text(kLeft - 6, y(static_cast<double>(high)) + 4, std::to_string(high), SvgDocument::kEnd, 10);
  svg.text(kLeft - 6, y(static_cast<double>(low)) + 4, std::to_string(low), SvgDocument::kEnd, 10);
  std::vector<std::pair<double, double>> points;
  for (std::size_t i = 0; i < days.size(); ++i) {
    points.emplace_back(x(static_cast<double>(i)), y(static_cast<double>(days[i].balance)));
  }
  if (!points.empty()) svg.polyline(points, kBar);
  if (!days.empty()) {
    svg.text(kLeft, bottom + 16, std::to_string(days.front().date), SvgDocument::kStart, 10);
    svg.text(kRight, bottom + 16, std::to_string(days.back().date), SvgDocument::kEnd, 10);
  }
}

}  // namespace

bool WriteReturnsChart(const std::string& path, const std::string& title,
                       const std::vector<ChartPanel>& panels, const std::vector<BalanceDay>& days) {
  const double height = kTop + kPanelHeight * static_cast<double>(panels.size() + 1) + 10;
  SvgDocument svg(kWidth, height);
  svg.text(kLeft, 24, title, SvgDocument::kStart, 16);
  svg.rect(kRight - 250, 12, 12, 12, kBar);
  svg.text(kRight - 234, 22, "回収率", SvgDocument::kStart, 11);
  svg.circle(kRight - 160, 18, 4, kDot);
  svg.text(kRight - 152, 22, "的中率", SvgDocument::kStart, 11);
  double top = kTop + 20;
  for (const ChartPanel& panel : panels) {
    DrawPanel(svg, panel, top);
    top += kPanelHeight;
  }
  DrawBalance(svg, days, top);
  return svg.save(path);
}

}  // namespace tool
