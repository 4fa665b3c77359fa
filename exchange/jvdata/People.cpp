// The jockey, trainer, owner and breeder records (JV-Data 4.9 layouts).
#include "exchange/jvdata/People.h"

#include <cstdint>

#include "exchange/jvdata/FieldReader.h"
#include "exchange/jvdata/RecordWriter.h"

namespace exchange {
namespace jvdata {
namespace {

// Jockey (KS, 4173 bytes).
constexpr Field kKsCode{11, 5, "KisyuCode"};
constexpr Field kKsRetired{16, 1, "DelKubun"};
constexpr Field kKsLicensed{17, 8, "IssueDate"};
constexpr Field kKsRetiredOn{25, 8, "DelDate"};
constexpr Field kKsBirth{33, 8, "BirthDate"};
constexpr Field kKsName{41, 34, "KisyuName"};
constexpr Field kKsKana{109, 30, "KisyuNameKana"};
constexpr Field kKsShort{139, 8, "KisyuRyakusyo"};
constexpr Field kKsQualification{228, 1, "SikakuCD"};
constexpr Field kKsApprentice{229, 1, "MinaraiCD"};
constexpr Field kKsCentre{230, 1, "TozaiCD"};
constexpr Field kKsTrainer{251, 5, "ChokyosiCode"};

// Trainer (CH, 3862 bytes).
constexpr Field kChCode{11, 5, "ChokyosiCode"};
constexpr Field kChRetired{16, 1, "DelKubun"};
constexpr Field kChLicensed{17, 8, "IssueDate"};
constexpr Field kChRetiredOn{25, 8, "DelDate"};
constexpr Field kChBirth{33, 8, "BirthDate"};
constexpr Field kChName{41, 34, "ChokyosiName"};
constexpr Field kChKana{75, 30, "ChokyosiNameKana"};
constexpr Field kChShort{105, 8, "ChokyosiRyakusyo"};
constexpr Field kChCentre{194, 1, "TozaiCD"};

// Owner (BN, 477 bytes) and breeder (BR, 545 bytes): the name with its
// corporate form, then without.
constexpr Field kBnCode{11, 6, "BanusiCode"};
constexpr Field kBnNameCo{17, 64, "BanusiName_Co"};
constexpr Field kBnName{81, 64, "BanusiName"};
constexpr Field kBrCode{11, 8, "BreederCode"};
constexpr Field kBrNameCo{19, 72, "BreederName_Co"};
constexpr Field kBrName{91, 72, "BreederName"};

// JRA's east-west code (TozaiCD): 1 美浦, 2 栗東, 3 a local jockey
// invited, 4 one from abroad.
constexpr char kMiho = '1';
constexpr char kRitto = '2';

void PutDate(RecordWriter& w, const Field& f, int date) {
  if (date != 0) w.digits(f.offset, f.width, date);
}

void PutText(RecordWriter& w, const Field& f, const std::string& utf8) {
  w.text(f.offset, f.width, utf8);
}

// The fields a jockey and a trainer share: licence, retirement, birth,
// names.
struct PersonFields {
  Field retired, licensed, retired_on, birth, name, kana, short_name;
};

constexpr PersonFields kJockeyFields{kKsRetired, kKsLicensed, kKsRetiredOn, kKsBirth,
                                     kKsName,    kKsKana,     kKsShort};
constexpr PersonFields kTrainerFields{kChRetired, kChLicensed, kChRetiredOn, kChBirth,
                                      kChName,    kChKana,     kChShort};

template <typename Person>
void PutPerson(RecordWriter& w, const PersonFields& f, const Person& p) {
  w.code(f.retired.offset, 1, p.retired_date != 0 ? "1" : "0");
  if (p.first_year != 0) w.digits(f.licensed.offset, f.licensed.width, p.first_year * 10000LL);
  PutDate(w, f.retired_on, p.retired_date);
  PutDate(w, f.birth, p.birth_date);
  PutText(w, f.name, p.name);
  PutText(w, f.kana, p.name_kana);
  PutText(w, f.short_name, p.short_name);
}

template <typename Person>
void ReadPerson(FieldReader& r, const PersonFields& f, Person* p) {
  p->first_year = static_cast<int>(r.number(f.licensed) / 10000);
  p->retired_date = static_cast<int>(r.number(f.retired_on));
  p->birth_date = static_cast<int>(r.number(f.birth));
  p->name = r.text(f.name);
  p->name_kana = r.text(f.kana);
  p->short_name = r.text(f.short_name);
}

// Refuses a record of an older form (`form` not 0) than the one read here,
// `until` saying when that form was current.
ydb::Status OlderForm(const char* type, int form, const char* until) {
  if (form == 0) return ydb::Status::Ok();
  return ydb::Status::NotSupported(std::string(type) + " of the form " + until +
                                   ": its layout is not known here");
}

}  // namespace

std::string JockeyRecord(const ydb::Jockey& jockey, int created) {
  RecordWriter w("KS", 4173, kMadeStage, created);
  w.code(kKsCode.offset, kKsCode.width, jockey.code);
  PutPerson(w, kJockeyFields, jockey);
  w.code(kKsQualification.offset, 1, jockey.qualification);
  w.code(kKsApprentice.offset, 1, jockey.apprentice_code.empty() ? "0" : jockey.apprentice_code);
  const std::string& a = jockey.affiliation;
  w.code(kKsCentre.offset, 1, a == "1" ? "2" : a == "2" ? "1" : a == "3" ? "3" : "");
  w.code(kKsTrainer.offset, kKsTrainer.width, jockey.trainer_code);
  return w.record();
}

ydb::Status ReadJockey(const Record& record, int form, ydb::Jockey* out) {
  ydb::Status s = OlderForm("KS", form, "before the one read here");
  if (!s.ok()) return s;
  FieldReader r(record, "KS");
  ydb::Jockey j;
  j.code = r.code(kKsCode);
  ReadPerson(r, kJockeyFields, &j);
  const char qualification = r.choice(kKsQualification, "0123");
  j.qualification = std::string(1, qualification == ' ' ? '0' : qualification);
  const char apprentice = r.choice(kKsApprentice, "0123");
  j.apprentice_code = apprentice == '0' || apprentice == ' ' ? "" : std::string(1, apprentice);
  const char centre = r.choice(kKsCentre, "1234");
  j.affiliation = centre == kRitto ? "1" : centre == kMiho ? "2" : centre == ' ' ? "" : "3";
  j.trainer_code = r.code(kKsTrainer);
  if (!r.status().ok()) return r.status();
  *out = j;
  return ydb::Status::Ok();
}

std::string TrainerRecord(const ydb::Trainer& trainer, int created) {
  RecordWriter w("CH", 3862, kMadeStage, created);
  w.code(kChCode.offset, kChCode.width, trainer.code);
  PutPerson(w, kTrainerFields, trainer);
  const std::string& c = trainer.centre;
  w.code(kChCentre.offset, 1, c == "1" ? "2" : c == "2" || c == "3" ? "1" : "");
  return w.record();
}

ydb::Status ReadTrainer(const Record& record, int form, ydb::Trainer* out) {
  ydb::Status s = OlderForm("CH", form, "before the one read here");
  if (!s.ok()) return s;
  FieldReader r(record, "CH");
  ydb::Trainer t;
  t.code = r.code(kChCode);
  ReadPerson(r, kTrainerFields, &t);
  const char centre = r.choice(kChCentre, "1234");
  t.centre = centre == kRitto ? "1" : centre == kMiho ? "2" : "";
  if (!r.status().ok()) return r.status();
  *out = t;
  return ydb::Status::Ok();
}

std::string OwnerRecord(const ydb::Owner& owner, int created) {
  RecordWriter w("BN", 477, kMadeStage, created);
  w.code(kBnCode.offset, kBnCode.width, owner.code);
  PutText(w, kBnNameCo, owner.name);
  PutText(w, kBnName, owner.name);
  return w.record();
}

ydb::Status ReadOwner(const Record& record, int form, ydb::Owner* out) {
  ydb::Status s = OlderForm("BN", form, "before June 2003");
  if (!s.ok()) return s;
  FieldReader r(record, "BN");
  ydb::Owner o;
  o.code = r.code(kBnCode);
  o.name = r.text(kBnNameCo);
  if (o.name.empty()) o.name = r.text(kBnName);
  if (!r.status().ok()) return r.status();
  *out = o;
  return ydb::Status::Ok();
}

std::string BreederRecord(const ydb::Breeder& breeder, int created) {
  RecordWriter w("BR", 545, kMadeStage, created);
  w.code(kBrCode.offset, kBrCode.width, breeder.code);
  PutText(w, kBrNameCo, breeder.name);
  PutText(w, kBrName, breeder.name);
  return w.record();
}

ydb::Status ReadBreeder(const Record& record, int form, ydb::Breeder* out) {
  ydb::Status s = OlderForm("BR", form, "used from June 2003 to August 2023");
  if (!s.ok()) return s;
  FieldReader r(record, "BR");
  ydb::Breeder b;
  b.code = r.code(kBrCode);
  b.name = r.text(kBrNameCo);
  if (b.name.empty()) b.name = r.text(kBrName);
  if (!r.status().ok()) return r.status();
  *out = b;
  return ydb::Status::Ok();
}

}  // namespace jvdata
}  // namespace exchange
