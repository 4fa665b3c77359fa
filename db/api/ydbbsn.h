// The database operations the client library calls: the session family,
// the code-to-text lookups, and the fetches of race data. Fetches by code,
// date and search command join this header as the record types they return
// are served.
//
// Every function reports failure through its result; the reason is kept and
// can be read with get_db_error(). A fetch returns a record buffer (ybl.h):
// an empty buffer (count 0) when nothing matches, including a code of the
// wrong length or with non-digits; null only when the store failed or no
// data set is open. db/layout/ holds every record layout.
#ifndef YDB_API_YDBBSN_H_
#define YDB_API_YDBBSN_H_

#ifdef __cplusplus
extern "C" {
#endif

// --- Session -------------------------------------------------------------

// Opens a data set in two phases around YDB_start. Phase 0 takes the data
// directory (a final backslash or slash is a separator; an empty text is the
// current directory), checks that it exists and fixes the store path that
// get_mdb_path answers. Phase 1, after YDB_start, readies the open store for
// use. Returns 0 on success, non-zero on failure.
int init_db(const char* dir, int phase);

// The store file of the data set chosen by init_db phase 0; empty before.
const char* get_mdb_path(void);

// Releases what init_db phase 1 readied. YDB_end closes the store itself.
void term_db_ex(void);

// First and last year of races with results, and of races with a race card;
// 0 when the data set holds none or none is open.
int get_1st_year(void);
int get_last_year(void);
int get_1st_year_den(void);
int get_last_year_den(void);

// Non-zero when the open data set is held open by no other process.
// Zero when another process has it open, or no data set is open.
int is_1stinstance(void);

// Non-zero when bought tickets are stored.
int is_buy_data(void);

// Bracket a run of result totals; is_result_total answers whether a run is
// in progress (its argument is reserved and ignored). Inside the bracket
// every read sees one snapshot of the data set, taken when the bracket
// opened: another process's later commits are not seen until it ends. A
// change inside the bracket (a ticket, its commit or rollback, a theory, a
// check mark) is refused: -1, nothing changed, get_db_error saying why. A
// second begin inside the bracket, and an end outside it, do nothing.
void begin_result_total(void);
void end_result_total(void);
int is_result_total(int reserved);

// Watching long statements. While a callback is set, it is called at most
// every 100 ms during a statement of the store, as fn(steps the store has
// taken since the callback was set, 0, NULL, -1, 0.0, 0.0): generation -1
// says the call comes from the store. Answering 0 interrupts the
// statement: the fetch running returns null and its error says it was
// interrupted, and the interruption is counted. set_SCP_callback(NULL)
// removes the callback; setting either starts the count again. The
// callback stays for a data set opened later.
typedef int (*SCP_CALLBACK)(int, int, const char*, int, double, double);
void set_SCP_callback(SCP_CALLBACK fn);
// The statements interrupted since the last set_SCP_callback.
int get_SCP_interruptions(void);

// Today's date, YYYYMMDD, as the component and the library use it (the
// current year of the jockeys' and trainers' records, the ages of horses
// and people, the periods that end today): the local clock, unless
// set_today fixed a day. set_today(0) returns to the clock. Returns 0, or
// -1 for a date that is not a calendar day (the switch stays as it was).
// Needs no open data set.
int get_today(void);
int set_today(int date);

// The message of the component's last failure, empty when the last
// operation succeeded. The text is ASCII/UTF-8 for developers, not a
// display string.
const char* get_db_error(void);

// --- Code to text --------------------------------------------------------

// Looks up the Shift_JIS text of a code in code table `kind` and writes it,
// NUL-terminated and cut at a character boundary to size - 1 bytes, into
// `dst`. get_ccode2val takes the code as its fixed-width field in a record;
// get_ncode2val takes its numeric value. Returns 0 when the code is in the
// table; otherwise non-zero with `dst` empty (when it has room). Kinds, with
// the width of their field:
//   0 breed                2 digits  (01 サラブレッド, 02 サラ系 ...)
//   1 weight rule          2 digits  (tens the race symbol of who may run:
//                                     10 (混合), 20 (国際) ...; units the
//                                     jockey designation 0-4, which does not
//                                     change the text)
//   2 coat colour          2 digits  (01 栗毛 ...)
//   3 horse mark           2 digits  (01 (外) マル外, 02 (地) マル地 ...)
//   4 race class           5 chars   (signed: "00004" オープン, "-0005"
//                                     1勝クラス; 100 and more are prize-money
//                                     limits, not in the table)
//   5 place                2 digits  (00-09 the ten JRA courses)
//   6 birthplace           3 digits  (every code below 256)
// db/codes/CODES.md documents each kind in full.
int get_ccode2val(int kind, const void* code, char* dst, int size);
int get_ncode2val(int kind, int code, char* dst, int size);

// --- Race days ---------------------------------------------------------------

// Race-list records (RACELISTREC, 158 bytes), one per race day in date
// order: for an 8-digit date the days of the month holding it, for a
// 4-digit year the days of that year. get_racelist2date_ex lists days with
// results, get_denmalist2date_ex days with race cards. Each day's
// racecourses come in place-code order with their main race: the
// highest-graded race, else race 11. `reserved` is ignored.
void* get_racelist2date_ex(const char* date, int reserved);
void* get_denmalist2date_ex(const char* date, int reserved);

// --- Races and runners -----------------------------------------------------

// Race result records (RACERMREC, 2326 bytes) of the 12-digit race code;
// race number 00, or the 10-character venue key (place and date), gives
// every race of that venue and day in race order. A race not yet run has
// none. `reserved` is ignored.
void* get_race2code_1_ex(const char* code, int reserved);

// Runner result records (RACERHREC, 659 bytes) of the run race whose code
// is the first 12 bytes at `race` (a text or a record field; a NUL ends
// it), scratched runners included, in horse-number order. `reserved` is
// ignored.
void* get_race2code_2(const void* race, int reserved);

// Race-card records (RACEDREC, 360 bytes) of the race code; race number 00,
// or the 10-character venue key, gives every card of the venue and day in
// race order. A race has a card once its runners are drawn.
void* get_denma2code(const char* code);

// Race-card runner records (RACEDHREC, 688 bytes) of the race whose code is
// the first 12 bytes at `race`, in horse-number order. `meeting` points at
// the year, kai and day that follow the code in a race-card record; it is
// not needed to find the race and may be null.
void* get_denmah2code(const void* race, const void* meeting);

// Race-card records (RACEDREC, 360 bytes) of the race code when horses are
// nominated for it, its runners drawn or not; race number 00, or the
// 10-character venue key, gives every such race of the venue and day in
// race order. The nomination count (349) says how many; the runner count
// (336) is 0 until the draw.
void* get_tok2code(const char* code);

// The horses nominated for the race whose code is the first 12 bytes at
// `race`, as race-card runner records (RACEDHREC) in nomination order, the
// bracket and horse number blank.
void* get_tokh2code(const void* race);

// Runner result records (RACERHREC, 659 bytes) of the horse's runs in
// races before the date: `horse` a 7-digit horse code, `date` YYYYMMDD.
// Latest first, at most `count` of them.
void* get_uma_race5(const char* horse, const char* date, int count);

// --- The user's own card ---------------------------------------------------

// A card the user makes for a race (SPDENMA, 686 bytes): the race as a
// race-card record, then up to 18 entries of horse code, bracket, horse
// number, jockey code and weight carried (db/layout holds the layout).
//
// conv_tn2rd fills the race-card record at `race` (360 bytes) from the
// card: its fields as the card gives them, the runner count the number of
// entries. conv_tn2rdh fills the race-card runner record at `runner` (688
// bytes) from entry `index`: the entry's fields, the race key of the card,
// and the horse's name, sex, age and trainer and the jockey's names from
// the store; a horse or jockey the store does not know leaves those fields
// blank. Both return 0, or -1 (with the reason in get_db_error) for a null
// pointer, an entry count outside 0 to 18, an index outside the entries,
// or, for conv_tn2rdh, a store that fails or is not open.
int conv_tn2rd(void* race, const void* card);
int conv_tn2rdh(void* runner, const void* card, int index);

// The comment record (COMMENTREC, 1007 bytes) on one horse's run: kind 0
// the run comment, 1 the user's memo. `race` and `horse` point at the
// 12-byte race code and the 7-byte horse code. No comment, or another
// kind: an empty buffer.
void* get_comment2code(const void* race, const void* horse, int kind);

// --- Odds and payouts ------------------------------------------------------

// The odds record (ODDSREC, 1462 bytes) of the race: `final` non-zero the
// final odds (kind '1', with the time they were fixed), 0 the odds
// published before the race (kind '0' forecast, '1' advance sale with its
// announcement time). A field without odds holds a mark: '-' none (also
// beyond the field), '*', or '/' for a horse that did not start and every
// pair with it. No such odds: an empty buffer.
void* get_odds2code_ex(const char* race_code, int final);

// Popularity records (SORTEDODDSREC, 11 bytes) made from a buffer of one
// odds record, favourite first: `kind` 0 win, 1 bracket quinella, 2
// quinella. Entries with odds in ascending odds (ties by the lower number),
// then the entries marked '*' or '/' in number order; fields marked '-' are
// no entries. Needs no open data set. Null for a null buffer, one that is
// not one odds record, or another kind.
void* make_sorted_odds(const void* odds_buffer, int kind);

// The payout record (EXPRIZEREC, 254 bytes) of the race, with every
// dead-heat entry; unused entries read 0. A race without payouts: an empty
// buffer.
void* get_exprize2code(const char* race_code);

// The forecast win odds of the race (YODDSTANREC, 4 bytes: one little-endian
// int32), one record per horse number from 1 to the race's
// highest: the win odds in tenths of the odds published before the race
// (forecast, or advance sale where that was published), 0x7fffffff for a
// horse without odds (none published, a '*' or '-' mark, or a horse that
// did not start). A race without such odds: an empty buffer.
void* get_yodds_tan2code(const char* race_code);

// --- Horses --------------------------------------------------------------------

// The pedigree record (PEDREC, 709 bytes) of the 7-digit horse code: the
// sire and dam, each with its name in katakana and in Latin letters, its
// year of birth, coat colour and origin flag ('1' foaled in Japan, '0'
// imported), then the sire's sire, sire's dam, dam's sire and dam's dam,
// then their parents in the same order. A horse without a stored pedigree,
// or a code that names no horse: an empty buffer.
void* get_ped2code(const char* code);

// --- Check marks -------------------------------------------------------------

// The user's check marks on entities, by kind: 1 horse, 2 jockey, 3 sire,
// 4 stable (trainer); horse and sire codes are 7 digits, jockey and stable
// codes 5. Each set or clear is one transaction, committed durably
// (synchronous = FULL) before the call returns.
//
// set_checkhj marks the code: 0, also when it was marked already (one mark
// is kept); -1 for a kind outside 1-4, a code not of the kind's digits, a
// code the store has no such entity for, or a failing store, with nothing
// stored. del_checkhj clears the mark: 0 when there was one, 1 when there
// was none to clear, -1 as above. is_code2checkhj reads exactly the kind's
// number of bytes at `code` (a NUL is not looked for, so it may point into
// a record): 1 marked, 0 not, -1 for a bad kind or code or a failing store.
int set_checkhj(const char* code, int kind);
int del_checkhj(const char* code, int kind);
int is_code2checkhj(const void* code, int kind);

// The marked entities of `kind` in code order, as UMADIMSIRE records (41
// bytes): the code (a 5-digit code blank-padded to 7) and the entity's
// name. None marked: an empty buffer; another kind: null.
void* get_checkhj_list(int kind);

// --- Theories --------------------------------------------------------------

// The stored theories of the open data set. Records (THEORYREC, 232 bytes;
// THEORYSUMREC, 68) are described in db/layout/LAYOUTS.md. Codes start at 1
// and are never given twice, not even after a theory is deleted. Each store
// and delete is one committed transaction: a failure leaves the stored
// theories as they were.

// One summary record per stored theory (code, title, item count), in
// ascending code order; an empty buffer when none is stored.
void* get_theory_all(void);

// The theory record of `code`; an empty buffer when no theory has it.
void* get_theory(int code);

// Stores the theory record at `record` (232 bytes): with code -1 as a new
// theory, whose code is then written into the record's code field; with
// the code of a stored theory in its place. Returns 0, or -1 when the
// record cannot be stored: a null record, any other code, an item count
// outside 0-8, a title that is not Shift_JIS text, a failing store. The
// title is kept as text (it ends at a NUL or its trailing blanks and comes
// back blank-padded); unused item slots come back zero. `reserved` is
// ignored.
int set_theory(void* record, int reserved);

// Deletes the theory of `code`: 0, or -1 when no theory has that code or
// the store fails.
int del_theory(int code);

// Writes the theory record at `record` to a theory file at `path`. Returns
// 0, or -1 when it cannot be written; a failed write leaves no file behind.
// Needs no open data set.
int write_theory(const char* path, const void* record);

// The theory record of the theory file at `path`, as a buffer of one
// THEORYREC. Null for a missing, short, foreign, damaged or newer-version
// file. Needs no open data set.
void* read_theory(const char* path);

// --- Bought tickets --------------------------------------------------------

// The user's bought tickets, as ticket records (BUYTICKETREC, 29 ASCII
// bytes: race date, race code, bet-type digit '0' win to '4' wide, first
// and second number, count of 100-yen tickets). A ticket is its 29 bytes:
// the same ticket added twice is held twice.
//
// Added and deleted tickets are pending changes of the data set, not of a
// process: another process sees them, and they stay through a restart
// until wf_buy_ticket commits or reinit_buy_ticket discards them all.
// Nothing else commits them (storing a theory or a check mark leaves them
// pending). Reads see the committed tickets and the pending additions, not
// the pending deletions.

// The tickets of the 12-digit race code, in the order bought; the tickets
// of the races dated in the 4-digit year, by date, race code and the order
// bought. Anything else: an empty buffer.
void* get_buy_ticket2code(const char* racecode);
void* get_buy_ticket2year(const char* year);

// Adds the ticket at `record` as a pending addition: 0, or -1 with nothing
// stored for a field not of digits, a bet-type digit outside '0' to '4', a
// race date other than the race code's, a race the data set holds neither
// a result nor a card of, a combination or count the race's field does not
// allow, or a failing store.
int add_buy_ticket(const void* record);

// Deletes one ticket equal to the one at `record`, a pending addition
// first: 0; 1 when no such ticket is held; -1 for a record not well formed
// or a failing store, with nothing changed.
int del_buy_ticket(const void* record);

// Commits every pending change in one transaction, durably (synchronous =
// FULL); discards every pending change. 0, or -1 when the store fails, the
// pending changes then as they were.
int wf_buy_ticket(void);
int reinit_buy_ticket(void);

// The pending changes: with `change` 1 the tickets added, with 2 the
// tickets deleted, by date, race code and the order bought. Another
// change: null.
void* get_buy_ticket_pending(int change);

// --- Past runs -------------------------------------------------------------------

// Past-run records (PASTRUNREC, 94 bytes): one run each, in ascending order
// of date (then racecourse and race number). A run is a runner with a
// result that started: entries withdrawn (取消) or excluded (除外) are left
// out; a runner that did not finish has position 0. Dates `from` and `to`
// are 8-digit YYYYMMDD texts, both days included.

// Every run of the 7-digit horse code, every field filled.
void* get_uma_racey2code(const char* code);

// The rides of the 5-digit jockey code, the runners of the 5-digit trainer
// code, and the runs of the offspring of the 7-digit sire code, from `from`
// to `to`. These fill the race's fields, the horse number, position,
// popularity and win odds, and (not for a sire) the jockey and trainer
// codes; the other fields are blank.
void* get_jockey_racey2code(const char* code, const char* from, const char* to);
void* get_stable_racey2code(const char* code, const char* from, const char* to);
void* get_sire_racey2code(const char* code, const char* from, const char* to);

// The runs of every race at `racecourse` (its place code as a number, 0 to
// 99) on `surface` (the character '0' dirt, '1' turf or '2' jumps) over
// `distance` metres, race dates YYYYMMDD `from` to `to` included, in race
// order and then horse-number order, every field filled. A date that is
// not eight digits, or another surface, fetches nothing.
void* get_raceh_racey2code(int from, int to, int racecourse, int surface, int distance);

// One record per runner of the race whose code is the first 12 bytes at
// `race` (a text or a record field; a NUL ends it), in horse-number order,
// scratched runners included: the frame and prediction mark of each horse
// number. A race not yet run has its result fields blank.
void* get_raceh_racey2codec(const void* race);

// --- Horses, jockeys, trainers and sires -----------------------------------------

// One record of the entity of the code, or an empty buffer when the store
// has none or the code is not 7 digits (horse, sire) or 5 (jockey,
// trainer): the horse (YDBUMAREC, 593 bytes), the jockey (JOCKEYREC, 257),
// the trainer (STABLEREC, 208), the sire (SIREREC, 196; a horse that stands
// as a sire), the dam-sire (UMADIMSIRE, 41: code and name of a horse that
// is the dam's sire of some stored horse). Their finishing counts and prize money
// are those of the runs the store holds when the record is fetched; a count
// too big for its digits reads 9...9. The jockey's and trainer's groups
// and prize money of the year belong to the year of get_today().
// db/store/SCHEMA.md tells what fills each field.
void* get_uma2code(const char* code);
void* get_jockey2code(const char* code);
void* get_stable2code(const char* code);
void* get_sire2code(const char* code);
void* get_umadimsire2code(const char* code);

// Runner result records (RACERHREC, 659 bytes), latest first. For the
// 7-digit horse code, every runner row of the horse in a run race,
// scratched entries included. For the 5-digit jockey or trainer code or the
// 7-digit sire code, the rides, the trainer's runners or the offspring's
// runs dated `from` to `to` (YYYYMMDD, both included), runners that did not
// start left out; latest first means by date, then race number, from the
// last. A code or date not well formed, or `from` after `to`: an empty
// buffer.
void* get_uma_race2code(const char* code);
void* get_jockey_race2code(const char* code, const char* from, const char* to);
void* get_stable_race2code(const char* code, const char* from, const char* to);
void* get_sire_race2code(const char* code, const char* from, const char* to);

// The sire-code record (SIRECODEREC, 41 bytes) of the 7-digit horse code:
// the sire's code and name. None when the horse has no sire with a code.
void* get_sirecode_uma2code(const char* code);

// --- Searches ----------------------------------------------------------------

// Condition searches (db/query/GRAMMAR.md holds the language): a condition
// text is compiled into a search command (a record buffer, released with
// release_data) or run at once. A text or command that breaks a rule gives
// null, and get_db_error() says at which byte and what was expected there;
// a well-formed condition that finds nothing gives an empty buffer.

// The race search command of the condition text; null for a bad text.
void* conv_racecmd(const char* text);

// A new command in which the conditions of both commands must hold. Two
// commands of different kinds combine as the drill-down combines them: a
// horse, sire, jockey or trainer command with a race command, a race
// command with a sire command; the added conditions then hold for a record
// related to one that meets them (ydbcross.h: the horses that ran in a race
// found, the races an offspring of a sire found ran in). Null when either
// is not a command, for two other kinds, an added command that combines
// kinds itself, or when the result would combine more than 8 conditions.
void* add_cmd(const void* held, const void* added);

// The race result records (RACERMREC) of the run races the condition text,
// or the race command, finds, in date and then race-code order.
void* get_race2cmd(const char* text);
void* get_race2cmd_sp1(const void* command);

// The runner result records (RACERHREC) of the races the race command
// finds, race by race in that order and by horse number within a race:
// every runner when `places` is 1 (or less), else the runners that
// finished 1st to (places - 1)th. Of a race command holding another kind's
// conditions, and of a horse, sire, jockey or trainer command, the runs
// related to what it finds (a horse's runs, a sire's offspring's ...).
void* get_race2cmd_sp2(const void* command, int places);

// The race result records of the run races among a buffer of race codes
// (RACECODEREC, 12 bytes), in date and then race-code order, each once;
// codes that are not well formed or name no run race are left out. Null for
// a buffer of other records.
void* get_racecode2race(const void* codes);

// The code list (CODELISTREC, 13 bytes: kind '4', race code) of the run
// races among a buffer of race codes, in the same order.
void* get_race2dt(const void* codes);

// The records a code list names: kind 4, the race result records of its
// races as get_racecode2race gives them; kind 5 (each code a race's), the
// runs of its run races (RACERHREC), race by race in date and race-code
// order and by horse number within a race, as get_race2cmd_sp2 gives every
// run of the races a command finds; kind 0, the horse records of its
// stored horses in code order; kinds 1 sire, 2 jockey and 3 trainer, their
// records (SIREREC, JOCKEYREC, STABLEREC) in the list's order, a code
// naming none left out. Null for a list holding a code of another kind, or
// a kind not served.
void* get_otherdata(const void* codes, int kind);

// The searches of jockeys, trainers (stables), sires and dam-sires, in the
// same manner: a condition text of the kind's keys (GRAMMAR.md) compiled
// into a command (conv_...cmd), run at once (get_...2cmd) or run as a
// command (get_...2cmd_sp). The records found, in code order, are those a
// fetch by code gives: JOCKEYREC, STABLEREC, SIREREC, and UMADIMSIRE for
// the dam-sires (which have no command form). get_...2dt makes the code
// list (CODELISTREC: kind 2 jockey, 3 trainer, 1 sire) of a buffer of the
// kind's records; null for a buffer of other records.
void* conv_jockeycmd(const char* text);
void* conv_stablecmd(const char* text);
void* conv_sirecmd(const char* text);
void* get_jockey2cmd(const char* text);
void* get_stable2cmd(const char* text);
void* get_sire2cmd(const char* text);
void* get_umadimsire2cmd(const char* text);
void* get_jockey2cmd_sp(const void* command);
void* get_stable2cmd_sp(const void* command);
void* get_sire2cmd_sp(const void* command);
void* get_jockey2dt(const void* records);
void* get_stable2dt(const void* records);
void* get_sire2dt(const void* records);

// The horse search command of the condition text; null for a bad text.
void* conv_umacmd(const char* text);

// The horse records (YDBUMAREC) of the horses the condition text, or the
// horse command, finds, in code order.
void* get_uma2cmd(const char* text);
void* get_uma2cmd_sp(const void* command);

// The horse records of the horses whose dam has the code, in code order;
// an empty buffer for a code no dam has.
void* get_uma2mcode(const char* code);

// The code list (CODELISTREC, 13 bytes: kind '0', horse code blank-padded)
// of the stored horses among a buffer of horse records, in code order,
// each once. Null for a buffer of other records.
void* get_uma2dt(const void* horses);

// The names of the graded races that have been run (RACENAMEREC, 33
// bytes), each once: group 1 G1 (and J-G1), 2 G2, 3 G3, then by name; east
// when its latest running was at 東京, 中山, 福島, 新潟, 札幌 or 函館.
void* get_racename(void);

// The race codes (RACECODEREC) of the run races of a graded race name
// (Shift_JIS, trailing blanks ignored), in date order.
void* get_racename_list(const char* name);

// --- Names -------------------------------------------------------------------

// The stored names that answer to a search word (Shift_JIS), as the
// condition language compares names (db/query/GRAMMAR.md): both normalised,
// a word without wildcards found in the name, a word with "*" or "?"
// matching the whole name. In name and then code order. A null or empty
// word, one of blanks only or one longer than 60 bytes: null, with the
// reason.
//
// get_umahm: every horse the data set holds with a code (racehorses, sires
// and dams), as UMADIMSIRE records (code, name). get_sirefm: with `dams` 0
// the horses that are the sire of a stored horse, otherwise those that are
// the dam of one, as UMADIMSIRE records. get_umabase: with `breeders` 0 the
// owners, as UMADIMSIRE records (the 6-digit code blank-padded, the name cut
// to 34 bytes), otherwise the breeders, as NAMEREC records (the name, 40
// bytes; the 8-digit code has no room).
void* get_umahm(const char* word);
void* get_sirefm(const char* word, int dams);
void* get_umabase(const char* word, int breeders);

#ifdef __cplusplus
}
#endif

#endif  // YDB_API_YDBBSN_H_
