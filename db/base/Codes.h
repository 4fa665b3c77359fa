// The codes the component, the generator and the library share: accidents
// of a run, and the betting pools (numbered 1 to 5 as on bought tickets and
// in the store; ticket records write the number less one). Stored and record
// forms stay strings and digits; these names say what each value means.
#ifndef YDB_BASE_CODES_H_
#define YDB_BASE_CODES_H_

#include <optional>
#include <string_view>

namespace ydb {

// --- Accidents -----------------------------------------------------------------

// What befell a runner, numbered by its two-digit code ("31" to "36").
enum class Accident {
  kFell = 31,          // 落馬: unplaced
  kDisqualified = 32,  // 失格: crossed the line, unplaced
  kPulledUp = 33,      // 競走中止: unplaced
  kScratched = 34,     // 出走取消: did not start
  kExcluded = 35,      // 競走除外: did not start
  kDemoted = 36,       // 降着: placed behind where it crossed the line
};

// The two-digit code of `accident` ("31").
std::string_view AccidentCode(Accident accident);

// The accident of a code; nothing for "" (no accident) or anything else.
std::optional<Accident> ParseAccident(std::string_view code);

// False for a runner that never left the stalls (scratched, excluded).
constexpr bool Started(Accident accident) {
  return accident != Accident::kScratched && accident != Accident::kExcluded;
}

// True when the runner still has a finishing position (demoted only).
constexpr bool Placed(Accident accident) { return accident == Accident::kDemoted; }

// --- Pools and bet types ---------------------------------------------------------

// The betting pools, numbered as on bought tickets and in the store.
enum class Pool {
  kWin = 1,              // 単勝: one horse
  kPlace = 2,            // 複勝: one horse
  kBracketQuinella = 3,  // 枠連: two frames, first <= second
  kQuinella = 4,         // 馬連: two horses, first < second
  kWide = 5,             // ワイド: two horses, first < second
};

constexpr Pool kFirstPool = Pool::kWin;
constexpr Pool kLastPool = Pool::kWide;

// The pool numbered `number` (1 to 5); nothing for any other number.
std::optional<Pool> PoolOfNumber(int number);

// The number of `pool` (1 to 5), as on bought tickets and in the store.
constexpr int PoolNumber(Pool pool) { return static_cast<int>(pool); }

// True for the pools of one horse (win, place); the others take a pair.
constexpr bool SingleHorse(Pool pool) { return pool == Pool::kWin || pool == Pool::kPlace; }

}  // namespace ydb

#endif  // YDB_BASE_CODES_H_
