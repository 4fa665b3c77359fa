// Checks of people, owners, horses, sires, theories and tickets (races are
// checked in RaceValidation.cpp).
#include "db/write/Validation.h"

#include <string>

#include "db/write/Checker.h"
#include "text/sjis.h"

namespace ydb {
namespace {

// Dates and years a person or horse carries.
void CheckYear(Checker& c, const char* field, int year) { c.rangeOrZero(field, year, 1800, 2099); }

void CheckPedigree(Checker& c, const Horse& horse) {
  for (int i = 0; i < kPedigreeSize && c.ok(); ++i) {
    const Ancestor& a = horse.pedigree[static_cast<std::size_t>(i)];
    const std::string field = "pedigree[" + std::to_string(i) + "]";
    c.digits(field + ".code", a.code, 7, kOptional);
    c.text(field + ".name", a.name, 34);
    c.text(field + ".name_latin", a.name_latin, 34);
    if (i <= kDam) {
      c.digits(field + ".coat_code", a.coat_code, 2, kOptional);
      CheckYear(c, (field + ".birth_year").c_str(), a.birth_year);
    } else if (!a.coat_code.empty() || a.birth_year != 0) {
      c.fail(field + " is a grandparent or older: coat_code and birth_year belong to parents");
    }
    if (!a.code.empty() && a.code == horse.code) {
      c.fail(field + " is the horse itself");
    }
  }
}

}  // namespace

int DrawFrame(int number, int runners) {
  if (runners <= 8) return number;
  const int per_frame = runners / 8;
  const int fuller = runners % 8;  // the outer frames that hold one more
  const int inner_horses = (8 - fuller) * per_frame;
  if (number <= inner_horses) return (number - 1) / per_frame + 1;
  return 8 - fuller + (number - inner_horses - 1) / (per_frame + 1) + 1;
}

int FrameSize(int frame, int runners) {
  int size = 0;
  for (int number = 1; number <= runners; ++number) {
    if (DrawFrame(number, runners) == frame) ++size;
  }
  return size;
}

std::string ShortForm(const std::string& name, std::size_t width) {
  std::string sjis;
  if (!ytext::to_sjis(name, &sjis)) return name;  // rejected by the text check anyway
  std::string cut;
  if (!ytext::to_utf8(sjis.substr(0, ytext::cut_length(sjis, width)), &cut)) return name;
  return cut;
}

Status Validate(const Owner& owner) {
  Checker c("owner " + owner.code);
  c.digits("code", owner.code, 6);
  c.text("name", owner.name, 40, kRequired);
  c.text("short_name", owner.short_name, 20);
  return c.status();
}

Status Validate(const Breeder& breeder) {
  Checker c("breeder " + breeder.code);
  c.digits("code", breeder.code, 8);
  c.text("name", breeder.name, 40, kRequired);
  c.text("short_name", breeder.short_name, 20);
  return c.status();
}

Status Validate(const Trainer& trainer) {
  Checker c("trainer " + trainer.code);
  c.digits("code", trainer.code, 5);
  if (trainer.code == "00000") c.fail("code 00000 stands for no stable");
  c.text("name", trainer.name, 32, kRequired);
  c.text("name_kana", trainer.name_kana, 48);
  c.text("short_name", trainer.short_name, 8);
  c.date("birth_date", trainer.birth_date, kOptional);
  CheckYear(c, "first_year", trainer.first_year);
  c.code("centre", trainer.centre, "123");
  c.digits("location_place", trainer.location_place, 2, kOptional);
  c.date("retired_date", trainer.retired_date, kOptional);
  return c.status();
}

Status Validate(const Jockey& jockey) {
  Checker c("jockey " + jockey.code);
  c.digits("code", jockey.code, 5);
  c.text("name", jockey.name, 32, kRequired);
  c.text("name_kana", jockey.name_kana, 48);
  c.text("short_name", jockey.short_name, 8);
  c.date("birth_date", jockey.birth_date, kOptional);
  CheckYear(c, "first_year", jockey.first_year);
  c.code("affiliation", jockey.affiliation, "123");
  c.code("qualification", jockey.qualification, "0123", kRequired);
  c.code("apprentice_code", jockey.apprentice_code, "123");
  c.digits("trainer_code", jockey.trainer_code, 5, kOptional);
  if (jockey.trainer_code == "00000") c.fail("a freelance jockey has an empty trainer_code");
  c.date("retired_date", jockey.retired_date, kOptional);
  return c.status();
}

Status Validate(const Horse& horse) {
  Checker c("horse " + horse.code);
  c.digits("code", horse.code, 7);
  c.text("name", horse.name, 30, kRequired);
  c.text("name_latin", horse.name_latin, 40);
  c.date("birth_date", horse.birth_date, kOptional);
  c.code("sex", horse.sex, "012", kRequired);
  c.digits("coat_code", horse.coat_code, 2, kOptional);
  c.digits("breed_code", horse.breed_code, 2, kOptional);
  c.digits("birthplace_code", horse.birthplace_code, 3, kOptional);
  c.digits("mark_code", horse.mark_code, 2, kOptional);
  c.digits("owner_code", horse.owner_code, 6, kOptional);
  c.digits("breeder_code", horse.breeder_code, 8, kOptional);
  c.digits("trainer_code", horse.trainer_code, 5, kOptional);
  c.code("distance_aptitude", horse.distance_aptitude, "123");
  c.code("skill_ho", horse.skill_ho, "123");
  c.code("skill_hd", horse.skill_hd, "123");
  c.code("skill_so", horse.skill_so, "123");
  c.code("skill_sd", horse.skill_sd, "123");
  c.date("retired_date", horse.retired_date, kOptional);
  CheckPedigree(c, horse);
  return c.status();
}

Status Validate(const Sire& sire) {
  Checker c("sire " + sire.code);
  c.digits("code", sire.code, 7);
  c.code("distance_aptitude", sire.distance_aptitude, "123");
  c.code("skill_heavy", sire.skill_heavy, "123");
  c.code("skill_dirt", sire.skill_dirt, "123");
  CheckYear(c, "death_year", sire.death_year);
  return c.status();
}

Status Validate(const Theory& theory) {
  Checker c("theory " + std::to_string(theory.code));
  c.range("code", theory.code, -1, 2147483647);
  c.text("title", theory.title, 60);
  c.range("item count", static_cast<std::int64_t>(theory.items.size()), 0, 8);
  return c.status();
}

Status Validate(const Ticket& ticket, int runners) {
  Checker c("ticket on race " + ticket.race.code());
  const int first = ticket.first;
  const int second = ticket.second;
  switch (ticket.type) {
    case Pool::kWin:
    case Pool::kPlace:
      c.range("first", first, 1, runners);
      c.range("second", second, 0, 0);
      break;
    case Pool::kBracketQuinella: {
      const int frames = runners <= 8 ? runners : 8;
      c.range("first", first, 1, frames);
      c.range("second", second, first, frames);
      if (c.ok() && first == second && FrameSize(first, runners) < 2) {
        c.fail("frame " + std::to_string(first) + " holds one horse");
      }
      break;
    }
    case Pool::kQuinella:
    case Pool::kWide:
      c.range("first", first, 1, runners);
      c.range("second", second, first + 1, runners);
      break;
    default:
      c.fail("type " + std::to_string(static_cast<int>(ticket.type)) + " is not a pool");
  }
  c.range("count", ticket.count, 1, 9999);
  return c.status();
}

}  // namespace ydb
