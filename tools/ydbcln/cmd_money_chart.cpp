// The money chart: the running balance by day and the months' stakes and
// returns.
#include "cmd_money_chart.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "Svg.h"

namespace tool {
namespace {

constexpr double kWidth = 960;
constexpr double kLeft = 80, kRight = 940;
constexpr double kPlotHeight = 170;
constexpr char kLine[] = "#4a7ab5";
constexpr char kStaked[] = "#999";
constexpr char kReturned[] = "#e08a1e";
constexpr char kAxis[] = "#888";
constexpr int kDays = 0, kMonths = 1, kEveryType = 0;
constexpr int kEveryTypeGroup = 0, kByMonth = 3;

bool Leap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days from 1 January of `year` to the first of `month`.
int DaysBeforeMonth(int year, int month) {
  static const int kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  return kBefore[month - 1] + (month > 2 && Leap(year) ? 1 : 0);
}

// Days from 1 January to a date of the year.
int DayOfYear(int date) {
  const int month = std::clamp(date / 100 % 100, 1, 12);
  return DaysBeforeMonth(date / 10000, month) + date % 100 - 1;
}

// Tens of yen as yen, with a sign.
std::string Yen(double tens) {
  return std::to_string(static_cast<long long>(tens * 10 + (tens < 0 ? -0.5 : 0.5)));
}

void DrawBalance(SvgDocument& svg, YMoney& money, int year, double top) {
  const double bottom = top + kPlotHeight;
  svg.text(kLeft, top, std::to_string(year) + " 収支累計 (円)", SvgDocument::kStart, 14);
  const int count = money.getgraphcount(kDays, kEveryType);
  double low = std::min(0.0, money.getgraphmin(kDays, kEveryType));
  double high = std::max(0.0, money.getgraphmax(kDays, kEveryType));
  if (count == 0) low = high = 0;
  if (high == low) high = low + 1;
  LinearScale y(low, high, bottom, top + 10);
  LinearScale x(0, Leap(year) ? 365 : 364, kLeft, kRight);
  svg.line(kLeft, y(0), kRight, y(0), kAxis, true);
  svg.text(kLeft - 6, y(high) + 4, Yen(high), SvgDocument::kEnd, 10);
  svg.text(kLeft - 6, y(low) + 4, Yen(low), SvgDocument::kEnd, 10);
  svg.text(kLeft - 6, y(0) + 4, "0", SvgDocument::kEnd, 10);
  for (int month = 1; month <= 12; ++month) {
    const double at = x(DaysBeforeMonth(year, month));
    svg.line(at, bottom, at, bottom + 5, kAxis);
    svg.text(at + 2, bottom + 16, std::to_string(month) + "月", SvgDocument::kStart, 10);
  }
  std::vector<std::pair<double, double>> points;
  for (int i = 0; i < count; ++i) {
    const YMoneyGraph& day = *money.getgraphdata(kDays, kEveryType, i);
    points.emplace_back(x(DayOfYear(day.key)), y(day.total));
  }
  if (points.size() > 1) svg.polyline(points, kLine);
  for (const auto& p : points) svg.circle(p.first, p.second, 2.5, kLine);
}

void DrawMonths(SvgDocument& svg, YMoney& money, double top) {
  const double bottom = top + kPlotHeight;
  svg.text(kLeft, top, "月別 購入額・払戻額 (円)", SvgDocument::kStart, 14);
  double staked[12] = {}, returned[12] = {};
  double highest = 0;
  for (int i = 0; i < money.getrecordcount(kEveryTypeGroup, kByMonth); ++i) {
    const YMoneyRecord& r = *money.getrecord(kEveryTypeGroup, kByMonth, i);
    const int month = r.date / 100 % 100 - 1;
    if (month < 0 || month >= 12) continue;
    staked[month] = r.staked;
    returned[month] = r.returned;
    highest = std::max({highest, staked[month], returned[month]});
  }
  const double ceiling = RoundUp(highest, 10);
  LinearScale y(0, ceiling, bottom, top + 10);
  BandScale x(12, kLeft, kRight);
  svg.line(kLeft, bottom, kRight, bottom, kAxis);
  svg.text(kLeft - 6, y(ceiling) + 4, Yen(ceiling), SvgDocument::kEnd, 10);
  svg.text(kLeft - 6, bottom + 4, "0", SvgDocument::kEnd, 10);
  for (int m = 0; m < 12; ++m) {
    const double half = x.width() / 2;
    svg.rect(x.start(m), y(staked[m]), half, bottom - y(staked[m]), kStaked);
    svg.rect(x.start(m) + half, y(returned[m]), half, bottom - y(returned[m]), kReturned);
    svg.text(x.middle(m), bottom + 16, std::to_string(m + 1) + "月", SvgDocument::kMiddle, 10);
  }
  svg.rect(kRight - 150, top - 10, 10, 10, kStaked);
  svg.text(kRight - 136, top, "購入", SvgDocument::kStart, 10);
  svg.rect(kRight - 90, top - 10, 10, 10, kReturned);
  svg.text(kRight - 76, top, "払戻", SvgDocument::kStart, 10);
}

}  // namespace

bool WriteMoneyChart(YMoney& money, int year, const std::string& path) {
  SvgDocument svg(kWidth, 2 * (kPlotHeight + 70) + 20);
  DrawBalance(svg, money, year, 40);
  DrawMonths(svg, money, 40 + kPlotHeight + 70);
  return svg.save(path);
}

}  // namespace tool
