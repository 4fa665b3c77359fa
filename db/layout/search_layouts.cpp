// The records of searches: race codes handed to a search, the code lists
// a search's results become for a cross search, and the names of a name
// search that carry no code.
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

const RecordLayout& NameLayout() {
  // A breeder found by a name search: its name alone, as its 8-digit code
  // does not fit the code of a code-and-name record (UMADIMSIRE).
  static const RecordLayout layout("NAMEREC", 40, {
      F::Text("name", 0, 40, "name"),
  });
  return layout;
}

}  // namespace ydb
