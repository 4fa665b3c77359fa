// YTheory: one prediction theory, a title and up to eight weighted factors
// from the catalogue of YTheories, held as the 232-byte record the database
// library stores.
//
//   YTheory theory(nullptr);            // code -1: not yet stored
//   theory.settitle("堅実重視");        // Shift_JIS bytes
//   theory.additem(1, 60, 0, 3);        // 平均タイム, weight 60, last 3 runs
//   theory.additem(24, 40, 0, 12);      // 騎手勝率, weight 40, 12 months
//   if (YTheories::check(theory.record()))  theories.store(&theory);
//
// Item and parameter indexes out of range give -1, never an error.
// Copies copy the whole record.
#ifndef YDBCLN_THEORY_YTHEORY_H_
#define YDBCLN_THEORY_YTHEORY_H_

#include <string>
#include <vector>

#include "ydbcln/theory/TheoryRec.h"

class YTheory {
 public:
  static constexpr int kMaxItems = 8;
  static constexpr int kTitleSize = 60;

  // A copy of the 232 bytes of `record`; with a null record, every byte 0
  // and the code -1.
  explicit YTheory(const _tagTHEORYREC* record);
  YTheory(const YTheory& other);
  YTheory& operator=(const YTheory& other);
  virtual ~YTheory();

  virtual int getcode();
  // The title (Shift_JIS) up to its first NUL, without trailing blanks.
  virtual std::string getname();
  virtual int getitemcount();
  // Factor code and weight of item i; -1 when i is not 0..count-1.
  virtual int getitemno(int i);
  virtual int getitemvalue(int i);
  // Parameter k (0..2) of item i; -1 when i or k is out of range.
  virtual int getitemparam(int i, int k);
  virtual void setcode(int code);
  // Fills the title with blanks and copies `text` (Shift_JIS, without its
  // terminator) into it: at most 60 bytes, cut before a double-byte
  // character that would not fit whole. A null text leaves the title blank.
  virtual void settitle(const char* text);
  // Appends the item {no, value, p0, p1, 0} when fewer than eight are held;
  // with eight it does nothing.
  virtual void additem(int no, int value, int p0, int p1);
  // Every byte of the record 0 (the code becomes 0).
  virtual void clear();

  // The weights as shares of 100 points, one per item: each weight times
  // 100 over the sum of the weights (rounded down), and the points still
  // missing from 100 handed out one each to items 0, 1, 2, ... With no
  // items, or a sum of weights below 1, every share is 0.
  std::vector<int> shares() const;

  // The record held, for the database library and for YTheories::check.
  _tagTHEORYREC* record() { return &rec_; }
  const _tagTHEORYREC* record() const { return &rec_; }

 private:
  bool has_item(int i) const { return i >= 0 && i < rec_.count && i < kMaxItems; }

  _tagTHEORYREC rec_;
};

#endif  // YDBCLN_THEORY_YTHEORY_H_
