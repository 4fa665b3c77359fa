// YHorseList: one horse as a row of a horse search's results.
//
// A row is light: it points at a horse record (YDBUMAREC) of the search's
// result buffer, so the search must outlive it, and formats each value when
// it is asked for (Shift_JIS). Copying a row copies the record, which the
// copy then owns. The career figures (getwin2p, getchakudosu ...) are
// computed on the first call of one of them and kept.
//
//   for (int i = 0; i < search.get_list_cnt(); ++i) {
//     YHorseList* row = search.result(i);
//     row->getname();  row->getwin3pnum();   // 333 for 1 of 3, tenths of a %
//     YHorse horse(&db, *row);                // the full horse, no fetch
//   }
//
// Without a record every text is empty, getseibetu and getage are -1 and the
// other numbers 0. A copy that cannot allocate its record leaves status
// 1003 and a row without record.
#ifndef YDBCLN_ENTITY_YHORSELIST_H_
#define YDBCLN_ENTITY_YHORSELIST_H_

#include <iosfwd>
#include <string>

#include "ydbcln/entity/HorseRec.h"
#include "ydbcln/entity/RowRecord.h"
#include "ydbcln/session/YList.h"

class YHorseDB;

class YHorseList : public YList {
 public:
  YHorseList();
  // A row over `rec` (may be null), which stays owned by its buffer. The
  // session's error is left as it was.
  YHorseList(YHorseDB* db, const _tagYDBUMAREC* rec);
  YHorseList(const YHorseList& other);
  ~YHorseList() override;
  virtual YHorseList& operator=(const YHorseList& other);

  virtual std::string getname();
  virtual int getseibetu();               // 0 for a blank sex code
  virtual std::string getseibetustring();
  virtual int getage();
  virtual std::string getcode();          // 7 characters
  virtual std::string getcolor();
  virtual std::string getumakigou();
  virtual std::string getfather();
  virtual std::string getmother();
  virtual std::string getmothers_father();
  virtual std::string getmothers_mother();
  // "(栗東)" and the trainer's short name; only the name when the stable
  // has no location text.
  virtual std::string getstable();
  virtual std::string getowner();         // short forms
  virtual std::string getseisansya();
  virtual std::string getsanchi();
  // Prize money as text, and as the number of the field's first 6 digits.
  virtual std::string getaplize();
  virtual int getaplizenum();
  virtual std::string getaddplize();
  virtual std::string getbirthday();      // without 生
  virtual std::string getrplize();
  virtual int getrplizenum();
  virtual std::string getsrplize();
  virtual int getsrplizenum();
  virtual std::string getsaplize();
  virtual int getsaplizenum();
  virtual int getaddplizenum();
  virtual std::string getskill_ho();
  virtual std::string getskill_hd();
  virtual std::string getskill_so();
  virtual std::string getskill_sd();
  // Top-two and top-three rates ("%5.1f％", and tenths of a percent) and
  // the finishing counts "%3d-%3d-%3d-%3d/%4d" of the career.
  virtual std::string getwin2p();
  virtual int getwin2pnum();
  virtual std::string getwin3p();
  virtual int getwin3pnum();
  virtual std::string getchakudosu();
  virtual void print(std::ostream& out);  // writes nothing

  // The record the row reads, null without one.
  const _tagYDBUMAREC* record() const;

 private:
  std::string text(int offset, int width);
  // `read` of the field at `offset` (of the one-byte code at `offset`).
  std::string field(std::string (*read)(unsigned char*), int offset);
  std::string code(std::string (*read)(unsigned char), int offset);
  std::string prize(int offset);
  int prizenum(int offset);
  void figures();

  RowRecord record_;
  bool computed_ = false;
  std::string win2p_, win3p_, chakudosu_;
  int win2pnum_ = 0, win3pnum_ = 0;
};

#endif  // YDBCLN_ENTITY_YHORSELIST_H_
