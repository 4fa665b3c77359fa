// Layouts of the runner records: a runner on a race card, a runner's result,
// the short past-run record of the theory engine and the comment record.
#include "db/layout/Layouts.h"

namespace ydb {

namespace {
using F = Field;
}  // namespace

const RecordLayout& CardRunnerLayout() {
  // The race key opens the record in the old form (place, year, kai, day,
  // race number). Bytes 235-672 and 680-687 are carried whole into the
  // card's runner lines; the client reads nothing else there. They hold the
  // entry's training marks and body weight (235-243) and its prediction
  // mark again (680); the rest are gaps. Nominations use the same record with
  // the bracket and horse number blank.
  static const RecordLayout layout("RACEDHREC", 688, {
      F::Code("place_code", 0, 2, "race key: place code"),
      F::Digits("year", 2, 4, "race key: year"),
      F::Digits("kai", 6, 2, "race key: meeting number of the course in the year"),
      F::Digits("day", 8, 2, "race key: day within the meeting"),
      F::Digits("race_number", 10, 2, "race key: race number of the day"),
      F::Code("race_key", 0, 12,
              "the whole race key in the old form: place, year, kai, day, race number").Alias(),
      F::Digits("bracket_number", 22, 1, "bracket (frame) number"),
      F::Digits("horse_number", 23, 2, "horse number"),
      F::Code("horse_code", 25, 7, "horse code"),
      F::Text("horse_name", 32, 30, "horse name"),
      F::Code("sex", 64, 1, "sex code"),
      F::Digits("age", 65, 2, "age, two digits"),
      F::Code("entry_code", 127, 1, "a code byte kept with the entry"),
      F::Digits("weight_carried", 128, 3, "weight carried, tenths of a kilogram"),
      F::Code("jockey_code", 131, 5, "jockey code"),
      F::Text("jockey_text", 136, 32, "jockey text (long form)"),
      F::Text("jockey_name", 168, 8, "jockey name"),
      F::Code("jockey_code_byte", 176, 1, "a code byte kept with the jockey"),
      F::Code("two_char_code", 177, 2, "a 2-character code"),
      F::Code("five_char_code", 179, 5, "a 5-character code"),
      F::Code("code_byte", 184, 1, "a code byte"),
      F::Digits("digit", 185, 1, "a digit kept on the runner"),
      F::Code("trainer_code", 186, 5, "trainer (stable) code"),
      F::Text("trainer_name", 223, 8, "trainer name"),
      F::Code("stable_location", 231, 2, "stable location field"),
      F::Code("stable_affiliation", 233, 1, "stable affiliation code"),
      F::Digits("prediction_mark", 234, 1,
                "prediction mark: d is mark d + 1 (◎ ○ ▲ △ ×), '9' struck out; blank none"),
      F::Code("training_marks", 235, 3,
              "training marks, each a digit or a blank (first bytes of the card line)"),
      F::Digits("body_weight", 238, 3, "body weight, kg; blank when not known (card line)"),
      F::Signed("body_weight_change", 241, 3,
                "body weight change, kg; blank when not known (card line)"),
      F::Digits("value_tenths", 677, 3, "a value shown with one decimal (tenths)"),
      F::Digits("card_line_prediction_mark", 680, 1,
                "the prediction mark again, where the card line carries it (line byte 488)"),

  });
  return layout;
}

const RecordLayout& ResultRunnerLayout() {
  // The race part repeats fields of the results record at other offsets.
  // The race code starts at byte 1.
  static const RecordLayout layout("RACERHREC", 659, {
      F::Code("race_code", 1, 12, "race code: place 2, date YYYYMMDD 8, race number 2"),
      F::Code("leading_race_code", 0, 12,
              "the first 12 bytes, taken for the race code by the keyword race search "
              "(two horses' common races, a sire's runs); race_code starts a byte later")
          .Alias(),
      F::Digits("date", 3, 8, "date YYYYMMDD inside the race code").Alias(),
      F::Digits("race_number", 11, 2, "race number inside the race code").Alias(),
      F::Digits("year", 13, 4, "year of the race"),
      F::Digits("kai", 17, 2, "meeting number of the course in the year"),
      F::Digits("day", 19, 2, "day within the meeting"),
      F::Digits("totals_date", 13, 8,
                "read as the race date by the result totals; the same bytes are year, kai "
                "and day to every other reader").Alias(),
      F::Code("grade", 73, 1, "grade code"),
      F::Code("race_kind", 98, 1, "race kind (age condition; '0' a jump race)"),
      F::Digits("conditions", 100, 5, "condition codes: the class field (code, or money class)"),
      F::Code("track", 115, 1, "track code ('0' dirt)"),
      F::Code("direction", 116, 1, "direction code"),
      F::Code("inner_outer", 117, 1, "inner/outer course code"),
      F::Digits("distance", 119, 4, "distance in metres"),
      F::Digits("runner_count", 123, 2, "number of runners in the race"),
      F::Code("pace", 129, 1, "pace code ('0' H, '1' M, '2' S)"),
      F::Code("going", 131, 1, "going code ('0' to '3')"),
      F::Digits("bracket_number", 153, 1, "bracket (frame) number"),
      F::Digits("horse_number", 154, 2, "horse number"),
      F::Digits("post_number", 156, 2,
                "post number; differs from the horse number when the horse started from "
                "another stall"),
      F::Code("horse_code", 158, 7, "horse code"),
      F::Text("horse_name", 165, 30, "horse name"),
      F::Code("sex", 197, 1, "sex code ('0' male, '1' female, '2' gelding)"),
      F::Digits("age", 198, 2, "age, two digits"),
      F::Code("prediction_mark", 200, 1,
              "the entry's prediction mark digit (d is mark d + 1: ◎ ○ ▲ △ ×; '9' struck "
              "out); blank none"),
      F::Code("training_mark", 201, 1,
              "the entry's first training mark digit (the card carries all three); blank none"),
      F::Digits("weight_carried", 261, 3, "weight carried, tenths of a kilogram"),
      F::Digits("body_weight", 264, 3, "body weight, kg"),
      F::Signed("body_weight_change", 267, 3, "body weight change, kg; blank when unknown"),
      F::Digits("result_number_4", 270, 3, "result number 4: the last 600 m, tenths of a second"),
      F::Code("jockey_code", 273, 5, "jockey code"),
      F::Text("jockey_name", 310, 8, "jockey name"),
      F::Digits("digit", 327, 1, "a digit kept on the runner"),
      F::Code("trainer_code", 328, 5, "trainer (stable) code"),
      F::Text("trainer_name", 365, 8, "trainer name"),
      F::Code("stable_location", 373, 2, "stable location field"),
      F::Code("stable_affiliation", 375, 1, "stable affiliation code"),
      F::Digits("popularity", 378, 2, "popularity (betting rank)"),
      F::Digits("win_odds", 380, 5, "win odds, tenths"),
      F::Digits("finishing_order", 385, 2, "finishing order"),
      F::Digits("accident", 387, 2,
                "accident code: 31 fall, 32 disqualified, 33 pulled up, 34 scratched, "
                "35 excluded, 36 demoted"),
      F::Digits("arrival_order", 389, 2, "order of crossing the line"),
      F::Digits("result_number_3", 393, 4, "result number 3: the race time, tenths of a second"),
      F::Code("margin_lengths", 397, 2, "margin: whole lengths"),
      F::Code("margin_code", 399, 1, "margin: fraction or word code"),
      F::Digits("margin", 400, 3, "margin value; 998 means none"),
      F::Digits("result_number_a", 403, 3, "first 600 m, tenths of a second"),
      F::Digits("result_number_b", 406, 3, "last 600 m, tenths of a second"),
      F::Digits("corner_position", 409, 2, "position at corners 1 to 4").Repeat(4, 2),
      F::Code("position_code", 417, 1, "position code"),
      F::Text("result_block", 418, 116, "result block kept whole on the runner"),
      F::Text("stable_text", 535, 30, "stable text"),
      F::Code("sire_code", 577, 7, "sire's horse code"),
      F::Text("sire_name", 584, 34, "sire's name"),
      F::Code("dams_sire_code", 618, 7, "dam's sire's horse code"),
      F::Text("dams_sire_name", 625, 34, "dam's sire's name"),
  });
  return layout;
}

const RecordLayout& PastRunLayout() {
  // One run of a horse (or one ride of a jockey, one runner of a trainer or
  // one offspring run of a sire) as the theory engine, the course-draw
  // statistics and the optimiser's marks read it. The course-draw reader
  // takes the horse number at bytes 39-40, the engine's run rows at 41-42:
  // one layout serves both, with the number written in each place.
  static const RecordLayout layout("PASTRUNREC", 94, {
      F::Code("place_code", 0, 2, "racecourse code"),
      F::Digits("date", 2, 8, "date YYYYMMDD"),
      F::Digits("kai", 16, 2, "meeting number"),
      F::Code("jump", 20, 1, "'1' for a jump race (surface taken as '2')"),
      F::Code("grade", 21, 1, "grade code; blank when the race has no grade"),
      F::Digits("conditions", 22, 5, "class field, read when the grade is blank"),
      F::Code("track", 27, 1, "surface (track) code"),
      F::Digits("distance", 31, 4, "distance in metres"),
      F::Digits("runner_count", 35, 2, "number of runners in that race"),
      F::Code("going", 37, 1, "going code, a digit"),
      F::Digits("bracket_number", 38, 1, "bracket (frame) number"),
      F::Digits("horse_number", 39, 2,
                "horse number, as the course-draw statistics read it; the same number as 41-42"),
      F::Digits("run_horse_number", 41, 2,
                "horse number as the engine's past-run rows read it; the same number as 39-40"),
      F::Digits("weight_carried", 50, 3, "weight carried, tenths of a kilogram"),
      F::Digits("index", 53, 3, "record index of the run"),
      F::Code("jockey_code", 56, 5, "jockey code; blank when none"),
      F::Code("trainer_code", 61, 5, "trainer code; blank when none"),
      F::Code("prediction_mark", 66, 1,
              "prediction mark character: digit d is mark d + 1, '9' struck out; blank none"),
      F::Digits("popularity", 67, 2, "betting popularity rank"),
      F::Digits("win_odds", 69, 5, "win odds, tenths"),
      F::Digits("finishing_order", 74, 2, "finishing position; 0 when not placed"),
      F::Digits("arrival_order", 78, 2, "arrival order; the margin counts as 0 when it is 1"),
      F::Digits("time", 80, 4, "race time: minutes 1, seconds 2, tenths 1"),
      F::Digits("margin", 84, 3, "margin to the winner, tenths of a second; 998 none"),
      F::Digits("first_3f", 87, 3, "first three furlongs, tenths of a second"),
      F::Digits("last_3f", 90, 3, "last three furlongs, tenths of a second"),
  });
  return layout;
}

const RecordLayout& RunnerEntryLayout() {
  // A run race's runner as a range of races gives it: the race code and
  // the entry alone, at the offsets of no other record.
  static const RecordLayout layout("RUNNERENTRYREC", 37, {
      F::Code("race_code", 0, 12, "race code: place 2, date YYYYMMDD 8, race number 2"),
      F::Digits("bracket_number", 12, 1, "bracket (frame) number"),
      F::Digits("horse_number", 13, 2, "horse number"),
      F::Code("horse_code", 15, 7, "horse code"),
      F::Digits("weight_carried", 22, 3, "weight carried, tenths of a kilogram"),
      F::Code("jockey_code", 25, 5, "jockey code; blank when none"),
      F::Code("trainer_code", 30, 5, "trainer (stable) code"),
      F::Code("prediction_mark", 35, 1,
              "the entry's prediction mark digit (as RACERHREC byte 200); blank none"),
      F::Code("training_mark", 36, 1,
              "the entry's first training mark digit (as RACERHREC byte 201); blank none"),
  });
  return layout;
}

const RecordLayout& HorseRunLayout() {
  // The runs of many horses in one buffer (a range of races): each past-run
  // record after the code of the horse whose run it is, which the record
  // itself does not carry.
  static const RecordLayout layout("HORSERUNREC", 101, {
      F::Code("horse_code", 0, 7, "horse code of the run"),
      F::Binary("run", 7, 94, "the run as a PASTRUNREC, every field filled"),
  });
  return layout;
}

const RecordLayout& CommentLayout() {
  // The comment (kind 0) or memo (kind 1) on one horse's run; the client
  // reads only the text, the key in front says which run it belongs to.
  static const RecordLayout layout("COMMENTREC", 1007, {
      F::Code("race_code", 0, 12, "race code of the run"),
      F::Code("horse_code", 12, 7, "horse code of the run"),
      F::Digits("kind", 19, 1, "0 the run comment, 1 the user's memo"),
      F::Text("text", 47, 960, "comment or memo text"),
  });
  return layout;
}

}  // namespace ydb
