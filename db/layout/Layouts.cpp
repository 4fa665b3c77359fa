// The list of every record layout, and lookup by record type name.
#include "db/layout/Layouts.h"

namespace ydb {

const std::vector<const RecordLayout*>& AllLayouts() {
  static const std::vector<const RecordLayout*> all = {
      &RaceListLayout(),   &RaceCardLayout(),      &RaceResultLayout(), &RaceNameLayout(),
      &SpecialCardLayout(), &RaceCodeLayout(),  &CodeListLayout(),  &NameLayout(),
      &CardRunnerLayout(), &ResultRunnerLayout(),  &PastRunLayout(),    &CommentLayout(),
      &OddsLayout(),       &SortedOddsLayout(),    &PayoutLayout(),     &ForecastWinOddsLayout(),
      &PedigreeLayout(),   &HorseLayout(),         &JockeyLayout(),     &StableLayout(),
      &SireLayout(),       &DamSireLayout(),       &SireCodeLayout(),   &TheoryItemLayout(),
      &TheoryLayout(),     &TheorySummaryLayout(), &TheoryFileLayout(), &BuyTicketLayout(),
      &ForecastWinOddsRaceLayout(), &HorseRunLayout(), &HorseSireLayout(),
      &RunnerEntryLayout(),
  };
  return all;
}

const RecordLayout* FindLayout(std::string_view name) {
  for (const RecordLayout* layout : AllLayouts()) {
    if (layout->name() == name) return layout;
  }
  return nullptr;
}

}  // namespace ydb
