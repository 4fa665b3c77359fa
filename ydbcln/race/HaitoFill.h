// Filling the payouts of a run race: from its payout record, which holds
// every dead-heat entry, or, when there is none, from its race result
// record, which holds two entries of win, bracket quinella and quinella and
// five of place, and no wide entries.
#ifndef YDBCLN_RACE_HAITOFILL_H_
#define YDBCLN_RACE_HAITOFILL_H_

#include <string>

class YHaitoInfo;
class YHorseDB;

namespace yrace {

// Fills `info` with the payouts of the race `racekey` (12 digits, a race
// number from 01). False,
// with `info` left as it was, when neither record can be read: status 1001
// when the session is not initialised, 1002 when the database failed; no
// status for a race without payouts. Without a session or `info`, or for
// a code that names no single race, nothing is read.
bool fill_haito(YHorseDB* db, const std::string& racekey, YHaitoInfo* info);

// The payouts of a payout record (EXPRIZEREC), or of a race result record
// (RACERMREC) for a race without one, into `info`: what fill_haito reads
// from the record it finds.
void haito_from_payout_record(unsigned char* record, YHaitoInfo* info);
void haito_from_race_record(unsigned char* record, YHaitoInfo* info);

}  // namespace yrace

#endif  // YDBCLN_RACE_HAITOFILL_H_
