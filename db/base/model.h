// The data model that callers fill to put data into a store: the people and
// owners, horses with their pedigrees, races with their runners, odds and
// payouts, and the user's own data (theories, bought tickets).
//
// Plain values only. Texts are UTF-8. Codes are strings in their record form
// ("05", "0123456"); an empty code means "none" or "not known", and so does a
// zero in the numeric fields whose comment says so. Dates are YYYYMMDD,
// times and weights carried are tenths, odds are tenths (odds x 10), money
// is yen.
//
//   ydb::Race race;
//   race.key = {"05", 20240106, 11};
//   race.kai = 1; race.kai_day = 2;
//   race.name = "中山金杯"; race.grade = "2";
//   race.race_kind = "4"; race.class_code = "00004"; race.track_code = "1";
//   race.distance = 2000;
//   race.runners.push_back(...);
//   ydb::Status s = writer.write(race);
#ifndef YDB_BASE_MODEL_H_
#define YDB_BASE_MODEL_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/base/Codes.h"
#include "db/base/RaceKey.h"

namespace ydb {

// --- People and owners -----------------------------------------------------------

struct Owner {
  std::string code;        // 6 digits
  std::string name;        // at most 64 bytes in Shift_JIS (NameWidths.h)
  std::string short_name;  // at most 20 bytes; empty: the name cut to fit
};

struct Breeder {
  std::string code;        // 8 digits
  std::string name;        // at most 72 bytes
  std::string short_name;  // at most 20 bytes; empty: the name cut to fit
};

struct Trainer {
  std::string code;         // 5 digits, not 00000
  std::string name;         // at most 34 bytes
  std::string name_kana;    // at most 48 bytes; may be empty
  std::string short_name;   // at most 8 bytes; empty: the name cut to fit
  int birth_date = 0;       // 0: not known
  int first_year = 0;       // first year licensed; 0: not known
  std::string centre;       // "1" 栗東, "2" 美浦南, "3" 美浦北; empty: off the centres
  std::string location_place;  // place code of a trainer off the centres; may be empty
  int retired_date = 0;     // 0: active
};

struct Jockey {
  std::string code;            // 5 digits
  std::string name;            // at most 34 bytes
  std::string name_kana;       // at most 48 bytes; may be empty
  std::string short_name;      // at most 8 bytes; empty: the name cut to fit
  int birth_date = 0;          // 0: not known
  int first_year = 0;          // first year licensed; 0: not known
  std::string affiliation;     // "1" 栗東 (西), "2" 美浦 (東), "3" 招待; may be empty
  std::string qualification = "2";  // "0" none, "1" flat and jumps, "2" flat, "3" jumps
  std::string apprentice_code;      // "1"-"3": apprentice allowance in kg; empty: none
  std::string trainer_code;    // the stable the jockey belongs to; empty: freelance
  int retired_date = 0;        // 0: active
};

// --- Horses ------------------------------------------------------------------------

// One horse of a pedigree. An entry with no code and no names is absent.
struct Ancestor {
  std::string code;        // 7 digits when the ancestor is a horse of the store
  std::string name;        // Japanese (katakana) name, at most 36 bytes
  std::string name_latin;  // name in Latin letters, at most 80 bytes
  bool foaled_in_japan = true;  // false: imported (shown with "*")
  std::string coat_code;   // parents only
  int birth_year = 0;      // parents only; 0: not known
};

// Indexes into Horse::pedigree: the parents, the grandparents, then the
// great-grandparents, each generation sire's side first.
enum PedigreePosition {
  kSire = 0, kDam,
  kSiresSire, kSiresDam, kDamsSire, kDamsDam,
  kSSS, kSSD, kSDS, kSDD, kDSS, kDSD, kDDS, kDDD,
  kPedigreeSize
};

struct Horse {
  std::string code;             // 7 digits
  std::string name;             // at most 36 bytes
  std::string name_latin;       // at most 80 bytes; may be empty
  int birth_date = 0;           // 0: not known (ancestors only)
  std::string sex = "0";        // "0" 牡, "1" 牝, "2" セン
  std::string coat_code;        // 2 digits
  std::string breed_code;       // 2 digits
  std::string birthplace_code;  // 3 digits
  std::string mark_code;        // 2 digits (マル外, マル地 ...)
  std::string owner_code;
  std::string breeder_code;
  std::string trainer_code;     // empty: not in training
  std::string distance_aptitude;  // "1" 短, "2" 中, "3" 長
  std::string skill_ho, skill_hd, skill_so, skill_sd;  // "1" ◎, "2" ○, "3" △
  int retired_date = 0;         // 0: active
  std::array<Ancestor, kPedigreeSize> pedigree;
  // The creation date (YYYYMMDD) of the record the horse was read from; 0:
  // not known. The writer keeps a stored horse of a later date.
  int record_date = 0;
};

// A horse standing as a sire. The horse itself (name, birth, coat,
// birthplace, pedigree) is written as a Horse first.
struct Sire {
  std::string code;               // 7 digits, a horse of the store
  std::string distance_aptitude;  // "1" 短, "2" 中, "3" 長 (of the offspring)
  std::string skill_heavy;        // "1" ◎, "2" ○, "3" △: offspring on heavy going
  std::string skill_dirt;         // offspring on dirt
  int death_year = 0;             // 0: alive
};

// --- Races ----------------------------------------------------------------------------

// A reference time shown on the race card.
struct ReferenceTime {
  std::string kind;         // first slot only: "0" 基準タイム, "1" レコード, "2" 参考タイム
  int date = 0;             // when it was run
  int time = 0;             // tenths of a second
  std::string horse_name;   // at most 36 bytes
  int weight_carried = 0;   // tenths of a kilogram
  std::string jockey_name;  // at most 8 bytes
  std::string place;        // second and third slots: where it was run
};

// The passing order at one corner or jump.
struct Corner {
  std::string qualifier;      // "1" 逆, "2" １周, "3" 逆１周, "4" 右; empty: none
  int position_code = 0;      // 0 スタンド前 ... 4 ４角 ... 13 大いけ垣
  std::string passing_order;  // the order as printed, at most 110 bytes
};

// One combination of one pool. odds 0 means no odds; `mark` then says why:
// "*" (shown ☆), "-" (no sale) or "/" (a scratched horse).
struct OddsEntry {
  Pool pool = Pool::kWin;
  int first = 0;
  int second = 0;    // 0 for win and place
  int odds = 0;      // tenths; the low end of a place or wide range
  int odds_max = 0;  // place and wide: the high end; 0 when not a range
  std::string mark;
};

struct OddsSet {
  std::string kind;  // before the result: "0" 予想オッズ, "1" 前売りオッズ; final odds: empty
  int announced = 0; // HHMM of advance-sale odds
  std::vector<OddsEntry> entries;
};

// A payout per 100-yen ticket. Several entries of a pool are dead heats, or
// the places and wide pairs of the race, in the order given.
struct Payout {
  Pool pool = Pool::kWin;
  int first = 0;
  int second = 0;      // 0 for win and place
  std::int64_t amount = 0;  // yen
  int popularity = 0;  // 0: not known
};

// What a runner did in the race.
struct RunnerResult {
  int finish_pos = 0;          // 0 when not placed (accidents 31 to 35)
  int arrival_order = 0;       // order of crossing the line; 0 when it did not
  std::string accident_code;   // an Accident's code (Codes.h); empty: none
  int time = 0;                // tenths of a second; 0 when none
  int margin_lengths = 0;      // whole lengths of the margin; 0 when none
  std::string margin_code;     // "0" ハナ, "1" アタマ, "2" クビ, "3" 1/2, "4" 1/4, "5" 3/4, "7" 大差, "8" 同着
  std::optional<int> margin_time;  // tenths behind the winner; the winner's lead over the second
  std::array<int, 4> corners{};    // position at corners 1-4; 0: not run; 40 added: see SCHEMA.md
  std::string straight_path;   // "0" 最内 ... "4" 大外
  int first_600 = 0;           // tenths; 0 when not known
  int last_600 = 0;            // tenths; 0 when not known
  int popularity = 0;          // 0 when not known
  int win_odds = 0;            // tenths; 0 when not known
  int speed_index = 0;         // 0 when not known
  std::int64_t prize_money = 0;  // yen won
  std::int64_t added_money = 0;  // yen of the added money won
};

// A horse on the race card; with `result` once the race is run.
struct Runner {
  int horse_no = 0;            // 1 to the number of runners
  int frame_no = 0;            // as the draw gives it
  int post_no = 0;             // the stall it started from when not its own; 0: its own
  std::string horse_code;
  std::string sex = "0";       // at the time of the race
  int age = 0;                 // at the time of the race, as counted that year
  std::string jockey_code;     // empty: not yet known
  std::string apprentice_code; // "1"-"3": allowance taken in this race
  int weight_carried = 0;      // tenths of a kilogram
  bool blinkers = false;
  std::string trainer_code;
  std::string owner_code;      // may be empty
  int body_weight = 0;         // kg; 0 when not known
  std::optional<int> weight_change;  // kg against the last run
  std::string prediction_mark; // digit d is mark d + 1 (◎ ○ ▲ △ ×); "9" 消
  std::string training_marks;  // three characters, each a digit or a blank; empty: none
  std::string comment;         // the run comment, at most 960 bytes
  std::optional<RunnerResult> result;
};

// A horse nominated for a race, before the draw.
struct Nomination {
  std::string horse_code;
  std::string trainer_code;
  std::string jockey_code;     // may be empty
  int weight_carried = 0;      // tenths; 0 when not yet fixed
  std::string prediction_mark;
  std::string training_marks;
};

// What a run race adds to its card.
struct RaceResult {
  std::vector<int> laps;       // tenths per 200 m from the start (first lap 100 m when
                               // distance / 100 is odd); empty when not timed
  int time_first_600 = 0;      // tenths; 0 when not known
  int time_first_800 = 0;
  int time_first_1000 = 0;
  int time_last_800 = 0;
  int time_last_600 = 0;
  int time_last_mile = 0;      // jump races: the last 1600 m
  std::vector<Corner> corners;  // at most 9, in running order
  std::string comment;         // lines separated by "\n": at most 6 of 80 bytes
  std::vector<Payout> payouts;
  std::optional<OddsSet> final_odds;
};

struct Race {
  RaceKey key;
  int kai = 0;                 // meeting number of the course in the year
  int kai_day = 0;             // day within the meeting
  int edition = 0;             // 第n回; 0 when none
  std::string name;            // at most 60 bytes; empty: an unnamed race
  std::string grade;           // "0" G1, "1" G2, "2" G3, "3" JG1, "4" JG2, "5" JG3; empty: none
  std::string condition_text;  // supplementary conditions, at most 18 bytes
  std::string weight_rule1;    // 2 digits; empty: none
  std::string weight_rule2;    // 2 digits; empty: none
  std::string race_kind;       // age condition, one character; "0" a jump race
  std::string class_code;      // 5 characters: a class code, or a money class in thousands of yen
  std::string track_code;      // "0" dirt, "1" turf
  std::string direction;       // "0" right, "1" left, "2" straight
  std::string inner_outer;     // "0" 内 ... "6" 内→外
  std::string rail;            // "0" A, "1" B, "2" C, "3" D, "4" A1, "5" A2
  int distance = 0;            // metres
  int post_time = 0;           // HHMM; 0 when not known
  std::string symbol_code;     // race symbol code, at most 5 characters
  std::array<std::int64_t, 5> prizes{};  // prize money of places 1-5, yen
  std::int64_t added_money = 0;          // the winner's share of the added money, yen
  int forecast_time = 0;       // expected winning time, tenths; 0 when none
  int forecast_last_600 = 0;   // expected last 600 m, tenths; 0 when none
  std::string going;           // "0" 良, "1" 稍重, "2" 重, "3" 不良; empty: not known
  std::string weather;         // "0" 晴 ... "5" 風
  std::string pace;            // "0" H, "1" M, "2" S; before the race: the expected pace
  std::array<std::optional<ReferenceTime>, 3> reference_times;
  std::vector<Runner> runners;  // any order; numbered 1 to their count
  std::vector<Nomination> nominations;  // in nomination order
  std::optional<OddsSet> forecast_odds;
  std::optional<RaceResult> result;
};

// --- A batch --------------------------------------------------------------------------

// Everything one write puts into the store in one transaction, written in
// the order of the members so that what a record refers to comes first.
struct Batch {
  std::vector<Owner> owners;
  std::vector<Breeder> breeders;
  std::vector<Trainer> trainers;
  std::vector<Jockey> jockeys;
  std::vector<Horse> horses;
  std::vector<Sire> sires;
  std::vector<Race> races;
};

// --- The user's data ------------------------------------------------------------------

// What a check mark is set on.
enum class CheckKind { kHorse = 1, kJockey = 2, kSire = 3, kStable = 4 };

struct TheoryItem {
  int item_no = 0;  // factor 1-78
  int weight = 0;   // 1-100
  int param_0 = 0;
  int param_1 = 0;
  int param_2 = 0;
};

struct Theory {
  int code = -1;             // -1: a new theory, which gets a code when stored
  std::string title;         // at most 60 bytes
  int reserved = 0;          // kept as given
  std::vector<TheoryItem> items;  // at most 8
};

// A bought ticket: `count` 100-yen tickets on one combination.
struct Ticket {
  RaceKey race;
  Pool type = Pool::kWin;
  int first = 0;
  int second = 0;  // 0 for win and place
  int count = 0;   // 1-9999
};

}  // namespace ydb

#endif  // YDB_BASE_MODEL_H_
