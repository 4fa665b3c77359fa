// PersonRow: what a jockey's row and a trainer's row (YJockeyList,
// YStableList) read alike from their records: names, age, birth and
// licence, the affiliation code, the year's prize money, and the counts and
// rates of the career (r) and of the current year (h), computed on first
// use and kept. The year's counts read as zeros unless the record's year is
// the current year (YUtil::gettoday).
#ifndef YDBCLN_ENTITY_PERSONROW_H_
#define YDBCLN_ENTITY_PERSONROW_H_

#include <string>

#include "ydbcln/entity/RowRecord.h"

class YHorseDB;
struct PersonOffsets;

class PersonRow {
 public:
  // A row over `rec` (may be null) of `size` bytes, its counted fields
  // where `at` says and its affiliation code at `affiliation`.
  PersonRow(const void* rec, int size, const PersonOffsets* at, int affiliation);
  PersonRow(const PersonRow&) = delete;
  PersonRow& operator=(const PersonRow&) = delete;

  // A private copy of `other`'s record, the figures computed anew (1003 on
  // `db` when the copy cannot be allocated).
  void copy_from(YHorseDB* db, const PersonRow& other);

  unsigned char* bytes() const { return record_.bytes(); }
  // The blank-trimmed text of a field; empty without record.
  std::string text(int offset, int width) const;

  std::string code() const;     // 5 characters
  std::string name() const;
  std::string kana() const;
  int age();                    // -1 without record
  int shozoku() const;          // 0 for a blank; -1 without record
  std::string firstyear() const;
  std::string birthday() const;
  std::string hhrplize() const;
  int hhrplizenum() const;
  std::string hsrplize() const;
  int hsrplizenum() const;

  // Count texts and rates; empty texts and 0 without record.
  struct Rates {
    std::string win1, win2, win3;
    int win1num = 0, win2num = 0, win3num = 0;
  };
  const std::string& rnh();
  const std::string& rns();
  const std::string& hnh();
  const std::string& hns();
  const Rates& career();        // over rh and rs together
  const Rates& year();          // over hh and hs together

 private:
  void figures();

  RowRecord record_;
  const PersonOffsets* at_;
  int affiliation_;
  int age_ = -1;
  bool computed_ = false;
  std::string rnh_, rns_, hnh_, hns_;
  Rates career_, year_;
};

#endif  // YDBCLN_ENTITY_PERSONROW_H_
