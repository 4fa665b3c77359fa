// Ordering one pool of an odds record by popularity.
#include "db/render/PopularityRenderer.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "db/layout/Layouts.h"
#include "db/render/OddsPairs.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

struct Entry {
  int first = 0;
  int second = 0;           // 0 for win
  std::int64_t odds = -1;   // tenths; -1 without a value
  char mark = ' ';          // the field's mark when it has no value
};

// Favourites first; entries without a value after every valued one, in
// number order. Entries are gathered in number (pair) order, so a stable
// sort keeps that order between equals.
bool MorePopular(const Entry& x, const Entry& y) {
  const bool xv = x.odds >= 0, yv = y.odds >= 0;
  if (xv != yv) return xv;
  return xv && x.odds < y.odds;
}

// Reads one odds field into `entry`; false when the field is no entry of
// the pool ('-' or blank).
bool ReadEntry(std::string_view field, Entry* entry) {
  if (field.empty() || field[0] == '-' || field[0] == ' ') return false;
  if (field[0] < '0' || field[0] > '9') {
    entry->mark = field[0];
    return true;
  }
  std::int64_t value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  entry->odds = value;
  return true;
}

std::vector<Entry> Gather(const RecordReader& odds, PopularityPool pool) {
  std::vector<Entry> entries;
  Entry e;
  switch (pool) {
    case PopularityPool::kWin:
      for (int h = 1; h <= kOddsHorses; ++h) {
        e = Entry{h, 0, -1, ' '};
        if (ReadEntry(odds.bytes("win_odds", static_cast<std::size_t>(h - 1)), &e)) entries.push_back(e);
      }
      break;
    case PopularityPool::kBracketQuinella:
      for (int a = 1; a <= kOddsFrames; ++a) {
        for (int b = a; b <= kOddsFrames; ++b) {
          e = Entry{a, b, -1, ' '};
          const auto k = static_cast<std::size_t>(FramePairIndex(a, b));
          if (ReadEntry(odds.bytes("bracket_odds", k), &e)) entries.push_back(e);
        }
      }
      break;
    case PopularityPool::kQuinella:
      for (int a = 1; a < kOddsHorses; ++a) {
        for (int b = a + 1; b <= kOddsHorses; ++b) {
          e = Entry{a, b, -1, ' '};
          const auto k = static_cast<std::size_t>(HorsePairIndex(a, b));
          if (ReadEntry(odds.bytes("quinella_odds", k), &e)) entries.push_back(e);
        }
      }
      break;
  }
  return entries;
}

}  // namespace

Status RenderPopularity(const void* odds, PopularityPool pool, void** buffer) {
  std::vector<Entry> entries = Gather(RecordReader(odds, OddsLayout()), pool);
  std::stable_sort(entries.begin(), entries.end(), MorePopular);

  RenderedRecords out(SortedOddsLayout());
  for (const Entry& e : entries) {
    RecordBuilder b(out.Add(), out.layout());
    if (pool == PopularityPool::kWin) {
      b.set_digits("win_horse_number", e.first);
    } else {
      b.set_digits("first_number", e.first);
      b.set_digits("second_number", e.second);
    }
    if (e.odds >= 0) {
      b.set_digits("odds", e.odds);
    } else {
      b.set_marker("odds", e.mark);
    }
    if (!b.status().ok()) return b.status();
  }
  return out.Finish(buffer);
}

}  // namespace ydb
