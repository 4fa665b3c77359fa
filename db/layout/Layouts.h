// The registry of record layouts: one accessor per record type the database
// component renders, and the list of them all.
//
// Each layout is built once, on first use, and lives for the whole program.
// The names are the record types' own names without the "_tag" prefix, or a
// short upper-case name for the records that have none of their own.
#ifndef YDB_LAYOUT_LAYOUTS_H_
#define YDB_LAYOUT_LAYOUTS_H_

#include <string_view>
#include <vector>

#include "db/layout/RecordLayout.h"

namespace ydb {

// Race days, races and results.
const RecordLayout& RaceListLayout();      // RACELISTREC, 158: one race day's venues
const RecordLayout& RaceCardLayout();      // RACEDREC, 360: one race on the card
const RecordLayout& RaceResultLayout();    // RACERMREC, 2326: one run race
const RecordLayout& RaceNameLayout();      // RACENAMEREC, 33: a race name of the name lists
const RecordLayout& SpecialCardLayout();   // SPDENMA, 686: the user's own card of a race

// Searches.
const RecordLayout& RaceCodeLayout();      // RACECODEREC, 12: a race code handed to a search
const RecordLayout& CodeListLayout();      // CODELISTREC, 13: one code of a search's results
const RecordLayout& NameLayout();          // NAMEREC, 40: a name found without its code

// Runners.
const RecordLayout& CardRunnerLayout();    // RACEDHREC, 688: one runner on a card
const RecordLayout& ResultRunnerLayout();  // RACERHREC, 659: one runner's result
const RecordLayout& PastRunLayout();       // PASTRUNREC, 94: a run as the theory engine reads it
const RecordLayout& HorseRunLayout();      // HORSERUNREC, 101: a horse's code and one of its runs
const RecordLayout& RunnerEntryLayout();   // RUNNERENTRYREC, 37: a runner's entry, of a range of races
const RecordLayout& CommentLayout();       // COMMENTREC, 1007: comment or memo on a run

// Odds and payouts.
const RecordLayout& OddsLayout();          // ODDSREC, 1462: win, bracket and quinella odds
const RecordLayout& SortedOddsLayout();    // SORTEDODDSREC, 11: one entry in popularity order
const RecordLayout& PayoutLayout();        // EXPRIZEREC, 254: the payouts of a run race
const RecordLayout& ForecastWinOddsLayout();  // YODDSTANREC, 4: forecast win odds of a runner
const RecordLayout& ForecastWinOddsRaceLayout();  // YODDSTANRACEREC, 128: those of a race

// Horses, people and sires.
const RecordLayout& PedigreeLayout();      // PEDREC, 709: three generations of a horse
const RecordLayout& HorseLayout();         // YDBUMAREC, 593
const RecordLayout& JockeyLayout();        // JOCKEYREC, 257
const RecordLayout& StableLayout();        // STABLEREC, 208
const RecordLayout& SireLayout();          // SIREREC, 196
const RecordLayout& DamSireLayout();       // UMADIMSIRE, 41: code and name
const RecordLayout& SireCodeLayout();      // SIRECODEREC, 41: a horse's sire, for the engine
const RecordLayout& HorseSireLayout();     // HORSESIREREC, 48: a horse's code and its SIRECODEREC

// Theories and tickets.
const RecordLayout& TheoryItemLayout();    // THITEM, 20
const RecordLayout& TheoryLayout();        // THEORYREC, 232
const RecordLayout& TheorySummaryLayout(); // THEORYSUMREC, 68: one entry of the theory list
const RecordLayout& TheoryFileLayout();    // THEORYFILE, 248: an exported theory file
const RecordLayout& BuyTicketLayout();     // BUYTICKETREC, 29

// Every layout above, in the order listed.
const std::vector<const RecordLayout*>& AllLayouts();

// The layout called `name`, or null.
const RecordLayout* FindLayout(std::string_view name);

}  // namespace ydb

#endif  // YDB_LAYOUT_LAYOUTS_H_
