// Layouts of the race records: the race-list record of a meeting day, the
// race-card record, the results record and the race-name record.
//
// Race codes are 12 characters: place code 2, date YYYYMMDD 8, race
// number 2. "kai" is the meeting number of the course in the year, "day" the
// day within that meeting.
#include "db/layout/Layouts.h"

namespace ydb {

namespace {
using F = Field;
}  // namespace

const RecordLayout& RaceListLayout() {
  // Up to three venues of one day, each a 50-byte entry from byte 8. An
  // absent entry has a NUL first byte (a place code may start with '0').
  static const RecordLayout layout("RACELISTREC", 158, {
      F::Digits("date", 0, 8, "meeting day, YYYYMMDD"),
      F::Code("venue_place_code", 8, 2,
              "venue's place code; a NUL first byte marks an absent venue").Repeat(3, 50),
      F::Digits("venue_date", 10, 8,
                "venue's date YYYYMMDD (place code and date are the venue-day key)").Repeat(3, 50),
      F::Digits("venue_kai", 18, 2, "venue's meeting number in the year").Repeat(3, 50),
      F::Digits("venue_day", 20, 2, "venue's day within the meeting").Repeat(3, 50),
      F::Text("venue_main_race_name", 22, 30, "name of the venue's main race").Repeat(3, 50),
      F::Code("venue_main_race_grade", 52, 1, "class (grade) code of the main race").Repeat(3, 50),
      F::Digits("venue_main_race_conditions", 53, 5,
                "condition codes (class field) of the main race").Repeat(3, 50),
  });
  return layout;
}

const RecordLayout& RaceCardLayout() {
  // The second and third reference times share one shape, 55 bytes apart;
  // the first (the course record or standard time) has a kind byte instead
  // of a place code.
  static const RecordLayout layout("RACEDREC", 360, {
      F::Code("race_code", 0, 12, "race code: place 2, date YYYYMMDD 8, race number 2"),
      F::Digits("year", 12, 4, "year of the race"),
      F::Digits("kai", 16, 2, "meeting number of the course in the year"),
      F::Digits("day", 18, 2, "day within the meeting"),
      F::Digits("edition", 25, 3, "edition number of the race; 0 when none"),
      F::Text("race_name", 28, 30, "race name"),
      F::Code("grade", 72, 1, "grade code; also the race class code of the race list"),
      F::Text("supplementary_conditions", 75, 18, "supplementary condition text"),
      F::Code("weight_rule_1", 93, 2, "first weight-rule code"),
      F::Code("weight_rule_2", 95, 2, "second weight-rule code"),
      F::Code("race_kind", 97, 1, "race kind (age condition; '0' a jump race)"),
      F::Digits("conditions", 99, 5, "condition codes: the class field (code, or money class)"),
      F::Code("track", 104, 1, "track code (turf, dirt)"),
      F::Code("direction", 105, 1, "direction code (right, left)"),
      F::Code("inner_outer", 106, 1, "inner/outer course code"),
      F::Code("course", 107, 1, "course (rail position) code"),
      F::Digits("distance", 108, 4, "distance in metres"),
      F::Code("first_ref_kind", 112, 1,
              "first reference time: blank none, '0' standard time, '1' course record, "
              "other reference time"),
      F::Digits("first_ref_date", 113, 8, "first reference time: date YYYYMMDD"),
      F::Digits("first_ref_time", 121, 4,
                "first reference time: minutes 1, seconds 2, tenths 1"),
      F::Text("first_ref_horse_name", 125, 30, "first reference time: horse name"),
      F::Digits("first_ref_weight_kg", 155, 2,
                "first reference time: weight carried, whole kilograms"),
      F::Digits("first_ref_weight_tenths", 157, 1,
                "first reference time: weight carried, tenths digit"),
      F::Text("first_ref_jockey_name", 158, 8, "first reference time: jockey name"),
      F::Digits("later_ref_date", 166, 8,
                "second (index 0) and third (1) reference times: date YYYYMMDD; "
                "blank or '0' first byte when absent").Repeat(2, 55),
      F::Digits("later_ref_time", 174, 4,
                "second and third reference times: minutes 1, seconds 2, tenths 1").Repeat(2, 55),
      F::Text("later_ref_horse_name", 178, 30,
              "second and third reference times: horse name").Repeat(2, 55),
      F::Digits("later_ref_weight_kg", 208, 2,
                "second and third reference times: weight carried, kilograms").Repeat(2, 55),
      F::Digits("later_ref_weight_tenths", 210, 1,
                "second and third reference times: weight carried, tenths digit").Repeat(2, 55),
      F::Text("later_ref_jockey_name", 211, 8,
              "second and third reference times: jockey name").Repeat(2, 55),
      F::Code("later_ref_place_code", 219, 2,
              "second and third reference times: place code").Repeat(2, 55),
      F::Digits("prize", 276, 9, "prize money of places 1 to 5, yen").Repeat(5, 9),
      F::Code("code_text", 331, 5, "code text kept unchanged on the card"),
      F::Digits("runner_count", 336, 2, "number of runners"),
      F::Digits("time_1", 340, 4, "time 1: minutes 1, seconds 2, tenths 1"),
      F::Digits("time_2", 344, 4, "time 2: minutes 1, seconds 2, tenths 1"),
      F::Code("pace", 348, 1, "pace code"),
      F::Digits("nomination_count", 349, 3,
                "number of horses nominated for the race; the nominations' runner count"),
  });
  return layout;
}

const RecordLayout& SpecialCardLayout() {
  // A card the user makes for a race: the race as a race-card record, and
  // up to 18 entries, each naming a horse, its bracket and number, its
  // jockey and the weight it carries. The horses, jockeys and trainers are
  // looked up in the store when the card is turned into runner records.
  static const RecordLayout layout("SPDENMA", 686, {
      F::Text("race_card", 0, 360,
              "the race as a race-card record (RACEDREC); its runner count is not read"),
      F::Digits("entry_count", 360, 2, "number of entries, 0 to 18"),
      F::Code("entry_horse_code", 362, 7, "entry: horse code").Repeat(18, 18),
      F::Digits("entry_bracket_number", 369, 1, "entry: bracket (frame) number").Repeat(18, 18),
      F::Digits("entry_horse_number", 370, 2, "entry: horse number").Repeat(18, 18),
      F::Code("entry_jockey_code", 372, 5, "entry: jockey code; blank when none").Repeat(18, 18),
      F::Digits("entry_weight_carried", 377, 3,
                "entry: weight carried, tenths of a kilogram").Repeat(18, 18),
  });
  return layout;
}

const RecordLayout& RaceResultLayout() {
  // Payouts: win and place entries are 8 bytes (horse 2, payout 6), bracket
  // quinella entries 10 (pair 2, payout 6, 2 unread), quinella and wide
  // entries 14 (pair 4, payout 7, popularity 3). An unused entry is blank.
  static const RecordLayout layout("RACERMREC", 2326, {
      F::Code("race_code", 0, 12, "race code: place 2, date YYYYMMDD 8, race number 2"),
      F::Digits("date", 12, 8, "date of the race YYYYMMDD, as the race list reads it"),
      F::Digits("year", 12, 4, "year of the race: the first four digits of the date").Alias(),
      F::Digits("kai", 20, 2, "meeting number of the course in the year"),
      F::Digits("day", 22, 2, "day within the meeting"),
      F::Digits("edition", 30, 3, "edition number of the race; 0 when none"),
      F::Text("race_name", 33, 30, "race name"),
      F::Code("grade", 77, 1, "grade code; also the race class code of the race list"),
      F::Text("supplementary_conditions", 80, 18, "supplementary condition text"),
      F::Code("weight_rule_1", 98, 2, "first weight-rule code"),
      F::Code("weight_rule_2", 100, 2, "second weight-rule code"),
      F::Code("race_kind", 102, 1, "race kind (age condition; '0' a jump race)"),
      F::Digits("conditions", 104, 5, "condition codes: the class field (code, or money class)"),
      F::Code("track", 119, 1, "track code (turf, dirt)"),
      F::Code("direction", 120, 1, "direction code (right, left)"),
      F::Code("inner_outer", 121, 1, "inner/outer course code"),
      F::Code("course", 122, 1, "course (rail position) code: '0'-'5' A, B, C, D, A1, A2"),
      F::Digits("distance", 123, 4, "distance in metres"),
      F::Digits("first_ref_date", 128, 8, "first reference time: date YYYYMMDD"),
      F::Digits("first_ref_time", 136, 4,
                "first reference time: minutes 1, seconds 2, tenths 1"),
      F::Text("first_ref_horse_name", 140, 30, "first reference time: horse name"),
      F::Digits("first_ref_weight_kg", 170, 2,
                "first reference time: weight carried, whole kilograms"),
      F::Digits("first_ref_weight_tenths", 172, 1,
                "first reference time: weight carried, tenths digit"),
      F::Text("first_ref_jockey_name", 173, 8, "first reference time: jockey name"),
      F::Digits("later_ref_date", 181, 8,
                "second (index 0) and third (1) reference times: date YYYYMMDD").Repeat(2, 55),
      F::Digits("second_ref_time", 190, 3,
                "second reference time: seconds 2, tenths 1 (no minutes digit is read; "
                "byte 189 stays blank)"),
      F::Text("later_ref_horse_name", 193, 30,
              "second and third reference times: horse name").Repeat(2, 55),
      F::Digits("later_ref_weight_kg", 223, 2,
                "second and third reference times: weight carried, kilograms").Repeat(2, 55),
      F::Text("later_ref_jockey_name", 226, 8,
              "second and third reference times: jockey name").Repeat(2, 55),
      F::Code("later_ref_place_code", 234, 2,
              "second and third reference times: place code").Repeat(2, 55),
      F::Digits("third_ref_time", 244, 4,
                "third reference time: minutes 1, seconds 2, tenths 1"),
      F::Digits("prize", 291, 9, "prize money of places 1 to 6, yen").Repeat(6, 9),
      F::Digits("shared_amount", 354, 9,
                "first place's share of an amount split over places 1 to 3, yen"),
      F::Code("code_byte", 363, 1, "a code byte of the race"),
      F::Code("code_text", 364, 5, "a 5-character code text of the race"),
      F::Digits("runner_count", 369, 2, "number of runners"),
      F::Code("pace", 381, 1, "pace code"),
      F::Code("weather", 382, 1, "weather code"),
      F::Code("going", 383, 1, "going code"),
      F::Digits("win_horse_number", 385, 2,
                "win: horse number; more than one entry on a dead heat").Repeat(3, 8),
      F::Digits("win_payout", 387, 6, "win: payout, yen per 100 yen").Repeat(3, 8),
      F::Digits("win_popularity", 393, 2,
                "win popularity as the race results read it; the same bytes are the horse "
                "number of the second win entry, which the payout readers scan").Alias(),
      F::Digits("place_horse_number", 409, 2,
                "place: horse number (the race list reads entries 0-2); blank when none")
          .Repeat(5, 8),
      F::Digits("place_payout", 411, 6, "place: payout, yen per 100 yen").Repeat(5, 8),
      F::Digits("bracket_pair", 449, 2,
                "bracket quinella: the two frames as one number (12 is frames 1 and 2)")
          .Repeat(3, 10),
      F::Digits("bracket_payout", 451, 6,
                "bracket quinella: payout, yen per 100 yen").Repeat(3, 10),
      F::Digits("quinella_pair", 479, 4,
                "quinella: the two horses as one number (0102); blank when none").Repeat(3, 14),
      F::Digits("quinella_payout", 483, 7, "quinella: payout, yen per 100 yen").Repeat(3, 14),
      F::Digits("quinella_popularity", 490, 3, "quinella: popularity").Repeat(3, 14),
      F::Digits("wide_pair", 521, 4,
                "wide: the two horses as one number (the race list reads entries 0-2); "
                "blank when none").Repeat(7, 14),
      F::Digits("wide_payout", 525, 7, "wide: payout, yen per 100 yen").Repeat(7, 14),
      F::Digits("wide_popularity", 532, 3, "wide: popularity").Repeat(7, 14),
      F::Text("mile_line", 747, 20,
              "line shown instead of the laps in a jump race (heading 上り１哩)"),
      F::Digits("lap", 767, 3,
                "time of each 200 m in tenths of a second; blank when no laps").Repeat(13, 3),
      F::Digits("early_time", 806, 3,
                "first 600, 800 and 1000 m times in tenths, used when there are no laps")
          .Repeat(3, 3),
      F::Digits("last_800", 815, 3, "last 800 m time, tenths of a second"),
      F::Digits("last_600", 818, 3, "last 600 m time, tenths of a second"),
      F::Code("corner_kind", 821, 1,
              "corner entry: direction prefix code of the heading").Repeat(9, 113),
      F::Digits("corner_position", 822, 2,
                "corner entry: place in the course (0-13) of the heading").Repeat(9, 113),
      F::Text("corner_order", 824, 110,
              "corner entry: passing-order text; a blank first byte ends the list")
          .Repeat(9, 113),
      F::Text("comment", 1838, 80,
              "comment line; a blank first byte ends the list").Repeat(6, 80),
  });
  return layout;
}

const RecordLayout& RaceNameLayout() {
  static const RecordLayout layout("RACENAMEREC", 33, {
      F::Text("name", 0, 31, "race name"),
      F::Code("group", 31, 1, "name group: 1, 2 or 3"),
      F::Code("east_west", 32, 1, "'0' west, '1' east"),
  });
  return layout;
}

}  // namespace ydb
