// The horse, breeding horse and foal records (JV-Data 4.9 layouts, and the
// forms before 2023-08 by the widths that changed then).
#include "exchange/jvdata/Horses.h"

#include <algorithm>

#include "exchange/jvdata/FieldReader.h"
#include "exchange/jvdata/JraCodes.h"
#include "exchange/jvdata/RecordWriter.h"

namespace exchange {
namespace jvdata {
namespace {

// Horse (UM, 1609 bytes; 1577 before 2023-08).
constexpr Field kUmHorse{11, 10, "KettoNum"};
constexpr Field kUmRetired{21, 1, "DelKubun"};
constexpr Field kUmRetiredOn{30, 8, "DelDate"};
constexpr Field kUmBirth{38, 8, "BirthDate"};
constexpr Field kUmName{46, 36, "Bamei"};
constexpr Field kUmLatin{118, 60, "BameiEng"};
constexpr Field kUmMark{198, 2, "UmaKigoCD"};
constexpr Field kUmSex{200, 1, "SexCD"};
constexpr Field kUmBreed{201, 1, "HinsyuCD"};
constexpr Field kUmCoat{202, 2, "KeiroCD"};
constexpr int kUmPedigree = 204;  // Ketto3Info: 14 of a breeding number and a name (36)
constexpr int kAncestorName = 36;
constexpr Field kUmTrainer{849, 5, "ChokyosiCode"};
constexpr Field kUmTrainerName{854, 8, "ChokyosiRyakusyo"};
constexpr Field kUmBreeder{882, 8, "BreederCode"};
constexpr Field kUmBreederName{890, 72, "BreederName"};
constexpr Field kUmOwner{982, 6, "BanusiCode"};
constexpr Field kUmOwnerName{988, 64, "BanusiName"};

// The older UM (1577 bytes) had breeding numbers of 8 digits, a breeder
// code of 6 and a breeder's name of 70 bytes: the 32 bytes the record grew
// by. The fields after the pedigree lie 28 bytes earlier, the owner's 32.
constexpr int kOlderUmPedigreeShift = -2 * ydb::kPedigreeSize;
constexpr Field kOlderUmBreeder{882 + kOlderUmPedigreeShift, 6, "BreederCode"};
constexpr Field kOlderUmBreederName{888 + kOlderUmPedigreeShift, 70, "BreederName"};
constexpr int kOlderUmOwnerShift = kOlderUmPedigreeShift - 4;

// Breeding horse (HN, 251 bytes; 245 before 2023-08, its three breeding
// numbers of 8 digits).
constexpr Field kHnNumber{11, 10, "HansyokuNum"};
constexpr Field kHnHorse{29, 10, "KettoNum"};
constexpr Field kHnName{40, 36, "Bamei"};
constexpr Field kHnLatin{116, 80, "BameiEng"};
constexpr Field kHnBirthYear{196, 4, "BirthYear"};
constexpr Field kHnSex{200, 1, "SexCD"};
constexpr Field kHnBreed{201, 1, "HinsyuCD"};
constexpr Field kHnCoat{202, 2, "KeiroCD"};
constexpr Field kHnOrigin{204, 1, "HansyokuMochiKubun"};

// Foal (SK, 208 bytes; 178 before 2023-08, a breeder code of 6 digits and
// breeding numbers of 8).
constexpr Field kSkHorse{11, 10, "KettoNum"};
constexpr Field kSkBirth{21, 8, "BirthDate"};
constexpr Field kSkSex{29, 1, "SexCD"};
constexpr Field kSkBreed{30, 1, "HinsyuCD"};
constexpr Field kSkCoat{31, 2, "KeiroCD"};
constexpr Field kSkBreeder{38, 8, "BreederCode"};
constexpr Field kOlderSkBreeder{38, 6, "BreederCode"};
constexpr int kSkPedigree = 66;  // HansyokuNum × 14 (64 in the older form)

// The width of a breeding number in form `form`.
int NumberWidth(int form) { return form == 0 ? 10 : 8; }

// A code of the older form in the current form's `width` digits: with
// zeros before it (a breeding number of 8 digits two, a breeder code of 6
// two); empty stays empty.
std::string Widened(const std::string& code, std::size_t width) {
  return code.empty() || code.size() >= width ? code : std::string(width - code.size(), '0') + code;
}
std::string Widened(const std::string& number) { return Widened(number, 10); }

// `f` of the current form moved by `shift` bytes.
Field Moved(const Field& f, int shift) { return {f.offset + shift, f.width, f.name}; }

bool IsLatin(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

// The data set's horse code of the 10-digit `f`; blank or zeros is empty.
std::string HorseCode(FieldReader& r, const Field& f, bool required) {
  const std::string raw = r.raw(f);
  std::string code;
  if (raw.find_first_not_of(" 0") == std::string::npos && !required) return code;
  if (!HorseCodeOfJra(raw, &code)) r.fail(f, "'" + raw + "' is not a 10-digit horse code of register 1");
  return code;
}

std::string Sex(FieldReader& r, const Field& f) {
  const std::string raw = r.raw(f);
  std::string sex;
  if (raw != " " && !OursOf(SexCodes(), raw, &sex)) r.fail(f, "'" + raw + "' is not one of 123");
  return sex;
}

std::string Breed(FieldReader& r, const Field& f) {
  const char breed = r.choice(f, "1234567");
  return breed == ' ' ? "" : std::string("0") + breed;
}

void ReadBreeding(FieldReader& r, int offset, int stride, int width, BreedingNumbers* out) {
  for (int i = 0; i < ydb::kPedigreeSize; ++i) {
    (*out)[static_cast<std::size_t>(i)] = r.code({offset + i * stride, width, "HansyokuNum"});
  }
}

}  // namespace

ydb::Status ReadHorse(const Record& record, int form, HorseRecord* out) {
  FieldReader r(record, "UM");
  HorseRecord x;
  ydb::Horse& h = x.horse;
  h.code = HorseCode(r, kUmHorse, true);
  h.record_date = record.created();
  if (r.choice(kUmRetired, "01") == '1') h.retired_date = static_cast<int>(r.number(kUmRetiredOn));
  h.birth_date = static_cast<int>(r.number(kUmBirth));
  h.name = r.text(kUmName);
  h.name_latin = r.text(kUmLatin);
  const std::string mark = r.raw(kUmMark);
  if (!OursOf(MarkCodes(), mark, &h.mark_code) && mark != "  ") {
    r.fail(kUmMark, "'" + mark + "' is not a code known here");
  }
  h.sex = Sex(r, kUmSex);
  if (h.sex.empty()) r.fail(kUmSex, "is blank");
  h.breed_code = Breed(r, kUmBreed);
  h.coat_code = r.code(kUmCoat);
  const int width = NumberWidth(form);
  const int stride = width + kAncestorName;
  for (int i = 0; i < ydb::kPedigreeSize; ++i) {
    const int at = kUmPedigree + i * stride;
    x.breeding[static_cast<std::size_t>(i)] = r.code({at, width, "Ketto3Info.HansyokuNum"});
    const std::string name = r.text({at + width, kAncestorName, "Ketto3Info.Bamei"});
    ydb::Ancestor& a = h.pedigree[static_cast<std::size_t>(i)];
    (IsLatin(name) ? a.name_latin : a.name) = name;
  }
  const bool older = form != 0;
  const int shift = older ? kOlderUmPedigreeShift : 0;
  h.trainer_code = r.code(Moved(kUmTrainer, shift));
  x.trainer_name = r.text(Moved(kUmTrainerName, shift));
  h.breeder_code = older ? Widened(r.code(kOlderUmBreeder), kUmBreeder.width) : r.code(kUmBreeder);
  x.breeder_name = r.text(older ? kOlderUmBreederName : kUmBreederName);
  const int owner_shift = older ? kOlderUmOwnerShift : 0;
  h.owner_code = r.code(Moved(kUmOwner, owner_shift));
  x.owner_name = r.text(Moved(kUmOwnerName, owner_shift));
  if (!r.status().ok()) return r.status();
  *out = std::move(x);
  return ydb::Status::Ok();
}

std::string HorseRecordOf(const HorseRecord& x, int created) {
  const ydb::Horse& h = x.horse;
  RecordWriter w("UM", 1609, kMadeStage, created);
  w.code(kUmHorse, JraHorseCodeOf(h.code));
  w.code(kUmRetired, h.retired_date != 0 ? "1" : "0");
  if (h.retired_date != 0) w.digits(kUmRetiredOn, h.retired_date);
  if (h.birth_date != 0) w.digits(kUmBirth, h.birth_date);
  w.text(kUmName, h.name);
  w.text(kUmLatin, h.name_latin);
  w.code(kUmMark, JraOf(MarkCodes(), h.mark_code));
  w.code(kUmSex, JraOf(SexCodes(), h.sex));
  if (h.breed_code.size() == 2) w.code(kUmBreed, h.breed_code.substr(1));
  w.code(kUmCoat, h.coat_code);
  const int stride = NumberWidth(0) + kAncestorName;
  for (int i = 0; i < ydb::kPedigreeSize; ++i) {
    const ydb::Ancestor& a = h.pedigree[static_cast<std::size_t>(i)];
    const int at = kUmPedigree + i * stride;
    w.code(at, NumberWidth(0), Widened(x.breeding[static_cast<std::size_t>(i)]));
    w.text(at + NumberWidth(0), kAncestorName, a.name.empty() ? a.name_latin : a.name);
  }
  w.code(kUmTrainer, h.trainer_code);
  w.text(kUmTrainerName, x.trainer_name);
  w.code(kUmBreeder, h.breeder_code);
  w.text(kUmBreederName, x.breeder_name);
  w.code(kUmOwner, h.owner_code);
  w.text(kUmOwnerName, x.owner_name);
  return w.record();
}

ydb::Status ReadBreedingHorse(const Record& record, int form, BreedingHorse* out) {
  FieldReader r(record, "HN");
  const int shift = form == 0 ? 0 : -2;
  BreedingHorse b;
  b.number = r.code({kHnNumber.offset, NumberWidth(form), kHnNumber.name});
  if (b.number.empty()) r.fail(kHnNumber, "is blank");
  const Field horse = Moved(kHnHorse, shift);
  const std::string raw = r.raw(horse);
  // A breeding horse of another register (one from abroad) has no code here.
  if (raw.size() == 10 && raw[4] == '1') b.horse_code = HorseCode(r, horse, false);
  b.name = r.text(Moved(kHnName, shift));
  b.name_latin = r.text(Moved(kHnLatin, shift));
  b.birth_year = static_cast<int>(r.number(Moved(kHnBirthYear, shift)));
  b.sex = Sex(r, Moved(kHnSex, shift));
  b.breed_code = Breed(r, Moved(kHnBreed, shift));
  b.coat_code = r.code(Moved(kHnCoat, shift));
  const char origin = r.choice(Moved(kHnOrigin, shift), "01239");
  b.foaled_in_japan = origin == '0' || origin == '1' || origin == ' ';
  if (!r.status().ok()) return r.status();
  *out = std::move(b);
  return ydb::Status::Ok();
}

std::string BreedingHorseRecord(const BreedingHorse& b, int created) {
  RecordWriter w("HN", 251, kMadeStage, created);
  w.code(kHnNumber, Widened(b.number));
  w.code(kHnHorse, JraHorseCodeOf(b.horse_code));
  w.code(kHnHorse.offset + kHnHorse.width, 1, "0");  // DelKubun
  w.text(kHnName, b.name);
  w.text(kHnLatin, b.name_latin);
  if (b.birth_year != 0) w.digits(kHnBirthYear, b.birth_year);
  w.code(kHnSex, JraOf(SexCodes(), b.sex));
  if (b.breed_code.size() == 2) w.code(kHnBreed, b.breed_code.substr(1));
  w.code(kHnCoat, b.coat_code);
  w.code(kHnOrigin, b.foaled_in_japan ? "0" : "3");
  return w.record();
}

ydb::Status ReadFoal(const Record& record, int form, Foal* out) {
  FieldReader r(record, "SK");
  Foal f;
  f.horse_code = HorseCode(r, kSkHorse, true);
  f.birth_date = static_cast<int>(r.number(kSkBirth));
  f.sex = Sex(r, kSkSex);
  f.breed_code = Breed(r, kSkBreed);
  f.coat_code = r.code(kSkCoat);
  f.breeder_code = form == 0 ? r.code(kSkBreeder) : Widened(r.code(kOlderSkBreeder), kSkBreeder.width);
  const int width = NumberWidth(form);
  ReadBreeding(r, form == 0 ? kSkPedigree : kSkPedigree - 2, width, width, &f.breeding);
  if (!r.status().ok()) return r.status();
  *out = std::move(f);
  return ydb::Status::Ok();
}

std::string BreedingNumberOf(const std::string& horse_code) { return JraHorseCodeOf(horse_code); }

BreedingHorse BreedingHorseOf(const ydb::Ancestor& a, const std::string& sex) {
  BreedingHorse b;
  b.number = BreedingNumberOf(a.code);
  b.horse_code = a.code;
  b.name = a.name;
  b.name_latin = a.name_latin;
  b.birth_year = a.birth_year;
  b.sex = sex;
  b.coat_code = a.coat_code;
  b.foaled_in_japan = a.foaled_in_japan;
  return b;
}

void NameAncestor(const BreedingHorse& b, bool parent, ydb::Ancestor* a) {
  if (a->code.empty()) a->code = b.horse_code;
  if (a->name.empty() && !IsLatin(b.name)) a->name = b.name;
  if (a->name_latin.empty()) a->name_latin = b.name_latin;
  a->foaled_in_japan = b.foaled_in_japan;
  if (parent) {
    if (a->birth_year == 0) a->birth_year = b.birth_year;
    if (a->coat_code.empty()) a->coat_code = b.coat_code;
  }
}

}  // namespace jvdata
}  // namespace exchange
