// The records of searches: race codes handed to a search, and the code
// lists a search's results become for a cross search.
#include "db/layout/Layouts.h"

namespace ydb {

using F = Field;

const RecordLayout& RaceCodeLayout() {
  static const RecordLayout layout("RACECODEREC", 12, {
      F::Code("race_code", 0, 12, "race code: place 2, date YYYYMMDD 8, race number 2"),
  });
  return layout;
}

const RecordLayout& CodeListLayout() {
  static const RecordLayout layout("CODELISTREC", 13, {
      F::Digits("kind", 0, 1,
                "what the code names: 0 horse, 1 sire, 2 jockey, 3 stable, 4 race, "
                "5 race-horse run"),
      F::Code("code", 1, 12, "the code: a race code, or an entity code blank-padded"),
  });
  return layout;
}

}  // namespace ydb
