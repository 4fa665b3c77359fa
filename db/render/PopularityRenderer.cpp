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

// The odds record's and the popularity record's fields, found once.
struct PopularityFields {
  const RecordLayout& odds = OddsLayout();
  const Field& win_odds = FieldOf(odds, "win_odds");
  const Field& bracket_odds = FieldOf(odds, "bracket_odds");
  const Field& quinella_odds = FieldOf(odds, "quinella_odds");
  const RecordLayout& sorted = SortedOddsLayout();
  const Field& win_horse_number = FieldOf(sorted, "win_horse_number");
  const Field& first_number = FieldOf(sorted, "first_number");
  const Field& second_number = FieldOf(sorted, "second_number");
  const Field& sorted_odds = FieldOf(sorted, "odds");
};

// The bytes of occurrence `index` of `field` in the odds record.
std::string_view Bytes(const void* odds, const Field& field, int index) {
  const std::size_t offset = field.offset_at(static_cast<std::size_t>(index));
  return std::string_view(static_cast<const char*>(odds) + offset, field.width);
}

std::vector<Entry> Gather(const PopularityFields& f, const void* odds, PopularityPool pool) {
  std::vector<Entry> entries;
  Entry e;
  switch (pool) {
    case PopularityPool::kWin:
      for (int h = 1; h <= kOddsHorses; ++h) {
        e = Entry{h, 0, -1, ' '};
        if (ReadEntry(Bytes(odds, f.win_odds, h - 1), &e)) entries.push_back(e);
      }
      break;
    case PopularityPool::kBracketQuinella:
      for (int a = 1; a <= kOddsFrames; ++a) {
        for (int b = a; b <= kOddsFrames; ++b) {
          e = Entry{a, b, -1, ' '};
          if (ReadEntry(Bytes(odds, f.bracket_odds, FramePairIndex(a, b)), &e)) entries.push_back(e);
        }
      }
      break;
    case PopularityPool::kQuinella:
      for (int a = 1; a < kOddsHorses; ++a) {
        for (int b = a + 1; b <= kOddsHorses; ++b) {
          e = Entry{a, b, -1, ' '};
          if (ReadEntry(Bytes(odds, f.quinella_odds, HorsePairIndex(a, b)), &e)) entries.push_back(e);
        }
      }
      break;
  }
  return entries;
}

}  // namespace

Status RenderPopularity(const void* odds, PopularityPool pool, void** buffer) {
  static const PopularityFields f;
  std::vector<Entry> entries = Gather(f, odds, pool);
  std::stable_sort(entries.begin(), entries.end(), MorePopular);

  RenderedRecords out(f.sorted);
  out.Reserve(entries.size());
  for (const Entry& e : entries) {
    RecordBuilder b(out.Add(), out.layout());
    if (pool == PopularityPool::kWin) {
      b.set_digits(f.win_horse_number, e.first);
    } else {
      b.set_digits(f.first_number, e.first);
      b.set_digits(f.second_number, e.second);
    }
    if (e.odds >= 0) {
      b.set_digits(f.sorted_odds, e.odds);
    } else {
      b.set_marker(f.sorted_odds, e.mark);
    }
    if (!b.status().ok()) return b.status();
  }
  return out.Finish(buffer);
}

}  // namespace ydb
