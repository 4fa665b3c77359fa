// The user's own data: check marks, memos on runs, theories and bought
// tickets with their pending changes.
#include <string>

#include "db/write/Bind.h"
#include "db/write/Checker.h"
#include "db/write/Validation.h"
#include "db/write/Writer.h"

namespace ydb {
namespace {

struct MarkTarget {
  const char* noun;
  std::size_t code_width;
};

// What a check kind marks, and how long its codes are; null for no kind.
const MarkTarget* Target(CheckKind kind) {
  static const MarkTarget kTargets[4] = {{"horse", 7}, {"jockey", 5}, {"sire", 7}, {"stable", 5}};
  const int index = static_cast<int>(kind) - 1;
  return index >= 0 && index < 4 ? &kTargets[index] : nullptr;
}

Status CheckMarkCode(CheckKind kind, const std::string& code) {
  const MarkTarget* target = Target(kind);
  Checker c("check mark");
  if (target == nullptr) {
    c.fail("kind " + std::to_string(static_cast<int>(kind)) + " is not 1 to 4");
  } else {
    c.digits(std::string(target->noun) + " code", code, target->code_width);
  }
  return c.status();
}

// Binds a ticket's race key and combination as parameters 1 to 7.
void BindTicket(Statement& st, const Ticket& t) {
  st.bind(1, t.race.date).bind(2, t.race.place).bind(3, t.race.number);
  st.bind(4, static_cast<int>(t.type)).bind(5, t.first).bind(6, t.second).bind(7, t.count);
}

}  // namespace

Status Writer::setCheckMark(CheckKind kind, const std::string& code) {
  return transact([&] {
    Status s = CheckMarkCode(kind, code);
    static const Table kTables[4] = {Table::kHorse, Table::kJockey, Table::kSire, Table::kTrainer};
    if (s.ok()) s = requireExists(kTables[static_cast<int>(kind) - 1], code, "check mark");
    if (!s.ok()) return s;
    Statement& st = db_.statement("INSERT OR IGNORE INTO check_mark (kind, code) VALUES (?1, ?2)");
    st.bind(1, static_cast<int>(kind)).bind(2, code);
    return Context("check mark", st.run());
  });
}

Status Writer::clearCheckMark(CheckKind kind, const std::string& code, bool* removed) {
  return transact([&] {
    Status s = CheckMarkCode(kind, code);
    if (!s.ok()) return s;
    Statement& marked = db_.statement("SELECT 1 FROM check_mark WHERE kind = ?1 AND code = ?2");
    marked.bind(1, static_cast<int>(kind)).bind(2, code);
    const bool found = marked.step();
    s = marked.status();
    marked.reset();
    if (!s.ok()) return Context("check mark", s);
    if (removed != nullptr) *removed = found;
    if (!found) return Status::Ok();
    Statement& st = db_.statement("DELETE FROM check_mark WHERE kind = ?1 AND code = ?2");
    st.bind(1, static_cast<int>(kind)).bind(2, code);
    return Context("check mark", st.run());
  });
}

Status Writer::setRunMemo(const RaceKey& race, const std::string& horse_code,
                          const std::string& text) {
  return transact([&] {
    Checker c("memo on race " + race.code() + " horse " + horse_code);
    c.digits("horse code", horse_code, 7);
    c.text("text", text, 960);
    if (!c.ok()) return c.status();
    Statement& runs = db_.statement(
        "SELECT 1 FROM runner WHERE horse_code = ?1 AND race_date = ?2 AND place = ?3 "
        "AND race_no = ?4");
    runs.bind(1, horse_code).bind(2, race.date).bind(3, race.place).bind(4, race.number);
    const bool found = runs.step();
    Status s = runs.status();
    runs.reset();
    if (!s.ok()) return Context(c.subject(), s);
    if (!found) return Status::InvalidArgument(c.subject() + ": the horse does not run in that race");

    Statement& st = db_.statement(
        text.empty()
            ? "DELETE FROM run_comment WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 "
              "AND horse_code = ?4 AND kind = 1"
            : "INSERT INTO run_comment (race_date, place, race_no, horse_code, kind, text) "
              "VALUES (?1, ?2, ?3, ?4, 1, ?5) ON CONFLICT DO UPDATE SET text = excluded.text");
    st.bind(1, race.date).bind(2, race.place).bind(3, race.number).bind(4, horse_code);
    if (!text.empty()) st.bind(5, text);
    return Context(c.subject(), st.run());
  });
}

Status Writer::storeTheory(Theory* theory) {
  int code = theory->code;
  Status stored = transact([&] {
    Status s = Validate(*theory);
    if (!s.ok()) return s;
    const std::string what = "theory " + std::to_string(code);
    // A new theory takes the next code, never one used before; a stored
    // one keeps its code. Any other code names nothing to replace.
    Statement& put = db_.statement(
        code == -1 ? "INSERT INTO theory (title, reserved) VALUES (?2, ?3) RETURNING code"
                   : "UPDATE theory SET title = ?2, reserved = ?3 WHERE code = ?1 RETURNING code");
    if (code != -1) put.bind(1, code);
    put.bind(2, theory->title).bind(3, theory->reserved);
    const bool found = put.step();
    if (found) code = static_cast<int>(put.column_int(0));
    s = put.run();  // finishes the statement
    if (!s.ok()) return Context(what, s);
    if (!found) return Status::NotFound(what + " is not stored");

    Statement& clear = db_.statement("DELETE FROM theory_item WHERE theory_code = ?1");
    clear.bind(1, code);
    s = clear.run();
    for (std::size_t slot = 0; slot < theory->items.size() && s.ok(); ++slot) {
      const TheoryItem& item = theory->items[slot];
      Statement& st = db_.statement(
          "INSERT INTO theory_item (theory_code, slot, item_no, weight, param_0, param_1, "
          "param_2) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
      st.bind(1, code).bind(2, static_cast<int>(slot)).bind(3, item.item_no);
      st.bind(4, item.weight).bind(5, item.param_0).bind(6, item.param_1).bind(7, item.param_2);
      s = st.run();
    }
    return Context("theory " + std::to_string(code), s);
  });
  if (stored.ok()) theory->code = code;
  return stored;
}

Status Writer::deleteTheory(int code) {
  return transact([&] {
    const std::string what = "theory " + std::to_string(code);
    Statement& find = db_.statement("SELECT 1 FROM theory WHERE code = ?1");
    find.bind(1, code);
    const bool found = find.step();
    Status s = find.status();
    find.reset();
    if (!s.ok()) return Context(what, s);
    if (!found) return Status::NotFound(what + " is not stored");
    Statement& st = db_.statement("DELETE FROM theory WHERE code = ?1");
    st.bind(1, code);
    return Context(what, st.run());
  });
}

Status Writer::putTicket(const Ticket& ticket) {
  const std::string what = "ticket on race " + ticket.race.code();
  Statement& race = db_.statement(
      "SELECT runner_count FROM race WHERE race_date = ?1 AND place = ?2 AND race_no = ?3");
  race.bind(1, ticket.race.date).bind(2, ticket.race.place).bind(3, ticket.race.number);
  const bool found = race.step();
  const int runners = found ? static_cast<int>(race.column_int(0)) : 0;
  Status s = race.status();
  race.reset();
  if (!s.ok()) return Context(what, s);
  if (!found) return Status::InvalidArgument(what + ": the race is not in the store");
  if (runners == 0) return Status::InvalidArgument(what + ": the race has no runners yet");
  s = Validate(ticket, runners);
  if (!s.ok()) return s;
  Statement& st = db_.statement(
      "INSERT INTO ticket (race_date, place, race_no, bet_type, first, second, count, state) "
      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, 1)");
  BindTicket(st, ticket);
  return Context(what, st.run());
}

Status Writer::addTicket(const Ticket& ticket) {
  return transact([&] { return putTicket(ticket); });
}

Status Writer::addTickets(const std::vector<Ticket>& tickets) {
  return transact([&] {
    Status s;
    for (std::size_t i = 0; i < tickets.size() && s.ok(); ++i) s = putTicket(tickets[i]);
    return s;
  });
}

Status Writer::removeTicket(const Ticket& ticket) {
  return transact([&] {
    const std::string what = "ticket on race " + ticket.race.code();
    Statement& find = db_.statement(
        "SELECT id, state FROM ticket WHERE race_date = ?1 AND place = ?2 AND race_no = ?3 "
        "AND bet_type = ?4 AND first = ?5 AND second = ?6 AND count = ?7 AND state IN (0, 1) "
        "ORDER BY state DESC, id DESC LIMIT 1");
    BindTicket(find, ticket);
    const bool found = find.step();
    const std::int64_t id = found ? find.column_int(0) : 0;
    const std::int64_t state = found ? find.column_int(1) : 0;
    Status s = find.status();
    find.reset();
    if (!s.ok()) return Context(what, s);
    if (!found) return Status::NotFound(what + ": no such ticket");
    Statement& st = db_.statement(state == 1 ? "DELETE FROM ticket WHERE id = ?1"
                                             : "UPDATE ticket SET state = 2 WHERE id = ?1");
    st.bind(1, id);
    return Context(what, st.run());
  });
}

Status Writer::commitTickets() {
  return transact([&] {
    Status s = db_.statement("DELETE FROM ticket WHERE state = 2").run();
    if (s.ok()) s = db_.statement("UPDATE ticket SET state = 0 WHERE state = 1").run();
    return Context("committing tickets", s);
  });
}

Status Writer::rollbackTickets() {
  return transact([&] {
    Status s = db_.statement("DELETE FROM ticket WHERE state = 1").run();
    if (s.ok()) s = db_.statement("UPDATE ticket SET state = 0 WHERE state = 2").run();
    return Context("rolling back tickets", s);
  });
}

}  // namespace ydb
