// Checks of people, owners, horses, sires, theories and tickets (races are
// checked in RaceValidation.cpp).
#include "db/write/Validation.h"

#include <string>
#include <string_view>

#include "db/write/Checker.h"
#include "text/sjis.h"

namespace ydb {
namespace {

// The checks of each column of `table` in `record`, faults named
// `prefix` + the member.
template <typename R>
void CheckColumns(Checker& c, const Table<R>& table, const R& record,
                  const std::string& prefix = "") {
  for (const Column<R>& col : table.columns) {
    std::string prefixed;
    std::string_view field = col.member;
    if (!prefix.empty()) {
      prefixed = prefix + col.member;
      field = prefixed;
    }
    const std::size_t width = static_cast<std::size_t>(col.width);
    switch (col.form) {
      case Form::kText:
      case Form::kShortText: c.text(field, record.*col.text, width, col.presence); break;
      case Form::kDigits:
      case Form::kCode: c.digits(field, record.*col.text, width, col.presence); break;
      case Form::kChoice: c.code(field, record.*col.text, col.choices, col.presence); break;
      case Form::kDate: c.date(field, record.*col.number, col.presence); break;
      case Form::kYear:
        c.rangeOrZero(field, record.*col.number, kFirstBirthYear, kLastBirthYear);
        break;
      case Form::kFlag:
      case Form::kCopy:
      case Form::kSearchKey: break;
    }
  }
}

void CheckPedigree(Checker& c, const Horse& horse) {
  for (int i = 0; i < kPedigreeSize && c.ok(); ++i) {
    const Ancestor& a = horse.pedigree[static_cast<std::size_t>(i)];
    const std::string field = "pedigree[" + std::to_string(i) + "]";
    CheckColumns(c, PedigreeTable(), a, field + ".");
    if (i > kDam && (!a.coat_code.empty() || a.birth_year != 0)) {
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
  CheckColumns(c, OwnerTable(), owner);
  return c.status();
}

Status Validate(const Breeder& breeder) {
  Checker c("breeder " + breeder.code);
  CheckColumns(c, BreederTable(), breeder);
  return c.status();
}

Status Validate(const Trainer& trainer) {
  Checker c("trainer " + trainer.code);
  c.digits("code", trainer.code, 5);
  if (trainer.code == "00000") c.fail("code 00000 stands for no stable");
  CheckColumns(c, TrainerTable(), trainer);
  return c.status();
}

Status Validate(const Jockey& jockey) {
  Checker c("jockey " + jockey.code);
  CheckColumns(c, JockeyTable(), jockey);
  if (jockey.trainer_code == "00000") c.fail("a freelance jockey has an empty trainer_code");
  return c.status();
}

Status Validate(const Horse& horse) {
  Checker c("horse " + horse.code);
  CheckColumns(c, HorseTable(), horse);
  CheckPedigree(c, horse);
  return c.status();
}

Status Validate(const Sire& sire) {
  Checker c("sire " + sire.code);
  CheckColumns(c, SireTable(), sire);
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
