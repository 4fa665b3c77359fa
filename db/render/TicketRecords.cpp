// Rendering bought tickets, and reading a ticket record into the writer's
// model.
#include "db/render/TicketRecords.h"

#include <string>
#include <string_view>

#include "db/layout/Layouts.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

constexpr std::string_view kColumns =
    "SELECT race_date, place, race_no, bet_type, first, second, count FROM ticket ";

// A ticket row of kColumns into a record.
void FillTicket(RecordBuilder& b, const Statement& row) {
  static const RecordLayout& layout = BuyTicketLayout();
  static const Field& date = FieldOf(layout, "race_date");
  static const Field& code = FieldOf(layout, "race_code");
  static const Field& type = FieldOf(layout, "bet_type");
  static const Field& first = FieldOf(layout, "first_number");
  static const Field& second = FieldOf(layout, "second_number");
  static const Field& count = FieldOf(layout, "count");
  RaceKey key;
  key.date = static_cast<int>(row.column_int(0));
  key.place = std::string(row.column_text(1));
  key.number = static_cast<int>(row.column_int(2));
  b.set_digits(date, key.date);
  b.set_code(code, key.code());
  b.set_code(type, std::string(1, static_cast<char>('/' + row.column_int(3))));
  b.set_digits(first, row.column_int(4));
  b.set_digits(second, row.column_int(5));
  b.set_digits(count, row.column_int(6));
}

Status RenderRows(Statement& st, void** buffer) {
  return RenderEachRow(st, BuyTicketLayout(), buffer, FillTicket);
}

// The digits of `field` of a ticket record, or an argument failure naming it.
Status DigitsOf(const RecordReader& r, std::string_view field, int* out) {
  const std::optional<std::int64_t> n = r.number(field);
  if (!n) return Status::InvalidArgument(std::string(field) + " is not digits");
  *out = static_cast<int>(*n);
  return Status::Ok();
}

}  // namespace

Status RenderTicketsOfRace(Database& db, const RaceKey& race, void** buffer) {
  static const std::string sql = std::string(kColumns) +
      "WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 AND state IN (0, 1) ORDER BY id";
  Statement& st = db.statement(sql);
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  return RenderRows(st, buffer);
}

Status RenderTicketsOfYear(Database& db, int year, void** buffer) {
  static const std::string sql = std::string(kColumns) +
      "WHERE race_date BETWEEN ?1 AND ?2 AND state IN (0, 1) "
      "ORDER BY race_date, place, race_no, id";
  Statement& st = db.statement(sql);
  st.bind(1, year * 10000 + 101).bind(2, year * 10000 + 1231);
  return RenderRows(st, buffer);
}

Status RenderPendingTickets(Database& db, int change, void** buffer) {
  if (change != 1 && change != 2) {
    return Status::InvalidArgument("pending change " + std::to_string(change) + " is not 1 or 2");
  }
  static const std::string sql =
      std::string(kColumns) + "WHERE state = ?1 ORDER BY race_date, place, race_no, id";
  Statement& st = db.statement(sql);
  st.bind(1, change);
  return RenderRows(st, buffer);
}

Status ReadTicketRecord(const void* record, Ticket* out) {
  const RecordReader r(record, BuyTicketLayout());
  int date = 0;
  Status s = DigitsOf(r, "race_date", &date);
  RaceKey key;
  if (s.ok()) s = RaceKey::Parse(r.bytes("race_code"), &key);
  if (s.ok() && key.date != date) {
    s = Status::InvalidArgument("race date " + std::to_string(date) + " is not the date of race " +
                                key.code());
  }
  const char digit = r.bytes("bet_type").front();
  if (s.ok() && (digit < '0' || digit > '4')) {
    s = Status::InvalidArgument(std::string("bet type digit '") + digit + "' is not 0 to 4");
  }
  Ticket t;
  if (s.ok()) s = DigitsOf(r, "first_number", &t.first);
  if (s.ok()) s = DigitsOf(r, "second_number", &t.second);
  if (s.ok()) s = DigitsOf(r, "count", &t.count);
  if (!s.ok()) return s.Within("ticket record");
  t.race = key;
  t.type = static_cast<Pool>(digit - '/');
  *out = t;
  return Status::Ok();
}

}  // namespace ydb
