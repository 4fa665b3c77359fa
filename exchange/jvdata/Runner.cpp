// The horse-in-race record, SE (555 bytes, JV-Data 4.9).
#include <cstdlib>
#include <string>

#include "exchange/jvdata/JraCodes.h"
#include "exchange/jvdata/RaceIdFields.h"

namespace exchange {
namespace jvdata {
namespace {

constexpr Field kFrame{27, 1, "Wakuban"};
constexpr Field kNumber{28, 2, "Umaban"};
constexpr Field kHorse{30, 10, "KettoNum"};
constexpr Field kName{40, 36, "Bamei"};
constexpr Field kMark{76, 2, "UmaKigoCD"};
constexpr Field kSex{78, 1, "SexCD"};
constexpr Field kBreed{79, 1, "HinsyuCD"};
constexpr Field kCoat{80, 2, "KeiroCD"};
constexpr Field kAge{82, 2, "Barei"};
constexpr Field kTrainer{85, 5, "ChokyosiCode"};
constexpr Field kTrainerName{90, 8, "ChokyosiRyakusyo"};
constexpr Field kOwner{98, 6, "BanusiCode"};
constexpr Field kOwnerName{104, 64, "BanusiName"};
constexpr Field kWeight{288, 3, "Futan"};  // tenths of a kilogram
constexpr Field kBlinkers{294, 1, "Blinker"};
constexpr Field kJockey{296, 5, "KisyuCode"};
constexpr Field kJockeyName{306, 8, "KisyuRyakusyo"};
constexpr Field kApprentice{322, 1, "MinaraiCD"};
constexpr Field kBodyWeight{324, 3, "BaTaijyu"};
constexpr Field kChangeSign{327, 1, "ZogenFugo"};
constexpr Field kChange{328, 3, "ZogenSa"};
constexpr Field kAccident{331, 1, "IJyoCD"};
constexpr Field kArrival{332, 2, "NyusenJyuni"};
constexpr Field kFinish{334, 2, "KakuteiJyuni"};
constexpr Field kTime{338, 4, "Time"};
constexpr Field kMargin{342, 3, "ChakusaCD"};
constexpr Field kCorners[4] = {{351, 2, "Jyuni1c"}, {353, 2, "Jyuni2c"},
                               {355, 2, "Jyuni3c"}, {357, 2, "Jyuni4c"}};
constexpr Field kOdds{359, 4, "Odds"};  // tenths
constexpr Field kPopularity{363, 2, "Ninki"};
constexpr Field kPrize{365, 8, "Honsyokin"};  // hundreds of yen
constexpr Field kAdded{373, 8, "Fukasyokin"};
constexpr Field kLast600{390, 3, "HaronTimeL3"};
constexpr Field kTimeDiff{531, 4, "TimeDiff"};  // sign and tenths

constexpr int kLength = 555;
constexpr int kHundred = 100;
// The data set marks a horse that lost its place at a corner by adding this.
constexpr int kLostPlace = 40;

// 着差コード: a margin of whole lengths and a fraction ("112" one and a
// half lengths, " 34" three quarters), or a word.
const CodeTable& MarginWords() {
  static const CodeTable t = {{"0", "H"}, {"1", "A"}, {"2", "K"}, {"7", "Z"}, {"8", "D"}};
  return t;
}
const CodeTable& MarginFractions() {
  static const CodeTable t = {{"3", "12"}, {"4", "14"}, {"5", "34"}};
  return t;
}

std::string MarginOf(const ydb::RunnerResult& x) {
  const std::string word = JraOf(MarginWords(), x.margin_code);
  if (!word.empty()) return word;
  const std::string fraction = JraOf(MarginFractions(), x.margin_code);
  if (fraction.empty()) return x.margin_lengths == 0 ? "" : std::to_string(x.margin_lengths);
  if (x.margin_lengths > 9) return "";
  return (x.margin_lengths == 0 ? std::string(" ") : std::to_string(x.margin_lengths)) + fraction;
}

void ReadMargin(FieldReader& r, ydb::RunnerResult* x) {
  std::string code = r.raw(kMargin);
  while (!code.empty() && code.back() == ' ') code.pop_back();
  if (code.empty()) return;
  if (OursOf(MarginWords(), code, &x->margin_code)) return;
  std::string lengths = code;
  if (code.size() == 3 && OursOf(MarginFractions(), code.substr(1), &x->margin_code)) {
    lengths = code.substr(0, 1);
  }
  if (lengths == " ") return;
  if (lengths.find_first_not_of("0123456789") != std::string::npos) {
    r.fail(kMargin, "'" + r.raw(kMargin) + "' is not a margin known here");
    return;
  }
  x->margin_lengths = std::stoi(lengths);
}

void PutResult(RecordWriter& w, const ydb::RunnerResult& x) {
  w.code(kAccident, JraOf(AccidentCodes(), x.accident_code));
  w.digits(kArrival, x.arrival_order);
  w.digits(kFinish, x.finish_pos);
  w.digits(kTime, ClockOfTenths(x.time));
  w.code(kMargin, MarginOf(x));
  for (int i = 0; i < 4; ++i) w.digits(kCorners[i], x.corners[static_cast<std::size_t>(i)] % kLostPlace);
  w.digits(kOdds, x.win_odds);
  w.digits(kPopularity, x.popularity);
  w.digits(kPrize, x.prize_money / kHundred);
  w.digits(kAdded, x.added_money / kHundred);
  if (x.last_600 != 0) w.digits(kLast600, x.last_600);
  if (x.margin_time) {
    w.code(kTimeDiff, x.finish_pos == 1 ? "-" : "+");
    w.digits(kTimeDiff.offset + 1, kTimeDiff.width - 1, *x.margin_time);
  }
}

// Odds of "----" (not on sale) or "****" (not entered) are none.
int ReadOdds(FieldReader& r) {
  const std::string raw = r.raw(kOdds);
  if (raw.find_first_not_of("-*") == std::string::npos) return 0;
  return static_cast<int>(r.number(kOdds));
}

ydb::RunnerResult ReadResult(FieldReader& r) {
  ydb::RunnerResult x;
  const std::string accident = r.raw(kAccident);
  if (!OursOf(AccidentCodes(), accident, &x.accident_code)) {
    r.fail(kAccident, "'" + accident + "' is not a code known here");
  }
  x.arrival_order = static_cast<int>(r.number(kArrival));
  x.finish_pos = static_cast<int>(r.number(kFinish));
  x.time = TenthsOfClock(r.number(kTime));
  ReadMargin(r, &x);
  for (int i = 0; i < 4; ++i) x.corners[static_cast<std::size_t>(i)] = static_cast<int>(r.number(kCorners[i]));
  x.win_odds = ReadOdds(r);
  x.popularity = static_cast<int>(r.number(kPopularity));
  x.prize_money = r.number(kPrize) * kHundred;
  x.added_money = r.number(kAdded) * kHundred;
  x.last_600 = static_cast<int>(r.number(kLast600));
  const Field magnitude{kTimeDiff.offset + 1, kTimeDiff.width - 1, kTimeDiff.name};
  if (r.present(magnitude)) {
    r.choice(kTimeDiff, "+- ");
    x.margin_time = static_cast<int>(r.number(magnitude));
  }
  return x;
}

}  // namespace

std::string RunnerRecord(const RaceRunner& x, char stage, int created) {
  const ydb::Runner& runner = x.runner;
  RecordWriter w("SE", kLength, stage, created);
  PutRaceId(w, x.race);
  w.digits(kFrame, runner.frame_no);
  w.digits(kNumber, runner.horse_no);
  w.code(kHorse, JraHorseCodeOf(runner.horse_code));
  w.text(kName, x.horse.name);
  w.code(kMark, JraOf(MarkCodes(), x.horse.mark_code));
  w.code(kSex, JraOf(SexCodes(), runner.sex));
  if (x.horse.breed_code.size() == 2) w.code(kBreed, x.horse.breed_code.substr(1));
  w.code(kCoat, x.horse.coat_code);
  w.digits(kAge, runner.age);
  w.code(kTrainer, runner.trainer_code);
  w.text(kTrainerName, x.trainer_name);
  w.code(kOwner, runner.owner_code);
  w.text(kOwnerName, x.owner_name);
  w.digits(kWeight, runner.weight_carried);
  w.code(kBlinkers, runner.blinkers ? "1" : "0");
  w.code(kJockey, runner.jockey_code);
  w.text(kJockeyName, x.jockey_name);
  w.code(kApprentice, runner.apprentice_code.empty() ? "0" : runner.apprentice_code);
  if (runner.body_weight != 0) w.digits(kBodyWeight, runner.body_weight);
  if (runner.weight_change) {
    const int change = *runner.weight_change;
    w.code(kChangeSign, change < 0 ? "-" : change > 0 ? "+" : " ");
    w.digits(kChange, std::abs(change));
  }
  if (runner.result && CarriesResults(stage)) PutResult(w, *runner.result);
  return w.record();
}

ydb::Status ReadRecordKey(const Record& record, RaceId* race, int* horse_no) {
  const std::string type(record.type());
  FieldReader r(record, type.c_str());
  *race = ReadRaceId(r);
  *horse_no = type == "SE" ? static_cast<int>(r.number(kNumber)) : 0;
  return r.status();
}

ydb::Status ReadRunner(const Record& record, int form, RaceRunner* out) {
  if (form != 0) {
    return ydb::Status::NotSupported("SE of the form before 2003: its layout is not known here");
  }
  FieldReader r(record, "SE");
  RaceRunner x;
  x.race = ReadRaceId(r);
  ydb::Runner& runner = x.runner;
  runner.frame_no = static_cast<int>(r.number(kFrame));
  runner.horse_no = static_cast<int>(r.number(kNumber));
  const std::string horse = r.raw(kHorse);
  if (!HorseCodeOfJra(horse, &runner.horse_code)) {
    r.fail(kHorse, "'" + horse + "' is not a 10-digit horse code of register 1");
  }
  x.horse.code = runner.horse_code;
  x.horse.name = r.text(kName);
  const std::string mark = r.raw(kMark);
  if (!OursOf(MarkCodes(), mark, &x.horse.mark_code) && mark != "  ") {
    r.fail(kMark, "'" + mark + "' is not a code known here");
  }
  const std::string sex = r.raw(kSex);
  if (!OursOf(SexCodes(), sex, &runner.sex)) r.fail(kSex, "'" + sex + "' is not one of 123");
  x.horse.sex = runner.sex;
  const char breed = r.choice(kBreed, "1234567");
  if (breed != ' ') x.horse.breed_code = std::string("0") + breed;
  x.horse.coat_code = r.code(kCoat);
  runner.age = static_cast<int>(r.number(kAge));
  runner.trainer_code = r.code(kTrainer);
  x.horse.trainer_code = runner.trainer_code;
  x.trainer_name = r.text(kTrainerName);
  runner.owner_code = r.code(kOwner);
  x.horse.owner_code = runner.owner_code;
  x.owner_name = r.text(kOwnerName);
  runner.weight_carried = static_cast<int>(r.number(kWeight));
  runner.blinkers = r.choice(kBlinkers, "01") == '1';
  runner.jockey_code = r.code(kJockey);
  x.jockey_name = r.text(kJockeyName);
  const char apprentice = r.choice(kApprentice, "0123456789");
  if (apprentice >= '1' && apprentice <= '3') runner.apprentice_code = std::string(1, apprentice);
  runner.body_weight = static_cast<int>(r.number(kBodyWeight));
  if (r.present(kChange)) {
    const char sign = r.choice(kChangeSign, "+- ");
    const int change = static_cast<int>(r.number(kChange));
    runner.weight_change = sign == '-' ? -change : change;
  }
  if (CarriesResults(record.stage())) runner.result = ReadResult(r);
  if (!r.status().ok()) return r.status();
  *out = std::move(x);
  return ydb::Status::Ok();
}

}  // namespace jvdata
}  // namespace exchange
