// The cross searches: from the records one search found to the related
// records of another kind, as the drill-down walks them ("the horses that
// ran in these races", "the jockeys who rode these horses").
//
// Six kinds of record take part, each with its word in the functions'
// names and the records it is found as (db/layout holds every layout):
//
//   uma     horses             YDBUMAREC (593 bytes)
//   sire    sires              SIREREC (196)
//   jockey  jockeys            JOCKEYREC (257)
//   stable  trainers           STABLEREC (208)
//   race    run races          RACECODEREC (12: the race code); as the kind
//           answered the word is racem
//   raceh   runs of a horse    RACERHREC (659)
//
// Two records of different kinds are related through the runners of run
// races (scratched runners included): a race and its runners, a horse and
// its runs, a jockey and the runs ridden, a trainer and the runs of the
// horses trained, a sire and the runs of its offspring; the records of one
// run relate to each other (its race, horse, jockey, trainer, the horse's
// sire). A horse and a sire are related by the horse's pedigree instead:
// every stored horse by its sire, whether it has run or not. Two records of
// one kind are related when they are the same record.
//
// sc_A_B(a, b) answers the records of kind A (racem: race codes) related to
// a record of `b`, a buffer of B's records; with a buffer `a` of A's own
// records, only those among them, and with `a` null, any record of A's
// kind. So a like pair (sc_uma_uma) answers the records in both buffers.
// Records come once each: horses, sires, jockeys and trainers in code
// order, races in date and then race-code order, runs race by race in that
// order and by horse number within a race, as a fetch by code renders them.
//
// Null when nothing is related, `b` null included (get_db_error then
// empty); null with the reason in get_db_error when either buffer holds
// records of another type, the store fails or no data set is open. Only the code fields of the given records
// are read, record by record as their buffers count them. Each call is one
// read-only statement over the codes of `b`, whatever their number.
#ifndef YDB_API_YDBCROSS_H_
#define YDB_API_YDBCROSS_H_

#ifdef __cplusplus
extern "C" {
#endif

// The 36 cross searches as one table: X(answered word, answered kind,
// other word, other kind), the kinds numbered as code lists number them
// (0 horse, 1 sire, 2 jockey, 3 trainer, 4 race, 5 run).
#define YDB_CROSS_ROW(X, a, ak)                                                     \
  X(a, ak, uma, 0) X(a, ak, sire, 1) X(a, ak, jockey, 2) X(a, ak, stable, 3)        \
  X(a, ak, race, 4) X(a, ak, raceh, 5)
#define YDB_CROSS_SEARCHES(X)                                                       \
  YDB_CROSS_ROW(X, uma, 0) YDB_CROSS_ROW(X, sire, 1) YDB_CROSS_ROW(X, jockey, 2)    \
  YDB_CROSS_ROW(X, stable, 3) YDB_CROSS_ROW(X, racem, 4) YDB_CROSS_ROW(X, raceh, 5)

// sc_uma_uma, sc_uma_sire ... sc_raceh_raceh.
#define YDB_DECLARE_CROSS_SEARCH(a, ak, b, bk) \
  void* sc_##a##_##b(const void* a_records, const void* b_records);
YDB_CROSS_SEARCHES(YDB_DECLARE_CROSS_SEARCH)
#undef YDB_DECLARE_CROSS_SEARCH

#ifdef __cplusplus
}
#endif

#endif  // YDB_API_YDBCROSS_H_
