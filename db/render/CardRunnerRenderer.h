// Race-card runner records (RACEDHREC): one horse as the race card shows it
// before the race, a horse nominated for a race, or an entry of a card the
// user makes.
#ifndef YDB_RENDER_CARDRUNNERRENDERER_H_
#define YDB_RENDER_CARDRUNNERRENDERER_H_

#include <optional>
#include <string>

#include "db/base/Status.h"
#include "db/base/model.h"
#include "db/store/Database.h"

namespace ydb {

// The card runner records of every runner of `race`, in horse-number
// order, as a new record buffer in *buffer.
//
// Beyond the store's columns, a runner shows the jockey of its horse's
// previous run when another jockey rode it then (a change of rider).
Status RenderCardRunners(Database& db, const RaceKey& race, void** buffer);

// The horses nominated for `race`, in nomination order, as card runner
// records with the bracket and horse number blank. Sex and age are the
// horse's, its age counted as the racing year minus the year of birth.
Status RenderNominations(Database& db, const RaceKey& race, void** buffer);

// One entry of a card the user makes: the race as that card names it and
// the entry's own fields. A field left out is absent (blank) in the record.
struct CardEntry {
  std::string place;                // the race's place code
  std::optional<int> date;          // YYYYMMDD
  std::optional<int> kai;
  std::optional<int> kai_day;
  std::optional<int> race_number;
  std::string horse_code;
  std::optional<int> bracket;
  std::optional<int> horse_number;
  std::string jockey_code;
  std::optional<int> weight_carried;  // tenths of a kilogram
};

// Renders `entry` into the card runner record at `record` (688 bytes). The
// horse's name, sex, age and trainer, and the jockey's names, come from the
// store; a horse or jockey the store does not know leaves its fields blank.
Status RenderCardEntry(Database& db, const CardEntry& entry, void* record);

}  // namespace ydb

#endif  // YDB_RENDER_CARDRUNNERRENDERER_H_
