// Rows of finishing counts in text and JSON, and the search race totals.
#include "cmd_totals_rows.h"

#include <cstdio>
#include <iostream>

namespace tool {
namespace {

using Json = nlohmann::json;

CountsRow RowOf(const int* row) {
  return {row[0], row[1], row[2], row[3], row[4], row[5], row[6]};
}

const char* const kPools[YRaceTotalEx::kPools] = {"win", "place", "bracket", "quinella", "wide"};

}  // namespace

std::string RateText(int tenths) {
  char text[24];
  std::snprintf(text, sizeof text, "%d.%d%%", tenths / 10, tenths % 10);
  return text;
}

std::string CountsLine(const CountsRow& row) {
  char text[96];
  std::snprintf(text, sizeof text, "%3d-%3d-%3d-%3d %6d %7s %7s %7s", row.first, row.second,
                row.third, row.unplaced, row.runs(), RateText(row.winrate).c_str(),
                RateText(row.renrate).c_str(), RateText(row.fukurate).c_str());
  return text;
}

Json CountsJson(const CountsRow& row) {
  return {{"first", row.first},       {"second", row.second},
          {"third", row.third},       {"unplaced", row.unplaced},
          {"runs", row.runs()},       {"win_rate", RateText(row.winrate)},
          {"top2_rate", RateText(row.renrate)}, {"top3_rate", RateText(row.fukurate)}};
}

void ShowRaceTotalsEx(YRaceTotalEx& totals, Json* json) {
  const struct {
    const char* name;
    int (*rows)[YRaceTotalEx::kRowSize];
    int count;
  } groups[] = {{"frames", totals.waku, 8}, {"numbers", totals.umaban, 18},
                {"favourites", totals.ninki, 18}};
  if (json != nullptr) {
    Json payouts = Json::array();
    for (int pool = 0; pool < YRaceTotalEx::kPools; ++pool) {
      const int* p = totals.pay[pool];
      payouts.push_back({{"pool", kPools[pool]}, {"count", p[YRaceTotalEx::kCount]},
                         {"smallest", p[YRaceTotalEx::kSmallest]},
                         {"largest", p[YRaceTotalEx::kLargest]},
                         {"average", p[YRaceTotalEx::kAverage]}});
    }
    (*json)["payouts"] = payouts;
    for (const auto& g : groups) {
      Json rows = Json::array();
      for (int i = 0; i < g.count; ++i) {
        Json row = {{"row", i + 1}};
        row.update(CountsJson(RowOf(g.rows[i])));
        rows.push_back(row);
      }
      (*json)[g.name] = rows;
    }
    Json codes = Json::array();
    for (int i = 0; i < totals.getracecnt(); ++i) codes.push_back(totals.getracecode(i));
    (*json)["races"] = codes;
    return;
  }
  std::cout << "Totals of " << totals.getracecnt() << " races\n"
            << "pool        count smallest  largest  average\n";
  for (int pool = 0; pool < YRaceTotalEx::kPools; ++pool) {
    const int* p = totals.pay[pool];
    char line[80];
    std::snprintf(line, sizeof line, "%-10s %6d %8d %8d %8d", kPools[pool],
                  p[YRaceTotalEx::kCount], p[YRaceTotalEx::kSmallest], p[YRaceTotalEx::kLargest],
                  p[YRaceTotalEx::kAverage]);
    std::cout << line << "\n";
  }
  for (const auto& g : groups) {
    std::cout << g.name << "      1st-2nd-3rd-out   runs     win    top2    top3\n";
    for (int i = 0; i < g.count; ++i) {
      const CountsRow row = RowOf(g.rows[i]);
      if (row.runs() == 0) continue;
      char label[16];
      std::snprintf(label, sizeof label, "%5d  ", i + 1);
      std::cout << label << "    " << CountsLine(row) << "\n";
    }
  }
}

}  // namespace tool
