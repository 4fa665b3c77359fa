// The card fetches at the C boundary: nominations before the draw, a
// horse's latest results before a date, and the user's own card turned into
// card records.
#include <gtest/gtest.h>

#include <string>

#include "db/api/DataSetSession_test.h"
#include "db/api/ybl.h"
#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderWorld_test.h"

namespace {

using ytest::At;
using ytest::Blanks;
using ytest::Records;
using ytest::Sjis;

const ydb::RaceKey kNominatedRace{"05", 20240120, 11};
constexpr const char* kNominatedCode = "052024012011";

// The render world and a race with three horses nominated, not yet drawn.
// The nominations come in the order 3, 1, 2 of the extra horses; the first
// is ridden by another jockey than in its last run.
ydb::Batch World() {
  ydb::Batch b = ytest::MakeRenderWorld();
  ydb::Race race;
  race.key = kNominatedRace;
  race.kai = 1;
  race.kai_day = 5;
  race.name = "若潮ステークス";
  race.race_kind = "4";
  race.class_code = "00004";
  race.track_code = "1";
  race.distance = 2000;
  race.nominations = {{ytest::ExtraHorse(3), "02001", "01001", 560, "2", "12 "},
                      {ytest::ExtraHorse(1), "02001", "", 0, "", ""},
                      {ytest::ExtraHorse(2), "02001", "01001", 550, "9", ""}};
  b.races.push_back(race);
  return b;
}

class CardFetchTest : public ytest::WrittenDataSetTest<World> {
 protected:
  static void Fetch(void* buffer, Records* out) { *out->out() = buffer; }
};

TEST_F(CardFetchTest, NominationsComeBeforeTheDrawInNominationOrder) {
  Records card, nominated, day;
  Fetch(get_denma2code(kNominatedCode), &card);
  EXPECT_EQ(card.count(), 0) << "no card before the draw";
  Fetch(get_tok2code(kNominatedCode), &nominated);
  ASSERT_EQ(nominated.count(), 1);
  EXPECT_EQ(At(nominated[0], 0, 20), "05202401201120240105");
  EXPECT_EQ(At(nominated[0], 336, 2), "00") << "no runners drawn";
  EXPECT_EQ(At(nominated[0], 349, 3), "003");
  for (const char* key : {"052024012000", "0520240120"}) {
    Fetch(get_tok2code(key), &day);
    ASSERT_EQ(day.count(), 1) << key;
    EXPECT_EQ(day[0], nominated[0]) << key;
  }
  // Races drawn without nominations are no nominations.
  Fetch(get_tok2code("052024010611"), &day);
  EXPECT_EQ(day.count(), 0);

  Records horses;
  Fetch(get_tokh2code(nominated[0].data()), &horses);
  ASSERT_EQ(horses.count(), 3);
  EXPECT_EQ(get_rec_width(horses.buffer()), 688);
  const std::string first = horses[0];
  EXPECT_EQ(At(first, 0, 12), "052024010511");  // the old-form race key
  EXPECT_EQ(At(first, 22, 10), "   " + ytest::ExtraHorse(3)) << "bracket and number blank";
  EXPECT_EQ(At(first, 64, 3), "104") << "a filly of four: the racing year less 2020";
  EXPECT_EQ(At(first, 128, 8), "56001001");
  EXPECT_EQ(At(first, 168, 8), Sjis("鈴木次郎", 8));
  EXPECT_EQ(At(first, 179, 5), "01002") << "ridden by 01002 in its last run";
  EXPECT_EQ(At(first, 234, 4), "212 ") << "prediction mark, then the training marks";
  EXPECT_EQ(first[680], '2') << "the prediction mark where the card line carries it";
  EXPECT_EQ(At(horses[1], 128, 8), Blanks(8)) << "no weight, no jockey yet";
  EXPECT_EQ(horses[2][680], '9');
}

TEST_F(CardFetchTest, AHorsesResultsBeforeADateComeLatestFirst) {
  // 2021001 ran on 6 and 7 January; its card of the 13th is not run.
  const std::string horse = ytest::ExtraHorse(1);
  Records runs;
  Fetch(get_uma_race5(horse.c_str(), "20240120", 6), &runs);
  ASSERT_EQ(runs.count(), 2);
  EXPECT_EQ(get_rec_width(runs.buffer()), 659);
  EXPECT_EQ(At(runs[0], 1, 12), "002024010703");
  EXPECT_EQ(At(runs[1], 158, 7), horse);
  Fetch(get_uma_race5(horse.c_str(), "20240120", 1), &runs);
  ASSERT_EQ(runs.count(), 1);
  EXPECT_EQ(At(runs[0], 1, 12), "002024010703");
  Fetch(get_uma_race5(horse.c_str(), "20240107", 6), &runs);
  ASSERT_EQ(runs.count(), 1) << "a run on the date itself is not before it";
  EXPECT_EQ(At(runs[0], 1, 12), "052024010601");

  struct Case {
    const char* horse;
    const char* date;
    int count;
  };
  for (const Case& c : {Case{"202100A", "20240120", 6}, Case{"2021001", "2024012", 6},
                        Case{"2021001", "20240120", 0}, Case{"2099999", "20240120", 6}}) {
    Fetch(get_uma_race5(c.horse, c.date, c.count), &runs);
    EXPECT_NE(runs.buffer(), nullptr);
    EXPECT_EQ(runs.count(), 0) << (c.horse ? c.horse : "null") << " " << (c.date ? c.date : "null")
                               << " " << c.count;
  }
}

// A special card on the race of the 13th: its card record as the race part,
// and `entries` entries set by the test.
class SpecialCard {
 public:
  explicit SpecialCard(const std::string& race_card)
      : bytes_(ydb::SpecialCardLayout().size(), ' '), b_(bytes_.data(), ydb::SpecialCardLayout()) {
    b_.set_raw("race_card", race_card.substr(0, 360));
  }
  ydb::RecordBuilder& b() { return b_; }
  void* get() { return bytes_.data(); }

 private:
  std::string bytes_;
  ydb::RecordBuilder b_;
};

TEST_F(CardFetchTest, TheUsersOwnCardIsRenderedFromTheStore) {
  Records card;
  Fetch(get_denma2code("052024011311"), &card);
  ASSERT_EQ(card.count(), 1);
  SpecialCard special(card[0]);
  ydb::RecordBuilder& b = special.b();
  b.set_digits("entry_count", 3);
  // A known horse with a known jockey, an unknown horse, a horse alone.
  b.set_code("entry_horse_code", "2020011", 0);
  b.set_digits("entry_bracket_number", 1, 0);
  b.set_digits("entry_horse_number", 1, 0);
  b.set_code("entry_jockey_code", "01001", 0);
  b.set_digits("entry_weight_carried", 575, 0);
  b.set_code("entry_horse_code", "2099999", 1);
  b.set_digits("entry_bracket_number", 2, 1);
  b.set_digits("entry_horse_number", 2, 1);
  b.set_code("entry_jockey_code", "01002", 1);
  b.set_digits("entry_weight_carried", 550, 1);
  b.set_code("entry_horse_code", ytest::ExtraHorse(5), 2);
  b.set_digits("entry_horse_number", 3, 2);
  ASSERT_TRUE(b.status().ok()) << b.status().message();

  std::string race(360, '\0');
  ASSERT_EQ(conv_tn2rd(race.data(), special.get()), 0) << get_db_error();
  EXPECT_EQ(At(race, 0, 336), At(card[0], 0, 336)) << "the card's race as it was";
  EXPECT_EQ(At(race, 336, 2), "03") << "as many runners as entries";
  EXPECT_EQ(At(race, 338, 11), At(card[0], 338, 11));

  std::string runner(688, '\0');
  ASSERT_EQ(conv_tn2rdh(runner.data(), special.get(), 0), 0) << get_db_error();
  EXPECT_EQ(At(runner, 0, 12), "052024010311");
  EXPECT_EQ(At(runner, 22, 10), "101" "2020011");
  EXPECT_EQ(At(runner, 64, 3), "004") << "the horse's sex and age in 2024";
  EXPECT_EQ(At(runner, 128, 8), "57501001");
  EXPECT_EQ(At(runner, 179, 5), "01002") << "ridden by 01002 in its last run";
  EXPECT_EQ(At(runner, 185, 6), "202001") << "the horse's trainer and centre";
  EXPECT_EQ(At(runner, 223, 8), Sjis("佐藤一郎", 8));
  EXPECT_EQ(At(runner, 234, 454), Blanks(454)) << "no marks on the user's card";

  ASSERT_EQ(conv_tn2rdh(runner.data(), special.get(), 1), 0) << get_db_error();
  EXPECT_EQ(At(runner, 22, 10), "202" "2099999");
  EXPECT_EQ(At(runner, 32, 35), Blanks(35)) << "the unknown horse's name, sex and age";
  EXPECT_EQ(At(runner, 128, 8), "55001002");
  EXPECT_EQ(At(runner, 168, 8), Sjis("高橋三郎", 8));
  EXPECT_EQ(At(runner, 184, 50), Blanks(50)) << "no trainer without a horse";

  ASSERT_EQ(conv_tn2rdh(runner.data(), special.get(), 2), 0) << get_db_error();
  EXPECT_EQ(At(runner, 22, 3), " 03") << "no bracket given";
  EXPECT_EQ(At(runner, 128, 8), Blanks(8)) << "no weight, no jockey";
}

TEST_F(CardFetchTest, AUsersCardThatCannotBeReadFillsNothing) {
  Records card;
  Fetch(get_denma2code("052024011311"), &card);
  ASSERT_EQ(card.count(), 1);
  SpecialCard special(card[0]);
  special.b().set_digits("entry_count", 2);
  std::string race(360, 'x'), runner(688, 'x');
  for (int index : {-1, 2}) {
    EXPECT_EQ(conv_tn2rdh(runner.data(), special.get(), index), -1) << index;
    EXPECT_NE(std::string(get_db_error()).find("entry"), std::string::npos) << get_db_error();
  }
  EXPECT_EQ(conv_tn2rd(nullptr, special.get()), -1);
  EXPECT_EQ(conv_tn2rd(race.data(), nullptr), -1);
  EXPECT_EQ(conv_tn2rdh(nullptr, special.get(), 0), -1);
  special.b().set_digits("entry_count", 19);
  EXPECT_EQ(conv_tn2rd(race.data(), special.get()), -1);
  EXPECT_EQ(conv_tn2rdh(runner.data(), special.get(), 0), -1);
  EXPECT_EQ(race, std::string(360, 'x'));
  EXPECT_EQ(runner, std::string(688, 'x'));

  special.b().set_digits("entry_count", 2);
  ydb_test_fail("conv_tn2rdh");
  EXPECT_EQ(conv_tn2rdh(runner.data(), special.get(), 0), -1);
  EXPECT_EQ(conv_tn2rd(race.data(), special.get()), 0) << "only the operation named fails";
  ydb_test_fail(nullptr);
  term_db_ex();
  EXPECT_EQ(conv_tn2rdh(runner.data(), special.get(), 0), -1) << "it needs the store";
  EXPECT_EQ(conv_tn2rd(race.data(), special.get()), 0) << "it does not";
}

}  // namespace
