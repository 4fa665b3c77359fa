// `ydbcln bet add|delete|commit|rollback|pending|list|days`: the tickets the
// user bought. Added and deleted tickets stay pending in the data set, seen
// by every later command, until `bet commit` stores them or `bet rollback`
// discards them (`--commit` on add and delete commits at once). A ticket
// the race's field cannot have is refused with the rule it breaks.
#include <db/api/RecordBuffer.h>
#include <db/api/ydbbsn.h>
#include <nlohmann/json.hpp>
#include <ydbcln/race/HaitoFill.h>

#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BetTicket.h"
#include "Command.h"
#include "Display.h"
#include "RaceSource.h"
#include "Session.h"
#include "TicketRules.h"

namespace tool {
namespace {

using Json = nlohmann::ordered_json;

// The command line of the bet subcommands.
struct BetRequest {
  std::string race;
  std::string type;
  std::string combo;
  long long stake = 0;
  bool commit = false;
  int year = 0;
};

// A race as the tickets need it: its row in its day's list, from the
// results when it has been run, else from the race cards.
struct RaceRow {
  std::unique_ptr<YMainraceList> venues;
  std::unique_ptr<YDayRace> day;
  YRaceList* row = nullptr;  // null: the data set holds no such race
  bool run = false;
};

// Finds the race `code`; false when the database failed.
bool FindRace(YHorseDB& db, const std::string& code, RaceRow* out) {
  const int date = std::stoi(code.substr(2, 8));
  for (const bool cards : {false, true}) {
    out->venues = std::make_unique<YMainraceList>(&db, nullptr, true);
    if (!ReadVenues(db, date, cards, out->venues.get())) return false;
    if (cards) {
      out->day = std::make_unique<YDayDenma>(&db, out->venues.get());
    } else {
      out->day = std::make_unique<YDaySeiseki>(&db, out->venues.get(), false);
    }
    for (int i = 0; i < out->day->getplacecount(); ++i) {
      for (int j = 0; j < out->day->getracecount(i); ++j) {
        if (out->day->list(i, j)->getcode() != code) continue;
        out->row = out->day->list(i, j);
        out->run = !cards;
        return true;
      }
    }
  }
  return db.geterrstatus() == 0;
}

// The pending additions (change 1) or deletions (2).
bool Pending(int change, std::vector<BetTicket>* out) {
  ydb::OwnedBuffer records(get_buy_ticket_pending(change));
  if (records == nullptr) return false;
  for (int i = 0; i < ydb::record_count(records.get(), buyticketrec::kSize); ++i) {
    out->push_back(TicketOfRecord(ydb::record_at(records.get(), buyticketrec::kSize, i)));
  }
  return true;
}

Json TicketJson(const BetTicket& t) {
  return {{"race", t.race}, {"date", t.date}, {"type", BetTypeWord(t.rec.type)},
          {"combo", t.combo()}, {"stake", t.stake()}};
}

std::string TicketLine(const BetTicket& t) { return t.race + "  " + t.describe(); }

// Opens the data set and finds the typed ticket's race: 0, or the exit code.
int OpenTicket(YHorseDB& db, const Options& options, const BetRequest& q, BetTicket* ticket,
               RaceRow* race) {
  if (!IsRaceCode(q.race)) return Fail("a race code is 12 digits of a race: " + q.race);
  try {
    *ticket = ReadTicket(q.race, q.type, q.combo, q.stake);
  } catch (const Refusal& refusal) {
    return Fail(refusal.what());
  }
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  if (!FindRace(db, q.race, race)) return StoreFailure();
  if (race->row == nullptr) return Fail("no race " + q.race + " in the data set", kExitNotFound);
  return kExitDone;
}

int CommitNow(YBet& bet) {
  if (bet.commit() == 0) return kExitDone;
  return StoreFailure();
}

int AddTicket(const Options& options, const BetRequest& q) {
  YHorseDB db;
  BetTicket ticket;
  RaceRow race;
  if (const int code = OpenTicket(db, options, q, &ticket, &race); code != kExitDone) return code;
  YBet bet(&db);
  const int added = bet.add_record(race.row, &ticket.rec);
  if (added == 1) {
    return Fail("refused: " + TicketLine(ticket) + ": " + BrokenRule(ticket, race.row->gethorsecount()));
  }
  if (added != 0) return StoreFailure();
  if (q.commit && CommitNow(bet) != kExitDone) return kExitNotFound;
  if (options.json) {
    Json out = TicketJson(ticket);
    out["added"] = true;
    out["committed"] = q.commit;
    std::cout << out.dump(2) << "\n";
  } else {
    std::cout << "added" << (q.commit ? " and committed" : " (pending)") << ": "
              << TicketLine(ticket) << "\n";
  }
  return kExitDone;
}

int DeleteTicket(const Options& options, const BetRequest& q) {
  YHorseDB db;
  BetTicket ticket;
  RaceRow race;
  if (const int code = OpenTicket(db, options, q, &ticket, &race); code != kExitDone) return code;
  YBet bet(&db);
  const int deleted = bet.delete_record(race.row, &ticket.rec);
  if (deleted == 1) return Fail("no such ticket held: " + TicketLine(ticket), kExitNotFound);
  if (deleted != 0) return StoreFailure();
  if (q.commit && CommitNow(bet) != kExitDone) return kExitNotFound;
  if (options.json) {
    Json out = TicketJson(ticket);
    out["deleted"] = true;
    out["committed"] = q.commit;
    std::cout << out.dump(2) << "\n";
  } else {
    std::cout << "deleted" << (q.commit ? " and committed" : " (pending)") << ": "
              << TicketLine(ticket) << "\n";
  }
  return kExitDone;
}

// Commits (or with `rollback` discards) every pending change.
int EndPending(const Options& options, bool rollback) {
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  std::vector<BetTicket> added, deleted;
  if (!Pending(1, &added) || !Pending(2, &deleted)) return StoreFailure();
  YBet bet(&db);
  if ((rollback ? bet.rollback() : bet.commit()) != 0) return StoreFailure();
  const char* verb = rollback ? "rolled back" : "committed";
  if (options.json) {
    std::cout << Json{{verb, {{"added", added.size()}, {"deleted", deleted.size()}}}}.dump(2)
              << "\n";
  } else {
    std::cout << verb << ": " << added.size() << " added, " << deleted.size() << " deleted\n";
  }
  return kExitDone;
}

int ShowPending(const Options& options) {
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  std::vector<BetTicket> added, deleted;
  if (!Pending(1, &added) || !Pending(2, &deleted)) return StoreFailure();
  if (options.json) {
    Json out = {{"added", Json::array()}, {"deleted", Json::array()}};
    for (const BetTicket& t : added) out["added"].push_back(TicketJson(t));
    for (const BetTicket& t : deleted) out["deleted"].push_back(TicketJson(t));
    std::cout << out.dump(2) << "\n";
    return kExitDone;
  }
  std::cout << "Pending: " << added.size() << " added, " << deleted.size() << " deleted\n";
  for (const BetTicket& t : added) std::cout << "  + " << TicketLine(t) << "\n";
  for (const BetTicket& t : deleted) std::cout << "  - " << TicketLine(t) << "\n";
  return kExitDone;
}

// What a held ticket is worth: for a run race what it returned, else its
// value at the current odds (none for place and wide, or without odds).
struct Worth {
  bool run = false;
  bool known = false;
  long long yen = 0;
};

Worth WorthOf(YHorseDB& db, YBet& bet, RaceRow& race, BetTicket& t) {
  Worth w;
  w.run = race.run;
  if (race.run) {
    YHaito payouts(t.race);
    w.known = yrace::fill_haito(&db, t.race, &payouts.pay);
    w.yen = static_cast<long long>(payouts.payout(t.rec.type, t.rec.first, t.rec.second)) *
            t.rec.count;
    return w;
  }
  const int tens = bet.calc_yosou(race.row, &t.rec);
  w.known = tens >= 0 && tens != YBet::kNoValue;
  w.yen = w.known ? tens * 10LL : 0;
  return w;
}

int ListTickets(const Options& options, const BetRequest& q) {
  if (q.race.empty() == (q.year == 0)) return Fail("bet list takes a RACECODE or --year YEAR");
  if (!q.race.empty() && !IsRaceCode(q.race)) {
    return Fail("a race code is 12 digits of a race: " + q.race);
  }
  if (q.year != 0 && (q.year < 1000 || q.year > 9999)) {
    return Fail("--year is a year of four digits: " + std::to_string(q.year));
  }
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  ydb::OwnedBuffer records(q.race.empty() ? get_buy_ticket2year(std::to_string(q.year).c_str())
                                          : get_buy_ticket2code(q.race.c_str()));
  if (records == nullptr) return StoreFailure();
  YBet bet(&db);
  std::map<std::string, RaceRow> races;
  Json list = Json::array();
  long long staked = 0, returned = 0;
  const int count = ydb::record_count(records.get(), buyticketrec::kSize);
  for (int i = 0; i < count; ++i) {
    BetTicket t = TicketOfRecord(ydb::record_at(records.get(), buyticketrec::kSize, i));
    auto found = races.find(t.race);
    if (found == races.end()) {
      found = races.emplace(t.race, RaceRow()).first;
      if (!FindRace(db, t.race, &found->second)) return StoreFailure();
    }
    const Worth w = found->second.row != nullptr ? WorthOf(db, bet, found->second, t) : Worth();
    staked += t.stake();
    if (w.run) returned += w.yen;
    if (options.json) {
      Json row = TicketJson(t);
      row["run"] = w.run;
      row[w.run ? "return" : "value_at_odds"] = w.known ? Json(w.yen) : Json();
      list.push_back(row);
      continue;
    }
    std::cout << TicketLine(t) << "  "
              << (w.run ? "returned " : "at odds ")
              << (w.known ? "¥" + std::to_string(w.yen) : std::string("-")) << "\n";
  }
  if (options.json) {
    std::cout << Json{{"tickets", list}, {"staked", staked}, {"returned", returned}}.dump(2)
              << "\n";
  } else {
    std::cout << count << " tickets, staked ¥" << staked << ", returned ¥" << returned
              << " on races run\n";
  }
  return kExitDone;
}

int ShowDays(const Options& options, int year) {
  if (year < 1000 || year > 9999) return Fail("--year is a year of four digits");
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  YBet bet(&db);
  if (bet.searchrace_year(year) != 0) return StoreFailure();
  Json days = Json::array();
  for (int i = 0; i < bet.getdatecount(); ++i) {
    const bool cards = bet.getdaykind(i) == YBetDate::kCards;
    Json venues = Json::array();
    std::string line;
    for (int j = 0; j < bet.getplacecnt(i); ++j) {
      venues.push_back(Text(bet.getplace(i, j)));
      line += " " + Text(bet.getplace(i, j));
    }
    if (options.json) {
      days.push_back({{"date", bet.getdaten(i)}, {"kind", cards ? "cards" : "results"},
                      {"venues", venues}});
    } else {
      std::cout << bet.getdaten(i) << "  " << (cards ? "cards  " : "results") << " " << line
                << "\n";
    }
  }
  if (options.json) std::cout << days.dump(2) << "\n";
  return kExitDone;
}

}  // namespace

void RegisterBet(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("bet", "The tickets bought: add, delete, commit, list");
  cmd->require_subcommand(1);
  auto q = std::make_shared<BetRequest>();
  for (const bool add : {true, false}) {
    CLI::App* sub = cmd->add_subcommand(add ? "add" : "delete",
                                        add ? "Add a ticket (pending)" : "Delete a held ticket");
    sub->add_option("RACECODE", q->race, "The race, 12 digits")->required();
    sub->add_option("--type", q->type, "win, place, bracket, quinella or wide")->required();
    sub->add_option("--combo", q->combo, "The horses (frames): 3, or 3-7")->required();
    sub->add_option("--stake", q->stake, "Yen, a multiple of 100")->required();
    sub->add_flag("--commit", q->commit, "Commit every pending change at once");
    sub->callback([&options, exit_code, q, add] {
      *exit_code = add ? AddTicket(options, *q) : DeleteTicket(options, *q);
    });
  }
  cmd->add_subcommand("commit", "Store every pending change")->callback([&options, exit_code] {
    *exit_code = EndPending(options, false);
  });
  cmd->add_subcommand("rollback", "Discard every pending change")->callback([&options, exit_code] {
    *exit_code = EndPending(options, true);
  });
  cmd->add_subcommand("pending", "The changes not yet committed")->callback([&options, exit_code] {
    *exit_code = ShowPending(options);
  });
  CLI::App* list = cmd->add_subcommand("list", "Each ticket held, with its return or value");
  list->add_option("RACECODE", q->race, "The race, 12 digits");
  list->add_option("--year", q->year, "Every race of a year");
  list->callback([&options, exit_code, q] { *exit_code = ListTickets(options, *q); });
  CLI::App* days = cmd->add_subcommand("days", "The race days of a year tickets can be added on");
  days->add_option("--year", q->year, "The year")->required();
  days->callback([&options, exit_code, q] { *exit_code = ShowDays(options, q->year); });
}

}  // namespace tool
