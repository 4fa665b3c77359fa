// The records the searches take and hand out: the held search command, race
// codes for a cross search, and the parameter records of the detailed race
// search (all fields 32-bit ints unless noted; a mask has one bit per
// choice, bit 0 first).
#ifndef YDBCLN_SEARCH_SEARCHRECORDS_H_
#define YDBCLN_SEARCH_SEARCHRECORDS_H_

// A compiled search command: a record buffer of the database library, read
// only by it (conv_racecmd, add_cmd, get_race2cmd_sp1).
struct _tagSCMD;

// One 12-digit race code (place 2, date 8, race number 2).
struct _tagRACECODEREC {
  unsigned char code[12];
};

// Which races: by period (mode 0), by meeting (mode 1) or by name (mode 2).
// Race selector: 0 all races, 100 the main race, 101 the last race, 1 to 99
// that race number; negative, no selector.
union _tagYDetailRaceInfo {
  struct {
    int from;    // YYYYMMDD
    int to;      // YYYYMMDD
    int places;  // racecourse mask, 10 bits (1 札幌 ... 512 小倉); 1023 all
    int race;    // race selector
  } period;
  struct {
    int year;
    int place;  // exactly one racecourse bit
    int from_kai;
    int from_day;
    int to_kai;
    int to_day;
    int race;   // race selector
  } meeting;
  struct {
    const char* name;  // Shift_JIS, NUL-terminated
    int grade;         // 64 G3, 128 G2, 256 G1; anything else no grade
  } racename;
};

struct _tagYDetailRaceDistEtc {
  int from;     // metres; with `to`, only when both are non-zero and from <= to
  int to;
  int surface;  // bit 0 芝, 1 ダ, 2 障; 7 all
  int course;   // bits 0-5: A, B, C, D, A1, A2; 63 all
  int us;       // inner (bit 0) or outer (bit 1) course; -1 no condition
  int mw;       // direction: right, left, straight (bits 0-2); -1 no condition
};

struct _tagYDetailRaceAgeEtc {
  int age;    // bits 0-3: 2歳, 3歳, 3歳以上, 4歳以上; 15 all
  int klass;  // bits 0-8: 新馬・未出走, 未勝利, 500万下, 900万下, 1600万下, オープン, Ｇ３, Ｇ２, Ｇ１; 511 all
};

// Payout bounds in yen, (from, to) pairs; a pair counts when both are non-zero.
struct _tagYDetailRaceBetEtc {
  int win_from, win_to;          // 単勝
  int place_from, place_to;      // 複勝
  int bracket_from, bracket_to;  // 枠連
  int quinella_from, quinella_to;  // 馬連
  int wide_from, wide_to;        // ワイド
};

struct _tagYDetailRacePaceEtc {
  int pace;     // bits 0-2: Ｈ, Ｍ, Ｓ; 7 all
  int weather;  // bits 0-5: 晴, 曇, 雨, 小雨, 雪, 風; 63 all
  int going;    // bits 0-3: 良, 稍重, 重, 不良; 15 all
};

#endif  // YDBCLN_SEARCH_SEARCHRECORDS_H_
