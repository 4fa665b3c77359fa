// `ydbcln info`: what the data set holds — where it is, the years of
// results and race cards, how many race days, races, runs, horses and people
// it has, the generated world it holds (seed and origin), whether bought
// tickets exist and how many changes to them are pending, and whether
// another process has it open.
#include <db/api/DataSet.h>
#include <db/api/RecordBuffer.h>
#include <db/api/ydbbsn.h>
#include <nlohmann/json.hpp>

#include <iostream>

#include "Command.h"
#include "Printable.h"
#include "Session.h"

namespace tool {
namespace {

// The number of pending ticket changes of kind `change` (1 added, 2
// deleted); -1 when the store failed.
int PendingTickets(int change) {
  ydb::OwnedBuffer records(get_buy_ticket_pending(change));
  return records == nullptr ? -1 : get_rec_size(records.get());
}

}  // namespace

int ShowInfo(const Options& options) {
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  int first = 0, last = 0, first_card = 0, last_card = 0;
  db.getyear(first, last);
  db.getyear_denma(first_card, last_card);
  const bool tickets = db.ismoneydataexist();
  const bool alone = db.is1stinstance();
  const int added = PendingTickets(1);
  const int deleted = PendingTickets(2);
  const std::string store = get_mdb_path();
  auto whole = OpenWhole(options.data_dir, ydb::DataSet::Mode::kOpenExisting);
  if (whole == nullptr) return 1;
  ydb::DataSetCounts counts;
  ydb::GeneratedWorld world;
  bool generated = false;
  const ydb::Status s = whole->count(&counts);
  if (!s.ok()) {
    std::cerr << "ydbcln: cannot count the data set: " << Reason(s.message()) << "\n";
    return 1;
  }
  const ydb::Status w = whole->world(&world, &generated);
  if (!w.ok()) {
    std::cerr << "ydbcln: cannot read the data set's world: " << Reason(w.message()) << "\n";
    return 1;
  }

  if (options.json) {
    nlohmann::json out = {
        {"store", store},
        {"first_year", counts.first_year},
        {"last_year", counts.last_year},
        {"race_days", counts.race_days},
        {"races", counts.races},
        {"runs", counts.runs},
        {"horses", counts.horses},
        {"jockeys", counts.jockeys},
        {"trainers", counts.trainers},
        {"sires", counts.sires},
        {"results", {{"first_year", first}, {"last_year", last}}},
        {"cards", {{"first_year", first_card}, {"last_year", last_card}}},
        {"bought_tickets", tickets},
        {"pending_tickets", {{"added", added}, {"deleted", deleted}}},
        {"first_instance", alone},
        {"world", generated ? nlohmann::json{{"seed", world.seed}, {"origin", world.origin}}
                            : nlohmann::json()},
    };
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  auto years = [](int from, int to) {
    return from == 0 ? std::string("none") : std::to_string(from) + "–" + std::to_string(to);
  };
  std::cout << "Data set:        " << store << "\n"
            << "World:           "
            << (generated ? "generated, " + world.describe() : std::string("none recorded")) << "\n"
            << "Results:         " << years(first, last) << "\n"
            << "Race cards:      " << years(first_card, last_card) << "\n"
            << "Race days:       " << counts.race_days << "\n"
            << "Races:           " << counts.races << " (" << counts.runs << " runs)\n"
            << "Horses:          " << counts.horses << " that ran\n"
            << "People:          " << counts.jockeys << " jockeys, " << counts.trainers
            << " trainers; " << counts.sires << " sires\n"
            << "Bought tickets:  " << (tickets ? "yes" : "none") << "; pending: " << added
            << " added, " << deleted << " deleted\n"
            << "Other processes: " << (alone ? "none has it open" : "another has it open")
            << "\n";
  return 0;
}

void RegisterInfo(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* info = app.add_subcommand("info", "Show what the data set holds");
  info->callback([&options, exit_code] { *exit_code = ShowInfo(options); });
}

}  // namespace tool
