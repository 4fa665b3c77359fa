// YTheories: the theories stored in the session's data set, and the static
// catalogue of the 78 factors a theory combines.
//
// The collection holds a copy of every stored theory, in the order the
// database library lists them (ascending code). search() reloads it; store,
// deletetheory and loadtheory reload it after they succeed, so a failed
// operation leaves the theories held, and the store, as they were. Failures
// are answered with -1 (or null, false) and no session status.
//
//   YTheories theories(&db);
//   theories.search();
//   for (int i = 0; i < theories.gettheorycount(); ++i)
//     show(theories.gettheory(i)->getname());
//   int code = theories.loadtheory("/tmp/favourite.thr");  // new code or -1
//
// The catalogue: one row per factor code 1..78 (row 0 is a null row) of
//   category          0 horse, 1 jockey, 2 trainer, 3 sire, 4 course,
//                     5 race forecast (the engine works category by category)
//   parameter types   0 none (only 0), 1 distance range ±m (0, 200, 400, 600),
//                     2 last runs (1..10, or 999 for all),
//                     3 months back (1, 3, 6, 12, 24); one type per parameter
//   defaults          of the two parameters
//   label             the factor code itself
//   display group     0 horse, 1 jockey, 2 trainer, 3 sire, 4 times,
//                     5 indices and marks, 6 popularity, odds and draw
// and a Shift_JIS text per factor: its name, CR LF, a one-line description,
// CR LF (factor 38 has no final CR LF).
#ifndef YDBCLN_THEORY_YTHEORIES_H_
#define YDBCLN_THEORY_YTHEORIES_H_

#include <string>
#include <vector>

#include "ydbcln/theory/TheoryRec.h"
#include "ydbcln/theory/YTheory.h"

class YHorseDB;

class YTheories {
 public:
  // The highest factor code.
  static constexpr int theorynomax = 78;

  // Columns of a catalogue row.
  enum Column {
    kCategory = 0,
    kParamType1 = 1,
    kParamType2 = 2,
    kParamDefault1 = 3,
    kParamDefault2 = 4,
    kLabel = 5,
    kGroup = 6,
  };

  // One entry of the name table.
  struct ItemName {
    int no;         // factor code
    char name[62];  // Shift_JIS name, NUL-padded
  };

  // The catalogue rows, indexed by factor code; row 0 is category -1,
  // group -1, every other column 0.
  static const int (&param_table)[theorynomax + 1][7];
  // The Shift_JIS texts, indexed by factor code; code 0 is empty. Set when
  // the library is loaded.
  static const char* desc[theorynomax + 1];
  // The name table, built on first use of a static name, number or count
  // accessor; itemnamecount is 0 until then and 78 after.
  static ItemName itemname[theorynomax];
  static int itemnamecount;

  // An empty collection on the session (not owned).
  explicit YTheories(YHorseDB* db);
  YTheories(const YTheories& other);
  YTheories& operator=(const YTheories& other);
  virtual ~YTheories();

  // Reloads the theories; their number, or -1 when the library gave no
  // list (the theories held are then gone).
  virtual int search();
  virtual int gettheorycount();
  // The i-th theory held, null when i is out of range. The pointer lives
  // until the collection is next reloaded.
  virtual YTheory* gettheory(int i);
  // The first theory held with this code, null when none.
  virtual YTheory* gettheorybycode(int code);
  // Writes the theory with this code to a theory file: 0, or -1 when the
  // code is not held or the file cannot be written.
  virtual int savetheory(const char* path, int code);
  // Stores the theory of a theory file that passes check() as a new
  // theory: its code, or -1 for a missing or bad file or a failed store.
  virtual int loadtheory(const char* path);
  // Stores the theory: with code -1 as a new theory, with the code of a
  // stored theory in its place. The code it is stored under (the theory
  // itself is not changed), or -1 when the library refuses it.
  virtual int store(YTheory* theory);
  // Reserved; does nothing.
  virtual void reserved();
  // Deletes the theory with this code: 0, or -1 when it is not held or the
  // library refuses.
  virtual int deletetheory(int code);

  // --- The catalogue -----------------------------------------------------------

  // The number of factors, 78.
  static int getitemcount();
  // Factor code of the i-th name-table entry (i + 1); -1 out of range.
  static int getitemno(int i);
  // Name of the i-th entry (0-based), empty out of range.
  static std::string getitemname(int i);
  // Name of the factor with code `no`, empty when there is none.
  static std::string getitemname_no(int no);
  // Category of the i-th entry; -1 out of range.
  static int getcategory(int i);
  // Category, label and display group of factor `no`; -1 for a code
  // outside 0..78.
  static int getcategory_no(int no);
  static int getlabel_no(int no);
  static int getcategory2_no(int no);
  // The two parameter types and defaults of factor `no`; left as they were
  // for a code outside 0..78.
  static void getparams(int no, int& t1, int& t2);
  static void getdefault(int no, int& d1, int& d2);
  // The text of factor `no`; null for a code outside 0..78.
  static const char* getdesc(int no);

  // Whether a theory record is valid: 1..8 items, each of a factor 1..78
  // with a weight 1..100 and parameters 0 and 1 valid for their types. A
  // parameter of type 0 is set to 0 on the way. False for a null record.
  static bool check(_tagTHEORYREC* record);

  // The first rule a record breaks, as check() applies them.
  enum CheckFault {
    kValid = 0,
    kNoRecord,   // a null record
    kItemCount,  // the item count is not 1..8
    kFactor,     // an item's factor code is not 1..78
    kWeight,     // an item's weight is not 1..100
    kParam1,     // an item's first parameter is not valid for its type
    kParam2,     // an item's second parameter is not valid for its type
  };
  // check() that also tells which rule failed and, for the item rules, the
  // item (0-based) in *item (when not null). Normalises as check() does.
  static CheckFault findfault(_tagTHEORYREC* record, int* item);
  // Whether `value` is valid for parameter type `type`.
  static bool isvalidparam(int type, int value);

 private:
  YHorseDB* db_;
  std::vector<YTheory> theories_;
};

#endif  // YDBCLN_THEORY_YTHEORIES_H_
