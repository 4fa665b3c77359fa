// The bought tickets at the C boundary: read by race, by year and by
// pending change; add, delete, commit and discard. Additions and deletions
// are ordinary transactions of the writer, pending in the store itself;
// the commit is durable (DurableChange.h).
#include <string>
#include <string_view>

#include "db/api/DurableChange.h"
#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbbsn.h"
#include "db/base/model.h"
#include "db/render/RenderedRecords.h"
#include "db/render/TicketRecords.h"
#include "db/layout/Layouts.h"
#include "db/write/Writer.h"

namespace {

using ydb::Database;
using ydb::Status;

// The ticket of the record at `record`, or the reason it is none.
Status TicketArgument(const void* record, ydb::Ticket* out) {
  if (record == nullptr) return Status::InvalidArgument("no ticket record");
  return ydb::ReadTicketRecord(record, out);
}

// No records: the answer to an argument that names nothing.
Status NoTickets(void** out) { return ydb::RenderedRecords(ydb::BuyTicketLayout()).Finish(out); }

}  // namespace

extern "C" {

void* get_buy_ticket2code(const char* racecode) {
  return ydb::Fetch("get_buy_ticket2code", [&](Database& db, void** out) {
    ydb::RaceKey key;
    if (!ydb::RaceKey::Parse(ydb::TextArgument(racecode), &key).ok()) return NoTickets(out);
    return ydb::RenderTicketsOfRace(db, key, out);
  });
}

void* get_buy_ticket2year(const char* year) {
  return ydb::Fetch("get_buy_ticket2year", [&](Database& db, void** out) {
    const std::string_view text = ydb::TextArgument(year);
    if (!ydb::IsDigits(text, 4)) return NoTickets(out);
    return ydb::RenderTicketsOfYear(db, std::stoi(std::string(text)), out);
  });
}

int add_buy_ticket(const void* record) {
  const Status s = ydb::ChangeCall("add_buy_ticket", [&](Database& db) {
    ydb::Ticket ticket;
    const Status arg = TicketArgument(record, &ticket);
    return arg.ok() ? ydb::Writer(db).addTicket(ticket) : arg;
  });
  return s.ok() ? 0 : -1;
}

int del_buy_ticket(const void* record) {
  bool held = true;
  const Status s = ydb::ChangeCall("del_buy_ticket", [&](Database& db) {
    ydb::Ticket ticket;
    const Status arg = TicketArgument(record, &ticket);
    if (!arg.ok()) return arg;
    const Status removed = ydb::Writer(db).removeTicket(ticket);
    if (!removed.IsNotFound()) return removed;
    held = false;
    return Status::Ok();
  });
  if (!s.ok()) return -1;
  return held ? 0 : 1;
}

int wf_buy_ticket(void) {
  const Status s = ydb::ChangeCall("wf_buy_ticket", [](Database& db) {
    return ydb::Durably(db, [](ydb::Writer& w) { return w.commitTickets(); });
  });
  return s.ok() ? 0 : -1;
}

int reinit_buy_ticket(void) {
  const Status s = ydb::ChangeCall("reinit_buy_ticket", [](Database& db) {
    return ydb::Durably(db, [](ydb::Writer& w) { return w.rollbackTickets(); });
  });
  return s.ok() ? 0 : -1;
}

void* get_buy_ticket_pending(int change) {
  return ydb::Fetch("get_buy_ticket_pending", [change](Database& db, void** out) {
    return ydb::RenderPendingTickets(db, change, out);
  });
}

}  // extern "C"
