// The column tables of the people and horses.
#include "db/base/Columns.h"

#include "db/base/NameWidths.h"

namespace ydb {
namespace {

constexpr char kAptitudes[] = "123";  // 1 短, 2 中, 3 長; and the skills ◎ ○ △

template <typename R>
Column<R> Text(const char* name, std::string R::*member, int width, Presence presence) {
  Column<R> c{name, name, Form::kText, presence};
  c.text = member;
  c.width = width;
  return c;
}

template <typename R>
Column<R> ShortText(const char* name, std::string R::*member, std::string R::*source, int width) {
  Column<R> c = Text(name, member, width, kOptional);
  c.form = Form::kShortText;
  c.source = source;
  return c;
}

template <typename R>
Column<R> Digits(const char* name, std::string R::*member, int width, Presence presence) {
  Column<R> c{name, name, Form::kDigits, presence};
  c.text = member;
  c.width = width;
  return c;
}

template <typename R>
Column<R> Choice(const char* name, std::string R::*member, const char* choices,
                 Presence presence) {
  Column<R> c{name, name, Form::kChoice, presence};
  c.text = member;
  c.width = 1;
  c.choices = choices;
  return c;
}

template <typename R>
Column<R> Code(const char* name, std::string R::*member, CodeKind table, int width) {
  Column<R> c = Digits(name, member, width, kOptional);
  c.form = Form::kCode;
  c.table = table;
  return c;
}

template <typename R>
Column<R> Date(const char* name, int R::*member, Presence presence) {
  Column<R> c{name, name, Form::kDate, presence};
  c.number = member;
  return c;
}

template <typename R>
Column<R> Year(const char* name, int R::*member) {
  Column<R> c{name, name, Form::kYear, kOptional};
  c.number = member;
  return c;
}

// The names of a trainer or a jockey: the name, its reading, the short name.
template <typename R>
void AddPersonNames(std::vector<Column<R>>* columns) {
  columns->push_back(Text("name", &R::name, kPersonNameWidth, kRequired));
  columns->push_back(Text("name_kana", &R::name_kana, 48, kOptional));
  columns->push_back(ShortText("short_name", &R::short_name, &R::name, 8));
}

const std::string& SireOf(const Horse& h) { return h.pedigree[kSire].code; }
const std::string& DamOf(const Horse& h) { return h.pedigree[kDam].code; }

template <typename R>
Column<R> CopyOf(const char* name, const std::string& (*copy_of)(const R&)) {
  Column<R> c{name, name, Form::kCopy, kOptional};
  c.copy_of = copy_of;
  return c;
}

// The name `source` as searches compare it.
template <typename R>
Column<R> SearchKey(std::string R::*source) {
  Column<R> c{"name_key", "name_key", Form::kSearchKey, kOptional};
  c.source = source;
  return c;
}

}  // namespace

const Table<Owner>& OwnerTable() {
  static const Table<Owner> table = [] {
    Table<Owner> t{"owner", {}, {Digits("code", &Owner::code, 6, kRequired)}};
    t.columns.push_back(Text("name", &Owner::name, kOwnerNameWidth, kRequired));
    t.columns.push_back(ShortText("short_name", &Owner::short_name, &Owner::name, 20));
    t.columns.push_back(SearchKey(&Owner::name));
    return t;
  }();
  return table;
}

const Table<Breeder>& BreederTable() {
  static const Table<Breeder> table = [] {
    Table<Breeder> t{"breeder", {}, {Digits("code", &Breeder::code, 8, kRequired)}};
    t.columns.push_back(Text("name", &Breeder::name, kBreederNameWidth, kRequired));
    t.columns.push_back(ShortText("short_name", &Breeder::short_name, &Breeder::name, 20));
    t.columns.push_back(SearchKey(&Breeder::name));
    return t;
  }();
  return table;
}

const Table<Trainer>& TrainerTable() {
  static const Table<Trainer> table = [] {
    Table<Trainer> t{"trainer", {}, {Digits("code", &Trainer::code, 5, kRequired)}};
    AddPersonNames(&t.columns);
    t.columns.push_back(Date("birth_date", &Trainer::birth_date, kOptional));
    t.columns.push_back(Year("first_year", &Trainer::first_year));
    t.columns.push_back(Choice("centre", &Trainer::centre, "123", kOptional));
    t.columns.push_back(Code("location_place", &Trainer::location_place, kPlaceCode, 2));
    t.columns.push_back(Date("retired_date", &Trainer::retired_date, kOptional));
    return t;
  }();
  return table;
}

const Table<Jockey>& JockeyTable() {
  static const Table<Jockey> table = [] {
    Table<Jockey> t{"jockey", {}, {Digits("code", &Jockey::code, 5, kRequired)}};
    AddPersonNames(&t.columns);
    t.columns.push_back(Date("birth_date", &Jockey::birth_date, kOptional));
    t.columns.push_back(Year("first_year", &Jockey::first_year));
    t.columns.push_back(Choice("affiliation", &Jockey::affiliation, "123", kOptional));
    t.columns.push_back(Choice("qualification", &Jockey::qualification, "0123", kRequired));
    t.columns.push_back(Choice("apprentice_code", &Jockey::apprentice_code, "123", kOptional));
    t.columns.push_back(Digits("trainer_code", &Jockey::trainer_code, 5, kOptional));
    t.columns.push_back(Date("retired_date", &Jockey::retired_date, kOptional));
    return t;
  }();
  return table;
}

const Table<Horse>& HorseTable() {
  static const Table<Horse> table = [] {
    Table<Horse> t{"horse", {}, {Digits("code", &Horse::code, 7, kRequired)}};
    t.columns.push_back(Text("name", &Horse::name, kHorseNameWidth, kRequired));
    t.columns.push_back(Text("name_latin", &Horse::name_latin, kLatinNameWidth, kOptional));
    t.columns.push_back(Date("birth_date", &Horse::birth_date, kOptional));
    t.columns.push_back(Choice("sex", &Horse::sex, "012", kRequired));
    t.columns.push_back(Code("coat_code", &Horse::coat_code, kCoatColourCode, 2));
    t.columns.push_back(Code("breed_code", &Horse::breed_code, kBreedCode, 2));
    t.columns.push_back(Code("birthplace_code", &Horse::birthplace_code, kBirthplaceCode, 3));
    t.columns.push_back(Code("mark_code", &Horse::mark_code, kHorseMarkCode, 2));
    t.columns.push_back(CopyOf("sire_code", &SireOf));
    t.columns.push_back(CopyOf("dam_code", &DamOf));
    t.columns.push_back(Digits("owner_code", &Horse::owner_code, 6, kOptional));
    t.columns.push_back(Digits("breeder_code", &Horse::breeder_code, 8, kOptional));
    t.columns.push_back(Digits("trainer_code", &Horse::trainer_code, 5, kOptional));
    t.columns.push_back(Choice("distance_aptitude", &Horse::distance_aptitude, kAptitudes,
                               kOptional));
    t.columns.push_back(Choice("skill_ho", &Horse::skill_ho, kAptitudes, kOptional));
    t.columns.push_back(Choice("skill_hd", &Horse::skill_hd, kAptitudes, kOptional));
    t.columns.push_back(Choice("skill_so", &Horse::skill_so, kAptitudes, kOptional));
    t.columns.push_back(Choice("skill_sd", &Horse::skill_sd, kAptitudes, kOptional));
    t.columns.push_back(Date("retired_date", &Horse::retired_date, kOptional));
    t.columns.push_back(SearchKey(&Horse::name));
    t.columns.push_back(Date("record_date", &Horse::record_date, kOptional));
    return t;
  }();
  return table;
}

const Table<Ancestor>& PedigreeTable() {
  static const Table<Ancestor> table = [] {
    Table<Ancestor> t{"pedigree", {"horse_code", "position"}, {}};
    Column<Ancestor> code = Digits("ancestor_code", &Ancestor::code, 7, kOptional);
    code.member = "code";
    t.columns.push_back(code);
    t.columns.push_back(Text("name", &Ancestor::name, kHorseNameWidth, kOptional));
    t.columns.push_back(Text("name_latin", &Ancestor::name_latin, kLatinNameWidth, kOptional));
    Column<Ancestor> foaled{"foaled_in_japan", "foaled_in_japan", Form::kFlag, kRequired};
    foaled.flag = &Ancestor::foaled_in_japan;
    t.columns.push_back(foaled);
    // Parents only (checked by the writer).
    t.columns.push_back(Code("coat_code", &Ancestor::coat_code, kCoatColourCode, 2));
    t.columns.push_back(Year("birth_year", &Ancestor::birth_year));
    return t;
  }();
  return table;
}

const Table<Sire>& SireTable() {
  static const Table<Sire> table = [] {
    Table<Sire> t{"sire", {}, {Digits("code", &Sire::code, 7, kRequired)}};
    t.columns.push_back(Choice("distance_aptitude", &Sire::distance_aptitude, kAptitudes,
                               kOptional));
    t.columns.push_back(Choice("skill_heavy", &Sire::skill_heavy, kAptitudes, kOptional));
    t.columns.push_back(Choice("skill_dirt", &Sire::skill_dirt, kAptitudes, kOptional));
    t.columns.push_back(Year("death_year", &Sire::death_year));
    return t;
  }();
  return table;
}

}  // namespace ydb
