// The range fetches: the run races dated `from` to `to` (8-digit dates;
// nothing when `from` is after `to`), all at once, in race order (date,
// racecourse, race number), for reading a range of races in turn without a
// fetch per race. Buffers and failures as the fetches of ydbbsn.h.
#ifndef YDB_API_YDBRANGE_H_
#define YDB_API_YDBRANGE_H_

#ifdef __cplusplus
extern "C" {
#endif

// The race result records (RACERMREC, 2326 bytes), as get_race2code_1_ex
// gives each.
void* get_race2date_range(const char* from, const char* to);

// The entries of the runners of those races (RUNNERENTRYREC, 37 bytes),
// each race's in horse-number order, scratched runners included: race code
// (bytes 0-11), frame (12), horse number (13-14), horse code (15-21),
// weight carried (22-24), jockey code (25-29), trainer code (30-34),
// prediction mark (35) and first training mark (36), as
// get_race2code_2 gives them in its runner result records.
void* get_raceh2date_range(const char* from, const char* to);

// The payout records (EXPRIZEREC, 254 bytes) of those races with payouts,
// as get_exprize2code gives each.
void* get_exprize2date_range(const char* from, const char* to);

// The forecast win odds of those races that had odds before the race
// (YODDSTANRACEREC, 128 bytes each): the race code (bytes 0-11), the
// highest horse number n (bytes 12-13, two digits) and, from byte 16, n
// little-endian int32 values, as get_yodds_tan2code gives the race's n
// records; the rest zero.
void* get_yodds_tan2date_range(const char* from, const char* to);

// Every run of every horse entered in those races, scratched runners
// included (HORSERUNREC, 101 bytes): the horse code (bytes 0-6), then one
// of its runs (bytes 7-100) as get_uma_racey2code gives it. All of a
// horse's runs, whatever their date: horses in code order, each horse's
// runs in race order; a horse without a run has no record.
void* get_uma_racey2date_range(const char* from, const char* to);

// The sires of the horses entered in those races (HORSESIREREC, 48
// bytes): the horse code (bytes 0-6), then the sire's code and name
// (bytes 7-47) as get_sirecode_uma2code gives them; horses in code order,
// a horse without a sire's code in the store has no record.
void* get_sirecode2date_range(const char* from, const char* to);

#ifdef __cplusplus
}  // extern "C"
#endif

#endif  // YDB_API_YDBRANGE_H_
