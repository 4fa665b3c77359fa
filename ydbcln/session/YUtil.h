// YUtil: the formatting and code utilities shared by every record class.
//
// Static functions that turn the fixed-width code and digit fields of
// database records into display text and numbers: dates, money, places and
// meetings, race conditions and classes, going, weather, margins, ages,
// circled and full-width numbers, a few date calculations and the running
// style of a horse. None of them keeps state or fails.
//
// Conventions:
//  - Every text is a Shift_JIS byte string returned by value; a full-width
//    character is two bytes, a half-width katakana character one byte.
//  - A code is either one ASCII character ('0', '1', ...) or a pointer to a
//    fixed-width field of ASCII digits inside a record.
//  - A code outside its table gives the empty string. A null field pointer
//    gives the empty string, or 0 for a number.
//  - Dates as integers are YYYYMMDD (20020105 is 5 January 2002).
//
// The class has no data members; it can be instantiated, but callers use the
// static functions.
#ifndef YDBCLN_SESSION_YUTIL_H_
#define YDBCLN_SESSION_YUTIL_H_

#include <string>

class YUtil {
 public:
  YUtil();
  YUtil(const YUtil& other);
  // Does nothing: there is no state to copy.
  YUtil& operator=(const YUtil& other);
  virtual ~YUtil();

  // --- Codes looked up in the database library's code tables ---------------
  // Each returns the text the library holds for the code field, empty when
  // the code is not in the table.

  static std::string getblood(unsigned char* code);      // breed
  static std::string getjkfuka1(unsigned char* code);    // jockey-weight rule
  static std::string getcolor(unsigned char* code);      // coat colour
  static std::string getmark(unsigned char* code);       // horse mark
  static std::string getbornplace(unsigned char* code);  // birthplace

  // --- Single-character codes -------------------------------------------------

  // Sex: '0' 牡, '1' 牝, '2' ｾﾝ (half-width).
  static std::string getseibetu(unsigned char code);
  // Going: '0' 良, '1' 稍, '2' 重, '3' 不.
  static std::string getbaba(unsigned char code);
  // Direction of the course: '0' 右, '1' 左, '2' 直.
  static std::string getlr(unsigned char code);
  // Pace: '0' Ｈ, '1' Ｍ, '2' Ｓ.
  static std::string getpace(unsigned char code);
  // Path taken in the straight: '0' 最内 to '4' 大外.
  static std::string getp4(unsigned char code);
  // Grade, half-width: '0' G1, '1' G2, '2' G3, '3' JG1, '4' JG2, '5' JG3.
  static std::string getgrade(unsigned char code);
  // Weather: '0' 晴 to '5' 風.
  static std::string getweather(unsigned char code);
  // Rail position, half-width: '0' A to '3' D, '4' A1, '5' A2.
  static std::string getcourse(unsigned char code);
  // Inner or outer course: '0' 内 to '6' 内→外.
  static std::string getuchi(unsigned char code);
  // Skill mark: '1' ◎, '2' ○, '3' △.
  static std::string getskill(unsigned char code);
  // Distance aptitude: '1' 短, '2' 中, '3' 長.
  static std::string getdistprop(unsigned char code);
  // Jockey-weight condition keyed on the second character of the code:
  // '1' (指定), '2' (特指), '3' [指定], '4' (指).
  static std::string getjkfuka2(unsigned char* code);

  // Surface: 障 when `kind` is '0' (a jump race); otherwise `track` '0' ダ,
  // '1' 芝.
  static std::string getsibada(unsigned char track, unsigned char kind);

  // Training centre of a stable: '1' 栗東, '2' 美浦南, '3' 美浦北 in the long
  // form, 栗, 南, 北 in the short form; any other code gives the long name of
  // the place code `place`.
  static std::string getstableplace(unsigned char code, unsigned char* place,
                                    bool longform);

  // Age condition of a race. The first form is the table used before 2001,
  // when ages were counted one higher; the second picks the table by year.
  static std::string getjouken(unsigned char code);
  static std::string getjouken(unsigned char code, int year);

  // --- Numbers ----------------------------------------------------------------

  // 0 for a blank, otherwise the character's value minus '0'.
  static int getnum(unsigned char c);
  // The n-character digit field: a digit adds (value * 10 + digit), a blank
  // counts as 0, any other character adds nothing. 0 when n < 1.
  static int getnum(unsigned char* p, int n);
  // A field that may start with '+' or '-': the sign applies to characters
  // 1 to n-1 read as digits (a blank counts as 0), and a sign with no digits
  // (n < 2) reads 0. Without a sign it is getnum(p, n).
  static int getnumpm(unsigned char* p, int n);
  // Decimal text of n.
  static std::string getnumstr(int n);
  // The first n bytes of p without their trailing blanks.
  static std::string delendspc(unsigned char* p, int n);

  // A two-digit field: empty unless the first byte is a digit; 0x gives the
  // full-width digit x, anything else the two bytes unchanged (05 gives ５,
  // 12 stays 12).
  static std::string getzennum(unsigned char* p);
  // 0 to 9 as a full-width digit, 10 to 99 as two half-width digits; empty
  // otherwise.
  static std::string getzennum(int n);
  // Ages are shown as getzennum shows numbers.
  static std::string getage(unsigned char* p);
  static std::string getage(int n);
  // Circled number ① to ⑳ of a two-digit field (01 or  1 to 20), or of n;
  // empty outside 1 to 20.
  static std::string getmarunum(unsigned char* p);
  static std::string getmarunum(int n);

  // A record of firsts, seconds, thirds and unplaced: the field split into
  // four parts of len/4 digits, formatted "%4d-%4d-%4d-%4d".
  static std::string getseisekistring(unsigned char* p, int len);

  // Age in whole years today of a person born on the YYYYMMDD field; 0 when
  // the field reads 0.
  static int gethumanage_int(unsigned char* birth, int len);
  // The same as text; empty when the age is 0.
  static std::string gethumanage(unsigned char* birth, int len);

  // --- Dates ------------------------------------------------------------------

  // Today as YYYYMMDD: the local clock, or the day fixed with set_today
  // (db/api/ydbbsn.h), which the database component reads as well.
  static int gettoday();
  static int getcurrentyear();

  // The 8 bytes YYYYMMDD as 2002年 1月 5日: a leading 0 of the month and of
  // the day is shown as a blank.
  static std::string getdate(unsigned char* p);
  // The same for a date of 8 decimal digits; empty for any other value.
  static std::string getdate(int d);

  // Julian day number of the date (integer formula of Fliegel and Van
  // Flandern): J_day(20000101) is 2451545.
  static int J_day(int d);
  // Days from b to a.
  static int getdiffday(int a, int b);
  // The day before d, across month and year ends and 29 February.
  static int before1day(int d);
  // The same day n months earlier; when that month is too short, the first
  // day of the month after it (31 March less one month is 1 March).
  static int beforemonth(int d, int n);

  // --- Money ------------------------------------------------------------------

  // Amount in yen with the group words 億 and 万, ending in 円 ("0円" for
  // zero): getyen(150000000, 1) is 1億5000万円, getyen(100000005, 1) is
  // 1億0000万0005円. `unit` says what the value counts: 1 yen, 10 yen or
  // 1000 yen (getyen(12345, 1000) is 1234万5000円); any other unit gives the
  // empty string.
  static std::string getyen(unsigned int value, int unit);
  // The first len bytes of p as a decimal number (atoi), as above; empty
  // when the field reads negative.
  static std::string getyen(unsigned char* p, int len, int unit);
  // Whole yen of a large amount, with 京, 兆, 億 and 万; fractions of a yen
  // are dropped. Empty for negative or non-finite amounts.
  static std::string getyen(double value);

  // --- Places and meetings ----------------------------------------------------

  // Racecourse of a place code: 00 to 09 are the ten JRA courses (京都,
  // 阪神, 中京, 小倉, 東京, 中山, 福島, 新潟, 札幌, 函館; short forms 京 阪
  // 名 小 東 中 福 新 札 函); other codes are named by the database library,
  // the short form then being the first character (two bytes) of that name.
  static std::string getplace(unsigned char* code, bool shortform);

  // Meeting of a race key (bytes 0-1 place, 6-7 meeting number, 8-9 day of
  // the meeting). Full-width: ３回東京８日目, leaving out 回 or 日目 with a
  // number of 0. Otherwise the digits with a leading 0 as a blank and no
  // words: " 3東京 8".
  static std::string getkaisai(unsigned char* key, bool zen);

  // --- Race names and classes ---------------------------------------------------

  // The race name field less trailing blanks; a race without a name is shown
  // by its age condition, and *named (when not null) says which it was. With
  // abbreviation a name over 10 bytes ending in ステークス ends in Ｓ instead,
  // then a name over 6 bytes ending in カップ ends in Ｃ.
  static std::string getracename(unsigned char jouken, unsigned char* name,
                                 int len, bool abbreviate, bool* named);
  // The same with the age condition of the 4-digit year field's table.
  static std::string getracename(unsigned char* year, unsigned char jouken,
                                 unsigned char* name, int len, bool abbreviate,
                                 bool* named);

  // Race class of the signed class field. Below 100 it is a class from the
  // code table (オープン shown as OPEN), and *flag (when not null) says
  // whether the code is 0 to 3. From 100 it is a money class in thousands
  // of yen, 5000 giving 500, 9005 giving 900.5, followed by 万下 when
  // `withman` is set; *flag is then left alone.
  static std::string getclass(unsigned char* code, int len, bool withman,
                              bool* flag);

  // Appends a race's class to one of two display strings: a grade to
  // `second`; otherwise the class, to `second` when `withman` is set and the
  // class is not one of codes 0 to 3, else to `first`.
  static void setclass(std::string& first, std::string& second,
                       unsigned char grade, unsigned char* code, int len,
                       bool withman);

  // Sort key of a race class, higher for higher races: graded races
  // 65001 (JG3) to 65006 (G1), open class 4 at 64000, other classes their
  // value, negative classes 60000 - value.
  static unsigned short getclassnum(unsigned char grade, unsigned char* code,
                                    int len);

  // --- Margins, positions and running style ---------------------------------------

  // Winning margin: the whole lengths of the 2-byte field (a leading 0
  // dropped) and the code's word or fraction: '0' ﾊﾅ, '1' ｱﾀﾏ, '2' ｸﾋﾞ,
  // '3' 1/2, '4' 1/4, '5' 3/4, '7' 大, '8' 同 (1 1/2, 1/2, ｸﾋﾞ).
  static std::string getchakusa(unsigned char* lengths, unsigned char code);

  // Where a race starts or a jump stands: a prefix by direction code ('1'
  // 逆, '2' １周, '3' 逆１周, '4' 右) and the place named by the two-digit
  // position field (0 スタンド前 to 13 大いけ垣).
  static std::string gettukamidashi(unsigned char dir, unsigned char* pos);

  // Running style from the positions at the four corners in a field of n
  // runners: 1 front-runner, 2 stalker, 3 mid-pack closer, 4 deep closer,
  // 0 unknown. A corner position 0 at the first corner means only corners 3
  // and 4 were run. A position above 40 has 40 taken off; a position still
  // above 28 gives 0.
  static int getkyakushitsu(int n, unsigned char* const pos);
  // The same from four two-digit position fields.
  static int getkyakushitsu(int n, unsigned char (*const pos)[2]);

  // --- Search words ---------------------------------------------------------------

  // Normalises a name typed by a user or stored, so that the two compare:
  // hiragana become katakana, full-width Latin lower case, half-width
  // katakana full-width with their voicing marks joined, ＊ and ？ become
  // * and ?. In search mode ASCII is also made full-width lower case and
  // every full-width blank is removed, and `kanji` says whether the result
  // holds any kanji; outside search mode `kanji` is false.
  static std::string convstr(std::string text, bool& kanji, bool search);
};

#endif  // YDBCLN_SESSION_YUTIL_H_
