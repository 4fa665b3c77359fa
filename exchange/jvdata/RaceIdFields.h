// What the race records share: the race they name (bytes 11-26 of RA, SE
// and HR alike) and JRA's way of writing a race time, minutes, seconds and
// tenths as four digits (1345 is 1:34.5).
#ifndef YDB_EXCHANGE_JVDATA_RACEIDFIELDS_H_
#define YDB_EXCHANGE_JVDATA_RACEIDFIELDS_H_

#include <cstdint>

#include "exchange/jvdata/FieldReader.h"
#include "exchange/jvdata/RecordWriter.h"
#include "exchange/jvdata/Races.h"

namespace exchange {
namespace jvdata {

// Writes the race's id: year, month and day, JRA's place code, meeting,
// day of the meeting, race number. A place JRA has no code for is left
// blank (and refused when read back).
void PutRaceId(RecordWriter& w, const RaceId& race);

// Reads the race's id; a place JRA's table lacks, or a date that is not
// digits, is a fault of the reader.
RaceId ReadRaceId(FieldReader& r);

// A time in tenths as four digits MSSt, and back.
std::int64_t ClockOfTenths(int tenths);
int TenthsOfClock(std::int64_t clock);

}  // namespace jvdata
}  // namespace exchange

#endif  // YDB_EXCHANGE_JVDATA_RACEIDFIELDS_H_
