// The evaluator's order of work: loading a race, the dispatch from factor
// code to computation through the registry, ranking a list of items, the
// rank rule and the writing of a factor's display.
#include "ydbcln/theory/engine/Evaluator.h"

#include <algorithm>
#include <cmath>

#include "ydbcln/theory/YTheoryResult.h"

namespace ytheory {

int SecondsToTime(int tenths) { return tenths % 600 + (tenths / 600) * 1000; }

std::vector<int> ItemOrder(const _tagTHITEM* items, int count) {
  auto category = [](int code) {
    const Factor* f = FindFactor(code);
    return f != nullptr ? static_cast<int>(f->category) : -1;
  };
  std::vector<int> order(static_cast<std::size_t>(std::max(count, 0)));
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  auto before = [&](int a, int b) {
    const int ca = category(items[a].no);
    const int cb = category(items[b].no);
    return ca < cb || (ca == cb && items[a].param[1] > items[b].param[1]);
  };
  // A selection exchange, which keeps the order of equal items as the
  // engine has always evaluated them.
  for (std::size_t i = 0; i < order.size(); ++i) {
    for (std::size_t j = i + 1; j < order.size(); ++j) {
      if (before(order[j], order[i])) std::swap(order[i], order[j]);
    }
  }
  return order;
}

Evaluator::Evaluator(YHorseDB* db) : db_(db) {}

int Evaluator::Load(const std::string& code, bool& cardflag, int nomination, tagYCalcInfo* info) {
  runs_.Clear();
  return race_.Load(db_, code, cardflag, nomination, info);
}

int Evaluator::LoadFromRange(const std::string& code, int nomination, tagYCalcInfo* info) {
  const RangeRaces::Records* records = races_ != nullptr ? races_->Find(code) : nullptr;
  if (records == nullptr) return -1;
  runs_.Clear();
  if (race_.FromRange(records, info) != 0) {
    race_.Release();
    return -1;
  }
  race_.nomination = nomination;
  return 0;
}

void Evaluator::UseRange(std::shared_ptr<RangeRuns> range, std::shared_ptr<RangeRaces> races) {
  races_ = std::move(races);
  range_ = std::move(range);
  runs_.UseRange(range_.get());
}

void Evaluator::FillTable(Table table, int months, bool keepnames) {
  runs_.Fill(db_, table, months, &race_, keepnames);
}

void Evaluator::Rank(int code, int p1, int p2, int* rank, const Display* display) {
  const Factor* f = FindFactor(code);
  if (f == nullptr) return;
  if (f->param[0].kind == ParamKind::kNone) p1 = 0;
  if (f->param[1].kind == ParamKind::kNone) p2 = 0;
  (this->*(f->compute))(*f, p1, p2, rank, display);
}

void Evaluator::RankItems(const _tagTHITEM* items, int count, unsigned char (*rows)[kRankRow]) {
  const int runners = std::min(race_.runnercount, kRankRow);
  for (int i : ItemOrder(items, count)) {
    int rank[kMaxRunners] = {};
    Rank(items[i].no, items[i].param[0], items[i].param[1], rank, nullptr);
    // Rows end at the first 0xFF: the runners of the race, then unused.
    for (int r = 0; r < kRankRow; ++r) {
      rows[i][r] = r < runners ? static_cast<unsigned char>(rank[r] & 0xff) : 0xff;
    }
  }
}

void Evaluator::RankRule(int n, bool larger, const bool* valid, const double* value,
                         int* rank) const {
  auto counts = [&](int i) {
    return valid[i] && race_.runner[i].mark != YTheoryResult::kExcludedMark;
  };
  // Values are means of fractions (a position over its field): two that
  // differ only by the rounding of their sums are equal and share a rank.
  auto better = [&](double a, double b) {
    const double slack = 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
    return larger ? a > b + slack : a < b - slack;
  };
  for (int i = 0; i < n; ++i) {
    if (!counts(i)) {
      rank[i] = 0;
      continue;
    }
    int ahead = 0;
    for (int j = 0; j < n; ++j) {
      if (j == i || !counts(j)) continue;
      if (better(value[j], value[i])) ++ahead;
    }
    rank[i] = 1 + ahead;
  }
}

void Evaluator::WriteDisplay(const Display& display, int columns, const std::string* headings,
                             const Texts* texts) const {
  YTheoryResult* result = display.result;
  const int item = display.item;
  const int n = std::min(race_.runnercount, kMaxRunners);
  result->columncount[item] = columns;
  for (int c = 0; c < YTheoryResult::kColumns; ++c) {
    result->heading[item][c] = c < columns ? headings[c] : std::string();
    for (int i = 0; i < n; ++i) {
      result->text[item][i][c] = c < columns ? texts[i].column[c] : std::string();
    }
  }
}

const std::string& Evaluator::SubjectName(const FactorDefinition& f, int i) const {
  return f.table == Table::kSire ? race_.runner[i].sirename : race_.runner[i].trainername;
}

}  // namespace ytheory
