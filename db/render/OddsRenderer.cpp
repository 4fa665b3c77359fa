// Rendering the odds board of a race from the packed pools of one odds set
// and the race's runners (which of them started, in which frame).
#include "db/render/OddsRenderer.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "db/layout/Layouts.h"
#include "db/render/OddsPairs.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"
#include "db/store/OddsBlob.h"

namespace ydb {
namespace {

// One query: the set's row with each of its three pools, then one row per
// runner (its number, frame and whether it did not start).
constexpr const char* kSql =
    "SELECT s.kind, s.announced, s.runners, o.pool, o.packed, NULL, NULL, NULL "
    "FROM odds_set s LEFT JOIN odds o ON o.race_date = s.race_date AND o.place = s.place "
    "AND o.race_no = s.race_no AND o.final = s.final AND o.pool IN (1, 3, 4) "
    "WHERE s.race_date = ?1 AND s.place = ?2 AND s.race_no = ?3 AND s.final = ?4 "
    "UNION ALL "
    "SELECT NULL, NULL, NULL, NULL, NULL, horse_no, frame_no, accident_code IN ('34', '35') "
    "FROM runner WHERE race_date = ?1 AND place = ?2 AND race_no = ?3";

enum Column : int { kKind, kAnnounced, kRunners, kPool, kPacked, kHorseNo, kFrame, kNotStarted };

// Horse numbers of the store run to 28; the board shows the first 18.
constexpr int kMaxHorseNumber = 28;

// The odds board being gathered.
struct Board {
  bool found = false;  // the set exists
  std::string kind;
  bool has_time = false;
  std::int64_t announced = 0;
  int runners = 0;
  std::vector<std::int32_t> win, bracket, quinella;  // empty: no such pool
  // By horse number: the horse's frame (0 when it has no runner row), and
  // whether it did not start.
  std::array<int, kMaxHorseNumber + 1> frame{};
  std::array<bool, kMaxHorseNumber + 1> out{};

  bool horse_out(int h) const { return out[static_cast<std::size_t>(h)]; }

  // A frame is out when it holds runners and none of them started.
  bool frame_out(int f) const {
    bool holds = false;
    for (int h = 1; h <= kMaxHorseNumber; ++h) {
      if (frame[static_cast<std::size_t>(h)] != f) continue;
      if (!horse_out(h)) return false;
      holds = true;
    }
    return holds;
  }
};

Status ReadBoard(Statement& st, Board* board) {
  while (st.step()) {
    if (!st.column_is_null(kHorseNo)) {
      const std::int64_t n = st.column_int(kHorseNo);
      if (n >= 1 && n <= kMaxHorseNumber) {
        board->frame[static_cast<std::size_t>(n)] = static_cast<int>(st.column_int(kFrame));
        board->out[static_cast<std::size_t>(n)] = st.column_int(kNotStarted) != 0;
      }
      continue;
    }
    board->found = true;
    board->kind = st.column_text(kKind);
    board->has_time = !st.column_is_null(kAnnounced);
    board->announced = st.column_int(kAnnounced);
    board->runners = static_cast<int>(st.column_int(kRunners));
    if (st.column_is_null(kPool)) continue;
    const int pool = static_cast<int>(st.column_int(kPool));
    std::vector<std::int32_t>* values = pool == odds_blob::kWin ? &board->win
                                        : pool == odds_blob::kBracketQuinella ? &board->bracket
                                                                              : &board->quinella;
    if (!odds_blob::Unpack(st.column_blob(kPacked), pool, board->runners, values)) {
      return Status::Corruption("odds of pool " + std::to_string(pool) + " do not fit a field of " +
                           std::to_string(board->runners));
    }
  }
  return st.status();
}

// The stored value of a combination, kNone when its pool has no odds.
std::int32_t Stored(const std::vector<std::int32_t>& pool, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < pool.size()
             ? pool[static_cast<std::size_t>(index)]
             : odds_blob::kNone;
}

void SetOdds(RecordBuilder& b, const Field& field, std::size_t index, std::int32_t value) {
  switch (value) {
    case odds_blob::kNone: b.set_marker(field, '-', index); break;
    case odds_blob::kStar: b.set_marker(field, '*', index); break;
    case odds_blob::kScratched: b.set_marker(field, '/', index); break;
    default: b.set_digits(field, value, index); break;
  }
}

Status Render(const RaceKey& race, OddsTime time, Board& board, RenderedRecords& out) {
  const int n = board.runners;
  // A horse whose win odds carry the scratched mark is out of every pool.
  for (int h = 1; h <= kOddsHorses && h <= n; ++h) {
    if (Stored(board.win, h - 1) == odds_blob::kScratched) board.out[static_cast<std::size_t>(h)] = true;
  }

  static const RecordLayout& layout = OddsLayout();
  static const Field& race_code = FieldOf(layout, "race_code");
  static const Field& kind = FieldOf(layout, "kind");
  static const Field& announced = FieldOf(layout, "announced");
  static const Field& win_odds = FieldOf(layout, "win_odds");
  static const Field& bracket_odds = FieldOf(layout, "bracket_odds");
  static const Field& quinella_odds = FieldOf(layout, "quinella_odds");

  RecordBuilder b(out.Add(), out.layout());
  b.set_code(race_code, race.code());
  b.set_code(kind, time == OddsTime::kFinal ? "1" : board.kind);
  if (board.has_time) b.set_digits(announced, board.announced);

  for (int h = 1; h <= kOddsHorses; ++h) {
    const std::int32_t value = h > n               ? odds_blob::kNone
                               : board.horse_out(h) ? odds_blob::kScratched
                                                    : Stored(board.win, h - 1);
    SetOdds(b, win_odds, static_cast<std::size_t>(h - 1), value);
  }
  for (int f = 1; f <= kOddsFrames; ++f) {
    for (int g = f; g <= kOddsFrames; ++g) {
      const std::int32_t value =
          board.frame_out(f) || board.frame_out(g)
              ? odds_blob::kScratched
              : Stored(board.bracket, odds_blob::IndexOf(odds_blob::kBracketQuinella, n, f, g));
      SetOdds(b, bracket_odds, static_cast<std::size_t>(FramePairIndex(f, g)), value);
    }
  }
  for (int h = 1; h < kOddsHorses; ++h) {
    for (int k = h + 1; k <= kOddsHorses; ++k) {
      const int stored = odds_blob::IndexOf(odds_blob::kQuinella, n, h, k);
      const std::int32_t value = k > n                                     ? odds_blob::kNone
                                 : board.horse_out(h) || board.horse_out(k) ? odds_blob::kScratched
                                                                            : Stored(board.quinella, stored);
      SetOdds(b, quinella_odds, static_cast<std::size_t>(HorsePairIndex(h, k)), value);
    }
  }
  return b.status();
}

}  // namespace

Status RenderOdds(Database& db, const RaceKey& race, OddsTime time, void** buffer) {
  Statement& st = db.statement(kSql);
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  st.bind(4, static_cast<int>(time));
  Board board;
  Status s = ReadBoard(st, &board);
  st.reset();
  RenderedRecords out(OddsLayout());
  if (s.ok() && board.found) s = Render(race, time, board, out);
  if (!s.ok()) return s;
  return out.Finish(buffer);
}

}  // namespace ydb
