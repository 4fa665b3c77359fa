// The special card: a card the user makes for a race, naming the horses,
// their brackets and numbers, their jockeys and weights. The database
// library turns it into a race-card record and runner records, looking the
// horses, jockeys and trainers up in its store.
//
// The race part is a whole race-card record (_tagRACEDREC) as the user
// fills it or takes it from a real card; its runner count is not read.
// Digit fields are ASCII digits, codes blank-padded; a blank field is
// absent.
#ifndef YDBCLN_RACE_SPECIALCARDREC_H_
#define YDBCLN_RACE_SPECIALCARDREC_H_

struct _tagSPDENMA {
  unsigned char bytes[686];
};

namespace spdenma {

constexpr int kSize = 686;
constexpr int kRaceCard = 0;       // _tagRACEDREC, 360
constexpr int kEntryCount = 360;   // 2 digits, 0 to kMaxEntries
constexpr int kMaxEntries = 18;
constexpr int kEntry = 362;        // entry j at kEntry + kEntryStride * j
constexpr int kEntryStride = 18;
// Within an entry:
constexpr int kHorseCode = 0;      // 7
constexpr int kBracket = 7;        // 1 digit
constexpr int kHorseNumber = 8;    // 2 digits
constexpr int kJockeyCode = 10;    // 5; blank when none
constexpr int kWeightCarried = 15; // 3 digits, tenths of a kilogram

}  // namespace spdenma

static_assert(sizeof(_tagSPDENMA) == spdenma::kSize, "special card size");

#endif  // YDBCLN_RACE_SPECIALCARDREC_H_
